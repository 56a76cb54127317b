#include "check/script_check.h"

#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/command_forms.h"
#include "engine/args.h"
#include "engine/commands.h"
#include "engine/number.h"
#include "engine/sjis.h"
#include "engine/subsystem.h"

namespace kav {

namespace {

// A subject cut as the interpreter cuts long ones (31 bytes), on a character
// boundary and before any line break a literal holds: one finding, one line.
std::string_view lead(std::string_view s) { return cutToChars(s.substr(0, s.find_first_of("\r\n")), 31); }

// Assignments are copied into a buffer of this many bytes; longer ones fail.
constexpr size_t kAssignmentMax = 255;
// The left side of an if condition.
constexpr size_t kConditionSideMax = 128;

// What the checker needs of a command name.
struct Command {
    uint8_t tables = 0;
    int8_t args = kAnyCount;
    uint16_t strings = 0;
};

// Every known name with its tables, its count (the registered one where the
// portable core registers it) and its string arguments.
const std::unordered_map<std::string_view, Command>& commands() {
    static const std::unordered_map<std::string_view, Command> table = [] {
        const Subsystem* const core[] = {&kCoreSubsystem};
        const CommandRegistry registered = registryOf(core);
        std::unordered_map<std::string_view, Command> t;
        for (const KnownCommand& k : knownCommands()) {
            Command c{k.tables};
            if (const CommandForm* f = findForm(k.name)) c.args = f->args, c.strings = f->strings;
            for (Table tb : {kStatement, kValue, kCreate, kDialogCreate})
                if (const CommandEntry* e = registered.find(tb, k.name); e && e->args >= 0) c.args = e->args;
            t.emplace(k.name, c);
        }
        return t;
    }();
    return table;
}

// Just past the literal whose opening quote is at i; npos when it is not closed.
size_t pastLiteral(std::string_view v, size_t i) {
    for (++i; i < v.size() && v[i] != '"'; i = nextChar(v, i)) {}
    return i < v.size() ? i + 1 : std::string_view::npos;
}

// The first of `stops` at or after i outside literals, or the end (also for
// a literal that is not closed).
size_t findOutside(std::string_view v, size_t i, std::string_view stops) {
    while (i < v.size() && stops.find(v[i]) == std::string_view::npos) {
        if (v[i] != '"') ++i;
        else if ((i = pastLiteral(v, i)) == std::string_view::npos) return v.size();
    }
    return i;
}

// The names that DlgBox and call give in quotes, at any statement's start:
// they decide which tables a section's statements may use.
void collectTargets(std::string_view v, std::set<std::string, std::less<>>& dialogs,
                    std::set<std::string, std::less<>>& called) {
    using Names = std::set<std::string, std::less<>>;
    const std::pair<std::string_view, Names*> kinds[] = {{"DlgBox(", &dialogs}, {"call(", &called}};
    for (size_t p = 0; p < v.size(); p = findOutside(v, p, ";{}") + 1) {
        for (const auto& [word, into] : kinds) {
            std::string_view name;
            if (v.substr(p, word.size()) == word && quotedText(v.substr(p + word.size()), name)) into->emplace(name);
        }
    }
}

class Checker {
public:
    explicit Checker(const ProgramText& t) : t_(t), v_(t.view()) { collectTargets(v_, dialogs_, called_); }

    std::vector<Finding> run() {
        const size_t unclosed = unclosedLiteral();
        size_t p = 0;
        while (p < v_.size() && p < unclosed) {
            const size_t brace = findOutside(v_, p, "{}");
            if (brace >= v_.size()) break;  // text after the last section: never run
            if (v_[brace] == '}') {
                add(brace, Status::Bracket, "}");
                p = brace + 1;
                continue;
            }
            const std::string_view name = v_.substr(p, brace - p);
            Fault f;
            const int32_t end = t_.blockEnd(static_cast<int32_t>(brace), f);
            if (!f.ok()) {
                // An unclosed literal swallows the braces after it: that is its fault.
                if (unclosed >= v_.size()) add(brace, Status::Bracket, lead(name));
                break;
            }
            block(brace + 1, static_cast<size_t>(end), tablesOf(name));
            p = static_cast<size_t>(end) + 1;
        }
        if (unclosed < v_.size()) add(unclosed, Status::Bracket, lead(v_.substr(unclosed)));
        return std::move(findings_);
    }

private:
    // Where the first literal that runs to the end of the text opens; npos for none.
    size_t unclosedLiteral() const {
        for (size_t i = findOutside(v_, 0, "\""); i < v_.size(); i = findOutside(v_, i, "\"")) {
            const size_t past = pastLiteral(v_, i);
            if (past == std::string_view::npos) return i;
            i = past;
        }
        return std::string_view::npos;
    }

