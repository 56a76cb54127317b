#include "tools/kav3drv/driver_options.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "usbio/virtual_board.h"

namespace kavdrv {

const char kUsage[] =
    "usage: kav3drv.exe [--cmdline TEXT] [--timeout S] [--answer ok|cancel|yes|no]... [--file PATH|-]...\n"
    "                   [--window CLASS] [--do \"ACTIONS\"] [--final-shot FILE] [--box-wait MS] [--board BITS]\n"
    "                   [--verbose] APP\n"
    "actions (separated by ';'): move X Y; click X Y; rclick X Y; dblclick X Y; wheel N; key VK;\n"
    "         press VK [HELD]; char CODE; close; wait MS; boxes N; shot FILE; hscroll CODE [POS [ID]];\n"
    "         vscroll CODE [POS [ID]]; info; pixel X Y; window CLASS[:TITLE]; menu ID; menustate ID;\n"
    "         button ID; type ID TEXT; settext ID [TEXT]; text ID; focus ID; pick ID INDEX; switch N 0|1;\n"
    "         clipboard; scrollpos ID; down X Y; up X Y; drag X1 Y1 X2 Y2\n"
    "FILE, TEXT and CLASS[:TITLE] are the rest of the item without its outer blanks; write \\; for a ';'.\n"
    "key posts the key to the addressed window; press types it on the keyboard, to the focus, with the key\n"
    "HELD (16 Shift, 17 Ctrl, 18 Alt) held down around it. Mouse actions reach the window under the point, or\n"
    "the one holding the mouse capture; down and up press and release the left button, drag presses it at\n"
    "X1 Y1, moves to X2 Y2 and releases it there.\n"
    "--window: the window class the actions address at first (default RUN). --file: the answer for each\n"
    "file dialog in order, '-' cancels (a dialog beyond the list is cancelled). --board: run the virtual\n"
    "I/O board with its switches set (input 0 first) and print the reports it received; switch N 0|1 sets one.";

namespace {

struct Range {
    long long low;
    long long high;
};

// Client coordinates travel as signed 16-bit halves of lParam.
constexpr Range kCoordinate{-32768, 32767};
// The wheel delta (N * 120) must fit the signed high word of wParam.
constexpr Range kWheelSteps{-273, 273};
constexpr Range kVirtualKey{1, 254};
constexpr Range kWord{0, 0xFFFF};
constexpr Range kMilliseconds{0, 0x7FFFFFFF};
// List and combo box indexes are non-negative ints.
constexpr Range kIndex{0, 0x7FFFFFFF};
// The virtual board's switches and their two positions.
constexpr Range kBoardLine{0, 3};
constexpr Range kBit{0, 1};

// What follows an action's numbers.
enum class Tail { None, Text, OptionalText };

struct ActionSyntax {
    const char* name;
    ActionKind kind;
    int required;  // numbers that must follow the name
    int optional;  // numbers that may follow them
    Range ranges[4];
    Tail tail = Tail::None;
};

constexpr ActionSyntax kActionSyntax[] = {
    {"move", ActionKind::Move, 2, 0, {kCoordinate, kCoordinate}},
    {"click", ActionKind::Click, 2, 0, {kCoordinate, kCoordinate}},
    {"rclick", ActionKind::RightClick, 2, 0, {kCoordinate, kCoordinate}},
    {"dblclick", ActionKind::DoubleClick, 2, 0, {kCoordinate, kCoordinate}},
    {"wheel", ActionKind::Wheel, 1, 0, {kWheelSteps}},
    {"key", ActionKind::Key, 1, 0, {kVirtualKey}},
    {"press", ActionKind::Press, 1, 1, {kVirtualKey, kVirtualKey}},
    {"char", ActionKind::Char, 1, 0, {kWord}},
    {"close", ActionKind::Close, 0, 0, {}},
    {"wait", ActionKind::Wait, 1, 0, {kMilliseconds}},
    {"boxes", ActionKind::Boxes, 1, 0, {kIndex}},
    {"shot", ActionKind::Shot, 0, 0, {}, Tail::Text},
    {"hscroll", ActionKind::HScroll, 1, 2, {kWord, kWord, kWord}},
    {"vscroll", ActionKind::VScroll, 1, 2, {kWord, kWord, kWord}},
    {"info", ActionKind::Info, 0, 0, {}},
    {"pixel", ActionKind::Pixel, 2, 0, {kCoordinate, kCoordinate}},
    {"window", ActionKind::Window, 0, 0, {}, Tail::Text},
    {"menu", ActionKind::Menu, 1, 0, {kWord}},
    {"menustate", ActionKind::MenuState, 1, 0, {kWord}},
    {"button", ActionKind::Button, 1, 0, {kWord}},
    {"type", ActionKind::Type, 1, 0, {kWord}, Tail::Text},
    {"settext", ActionKind::SetText, 1, 0, {kWord}, Tail::OptionalText},
    {"text", ActionKind::Text, 1, 0, {kWord}},
    {"focus", ActionKind::Focus, 1, 0, {kWord}},
    {"pick", ActionKind::Pick, 2, 0, {kWord, kIndex}},
    {"down", ActionKind::Down, 2, 0, {kCoordinate, kCoordinate}},
    {"up", ActionKind::Up, 2, 0, {kCoordinate, kCoordinate}},
    {"drag", ActionKind::Drag, 4, 0, {kCoordinate, kCoordinate, kCoordinate, kCoordinate}},
    {"switch", ActionKind::Switch, 2, 0, {kBoardLine, kBit}},
    {"clipboard", ActionKind::Clipboard, 0, 0, {}},
    {"scrollpos", ActionKind::ScrollPos, 1, 0, {kWord}},
};

// Builds a message from pieces; "literal" + std::string trips a false -Wrestrict in GCC 12.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out += p;
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// Splits off the first blank-separated word of s.
std::string_view takeWord(std::string_view& s) {
    s = trim(s);
    size_t end = 0;
    while (end < s.size() && !std::isspace(static_cast<unsigned char>(s[end]))) ++end;
    std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    return word;
}

const ActionSyntax* findSyntax(std::string_view name) {
    for (const ActionSyntax& s : kActionSyntax)
        if (name == s.name) return &s;
    return nullptr;
}

// Reads the action's numbers from the front of rest, leaving its text behind.
bool parseNumbers(const ActionSyntax& syntax, std::string_view& rest, Action& action, std::string& error) {
    int* slots[4] = {&action.a, &action.b, &action.c, &action.d};
    const int most = syntax.required + syntax.optional;
    int count = 0;
    while (count < (syntax.tail == Tail::None ? most + 1 : syntax.required)) {
        const std::string_view word = takeWord(rest);
        if (word.empty()) break;
        if (count == most) {
            error = joined({"too many numbers for '", syntax.name, "'"});
            return false;
        }
        long long value = 0;
        const Range& range = syntax.ranges[count];
        if (!parseInteger(word, value) || value < range.low || value > range.high) {
            error = joined({"bad number '", word, "' for '", syntax.name, "'"});
            return false;
        }
        *slots[count++] = static_cast<int>(value);
    }
    if (count < syntax.required) {
        error = joined({"'", syntax.name, "' needs ", std::to_string(syntax.required), " number(s)"});
        return false;
    }
    return true;
}

bool parseAction(std::string_view item, Action& action, std::string& error) {
    std::string_view rest = item;
    const std::string_view name = takeWord(rest);
    const ActionSyntax* syntax = findSyntax(name);
    if (!syntax) {
        error = joined({"unknown action '", name, "'"});
        return false;
    }
    action.kind = syntax->kind;
    if (!parseNumbers(*syntax, rest, action, error)) return false;
    // The text is the rest of the item, so Windows paths and typed text may hold blanks.
    action.text = std::string(trim(rest));
    if (syntax->tail == Tail::Text && action.text.empty()) {
        error = joined({"'", syntax->name, "' needs a text"});
        return false;
    }
    if (action.kind == ActionKind::Window && parseWindowSpec(action.text).className.empty()) {
        error = "'window' needs a class";
        return false;
    }
    return true;
}

// The next item of an action list, with "\;" turned into ';'.
std::string takeItem(std::string_view& text) {
    std::string item;
    while (!text.empty()) {
        const char c = text.front();
        text.remove_prefix(1);
        if (c == ';') break;
        if (c == '\\' && !text.empty() && text.front() == ';') {
            item += ';';
            text.remove_prefix(1);
            continue;
        }
        item += c;
    }
    return item;
}

bool parseSeconds(std::string_view text, double& seconds) {
    const std::string s(text);
    if (s.empty()) return false;
    char* end = nullptr;
    const double value = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value < 0) return false;
    seconds = value;
    return true;
}

// What an option does with its value (nullptr for a flag).
using OptionHandler = bool (*)(Options&, const std::string& value, std::string& error);

struct OptionSyntax {
    const char* name;
    bool takesValue;
    OptionHandler handler;
};

bool onCommandLine(Options& o, const std::string& value, std::string&) {
    o.commandLine = value;
    return true;
}

bool onTimeout(Options& o, const std::string& value, std::string& error) {
    if (parseSeconds(value, o.timeoutSeconds)) return true;
    error = "bad --timeout '" + value + "'";
    return false;
}

bool onAnswer(Options& o, const std::string& value, std::string& error) {
    const int button = answerButton(value);
    if (button == 0) error = "bad --answer '" + value + "' (ok, cancel, yes or no)";
    else o.answers.push_back(button);
    return button != 0;
}

bool onDo(Options& o, const std::string& value, std::string& error) {
    return parseActions(value, o.actions, error);
}

bool onWindow(Options& o, const std::string& value, std::string& error) {
    o.windowClass = value;
    if (value.empty()) error = "--window needs a class";
    return !value.empty();
}

bool onFile(Options& o, const std::string& value, std::string& error) {
    if (value.empty()) {
        error = "--file needs a path or '-'";
        return false;
    }
    o.files.push_back(value);
    return true;
}

bool onFinalShot(Options& o, const std::string& value, std::string& error) {
    o.finalShot = value;
    if (value.empty()) error = "--final-shot needs a file";
    return !value.empty();
}

bool onBoxWait(Options& o, const std::string& value, std::string& error) {
    long long ms = 0;
    if (!parseInteger(value, ms) || ms < 0 || ms > 600000) {
        error = "bad --box-wait '" + value + "'";
        return false;
    }
    o.boxWaitMs = static_cast<int>(ms);
    return true;
}

bool onBoard(Options& o, const std::string& value, std::string& error) {
    uint8_t bits = 0;
    if (!kav::usb::parseSwitchBits(value, bits)) {
        error = "bad --board '" + value + "' (four digits 0 or 1, input 0 first)";
        return false;
    }
    o.board = value;
    return true;
}

bool onVerbose(Options& o, const std::string&, std::string&) {
    o.verbose = true;
    return true;
}

constexpr OptionSyntax kOptionSyntax[] = {
    {"--cmdline", true, onCommandLine}, {"--timeout", true, onTimeout},       {"--answer", true, onAnswer},
    {"--do", true, onDo},               {"--final-shot", true, onFinalShot}, {"--verbose", false, onVerbose},
    {"--box-wait", true, onBoxWait},    {"--window", true, onWindow},         {"--file", true, onFile},
    {"--board", true, onBoard},
};

const OptionSyntax* findOption(std::string_view name) {
    for (const OptionSyntax& s : kOptionSyntax)
        if (name == s.name) return &s;
    return nullptr;
}

}  // namespace

