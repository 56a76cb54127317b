// The interpreter's state. It exists once per program (the runtime's, or the
// editor's for a run); tests make as many as they like.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/commands.h"
#include "engine/fault.h"
#include "engine/names.h"
#include "engine/program_text.h"
#include "engine/report.h"
#include "engine/subsystem.h"
#include "engine/sysvars.h"

namespace kav {

using WindowRef = void*;

// Frame sizes the window setup needs from the system.
enum class Metric : uint8_t { CxBorder, CyBorder, CyCaption, CyMenu, CyVThumb, CxHThumb };

// What the interpreter asks of the window system.
class Host {
public:
    virtual ~Host() = default;
    virtual void postClose(WindowRef window) = 0;  // a close request, posted
    virtual int metric(Metric m) = 0;
    // The outer size of a window whose client area is w x h (in: client, out:
    // window), scroll bars left out. By default from the frame metrics; the
    // Windows host asks the system for the frame the style really has.
    virtual void outerSize(int styleCode, uint32_t style, bool menu, int32_t& w, int32_t& h);
};

// Where a run stands. Events and commands look here before they act.
enum class RunState : uint8_t {
    Creating,   // CREATE and the run window's creation: control and menu commands are ignored
    Running,    // every event runs its section
    Reporting,  // an error box is open: events that arrive meanwhile run nothing
    Ending,     // end, an error or a missing CLOSE: the window closes, events run nothing
    Gone,       // the window is destroyed: sections still running stop at their next statement
};

// Where the DlgBox dialog stands.
enum class DialogState : uint8_t {
    Closed,    // none open, or the open one is closing
    Creating,  // its creation section and window creation: its control commands are ignored
    Open,
};

// Window style bits (the system's values).
namespace style {
constexpr uint32_t Popup = 0x80000000, Border = 0x00800000, ThickFrame = 0x00040000, Caption = 0x00C00000,
                   SysMenu = 0x00080000, MinimizeBox = 0x00020000, OverlappedWindow = 0x00CF0000,
                   HScroll = 0x00100000, VScroll = 0x00200000;
}

// The window as the CREATE phase declares it.
struct WindowSetup {
    int styleCode = 0;
    uint32_t style = style::Popup | style::OverlappedWindow;
    int shape = 0, cornerW = 0, cornerH = 0;  // 1 rounded rectangle, 2 ellipse
    int32_t scrollRangeH = 0, scrollRangeV = 0;
    int colour = 1;  // SetWinColor code: -1 no erase, 0 black, 1..13 white, 14 grey, 15 light grey, 16 button face
    bool topmost = false;
    bool hasMenu = false;
    std::string caption = "実行中";  // at most 255 bytes
    int32_t timerInterval = 0;
    // The client size SetWinSize asked for; the window is made to fit it once
    // the style, menu and scroll bars are known.
    bool clientSizeSet = false;
    int32_t clientW = 0, clientH = 0;
};

// The dialog box a script opens with DlgBox, as its creation section sets it up.
struct DialogSetup {
    std::string id;  // the prefix of the dialog's section names, at most 255 bytes
    uint32_t style = style::Popup | style::Caption | style::SysMenu;
    int32_t x = 0, y = 0, width = 300, height = 400;
    std::string caption = "ダイアログ";
    int colour = 1;  // as SetWinColor: -1 none, 0 black, 14 grey, 15 light grey, 16 button face, else white
    bool topmost = false;
    int32_t timerInterval = 0;
    size_t firstControl = 0;  // the dialog's controls follow the run window's
};

class CompiledProgram;

struct Engine {
    // The subsystems give the per-run parts; the registry holds their commands.
    Engine(SubsystemList subsystems, const CommandRegistry& commands, Host& host, const CKavMes& reporter);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    const SubsystemList subsystems;
    const CommandRegistry& commands;
    Host& host;
    const CKavMes& reporter;

    ProgramText program;
    Fault fault;
    // Where the failing statement of a failed CREATE phase starts (-1 when none
    // failed); its error box names CREATE and no position.
    int32_t createFailedAt = -1;
    NameTable names;
    SystemState sys;
    WindowSetup setup;
    DialogSetup dialog;
    WindowRef runWindow = nullptr;     // the run window once it exists (screen 0)
    WindowRef dialogWindow = nullptr;  // the open dialog window (screen -1), if any
    RunState run = RunState::Creating;
    DialogState dialogState = DialogState::Closed;
    double result = 0;   // the function-result register
    int activeRuns = 0;  // section runs in progress, nested ones included
    // White-box limit for fuzzing and tests: when not 0, runs stop (without an
    // error) once this many statements have been dispatched.
    uint64_t stepLimit = 0;
    uint64_t steps = 0;
    // White-box switch for differential tests: expressions evaluate stepwise, by
    // the reference method, instead of as compiled trees.
    bool stepwiseExpressions = false;
    // Set by the window's destruction while sections still run (nested in a
    // modal box): what to release once the last of them has returned.
    std::function<void()> releaseWhenIdle;
    std::string fileName;  // "FILE_NAME": at most 259 bytes

    // The running flag: cleared by end, an error or a missing CLOSE section.
    bool running() const { return run <= RunState::Reporting; }
    bool dialogOpen() const { return dialogState != DialogState::Closed; }
    // The program ends: the window closes and events run nothing more.
    void endRun() {
        if (run != RunState::Gone) run = RunState::Ending;
    }

    // Compiled statements and section positions of the current program text and
    // name table (compiled anew once the names have been cleared).
    CompiledProgram& compiled();

    // A new program text: compacted, with nothing compiled yet.
    void load(std::string raw);

    // The per-run state of a subsystem of the list.
    template <class T>
    T& part() {
        Part* p = partOf(partKey<T>());
        if (!p) std::abort();  // a command of a subsystem the program was built without
        return static_cast<T&>(*p);
    }
    // Calls f on every part, in the order of the subsystem list.
    template <class F>
    void eachPart(F f) {
        for (PartSlot& slot : parts_) f(*slot.part);
    }
    // Fresh parts for a new run (or after a failed CREATE phase): the old ones
    // and everything they held are gone.
    void renewParts();

private:
    struct PartSlot {
        PartKey key;
        std::unique_ptr<Part> part;
    };
    Part* partOf(PartKey key);

    std::unique_ptr<CompiledProgram> compiled_;
    std::vector<PartSlot> parts_;
};

template <class T>
T& Call::part() {
    return e.part<T>();
}

constexpr size_t kPathMax = 260;

// A text argument that may name a single-line edit control (its text, at most
// `limit` bytes, asked of the parts), "FILE_NAME" (the file-name buffer) or
// nothing (the literal).
std::string resolveTextArgument(Engine& e, std::string_view literal, size_t limit = 511);

// The start-up state of a run: window defaults from the screen size, run
// state, status, system variables, fresh parts.
void resetRunState(Engine& e, int screenW, int screenH);

// Program preparation: empty tables, the random seed, the CREATE phase and the
// size adjustment. False when the status is not 0 afterwards (tables released).
[[nodiscard]] bool prepareProgram(Engine& e);

}  // namespace kav