    // The tables a section's statements run with: CREATE's for the CREATE
    // section, a dialog's for its creation section, the statement table for
    // every other and for any section reached by call (a section may run with
    // more than one).
    uint8_t tablesOf(std::string_view name) const {
        uint8_t tables = 0;
        if (name == "CREATE") tables |= kCreate;
        constexpr std::string_view kCreateName = "CREATE";
        if (name.size() > kCreateName.size() && name.ends_with(kCreateName) &&
            dialogs_.contains(name.substr(0, name.size() - kCreateName.size())))
            tables |= kDialogCreate;
        if (!tables || called_.contains(name)) tables |= kStatement;
        return tables;
    }

    void block(size_t from, size_t to, uint8_t tables) {
        size_t p = from;
        while (p < to) {
            const size_t end = findOutside(v_, p, ";{}");
            const std::string_view stmt = v_.substr(p, end - p);
            if (end >= to) {
                // The block's '}' came before the statement's ';'.
                if (!stmt.empty()) add(p, Status::Bracket, lead(stmt));
                return;
            }
            if (v_[end] == '{') {
                Fault f;
                const int32_t close = t_.blockEnd(static_cast<int32_t>(end), f);
                if (!f.ok()) return;  // cannot be: the enclosing block matched
                if (statement(p, stmt, tables, true)) block(end + 1, static_cast<size_t>(close), tables);
                p = static_cast<size_t>(close) + 1;
                continue;
            }
            if (!stmt.empty()) statement(p, stmt, tables, false);
            p = end + 1;
        }
    }

    // Checks one statement (with a block after it when `opensBlock`); true when
    // its block is to be checked too.
    bool statement(size_t at, std::string_view stmt, uint8_t tables, bool opensBlock) {
        if (stmt.size() > kStatementMax) return add(at, Status::TooLong, lead(stmt)), false;
        if (!parenthesesPair(stmt)) return add(at, Status::Bracket, lead(stmt)), opensBlock;
        const size_t open = stmt.find('(');
        const std::string_view name = stmt.substr(0, open);
        std::string_view args;
        if (open != std::string_view::npos) {
            const size_t close = stmt.rfind(')');
            args = close > open ? stmt.substr(open + 1, close - open - 1) : stmt.substr(open + 1);
        }
        const auto known = commands().find(name);
        // A section that runs with several tables (CREATE reached by call too)
        // fails in each one that lacks the name.
        const bool command = known != commands().end() && (known->second.tables & tables) == tables;
        const bool isBlock = command && (name == "loop" || name == "if");
        if (opensBlock != isBlock) {
            // A block after anything but loop or if, or loop and if without one.
            add(at, Status::Bracket, name);
            return opensBlock;
        }
        if (command) commandCall(at, name, args, known->second);
        else assignment(at, stmt, name);
        return true;
    }

    void commandCall(size_t at, std::string_view name, std::string_view argText, const Command& c) {
        const ArgList args(argText);
        if (c.args != kAnyCount) {
            if (const Status s = checkArgCount(args, c.args); s != Status::Ok) return add(at, s, name);
        }
        for (int k = 0; k < args.count(); ++k) {
            std::string_view text;
            if ((c.strings >> k & 1) && !quotedText(args.raw(k), text)) return add(at, Status::NoString, name);
        }
        if (name == "if") return condition(at, args.text());
        std::string_view section;
        if (name == "call" && quotedText(args.raw(0), section)) {
            Fault f;
            (void)t_.findSection(section, f);
            if (!f.ok()) add(at, Status::NoSection, section);
        }
    }

