// The screens a drawing command can name, the palette and the text font
// setting: the graphics subsystem's state of one run.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/part.h"
#include "engine/status.h"
#include "graphics/palette.h"
#include "graphics/text_format.h"

namespace kav {

struct Call;

constexpr int32_t kDialogScreen = -1;
constexpr int32_t kMainScreen = 0;
constexpr int32_t kSubScreens = 8;  // numbered 1 to 8

// The Windows build keeps the sub-screens' bitmaps in a subclass.
struct GraphicsState : Part {
    Palette palette;
    // Screen 0 is the run window's client size; 1..8 the declared sub-screens
    // (a width of 0: not declared).
    std::array<int32_t, kSubScreens + 1> width{}, height{};
    FontSetting font;
};

// The screen checks every drawing command makes after its colour checks:
// 16 for a number outside -1..8 or for the dialog screen with no dialog open,
// 14 for a sub-screen that has no bitmap.
[[nodiscard]] Status screenStatus(int32_t scr, bool dialogOpen, bool subScreenReady);

// SubScreen(scrNo,wide,height) in CREATE: declares a sub-screen's size.
void subScreenCommand(Call& c);

}  // namespace kav
