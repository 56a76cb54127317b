#include "tools/kav3drv/app_windows_win.h"

#include <cstring>

namespace kavdrv {

namespace {

// Long enough for a busy app under Wine, short enough not to eat the timeout.
constexpr UINT kSendTimeoutMs = 2000;

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(hwnd) != search->id) return TRUE;
    search->found = hwnd;
    return FALSE;
}

struct WindowsOfProcess {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<WindowsOfProcess*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId) search->windows.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> topLevelWindows(DWORD processId) {
    WindowsOfProcess search{processId, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

bool hasClass(HWND hwnd, const char* className) {
    char name[64];
    const int length = GetClassNameA(hwnd, name, sizeof name);
    // Windows compares class names without regard to case.
    return length > 0 && lstrcmpiA(name, className) == 0;
}

HWND findVisibleWindow(DWORD processId, const char* className) {
    for (HWND hwnd : topLevelWindows(processId))
        if (IsWindowVisible(hwnd) && hasClass(hwnd, className)) return hwnd;
    return nullptr;
}

HWND findVisibleWindow(DWORD processId, const char* className, const std::string& title, bool anyTitle) {
    for (HWND hwnd : topLevelWindows(processId))
        if (IsWindowVisible(hwnd) && hasClass(hwnd, className) && (anyTitle || windowTextRaw(hwnd) == title))
            return hwnd;
    return nullptr;
}

HWND findControl(HWND window, int id) {
    if (HWND child = GetDlgItem(window, id)) return child;
    // Controls may sit on a child window (a group or a page) rather than on the window itself.
    ControlSearch search{id, nullptr};
    EnumChildWindows(window, matchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowTextRaw(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    const int length = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

std::string controlTextRaw(HWND control) {
    DWORD_PTR length = 0;
    if (!control || !sendWithTimeout(control, WM_GETTEXTLENGTH, 0, 0, length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!sendWithTimeout(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied)) return {};
    text.resize(copied < length ? copied : length);
    return text;
}

bool sendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    result = 0;
    return SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

}  // namespace kavdrv
