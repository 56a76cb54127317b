// Looking at another process's windows without ever waiting on it for long.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace kavdrv {

// The process's top-level windows, visible or not, topmost first.
std::vector<HWND> topLevelWindows(DWORD processId);

// True when the window's class name is className (in any case, as Windows compares them).
bool hasClass(HWND hwnd, const char* className);

// The first visible top-level window of the class in the process, or nullptr.
HWND findVisibleWindow(DWORD processId, const char* className);

// The first visible top-level window of the process with this class and, unless
// anyTitle, exactly this caption (in the app's code page); nullptr if none.
HWND findVisibleWindow(DWORD processId, const char* className, const std::string& title, bool anyTitle);

// The control with this id: a child of the window, else any descendant; nullptr if none.
HWND findControl(HWND window, int id);

// The window title in the app's code page; read from the server, no message sent.
std::string windowTextRaw(HWND hwnd);

// A control's text by WM_GETTEXT, given up after a short wait when the app hangs.
std::string controlTextRaw(HWND control);

// SendMessage that gives up (returning false) when the app does not answer in time.
bool sendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);

}  // namespace kavdrv
