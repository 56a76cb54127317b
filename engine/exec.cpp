#include "engine/exec.h"

#include <memory>

#include "engine/args.h"
#include "engine/engine.h"
#include "engine/expr.h"
#include "engine/expr_tree.h"
#include "engine/number.h"

namespace kav {

namespace {

// Assignment statements are copied into a buffer of this many bytes at most.
constexpr size_t kAssignmentMax = 255;
// The left side of an if condition.
constexpr size_t kConditionSideMax = 128;

enum class Compare : uint8_t { Eq, Ne, Ge, Le, Gt, Lt };

}  // namespace

// A statement as dispatch found it, with everything that depends only on the text
// worked out; the checks that depend on it happen in the same order when it runs.
// Statements keep pointers to the statements that can follow them, so a run
// moves from one to the next without looking anything up.
struct Stmt {
    enum class Op : uint8_t { Fail, Nothing, Command, Assign, AssignVar, AssignElement, Loop, If, Call, Return, End };
    Op op = Op::Nothing;
    std::string name;  // the subject once dispatched
    std::string_view subject;  // the name, as the subject buffer refers to it
    // The trees of a and b, evaluated here directly (none when an expression runs
    // stepwise).
    const TreeNode* treeA = nullptr;
    const TreeNode* treeB = nullptr;
    // The sides of a condition when one is a lone constant or variable.
    struct Side {
        NameRef* var = nullptr;
        bool constant = false;
        double value = 0;
    } sideA, sideB;
    bool trees = false;  // expressions run as trees (not the white-box stepwise method)
    const CommandEntry* command = nullptr;
    ArgList args;
    uint8_t argStatus = 0;  // the argument-count verdict

    // A failure known from the text alone, raised at its place in the run.
    uint8_t failStatus = 0;
    std::string failSubject;
    bool failSetsSubject = false;

    // Assignment: target, optional element indices, value. Call: the section.
    NameRef target;
    ArgList index;
    ElementIndex element;  // the index trees, usable once the target is found
    // Expressions: the assigned value, the loop count, the two sides of a condition.
    std::unique_ptr<Expr> a, b;
    Compare compare = Compare::Eq;

    // Loop and if blocks: the '{' and its '}'.
    int32_t open = 0, close = 0;
    uint8_t blockStatus = 0;

    // Call: the section's '{' and '}' once looked for; -1 when missing or unmatched.
    bool sectionKnown = false;
    int32_t sectionOpen = -1, sectionClose = -1;

    // Where a plain statement continues: just after its ';' (status 2 for an
    // unclosed literal before it).
    uint8_t nextStatus = 0;
    int32_t next = 0;

    // Compiled on first use: the statement at `next`, the first statement of the
    // block or section this one opens, and the one where that level resumes.
    Stmt* nextStmt = nullptr;
    Stmt* body = nullptr;
    Stmt* after = nullptr;

