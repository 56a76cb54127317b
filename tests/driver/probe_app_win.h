// Shared by the probe application's files: its log and its controls.
#pragma once
#include <windows.h>

namespace probe {

// Appends one line to the probe's log, flushed at once.
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The menu bar of the "controls" probe: open, save, a checked and a greyed
// item, a modal dialog and a second top-level window.
HMENU createMenuBar();

// The edit, button, list box, combo box and scroll bar of the "controls" probe.
void addControls(HWND window, HINSTANCE instance);

// The pane and static text of the "pointer" probe (probe_pointer_win.cpp).
void addPointerChildren(HWND window, HINSTANCE instance);

// Logs a WM_COMMAND and does what a menu item asks.
LRESULT onCommand(HWND window, WPARAM w, LPARAM l);

// Logs a control's WM_HSCROLL or WM_VSCROLL, naming the control's id; a
// dragged box is left where it was dragged.
void logControlScroll(const char* name, WPARAM w, HWND control);

}  // namespace probe
