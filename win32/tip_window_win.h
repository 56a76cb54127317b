// Tips: the small rounded white labels with black text that the editor's
// toolbar buttons (class BStr_class) and the run window's bitmap buttons
// (BS_class) show when the pointer rests on them.
#pragma once
#include <windows.h>

#include <string>

namespace kav {

struct TipLook {
    HFONT font;      // outlives the tip
    SIZE character;  // the font's width and height: the label is sized by the bytes of its text
};

// Registers a tip class of this name, once per process; false when it cannot be.
[[nodiscard]] bool registerTipClass(HINSTANCE instance, const char* className);

// Shows `text` in a tip 8 pixels right of and 24 below `pointer` (screen
// coordinates), owned by `owner`'s window, without activating it. The tip
// closes itself after eight seconds and never keeps the keyboard focus; when
// it goes, *handle is set to nullptr if it still names it. nullptr on failure.
HWND openTip(HINSTANCE instance, const char* className, HWND owner, POINT pointer, const std::string& text,
             TipLook look, HWND* handle);

}  // namespace kav