bool parseInteger(std::string_view text, long long& value) {
    int base = 10;
    bool negative = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // from_chars would take a second sign ("--5") in base 10; only digits may follow here.
    if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text[0]))) return false;
    long long magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

WindowSpec parseWindowSpec(std::string_view text) {
    WindowSpec spec;
    const size_t colon = text.find(':');
    spec.className = std::string(trim(text.substr(0, colon)));
    if (colon != std::string_view::npos) {
        spec.title = std::string(text.substr(colon + 1));
        spec.anyTitle = false;
    }
    return spec;
}

const char* actionName(ActionKind kind) {
    for (const ActionSyntax& s : kActionSyntax)
        if (s.kind == kind) return s.name;
    return "?";
}

int answerButton(std::string_view word) {
    struct Word {
        const char* name;
        int button;
    };
    static constexpr Word kWords[] = {{"ok", 1}, {"cancel", 2}, {"yes", 6}, {"no", 7}};
    for (const Word& w : kWords)
        if (word == w.name) return w.button;
    return 0;
}

bool parseActions(std::string_view text, std::vector<Action>& actions, std::string& error) {
    while (!text.empty()) {
        const std::string whole = takeItem(text);
        const std::string_view item = trim(whole);
        if (item.empty()) continue;
        Action action;
        if (!parseAction(item, action, error)) return false;
        actions.push_back(std::move(action));
    }
    return true;
}

bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!options.app.empty()) {
                error = "more than one application: '" + arg + "'";
                return false;
            }
            options.app = arg;
            continue;
        }
        const OptionSyntax* option = findOption(arg);
        if (!option) {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (option->takesValue && i + 1 == args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string value = option->takesValue ? args[++i] : std::string();
        if (!option->handler(options, value, error)) return false;
    }
    if (options.app.empty()) error = "no application given";
    return !options.app.empty();
}

std::string expandCommandLine(std::string_view pattern, std::string_view appPath) {
    std::string out;
    for (size_t at = 0; at < pattern.size();) {
        if (pattern.compare(at, 2, "%s") == 0) {
            out += appPath;
            at += 2;
        } else {
            out += pattern[at++];
        }
    }
    return out;
}

std::string escapeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

bool isUnixPath(std::string_view path) {
    return !path.empty() && path[0] == '/';
}

std::string driveZPath(std::string_view unixPath) {
    std::string out = "Z:";
    for (char c : unixPath) out += c == '/' ? '\\' : c;
    return out;
}

bool wantsPng(std::string_view file) {
    if (file.size() < 4) return false;
    const std::string_view tail = file.substr(file.size() - 4);
    static constexpr char kPng[] = ".png";
    for (size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kPng[i]) return false;
    return true;
}

}  // namespace kavdrv