    // The condition as the executor splits it: the first comparison operator,
    // a side on each hand of it.
    void condition(size_t at, const std::string& cond) {
        size_t op = std::string::npos, width = 0;
        for (size_t i = 0; i < cond.size() && op == std::string::npos; ++i) {
            const char c = cond[i], d = i + 1 < cond.size() ? cond[i + 1] : '\0';
            if ((c == '=' || c == '!') && d == '=') op = i, width = 2;
            else if (c == '>' || c == '<') op = i, width = d == '=' ? 2 : 1;
        }
        if (op == std::string::npos || op == 0 || op + width >= cond.size())
            return add(at, Status::BadIf, "if(" + cond + ")");
        if (op > kConditionSideMax) add(at, Status::TooLong, "if");
    }

    void assignment(size_t at, std::string_view stmt, std::string_view name) {
        if (stmt.size() > kAssignmentMax) return add(at, Status::TooLong, lead(stmt));
        size_t eq = std::string_view::npos;
        for (size_t i = 0; i < stmt.size(); ++i) {
            if (stmt[i] == '"') {
                const size_t past = pastLiteral(stmt, i);
                if (past == std::string_view::npos) break;
                i = past - 1;
            } else if (stmt[i] == '=') {
                eq = i;
            }
        }
        if (eq == std::string_view::npos) return add(at, Status::NoCommand, name);
        std::string_view left = stmt.substr(0, eq);
        const std::string_view whole = left;
        if (!left.empty() && (left[0] == '+' || left[0] == '-')) left.remove_prefix(1);
        if (whole.empty() || whole[0] == '0' || leadingNumber(left) != 0) add(at, Status::BadExpression, stmt);
    }

    // Whether every parenthesis outside literals closes, and none too early.
    static bool parenthesesPair(std::string_view s) {
        int depth = 0;
        for (size_t i = 0; i < s.size();) {
            if (s[i] == '"') {
                i = pastLiteral(s, i);
                if (i == std::string_view::npos) return false;
                continue;
            }
            if (s[i] == '(') ++depth;
            else if (s[i] == ')' && --depth < 0) return false;
            ++i;
        }
        return depth == 0;
    }

    void add(size_t at, Status code, std::string_view subject) {
        findings_.push_back({static_cast<int32_t>(at), code, std::string(subject)});
    }

    const ProgramText& t_;
    const std::string_view v_;
    std::set<std::string, std::less<>> dialogs_, called_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkScript(const ProgramText& text) { return Checker(text).run(); }

int32_t swallowingLineEnd(std::string_view raw) {
    std::vector<size_t> lone;
    for (size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r')) lone.push_back(i);
    // A literal keeps its line ends: the CRs put in there change nothing that runs.
    auto runs = [](std::string_view text) {
        std::string s = compacted(text);
        std::erase(s, '\r');
        return s;
    };
    const std::string asWritten = runs(raw);
    // Whether ending the first `count` lone LFs with CR LF changes what runs.
    auto changes = [&](size_t count) {
        std::string mended(raw);
        for (size_t k = count; k-- > 0;) mended.insert(lone[k], 1, '\r');
        return runs(mended) != asWritten;
    };
    if (lone.empty() || !changes(lone.size())) return -1;
    // The line end where the loss begins: the fewest lone LFs to mend.
    size_t low = 1, high = lone.size();
    while (low < high) {
        const size_t mid = low + (high - low) / 2;
        if (changes(mid)) high = mid;
        else low = mid + 1;
    }
    return static_cast<int32_t>(lone[low - 1]);
}

std::string describeFinding(const Finding& f) {
    const ErrorText e = errorText(static_cast<uint8_t>(f.code));
    std::string line = e.message ? e.message : "";
    switch (e.line) {
    case SubjectLine::Command: line += " (コマンド : " + f.subject + ")"; break;
    case SubjectLine::Variable: line += " (変数 : " + f.subject + ")"; break;
    case SubjectLine::Array: line += " (配列変数 : " + f.subject + ")"; break;
    case SubjectLine::Alone: line += " (" + f.subject + ")"; break;
    case SubjectLine::None:
    case SubjectLine::SetTimer:
    case SubjectLine::CreateControl: break;
    }
    return line;
}

}  // namespace kav
