#include "runwin/win_host_win.h"

#include "controls/control_windows_win.h"
#include "controls/menu_table.h"
#include "controls/menus_win.h"
#include "controls/message_box_win.h"
#include "files/open_file_win.h"
#include "graphics/screens_win.h"

namespace kav {

void WinHost::postClose(WindowRef window) { PostMessageA(hwndOf(window), WM_CLOSE, 0, 0); }

int WinHost::metric(Metric m) {
    switch (m) {
    case Metric::CxBorder: return GetSystemMetrics(SM_CXBORDER);
    case Metric::CyBorder: return GetSystemMetrics(SM_CYBORDER);
    case Metric::CyCaption: return GetSystemMetrics(SM_CYCAPTION);
    case Metric::CyMenu: return GetSystemMetrics(SM_CYMENU);
    case Metric::CyVThumb: return GetSystemMetrics(SM_CYVTHUMB);
    case Metric::CxHThumb: return GetSystemMetrics(SM_CXHTHUMB);
    }
    return 0;
}

void WinHost::outerSize(int, uint32_t style, bool menu, int32_t& w, int32_t& h) {
    RECT r{0, 0, w, h};
    if (!AdjustWindowRectEx(&r, style, menu, 0)) return Host::outerSize(0, style, menu, w, h);
    w = r.right - r.left;
    h = r.bottom - r.top;
}

void WinHost::closeOpenFile() { kav::closeOpenFile(); }

bool WinHost::singleLineEditText(std::string_view name, size_t limit, std::string& out) {
    return kav::singleLineEditText(name, limit, out);
}

void WinHost::resetParts() {
    forgetGraphics();
    releaseControls(0);
    kav::closeOpenFile();
    menuTable().reset();
}

namespace {

void showWarning(void*, WindowRef owner, const std::string& text, const char* title) {
    MessageBoxA(hwndOf(owner), text.c_str(), title, MB_ICONWARNING);
}

CommandRegistry allFamilies() {
    CommandRegistry r;
    addAllFamilies(r);
    return r;
}

}  // namespace

extern const CommandEntry kMiscCommands[2];
extern const CommandEntry kWindowCommands[3];
extern const CommandEntry kDialogCommands[1];
extern const CommandEntry kCreateControlCommands[1];
extern const CommandEntry kControlCommands[4];
extern const CommandEntry kEditCommands[25];
extern const CommandEntry kListCommands[12];
extern const CommandEntry kFileCommands[10];
extern const CommandEntry kFileDialogCommands[4];
extern const CommandEntry kScreenCommands[5];
extern const CommandEntry kPrimitiveCommands[13];
extern const CommandEntry kTextCommands[6];
extern const CommandEntry kCopyCommands[1];

void addAllFamilies(CommandRegistry& r) {
    addCoreFamilies(r);
    r.add(kMiscCommands);
    r.add(kWindowCommands);
    r.add(kDialogCommands);
    r.add(kCreateControlCommands);
    r.add(kControlCommands);
    r.add(kEditCommands);
    r.add(kListCommands);
    r.add(kFileCommands);
    r.add(kFileDialogCommands);
    r.add(kScreenCommands);
    r.add(kPrimitiveCommands);
    r.add(kTextCommands);
    r.add(kCopyCommands);
    r.add(kMenuCommands);
    r.add(kMessageBoxCommands);
}

Interpreter::Interpreter(const char* errorTitle)
    : commands(allFamilies()), reporter(errorTitle, showWarning), engine(commands, host, reporter) {}

}  // namespace kav
