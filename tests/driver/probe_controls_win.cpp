// The probe's menu and controls: each notification is logged with what the
// app would see, so a test can tell what the driver's actions produced.
#include <windows.h>
// <commdlg.h> needs <windows.h> before it.
#include <commdlg.h>

#include <cstring>

#include "tests/driver/probe_app_ids.h"
#include "tests/driver/probe_app_win.h"

namespace probe {

namespace {

HINSTANCE probeInstance = nullptr;

struct ControlSpec {
    const char* className;
    const char* text;
    DWORD style;
    int id;
    RECT at;  // left, top, width, height
};

constexpr ControlSpec kControls[] = {
    {"EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, IDC_PROBE_EDIT, {60, 40, 150, 22}},
    {"BUTTON", "push", BS_PUSHBUTTON | WS_TABSTOP, IDC_PROBE_BUTTON, {220, 40, 80, 22}},
    {"LISTBOX", "", WS_BORDER | LBS_NOTIFY | WS_VSCROLL, IDC_PROBE_LIST, {60, 70, 100, 70}},
    {"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, IDC_PROBE_COMBO, {170, 70, 100, 120}},
    {"SCROLLBAR", "", SBS_HORZ, IDC_PROBE_SCROLL, {60, 150, 150, 16}},
};

void fill(HWND control, UINT addMessage, const char* const* items, int count) {
    for (int i = 0; i < count; ++i) SendMessageA(control, addMessage, 0, reinterpret_cast<LPARAM>(items[i]));
}

void askForFile(HWND owner, bool save) {
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "text\0*.txt\0all\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = save ? "probe save" : "probe open";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    logLine("%s %d%s%s", save ? "save" : "open", ok ? 1 : 0, ok ? " " : "", ok ? path : "");
}

INT_PTR CALLBACK askProcedure(HWND dialog, UINT message, WPARAM w, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND || (LOWORD(w) != IDOK && LOWORD(w) != IDCANCEL)) return FALSE;
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_PROBE_ASK_TEXT, text, sizeof text);
    logLine("ask %d %s", LOWORD(w), text);
    EndDialog(dialog, LOWORD(w));
    return TRUE;
}

LRESULT CALLBACK secondProcedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND) logLine("second command %u %u", LOWORD(w), HIWORD(w));
    return DefWindowProcA(hwnd, message, w, l);
}

void openSecondWindow(HWND owner) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = secondProcedure;
    wc.hInstance = probeInstance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "SECOND";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "SECOND", "second", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 400, 20, 200, 120,
                                owner, nullptr, probeInstance, nullptr);
    CreateWindowExA(0, "BUTTON", "go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 60, 24, hwnd,
                    reinterpret_cast<HMENU>(IDC_PROBE_SECOND_BUTTON), probeInstance, nullptr);
}

// Two lines with Shift-JIS text on them ("日本" in its bytes: this file is
// not compiled to Shift-JIS).
void copyText(HWND owner) {
    static const char kText[] = "\x93\xfa\x96\x7b\r\nclip";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof kText);
    if (!block) return;
    memcpy(GlobalLock(block), kText, sizeof kText);
    GlobalUnlock(block);
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
}

// The selection a list or combo box reports after a change, -1 for other notifications.
int selectionAfter(HWND control, WORD id, WORD code) {
    if (id == IDC_PROBE_LIST && code == LBN_SELCHANGE) return static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
    if (id == IDC_PROBE_COMBO && code == CBN_SELCHANGE) return static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    return -1;
}

}  // namespace

HMENU createMenuBar() {
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, IDM_PROBE_OPEN, "open");
    AppendMenuA(file, MF_STRING, IDM_PROBE_SAVE, "save");
    AppendMenuA(file, MF_STRING | MF_CHECKED, IDM_PROBE_CHECKED, "checked");
    AppendMenuA(file, MF_STRING | MF_GRAYED, IDM_PROBE_GREYED, "greyed");
    AppendMenuA(file, MF_STRING, IDM_PROBE_ASK, "ask");
    AppendMenuA(file, MF_STRING, IDM_PROBE_SECOND, "second");
    AppendMenuA(file, MF_STRING, IDM_PROBE_COPY, "copy");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "file");
    return bar;
}

void addControls(HWND window, HINSTANCE instance) {
    probeInstance = instance;
    for (const ControlSpec& c : kControls)
        CreateWindowExA(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.at.left, c.at.top, c.at.right,
                        c.at.bottom, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    static const char* const kListItems[] = {"zero", "one", "two"};
    static const char* const kComboItems[] = {"a", "b", "c"};
    fill(GetDlgItem(window, IDC_PROBE_LIST), LB_ADDSTRING, kListItems, 3);
    fill(GetDlgItem(window, IDC_PROBE_COMBO), CB_ADDSTRING, kComboItems, 3);
    SetScrollRange(GetDlgItem(window, IDC_PROBE_SCROLL), SB_CTL, 0, 100, FALSE);
}

LRESULT onCommand(HWND window, WPARAM w, LPARAM l) {
    const WORD id = LOWORD(w), code = HIWORD(w);
    HWND control = reinterpret_cast<HWND>(l);
    // Edits report every change twice (update, change); typing is checked by its text instead.
    if (code == EN_CHANGE || code == EN_UPDATE) return 0;
    if (control && GetDlgItem(window, id) != control) logLine("command %u %u from a stranger", id, code);
    else if (const int selection = selectionAfter(control, id, code); selection >= 0)
        logLine("command %u %u sel %d", id, code, selection);
    else logLine("command %u %u %s", id, code, control ? "control" : "menu");
    switch (control ? 0 : id) {
    case IDM_PROBE_OPEN: askForFile(window, false); break;
    case IDM_PROBE_SAVE: askForFile(window, true); break;
    case IDM_PROBE_ASK:
        DialogBoxParamA(probeInstance, MAKEINTRESOURCEA(IDD_PROBE_ASK), window, askProcedure, 0);
        break;
    case IDM_PROBE_SECOND: openSecondWindow(window); break;
    case IDM_PROBE_COPY: copyText(window); break;
    default: break;
    }
    return 0;
}

void logControlScroll(const char* name, WPARAM w, HWND control) {
    // A dragged box stays where it was dragged, as in most applications.
    if (LOWORD(w) == SB_THUMBTRACK) SetScrollPos(control, SB_CTL, HIWORD(w), TRUE);
    logLine("%s %u %u control %d", name, LOWORD(w), HIWORD(w), GetDlgCtrlID(control));
}

}  // namespace probe
