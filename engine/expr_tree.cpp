#include "engine/expr_tree.h"

#include "engine/engine.h"
#include "engine/number.h"

namespace kav {

namespace {

using LeafKind = ExprTree::Leaf::Kind;

// A variable's value; a name not yet in the table is looked up (it may have
// been created since), and one that is still missing fails with status 4.
[[gnu::noinline]] float readMissing(NameRef& v, TreeContext& c) {
    if (v.resolve(c.e.names)) return static_cast<float>(*v.slot);
    c.e.fault.raise(Status::NoValue, v.name);
    c.failed = true;
    return 0;
}

inline float readVar(NameRef& v, TreeContext& c) {
    if (v.slot) [[likely]]
        return static_cast<float>(*v.slot);
    return readMissing(v, c);
}

// Operand kinds of an operator node, left and right.
struct Sub {
    static constexpr bool canFail = true;
    static float left(const TreeNode& n, TreeContext& c) { return n.l->fn(*n.l, c); }
    static float right(const TreeNode& n, TreeContext& c) { return n.r->fn(*n.r, c); }
};
struct Var {
    static constexpr bool canFail = true;
    static float left(const TreeNode& n, TreeContext& c) { return readVar(*n.lv, c); }
    static float right(const TreeNode& n, TreeContext& c) { return readVar(*n.rv, c); }
};
struct Const {
    static constexpr bool canFail = false;
    static float left(const TreeNode& n, TreeContext&) { return n.lk; }
    static float right(const TreeNode& n, TreeContext&) { return n.rk; }
};

template <char Op>
inline float apply(float a, float b, TreeContext& c) {
    if constexpr (Op == '+') return a + b;
    else if constexpr (Op == '-') return a - b;
    else if constexpr (Op == '*') return a * b;
    else if constexpr (Op == '/') {
        if (b == 0) [[unlikely]] {
            c.divZero = true;
            return 0;
        }
        return a / b;
    } else {
        return remainderOf(a, b);
    }
}

template <char Op, class L, class R>
float join(const TreeNode& n, TreeContext& c) {
    const float a = L::left(n, c);
    if (L::canFail && c.failed) [[unlikely]]
        return 0;
    const float b = R::right(n, c);
    if (R::canFail && c.failed) [[unlikely]]
        return 0;
    return apply<Op>(a, b, c);
}

float constLeaf(const TreeNode& n, TreeContext&) { return n.lk; }
float varLeaf(const TreeNode& n, TreeContext& c) { return readVar(*n.lv, c); }
float sysLeaf(const TreeNode& n, TreeContext& c) { return static_cast<float>(readSysVar(n.sys, c.e.sys)); }
// DLGMS_X and DLGMS_Y are names like any other while no dialog is open.
float dialogSysLeaf(const TreeNode& n, TreeContext& c) {
    if (c.e.dialogOpen()) return static_cast<float>(readSysVar(n.sys, c.e.sys));
    return readVar(*n.lv, c);
}
float callLeaf(const TreeNode& n, TreeContext& c) {
    ExprCall& call = *n.call;
    // A name once in the table stays an array (or variable) for good.
    if (call.array.index >= 0 && call.index.usable) [[likely]] {
        const int32_t at = elementOffset(call.index, call.array, c.e, c.w);
        if (at < 0) [[unlikely]] {
            c.failed = true;
            return 0;
        }
        return static_cast<float>(call.array.slot[at]);
    }
    float out = 0;
    // No name has been added since the last look: still a value function.
    if (call.array.index < 0 && call.array.checked == c.e.names.count()) {
        if (call.pure && call.pureArgument) {
            // What the handler does: the subject and the cleared register first,
            // the argument, then the result.
            Engine& e = c.e;
            e.fault.subject.setStable(call.array.name);
            e.result = 0;
            const double x = evaluateTree(*call.pureArgument, e, c.w, call.pureExpr->text());
            if (!e.fault.ok()) [[unlikely]] {
                c.failed = true;
                return 0;
            }
            e.result = call.pure(x);
            return static_cast<float>(e.result);
        }
        if (!evaluateFunction(c.e, c.w, call, out)) [[unlikely]] {
            c.failed = true;
            return 0;
        }
        return out;
    }
    if (!evaluateCall(c.e, c.w, *n.call, out)) {
        c.failed = true;
        return 0;
    }
    return out;
}

// One operand while the tree is built.
struct Operand {
    enum class As : uint8_t { Sub, Var, Const } as;
    const TreeNode* node;
    NameRef* var;
    float k;
};

template <char Op>
TreeNode::Fn joinFor(Operand::As l, Operand::As r) {
    using A = Operand::As;
    auto pick = [&]<class L>() -> TreeNode::Fn {
        switch (r) {
        case A::Sub: return join<Op, L, Sub>;
        case A::Var: return join<Op, L, Var>;
        case A::Const: return join<Op, L, Const>;
        }
        return nullptr;
    };
    switch (l) {
    case A::Sub: return pick.template operator()<Sub>();
    case A::Var: return pick.template operator()<Var>();
    case A::Const: return pick.template operator()<Const>();
    }
    return nullptr;
}

TreeNode::Fn joinFor(char op, Operand::As l, Operand::As r) {
    switch (op) {
    case '+': return joinFor<'+'>(l, r);
    case '-': return joinFor<'-'>(l, r);
    case '*': return joinFor<'*'>(l, r);
    case '/': return joinFor<'/'>(l, r);
    default: return joinFor<'%'>(l, r);
    }
}

// Two constants join at build time when the result needs no report.
bool fold(char op, float a, float b, float& out) {
    switch (op) {
    case '+': out = a + b; return true;
    case '-': out = a - b; return true;
    case '*': out = a * b; return true;
    case '/':
        if (b == 0) return false;
        out = a / b;
        return true;
    default: out = remainderOf(a, b); return true;
    }
}

}  // namespace

ExprTree::ExprTree(const std::vector<Leaf>& leaves, const std::vector<Join>& joins) {
    // Every leaf that is no constant or variable and every join makes at most one node.
    nodes.reserve(leaves.size() + joins.size() + 1);
    auto add = [this](const TreeNode& n) -> const TreeNode* { return &nodes.emplace_back(n); };

    std::vector<Operand> operands;
    operands.reserve(leaves.size());
    for (const Leaf& leaf : leaves) {
        TreeNode n;
        switch (leaf.kind) {
        case LeafKind::Const: operands.push_back({Operand::As::Const, nullptr, nullptr, leaf.value}); continue;
        case LeafKind::Name: operands.push_back({Operand::As::Var, nullptr, leaf.name, 0}); continue;
        case LeafKind::Sys:
            n.fn = sysLeaf;
            n.sys = leaf.sys;
            break;
        case LeafKind::DialogSys:
            n.fn = dialogSysLeaf;
            n.sys = leaf.sys;
            n.lv = leaf.name;
            break;
        case LeafKind::Call:
            n.fn = callLeaf;
            n.call = leaf.call;
            break;
        }
        operands.push_back({Operand::As::Sub, add(n), nullptr, 0});
    }

    for (const Join& j : joins) {
        Operand& a = operands[j.dst];
        const Operand& b = operands[j.src];
        float k = 0;
        if (a.as == Operand::As::Const && b.as == Operand::As::Const && fold(j.op, a.k, b.k, k)) {
            a.k = k;
            continue;
        }
        // x * 1 is x for every value a load can give (no signalling NaN reaches
        // here): a call stands as "call * 1".
        if (j.op == '*' && b.as == Operand::As::Const && b.k == 1.0f) continue;
        TreeNode n;
        n.fn = joinFor(j.op, a.as, b.as);
        n.l = a.node, n.lv = a.var, n.lk = a.k;
        n.r = b.node, n.rv = b.var, n.rk = b.k;
        a = {Operand::As::Sub, add(n), nullptr, 0};
    }

    const Operand& top = operands.front();
    TreeNode n;
    switch (top.as) {
    case Operand::As::Sub: root = top.node; return;
    case Operand::As::Var:
        n.fn = varLeaf;
        n.lv = top.var;
        break;
    case Operand::As::Const:
        n.fn = constLeaf;
        n.lk = top.k;
        break;
    }
    root = add(n);
}

void ElementIndex::prepare(ArgList& args) {
    rowExpr = args.expression(0);
    columnExpr = args.count() > 1 ? args.expression(1) : nullptr;
    row = rowExpr ? rowExpr->treeRoot() : nullptr;
    column = columnExpr ? columnExpr->treeRoot() : nullptr;
    usable = row && (args.count() == 1 || column);
}

int32_t elementOffset(const ElementIndex& ix, const NameRef& ref, Engine& e, WindowRef w) {
    Fault& f = e.fault;
    const double row = evaluateTree(*ix.row, e, w, ix.rowExpr->text());
    if (!f.ok()) return -1;
    double column = 0;
    if (ix.column) {
        column = evaluateTree(*ix.column, e, w, ix.columnExpr->text());
        if (!f.ok()) return -1;
    }
    const int32_t r = toInt32(row), c = toInt32(column);
    if (r < 0 || r >= ref.rows || c < 0 || c >= ref.columns) [[unlikely]] {
        f.raise(Status::ArrayRange, ref.name);
        return -1;
    }
    return r * ref.columns + c;
}

bool isConstantTree(const TreeNode& n, float& value) {
    if (n.fn != constLeaf) return false;
    value = n.lk;
    return true;
}

NameRef* variableOfTree(const TreeNode& n) { return n.fn == varLeaf ? n.lv : nullptr; }

double raiseDivisionByZero(Engine& e, const std::string& text) {
    e.fault.raise(Status::DivideByZero, text);
    return 0;
}

double ExprTree::evaluate(Engine& e, WindowRef w, const std::string& text) const {
    return evaluateTree(*root, e, w, text);
}

}  // namespace kav
