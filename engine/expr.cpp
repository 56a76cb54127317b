#include "engine/expr.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/number.h"
#include "engine/expr_tree.h"
#include "engine/math_commands.h"
#include "engine/sjis.h"

namespace kav {

bool NameRef::resolve(NameTable& t) {
    if (index >= 0) return true;
    index = t.find(name, checked);
    checked = t.count();
    if (index < 0) return false;
    slot = t.slots(index);
    rows = t.entry(index).rows;
    columns = t.entry(index).columns;
    return true;
}

Expr::Expr(std::string_view text) : text_(text) { compile(); }
Expr::~Expr() = default;
// The root points into the tree, which moves along with it.
Expr::Expr(Expr&& o) noexcept
    : text_(std::move(o.text_)), steps_(std::move(o.steps_)), reduce_(std::move(o.reduce_)),
      names_(std::move(o.names_)), calls_(std::move(o.calls_)), tree_(std::move(o.tree_)),
      root_(std::exchange(o.root_, nullptr)) {}

Expr& Expr::operator=(Expr&& o) noexcept {
    text_ = std::move(o.text_);
    steps_ = std::move(o.steps_);
    reduce_ = std::move(o.reduce_);
    names_ = std::move(o.names_);
    calls_ = std::move(o.calls_);
    tree_ = std::move(o.tree_);
    root_ = std::exchange(o.root_, nullptr);
    return *this;
}

namespace {

bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/' || c == '%'; }

struct PendingOp {
    char op;
    int priority;
};

// The order in which the reduction combines operands: operator i joins operands
// i and i+1 when the next operator's priority is not negative and operator i's
// is negative or not lower than the next's; the scan restarts after each join.
// Only priorities decide, so the order is fixed at compile time.
template <class Emit>
void planReduction(std::vector<PendingOp> ops, Emit emit) {
    std::vector<uint8_t> slots(ops.size());
    std::iota(slots.begin(), slots.end(), uint8_t{0});
    while (slots.size() > 1) {
        size_t i = 0;
        while (i + 2 < slots.size() &&
               !(ops[i + 1].priority >= 0 && (ops[i].priority < 0 || ops[i].priority >= ops[i + 1].priority)))
            ++i;
        // The last operator before the end always qualifies: the end has priority 0.
        emit(ops[i].op, slots[i], slots[i + 1]);
        slots.erase(slots.begin() + static_cast<ptrdiff_t>(i) + 1);
        ops.erase(ops.begin() + static_cast<ptrdiff_t>(i));
    }
}

}  // namespace

float libraryRemainder(float a, float b) {
    return static_cast<float>(std::fmod(static_cast<double>(a), static_cast<double>(b)));
}

void Expr::addOperand(std::string_view token) {
    Step s{Load::Const, 0, FailSubject::Keep, SysVar::None, 0, 0.0f};
    if (token.empty() || token == "0") {
        steps_.push_back(s);
        return;
    }
    SysVar v = findSysVar(token);
    if (v != SysVar::None && !isDialogSysVar(v)) {
        s.load = Load::Sys;
        s.sys = v;
        steps_.push_back(s);
        return;
    }
    if (v == SysVar::None) {
        if (double d = leadingNumber(token); d != 0) {
            s.value = static_cast<float>(d);
            steps_.push_back(s);
            return;
        }
    }
    s.load = v == SysVar::None ? Load::Name : Load::DialogSys;
    s.sys = v;
    s.ref = static_cast<uint16_t>(names_.size());
    names_.push_back(NameRef{std::string(token)});
    steps_.push_back(s);
}

void Expr::compile() {
    const std::string& t = text_;
    const size_t n = t.size();
    std::vector<PendingOp> ops;
    std::string token;
    int weight = 0;
    int operands = 0;
    auto fail = [&](Status st, FailSubject subj) {
        steps_.push_back(Step{Load::Fail, static_cast<uint8_t>(st), subj, SysVar::None, 0, 0.0f});
    };
    auto room = [&]() {
        if (operands < kMaxOperands) return ++operands, true;
        fail(Status::TooLong, FailSubject::Keep);
        return false;
    };

    for (size_t i = 0;;) {
        if (i >= n) {
            if (!room()) return;
            addOperand(token);
            ops.push_back({'\0', weight});
            if (weight != 0) return fail(Status::Bracket, FailSubject::Head);
            break;
        }
        const char c = t[i];
        if (c == '(' || c == ')') {
            weight += c == '(' ? 10 : -10;
            ++i;
        } else if (isOperator(c)) {
            if (!room()) return;
            addOperand(token);
            token.clear();
            ops.push_back({c, weight + (c == '+' || c == '-' ? 0 : 1)});
            if (i + 1 < n && isOperator(t[i + 1])) return fail(Status::BadExpression, FailSubject::Keep);
            ++i;
        } else {
            token.push_back(c);
            if (token.size() > kTokenMax) return fail(Status::TooLong, FailSubject::Keep);
            if (i + 1 >= n || t[i + 1] != '(') {
                ++i;
                continue;
            }
            // A call: the text up to the matching ')', literals taken whole.
            size_t j = i + 2;
            for (int depth = 1; j < n; ++j) {
                if (t[j] == '"') {
                    const char* p = t.c_str() + j + 1;
                    while (*p && *p != '"') p = charNext(p);
                    if (!*p) return fail(Status::Bracket, FailSubject::Keep);
                    j = static_cast<size_t>(p - t.c_str());
                } else if (t[j] == '(') {
                    ++depth;
                } else if (t[j] == ')' && --depth == 0) {
                    break;
                }
            }
            if (j >= n) return fail(Status::Bracket, FailSubject::Head);
            std::string_view inner(t.data() + i + 2, j - i - 2);
            if (inner.size() > kTokenMax) return fail(Status::TooLong, FailSubject::Keep);
            if (!room()) return;
            steps_.push_back(Step{Load::Call, 0, FailSubject::Keep, SysVar::None,
                                  static_cast<uint16_t>(calls_.size()), 0.0f});
            calls_.push_back(std::make_unique<ExprCall>(ExprCall{NameRef{token}, ArgList(inner)}));
            calls_.back()->index.prepare(calls_.back()->args);
            // The call's value times the next operand, which starts as "1": the
            // call stands as one operand.
            ops.push_back({'*', -1});
            token.assign(1, '1');
            i = j + 1;
        }
    }
    planReduction(std::move(ops), [this](char op, uint8_t dst, uint8_t src) { reduce_.push_back({op, dst, src}); });
    buildTree();
}

void Expr::buildTree() {
    std::vector<ExprTree::Leaf> leaves;
    leaves.reserve(steps_.size());
    for (const Step& s : steps_) {
        using K = ExprTree::Leaf::Kind;
        switch (s.load) {
        case Load::Const: leaves.push_back({K::Const, s.value, s.sys, nullptr, nullptr}); break;
        case Load::Sys: leaves.push_back({K::Sys, 0, s.sys, nullptr, nullptr}); break;
        case Load::DialogSys: leaves.push_back({K::DialogSys, 0, s.sys, &names_[s.ref], nullptr}); break;
        case Load::Name: leaves.push_back({K::Name, 0, s.sys, &names_[s.ref], nullptr}); break;
        case Load::Call: leaves.push_back({K::Call, 0, s.sys, nullptr, calls_[s.ref].get()}); break;
        case Load::Fail: return;  // replayed stepwise, at its place among the loads
        }
    }
    std::vector<ExprTree::Join> joins;
    joins.reserve(reduce_.size());
    for (const Reduce& r : reduce_) joins.push_back({r.op, r.dst, r.src});
    tree_ = std::make_unique<ExprTree>(leaves, joins);
    root_ = tree_->root;
}

bool Expr::readName(Engine& e, uint16_t ref, float& out) {
    NameRef& r = names_[ref];
    if (!r.resolve(e.names)) {
        e.fault.raise(Status::NoValue, r.name);
        return false;
    }
    out = static_cast<float>(e.names.value(r.index));
    return true;
}

bool evaluateCall(Engine& e, WindowRef w, ExprCall& c, float& out) {
    Fault& f = e.fault;
    if (c.array.resolve(e.names)) {
        double row = 0, column = 0;
        if (!c.args.number(e, w, 0, row) || !c.args.number(e, w, 1, column)) return false;
        const int32_t r = toInt32(row), col = toInt32(column);
        const NameTable::Entry& entry = e.names.entry(c.array.index);
        if (r < 0 || r >= entry.rows || col < 0 || col >= entry.columns) {
            f.raise(Status::ArrayRange, c.array.name);
            return false;
        }
        out = static_cast<float>(e.names.value(c.array.index, static_cast<uint32_t>(r) * entry.columns + static_cast<uint32_t>(col)));
        return true;
    }
    return evaluateFunction(e, w, c, out);
}

bool evaluateFunction(Engine& e, WindowRef w, ExprCall& c, float& out) {
    Fault& f = e.fault;
    f.subject.setStable(c.array.name);
    e.result = 0;
    if (!c.functionLooked) {
        c.function = e.commands.find(kValue, c.array.name);
        if (c.function && c.function->args != kArgsChecked)
            c.argStatus = static_cast<uint8_t>(checkArgCount(c.args, c.function->args));
        if (c.function && !c.argStatus && c.function->run) {
            c.pure = pureFunctionOf(c.function->run);
            c.pureExpr = c.args.expression(0);
            c.pureArgument = c.pureExpr ? c.pureExpr->treeRoot() : nullptr;
        }
        c.functionLooked = true;
    }
    if (!c.function) {
        f.raise(Status::NoValueFunction);
        return false;
    }
    if (c.argStatus) {
        f.status = c.argStatus;
        return false;
    }
    Call call{e, w, c.args};
    c.function->run(call);
    if (!f.ok()) return false;
    out = static_cast<float>(e.result);
    return true;
}

double Expr::evaluate(Engine& e, WindowRef w) {
    if (root_ && !e.stepwiseExpressions) [[likely]]
        return evaluateTree(*root_, e, w, text_);
    return evaluateStepwise(e, w);
}

double Expr::evaluateStepwise(Engine& e, WindowRef w) {
    float v[kMaxOperands];
    const size_t loads = steps_.size();
    for (size_t i = 0; i < loads; ++i) {
        const Step& s = steps_[i];
        switch (s.load) {
        case Load::Const: v[i] = s.value; break;
        case Load::Sys: v[i] = static_cast<float>(readSysVar(s.sys, e.sys)); break;
        case Load::DialogSys:
            if (e.dialogOpen()) {
                v[i] = static_cast<float>(readSysVar(s.sys, e.sys));
                break;
            }
            [[fallthrough]];
        case Load::Name:
            if (!readName(e, s.ref, v[i])) return 0;
            break;
        case Load::Call:
            if (!evaluateCall(e, w, *calls_[s.ref], v[i])) return 0;
            break;
        case Load::Fail:
            if (s.subject == FailSubject::Head) e.fault.subject.set(head(text_));
            e.fault.status = s.status;
            return 0;
        }
    }
    for (const Reduce& r : reduce_) {
        const float a = v[r.dst], b = v[r.src];
        switch (r.op) {
        case '+': v[r.dst] = a + b; break;
        case '-': v[r.dst] = a - b; break;
        case '*': v[r.dst] = a * b; break;
        case '/':
            if (b == 0) {
                e.fault.raise(Status::DivideByZero, text_);
                return 0;
            }
            v[r.dst] = a / b;
            break;
        case '%': v[r.dst] = remainderOf(a, b); break;
        }
    }
    return static_cast<double>(v[0]);
}

}  // namespace kav
