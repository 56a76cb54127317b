#include "controls/control_windows_win.h"

#include "engine/subsystem.h"
#include <array>
#include <cstring>

#include "win32/control_messages_win.h"
#include "win32/gdi_win.h"
#include "controls/edit_text.h"
#include "engine/engine.h"
#include "engine/exec.h"

namespace kav {

namespace {

struct WindowKind {
    const char* className;
    DWORD style;
};

WindowKind windowKind(int32_t type) {
    switch (controlClass(type)) {
    case ControlClass::Radio: return {"BUTTON", BS_RADIOBUTTON};
    case ControlClass::Check: return {"BUTTON", BS_CHECKBOX};
    case ControlClass::Combo: {
        DWORD s = WS_VSCROLL | CBS_AUTOHSCROLL | CBS_DISABLENOSCROLL;
        if (type <= 31) s |= CBS_DROPDOWN;
        else if (type <= 33) s |= CBS_DROPDOWNLIST;
        if (type == 30 || type == 32) s |= CBS_SORT;
        return {"COMBOBOX", s};
    }
    case ControlClass::List: {
        // List boxes notify, so that picking an item runs their section.
        DWORD s = WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOTIFY;
        return {"LISTBOX", type == 40 ? s | LBS_SORT : s};
    }
    case ControlClass::GroupBox:
        return {"BUTTON", static_cast<DWORD>(BS_GROUPBOX | (type == 50 ? BS_LEFT : type == 51 ? BS_CENTER : BS_RIGHT))};
    case ControlClass::Static: return {"STATIC", SS_LEFT};
    case ControlClass::ScrollBar: return {"SCROLLBAR", static_cast<DWORD>(type == 71 ? SBS_VERT : SBS_HORZ)};
    case ControlClass::Edit:
        if (type == 100)
            return {"EDIT", WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_NOHIDESEL | ES_WANTRETURN};
        return {"EDIT", WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN};
    // Under the run window a bitmap button is a window of its own; in a dialog a push button.
    case ControlClass::BitmapButton:
    case ControlClass::PushButton: break;
    }
    return {"BUTTON", BS_PUSHBUTTON};
}

// Tab and Shift+Tab stop at the controls that take input, as the system's
// dialogs make them: not at group boxes, static texts and scroll bars.
DWORD tabStop(int32_t type) {
    switch (controlClass(type)) {
    case ControlClass::GroupBox:
    case ControlClass::Static:
    case ControlClass::ScrollBar: return 0;
    default: return WS_TABSTOP;
    }
}

}  // namespace

void ControlWindows::createWindow(int i, HWND parent, bool runWindow) {
    ControlEntry& c = (*this)[i];
    replaceFont(i, createControlFont("ＭＳ ゴシック", 6, 12, FW_DONTCARE, false), 6, 12);
    if (c.type == 1 && runWindow) {
        // Its text is its tip, and it takes no font and no keyboard input.
        c.window = buttons_.create(i, parent);
        return;
    }
    const WindowKind kind = windowKind(c.type);
    const DWORD style = WS_CHILD | WS_VISIBLE | tabStop(c.type) | kind.style;
    HWND w = CreateWindowExA(0, kind.className, c.text, style, c.x, c.y, c.width, c.height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + i)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    c.window = w;
    if (!w) return;  // the entry keeps an empty handle; commands on it do nothing
    ctl::setFont(w, static_cast<HFONT>(c.font));
    if (c.type == 100 && runWindow) ctl::editLimitText(w, 65535);
    if (c.type == 70 || c.type == 71) {
        c.scrollMax = c.type == 70 ? c.width : c.height;
        c.scrollPos = 0;
        SetScrollRange(w, SB_CTL, 0, c.scrollMax, FALSE);
        SetScrollPos(w, SB_CTL, 0, TRUE);
    }
}

namespace {

// Marks an entry's section as running while it runs: the notifications its own
// commands cause (an edit section that changes its edit) would otherwise run it
// again inside itself without end.
class SectionGuard {
public:
    explicit SectionGuard(ControlEntry& c) : c_(c) { c_.running = true; }
    ~SectionGuard() { c_.running = false; }
    SectionGuard(const SectionGuard&) = delete;
    SectionGuard& operator=(const SectionGuard&) = delete;

private:
    ControlEntry& c_;
};

void runSection(Engine& e, HWND window, int i) {
    ControlEntry& c = controls(e)[i];
    if (c.running) return;
    // A copy: the section may end the run, and the next run's CREATE refills the table.
    char name[kControlNameMax + 1];
    std::memcpy(name, c.name, sizeof name);
    SectionGuard guard(c);
    runEvent(e, window, name);
}

}  // namespace

HFONT createControlFont(const char* face, int32_t width, int32_t height, int weight, bool italic) {
    return CreateFontA(height, width, 0, 0, weight, italic, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH | FF_ROMAN, face);
}

void ControlWindows::replaceFont(int i, HFONT font, int32_t width, int32_t height) {
    ControlEntry& c = (*this)[i];
    buttons_.fontReplaced(i);
    fonts_[static_cast<size_t>(i)] = Font(font);
    c.font = font;
    c.fontW = width;
    c.fontH = height;
    if (c.window) ctl::setFont(static_cast<HWND>(c.window), font);
}

void ControlWindows::createWindows(int from, HWND parent, bool runWindow) {
    for (int i = from; i < count(); ++i) createWindow(i, parent, runWindow);
}

void ControlWindows::release(int from) {
    for (int i = from < 0 ? 0 : from; i < kControlMax; ++i) fonts_[static_cast<size_t>(i)].reset();
    truncate(from);
}

void ControlWindows::windowCreated(Engine&, WindowRef window) { createWindows(0, static_cast<HWND>(window), true); }
void ControlWindows::windowDestroyed(Engine&) {
    buttons_.release();
    release(0);
}
void ControlWindows::dialogCreated(Engine& e, WindowRef dialog) {
    createWindows(static_cast<int>(e.dialog.firstControl), static_cast<HWND>(dialog), false);
}
void ControlWindows::dialogClosed(Engine& e) { release(static_cast<int>(e.dialog.firstControl)); }

bool ControlWindows::textArgument(std::string_view name, size_t limit, std::string& out) {
    const int i = find(name);
    if (i < 0) return false;
    const ControlEntry& c = (*this)[i];
    if (!range::singleLine(c.type)) return false;
    out = c.window ? ctl::windowText(static_cast<HWND>(c.window)) : std::string();
    out.resize(cutToChars(out, limit).size());
    return true;
}

namespace {

constexpr char kKeptFocus[] = "KAV3.KeptFocus";

}  // namespace

void giveFocus(HWND w) {
    HWND top = GetAncestor(w, GA_ROOT);
    if (!top || IsWindowVisible(top)) {
        SetFocus(w);
        return;
    }
    // Shown, a window takes the focus itself: only a control's is kept.
    if (w == top) RemovePropA(top, kKeptFocus);
    else SetPropA(top, kKeptFocus, w);
}

void giveKeptFocus(HWND top) {
    HWND w = static_cast<HWND>(RemovePropA(top, kKeptFocus));
    if (w && IsWindow(w) && GetAncestor(w, GA_ROOT) == top) SetFocus(w);
}

void forgetKeptFocus(HWND top) { RemovePropA(top, kKeptFocus); }

ControlWindows& controls(Engine& e) { return static_cast<ControlWindows&>(e.part<ControlTable>()); }

void runControlCommand(Engine& e, HWND window, WPARAM wParam) {
    const ControlTable& t = controls(e);
    const int i = static_cast<int>(LOWORD(wParam)) - kControlIdBase;
    if (i < 0 || i >= t.count()) return;
    if (!notificationRuns(t[i].type, HIWORD(wParam))) return;
    runSection(e, window, i);
}

void runControlScroll(Engine& e, HWND window, WPARAM wParam, LPARAM lParam, int from) {
    ControlTable& t = controls(e);
    const int i = t.findWindow(reinterpret_cast<void*>(lParam), from, t.count());
    if (i < 0) return;
    ControlEntry& c = t[i];
    HWND bar = static_cast<HWND>(c.window);
    int32_t position = GetScrollPos(bar, SB_CTL);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: --position; break;
    case SB_LINEDOWN: ++position; break;
    case SB_THUMBPOSITION: position = HIWORD(wParam); break;
    default: break;
    }
    if (position > c.scrollMax) position = c.scrollMax;
    if (position < 0) position = 0;
    if (position == c.scrollPos) return;
    SetScrollPos(bar, SB_CTL, position, TRUE);
    c.scrollPos = position;
    runSection(e, window, i);
}

// The controls subsystem: the control table and the commands on its controls.
extern const CommandFamily kCreateControlCommands, kControlCommands, kEditCommands, kListCommands;
constexpr const CommandFamily* kControlsFamilies[] = {&kCreateControlCommands, &kControlCommands, &kEditCommands,
                                                      &kListCommands};
extern constinit const Subsystem kControlsSubsystem{"controls", kControlsFamilies, partKey<ControlTable>(),
                                                    makePart<ControlWindows>};

}  // namespace kav
