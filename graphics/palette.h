// The 16-entry palette and the rules for colour arguments of drawing commands.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/status.h"

namespace kav {

// A colour as the system stores it: 0x00BBGGRR.
using Colour = uint32_t;

constexpr Colour rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t red(Colour c) { return c & 0xFF; }
constexpr uint32_t green(Colour c) { return (c >> 8) & 0xFF; }
constexpr uint32_t blue(Colour c) { return (c >> 16) & 0xFF; }

constexpr int kPaletteSize = 16;

// Blue = 1, red = 2, green = 4 for 1..7; 8..13 are 1..6 at half intensity.
constexpr std::array<Colour, kPaletteSize> kDefaultPalette = {
    rgb(0, 0, 0),       rgb(0, 0, 255),     rgb(255, 0, 0),     rgb(255, 0, 255),
    rgb(0, 255, 0),     rgb(0, 255, 255),   rgb(255, 255, 0),   rgb(255, 255, 255),
    rgb(0, 0, 128),     rgb(128, 0, 0),     rgb(128, 0, 128),   rgb(0, 128, 0),
    rgb(0, 128, 128),   rgb(128, 128, 0),   rgb(128, 128, 128), rgb(192, 192, 192),
};

struct Palette {
    std::array<Colour, kPaletteSize> entries = kDefaultPalette;

    void reset() { entries = kDefaultPalette; }
    // The index must have passed one of the checks below.
    Colour operator[](int32_t index) const { return entries[static_cast<size_t>(index)]; }
};

// An outline colour (and the pen colour of Line and Arc): -15..15, negative dotted.
[[nodiscard]] Status checkOutline(int32_t oc);
// An inside colour: at most 15, negative means no fill.
[[nodiscard]] Status checkInside(int32_t ic);
// The colour of a point or of text: 0..15.
[[nodiscard]] Status checkSingle(int32_t c);

// The pen an outline colour that passed checkOutline stands for.
struct PenChoice {
    int32_t index;
    bool dotted;
};
PenChoice penOf(int32_t oc);

// SetPal's arguments: entry 0..15, components 0..255.
[[nodiscard]] Status checkPaletteEntry(int32_t n, int32_t r, int32_t g, int32_t b);

}  // namespace kav