    void failWith(Status s, std::string_view text, bool setsSubject) {
        failStatus = static_cast<uint8_t>(s);
        failSubject = text;
        failSetsSubject = setsSubject;
    }
    // Raises the text's failure; false when there is none.
    bool raiseFailure(Fault& f) const {
        if (!failStatus) return false;
        if (failSetsSubject) f.subject.setStable(failSubject);
        f.status = failStatus;
        return true;
    }
};

namespace {

// "name(args)": the name before the first '(', the arguments up to the last ')'.
void splitCall(std::string_view s, std::string_view& name, std::string_view& args) {
    size_t open = s.find('(');
    if (open == std::string_view::npos) {
        name = s;
        args = {};
        return;
    }
    name = s.substr(0, open);
    size_t close = s.rfind(')');
    args = close != std::string_view::npos && close > open ? s.substr(open + 1, close - open - 1) : s.substr(open + 1);
}

// Whether a left side reads as a number to strtod (optional sign, then digits).
bool startsWithNumber(std::string_view s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    return leadingNumber(s) != 0;
}

void compileAssignment(Stmt& s, const ProgramText& text, int32_t pos) {
    s.op = Stmt::Op::Assign;  // until it turns out well formed
    // The assignment is copied up to ';' (not '{'), into a 255-byte buffer.
    std::string stmt;
    {
        Fault scratch;
        int32_t end = text.nextStatement(pos, scratch);
        if (end > pos && text.at(end - 1) == ';') --end;
        stmt.assign(text.data() + pos, static_cast<size_t>(end - pos));
    }
    if (stmt.size() > kAssignmentMax) return s.failWith(Status::TooLong, head(stmt), true);
    size_t eq = std::string::npos;
    for (size_t i = 0; i < stmt.size(); ++i) {
        if (stmt[i] == '"') {
            size_t close = stmt.find('"', i + 1);
            if (close == std::string::npos) break;
            i = close;
        } else if (stmt[i] == '=') {
            eq = i;
        }
    }
    if (eq == std::string::npos) return s.failWith(Status::NoCommand, {}, false);
    std::string_view left = std::string_view(stmt).substr(0, eq), right = std::string_view(stmt).substr(eq + 1);
    if (left.empty() || left[0] == '0' || startsWithNumber(left))
        return s.failWith(Status::BadExpression, std::string(left) + "=" + std::string(right), true);
    std::string_view name, index;
    splitCall(left, name, index);
    const bool element = name.size() != left.size();
    s.op = element ? Stmt::Op::AssignElement : Stmt::Op::AssignVar;
    if (element) {
        s.index = ArgList(index);
        s.element.prepare(s.index);
    }
    s.target.name = name;
    s.a = std::make_unique<Expr>(right);
}

void compileCondition(Stmt& s) {
    const std::string& cond = s.args.text();
    size_t at = std::string::npos, width = 0;
    for (size_t i = 0; i < cond.size() && at == std::string::npos; ++i) {
        const char c = cond[i], d = i + 1 < cond.size() ? cond[i + 1] : '\0';
        if ((c == '=' || c == '!') && d == '=') {
            at = i, width = 2, s.compare = c == '=' ? Compare::Eq : Compare::Ne;
        } else if (c == '>' || c == '<') {
            at = i, width = d == '=' ? 2 : 1;
            s.compare = c == '>' ? (width == 2 ? Compare::Ge : Compare::Gt) : (width == 2 ? Compare::Le : Compare::Lt);
        }
    }
    if (at == std::string::npos || at == 0 || at + width >= cond.size())
        return s.failWith(Status::BadIf, "if(" + cond + ")", true);
    if (at > kConditionSideMax) return s.failWith(Status::TooLong, {}, false);
    s.a = std::make_unique<Expr>(std::string_view(cond).substr(0, at));
    s.b = std::make_unique<Expr>(std::string_view(cond).substr(at + width));
}

void compileBlock(Stmt& s, const ProgramText& text, CompiledProgram& prog, int32_t pos) {
    Fault f;
    s.open = text.blockStart(pos, f);
    if (f.ok()) s.close = prog.blockEnd(s.open, f);
    s.blockStatus = f.status;
}

void compileFlow(Stmt& s, const ProgramText& text, CompiledProgram& prog, int32_t pos) {
    switch (s.command->kind) {
    case Kind::Loop:
        s.op = Stmt::Op::Loop;
        s.a = std::make_unique<Expr>(s.args.text());
        compileBlock(s, text, prog, pos);
        break;
    case Kind::If:
        s.op = Stmt::Op::If;
        compileCondition(s);
        compileBlock(s, text, prog, pos);
        break;
    case Kind::Call: {
        s.op = Stmt::Op::Call;
        std::string_view section;
        if (quotedText(s.args.raw(0), section)) s.target.name = section;
        else s.failWith(Status::NoString, {}, false);
        break;
    }
    case Kind::Return: s.op = Stmt::Op::Return; break;
    case Kind::End: s.op = Stmt::Op::End; break;
    case Kind::Plain: s.op = Stmt::Op::Command; break;
    }
}

void compileStatement(Stmt& s, Engine& e, Table table, int32_t pos) {
    const ProgramText& text = e.program;
    {
        Fault scratch;
        s.next = text.nextStatement(pos, scratch);
        s.nextStatus = scratch.status;
    }
    std::string copy;
    Fault f;
    if (!text.copyStatement(pos, copy, f)) {
        s.op = Stmt::Op::Fail;
        return s.failWith(static_cast<Status>(f.status), f.subject.view(), true);
    }
    std::string_view name, args;
    splitCall(copy, name, args);
    s.name = name;
    if (name.empty()) return;  // nothing to do
    s.args = ArgList(args);
    s.command = e.commands.find(table, name);
    if (s.command) {
        if (s.command->args != kArgsChecked) s.argStatus = static_cast<uint8_t>(checkArgCount(s.args, s.command->args));
        if (s.command->kind == Kind::Plain) s.op = Stmt::Op::Command;
        else compileFlow(s, text, e.compiled(), pos);
        return;
    }
    if (name[0] == '}') return;  // an empty block
    compileAssignment(s, text, pos);
}

// An expression of a statement: its tree directly when it has one.
inline double value(const TreeNode* tree, Expr& x, Engine& e, WindowRef w) {
    if (tree) [[likely]]
        return evaluateTree(*tree, e, w, x.text());
    return x.evaluate(e, w);
}

// One side of a condition: a constant or a found variable without a call.
inline double sideValue(const Stmt::Side& side, const TreeNode* tree, Expr& x, Engine& e, WindowRef w) {
    if (side.constant) return side.value;
    if (side.var && side.var->slot) return static_cast<float>(*side.var->slot);
    return value(tree, x, e, w);
}

// The target of a plain assignment, created on its first assignment.
[[gnu::noinline]] bool createTarget(Engine& e, Stmt& s) {
    if (s.target.resolve(e.names)) return true;
    const int i = e.names.add(s.target.name, 1, 1, e.fault);
    if (i < 0) return e.fault.subject.setStable(s.target.name), false;
    s.target.index = i;
    s.target.slot = e.names.slots(i);
    s.target.rows = s.target.columns = 1;
    return true;
}

bool assignElement(Engine& e, WindowRef w, Stmt& s) {
    Fault& f = e.fault;
    const double v = value(s.treeA, *s.a, e, w);
    if (!f.ok()) return false;
    if (s.trees && s.target.index >= 0 && s.element.usable) [[likely]] {
        const int32_t at = elementOffset(s.element, s.target, e, w);
        if (at < 0) return false;
        s.target.slot[at] = v;
        return true;
    }
    double row = 0, column = 0;
    if (!s.index.number(e, w, 0, row) || !s.index.number(e, w, 1, column)) return false;
    if (!s.target.resolve(e.names)) {
        f.raise(Status::NoArray, s.target.name);
        return false;
    }
    const NameTable::Entry& entry = e.names.entry(s.target.index);
    const int32_t r = toInt32(row), c = toInt32(column);
    if (r < 0 || r >= entry.rows || c < 0 || c >= entry.columns) {
        f.raise(Status::ArrayRange, s.target.name);
        return false;
    }
    s.target.slot[static_cast<uint32_t>(r) * entry.columns + static_cast<uint32_t>(c)] = v;
    return true;
}

bool holds(Compare c, double a, double b) {
    switch (c) {
    case Compare::Eq: return a == b;
    case Compare::Ne: return a != b;  // true when either side is not a number
    case Compare::Ge: return a >= b;
    case Compare::Le: return a <= b;
    case Compare::Gt: return a > b;
    case Compare::Lt: return a < b;
    }
    return false;
}

struct Level {
    int32_t count;      // remaining runs of the body
    int32_t bodyStart;  // just after the '{'
    int32_t end;        // the matching '}'
    int32_t resume;     // where execution continues when the level is left
    Stmt* body;         // the statement at bodyStart, when compiled
    Stmt* opener;       // the loop, if or call that opened the level (none for the section)
};

}  // namespace

CompiledProgram::CompiledProgram(const ProgramText& text, uint32_t nameGeneration)
    : text_(text), nameGeneration_(nameGeneration) {}
CompiledProgram::~CompiledProgram() = default;

Stmt& CompiledProgram::statement(Engine& e, Table table, int32_t pos) {
    auto& cache = caches_[tableIndex(table)];
    if (!cache) {
        cache = std::make_unique<Cache>();
        cache->index.assign(static_cast<size_t>(text_.size()) + 1, 0);
    }
    uint32_t& id = cache->index[static_cast<size_t>(pos)];
    if (id) return cache->stmts[id - 1];
    Stmt& s = cache->stmts.emplace_back();
    compileStatement(s, e, table, pos);
    s.subject = s.name;
    if (!e.stepwiseExpressions) {
        s.trees = true;
        if (s.a) s.treeA = s.a->treeRoot();
        if (s.b) s.treeB = s.b->treeRoot();
        if (s.op == Stmt::Op::If && s.treeA && s.treeB) {
            for (auto [tree, side] : {std::pair{s.treeA, &s.sideA}, std::pair{s.treeB, &s.sideB}}) {
                float k = 0;
                side->constant = isConstantTree(*tree, k);
                side->value = k;
                side->var = variableOfTree(*tree);
            }
        }
    }
    id = static_cast<uint32_t>(cache->stmts.size());
    return s;
}

int32_t CompiledProgram::section(std::string_view name, Fault& f) {
    auto it = sections_.find(name);
    if (it == sections_.end()) {
        Fault scratch;
        int32_t pos = text_.findSection(name, scratch);
        it = sections_.emplace(std::string(name), scratch.ok() ? pos : -1).first;
    }
    if (it->second >= 0) return it->second;
    f.raise(Status::NoSection, name);
    return 0;
}

int32_t CompiledProgram::blockEnd(int32_t pos, Fault& f) {
    auto it = blockEnds_.find(pos);
    if (it == blockEnds_.end()) {
        Fault scratch;
        int32_t end = text_.blockEnd(pos, scratch);
        it = blockEnds_.emplace(pos, scratch.ok() ? end : -1).first;
    }
    if (it->second >= 0) return it->second;
    f.raise(Status::Bracket);
    return pos;
}

int32_t executeSection(Engine& e, WindowRef window, int32_t bracePos, Table table) {
    Fault& f = e.fault;
    CompiledProgram& prog = e.compiled();
    const int32_t end = prog.blockEnd(bracePos, f);
    if (!f.ok()) return bracePos;

    Level levels[kBlockLevels];
    int top = 0;
    int callLevels[kBlockLevels];
    int calls = 0;
    levels[0] = {1, bracePos + 1, end, end + 1, nullptr, nullptr};
    int32_t p = bracePos + 1;
    Stmt* s = nullptr;  // the statement at p, once known
    auto at = [&](Stmt*& cache, int32_t pos) -> Stmt* {
        if (!cache) cache = &prog.statement(e, table, pos);
        return cache;
    };
    auto open = [&](int32_t count, int32_t body, int32_t close, int32_t resume, Stmt* opener, Stmt* first) {
        levels[++top] = {count, body, close, resume, first, opener};
        p = body;
        s = first;
    };
    // Leaves the top level for its resume position.
    auto leave = [&]() {
        const Level& level = levels[top];
        p = level.resume;
        s = level.opener ? at(level.opener->after, p) : nullptr;
        --top;
    };

    for (;;) {
        if (e.run == RunState::Gone) return p;
        Level& level = levels[top];
        if (level.count < 1 || p >= level.end) {
            if (level.count > 1 && level.bodyStart < level.end) {
                --level.count;
                p = level.bodyStart;
                s = level.body;
                continue;
            }
            if (calls > 0 && callLevels[calls - 1] == top) --calls;
            if (top == 0) return level.resume;
            leave();
            continue;
        }

        if (e.stepLimit && ++e.steps >= e.stepLimit) e.run = RunState::Gone;
        if (!s) s = &prog.statement(e, table, p);
        switch (s->op) {
        case Stmt::Op::Fail: s->raiseFailure(f); return p;
        case Stmt::Op::Nothing:
            if (!s->subject.empty()) f.subject.setStable(s->subject);
            break;
        case Stmt::Op::Command: {
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            Call call{e, window, s->args};
            s->command->run(call);
            if (!f.ok()) return p;
            break;
        }
        case Stmt::Op::Assign:
            f.subject.setStable(s->subject);
            s->raiseFailure(f);
            return p;
        case Stmt::Op::AssignVar: {
            f.subject.setStable(s->subject);
            const double v = value(s->treeA, *s->a, e, window);
            if (!f.ok()) return p;
            if (!s->target.slot && !createTarget(e, *s)) return p;
            *s->target.slot = v;
            break;
        }
        case Stmt::Op::AssignElement:
            f.subject.setStable(s->subject);
            if (!assignElement(e, window, *s)) return p;
            break;
        case Stmt::Op::Loop: {
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            if (top == kBlockLevels - 1) return f.raise(Status::NestTooDeep), p;
            const int32_t count = toInt32(value(s->treeA, *s->a, e, window));
            if (!f.ok()) return p;
            if (s->blockStatus) return f.status = s->blockStatus, p;
            open(count, s->open + 1, s->close, s->close + 1, s, at(s->body, s->open + 1));
            continue;
        }
        case Stmt::Op::If: {
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            if (s->raiseFailure(f)) return p;
            const double a = sideValue(s->sideA, s->treeA, *s->a, e, window);
            if (!f.ok()) return p;
            const double b = sideValue(s->sideB, s->treeB, *s->b, e, window);
            if (!f.ok()) return p;
            if (s->blockStatus) return f.status = s->blockStatus, p;
            if (!holds(s->compare, a, b)) {
                p = s->close + 1;
                s = at(s->after, p);
                continue;
            }
            if (top == kBlockLevels - 1) return f.raise(Status::NestTooDeep), p;
            open(1, s->open + 1, s->close, s->close + 1, s, at(s->body, s->open + 1));
            continue;
        }
        case Stmt::Op::Call: {
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            if (top == kBlockLevels - 1) return f.raise(Status::NestTooDeep), p;
            if (s->raiseFailure(f)) return p;
            if (!s->sectionKnown) {
                // The text never changes: where the section is (or that it is
                // missing) is found once.
                Fault scratch;
                s->sectionOpen = prog.section(s->target.name, scratch);
                if (scratch.ok()) {
                    s->sectionClose = prog.blockEnd(s->sectionOpen, scratch);
                    if (!scratch.ok()) s->sectionClose = -1;
                } else {
                    s->sectionOpen = -1;
                }
                s->sectionKnown = true;
            }
            if (s->sectionOpen < 0) return f.raise(Status::NoSection, s->target.name), p;
            if (s->sectionClose < 0) return f.raise(Status::Bracket), p;
            if (s->nextStatus) return f.status = s->nextStatus, p;
            open(1, s->sectionOpen + 1, s->sectionClose, s->next, s, at(s->body, s->sectionOpen + 1));
            callLevels[calls++] = top;
            continue;
        }
        case Stmt::Op::Return:
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            if (calls == 0) return p;
            top = callLevels[--calls];
            leave();
            continue;
        case Stmt::Op::End:
            f.subject.setStable(s->subject);
            if (s->argStatus) return f.status = s->argStatus, p;
            // end closes the dialog when one is open, else the program.
            if (e.running() && !e.dialogOpen()) e.endRun();
            else e.dialogState = DialogState::Closed;
            e.host.postClose(window);
            return p;
        }

        if (s->nextStatus) return f.status = s->nextStatus, p;
        p = s->next;
        s = at(s->nextStmt, p);
    }
}

namespace {

// Counts a section run in progress; the last one to end releases what the
// window's destruction left behind.
class ActiveRun {
public:
    explicit ActiveRun(Engine& e) : e_(e) { ++e_.activeRuns; }
    ~ActiveRun() {
        if (--e_.activeRuns == 0 && e_.releaseWhenIdle) {
            auto release = std::move(e_.releaseWhenIdle);
            e_.releaseWhenIdle = nullptr;
            release();
        }
    }
    ActiveRun(const ActiveRun&) = delete;
    ActiveRun& operator=(const ActiveRun&) = delete;

private:
    Engine& e_;
};

}  // namespace

void runEvent(Engine& e, WindowRef window, std::string_view event, EventSource source) {
    // Once the program is closing (end, an error, no CLOSE section) or while an
    // error is being reported, events run nothing: one error gives one box.
    if (!e.running() || e.run == RunState::Reporting) return;
    ActiveRun active(e);
    Fault& f = e.fault;
    const bool dialog = source == EventSource::Dialog;
    std::string prefixed;
    if (dialog) prefixed.append(e.dialog.id).append(event);
    const int32_t brace = e.compiled().section(dialog ? std::string_view(prefixed) : event, f);
    if (f.status == static_cast<uint8_t>(Status::NoSection)) {
        // A missing section is no error, but a missing CLOSE lets its window
        // close; the run window's keeps the code of the missing section.
        const bool close = event == "CLOSE";
        if (close && dialog) e.dialogState = DialogState::Closed;
        if (close && !dialog) e.endRun();
        else f.status = 0;
        return;
    }
    int32_t stop = brace;
    if (f.ok()) {
        stop = executeSection(e, window, brace, kStatement);
        if (f.ok()) return;
    }
    e.eachPart([&e](Part& p) { p.sectionFailed(e); });
    e.run = RunState::Reporting;
    e.reporter.report(window, f.status, e.program, stop, f.subject.view());
    // An error in a dialog ends the program as one in the run window does: the
    // dialog closes, and its destruction closes the run window.
    if (dialog) e.dialogState = DialogState::Closed;
    if (e.run == RunState::Reporting) e.run = RunState::Ending;
    e.host.postClose(window);
}

}  // namespace kav
