// The driver's command line: options, the action list of --do, and the small
// text rules the output follows. Portable, so the parsing is tested natively.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace kavdrv {

enum class ActionKind {
    Move, Click, RightClick, DoubleClick, Wheel, Key, Char, Close, Wait, Shot, HScroll, VScroll, Info, Pixel,
    Window, Menu, Button, Type, SetText, Text, Focus, Pick, MenuState, Press, Boxes, Switch, Clipboard, ScrollPos,
    Down, Up, Drag
};

struct Action {
    ActionKind kind = ActionKind::Info;
    int a = 0;         // x, wheel steps, key code, character, milliseconds, scroll code or control/menu id
    int b = 0;         // y, scroll position, item index, or the key held down around a press (0: none)
    int c = -1;        // the scroll-bar control of hscroll/vscroll (-1: the window's own bar); a drag's end x
    int d = 0;         // a drag's end y
    std::string text;  // a shot's file, the text to type or set, or the CLASS[:TITLE] of window, as written
};

// The top-level window a `window` action addresses: its class, and its caption
// when the action gives one after a colon.
struct WindowSpec {
    std::string className;
    std::string title;
    bool anyTitle = true;
};

struct Options {
    std::string app;
    std::string windowClass = "RUN";  // the window the actions address until a `window` action
    std::vector<std::string> files;   // answers for the file dialogs in order; "-" cancels
    std::string commandLine = "\"%s\"";
    double timeoutSeconds = 10;
    std::vector<int> answers;  // dialog button ids (IDOK, IDCANCEL, IDYES, IDNO), one per box
    std::vector<Action> actions;
    std::string finalShot;
    int boxWaitMs = 0;  // how long each box stays up before its button is pressed
    bool verbose = false;
    std::string board;  // --board: the virtual board's switches at start ("1001"), or empty for no board
};

// Fills options from the arguments after the program name; false with a
// one-line reason in error on any usage fault.
[[nodiscard]] bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Parses a semicolon-separated action list; empty items are ignored and "\;"
// stands for a semicolon inside an item's text.
[[nodiscard]] bool parseActions(std::string_view text, std::vector<Action>& actions, std::string& error);

// Parses a decimal (optionally signed) or 0x-hex integer that fills the whole text.
[[nodiscard]] bool parseInteger(std::string_view text, long long& value);

// Splits the CLASS[:TITLE] of a window action at its first colon.
WindowSpec parseWindowSpec(std::string_view text);

// The word an action is written with in --do.
const char* actionName(ActionKind kind);

// The dialog button id an --answer word stands for, or 0 for an unknown word.
int answerButton(std::string_view word);

// The command line template with every %s replaced by the application path.
std::string expandCommandLine(std::string_view pattern, std::string_view appPath);

// Writes CR and LF as the two characters \r and \n, so one event stays one line.
std::string escapeLineBreaks(std::string_view text);

// True for a path that starts at the Unix root rather than at a drive.
bool isUnixPath(std::string_view path);

// The drive-Z form of a Unix path, for when Wine's own mapping is not at hand.
std::string driveZPath(std::string_view unixPath);

// Picture files whose name ends in .png (any case) are PNG; all others BMP.
bool wantsPng(std::string_view file);

// The usage text printed with every usage error.
extern const char kUsage[];

}  // namespace kavdrv
