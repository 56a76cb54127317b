#include "graphics/palette.h"

namespace kav {

Status checkOutline(int32_t oc) { return oc >= -15 && oc <= 15 ? Status::Ok : Status::ColourInvalid; }

Status checkInside(int32_t ic) { return ic <= 15 ? Status::Ok : Status::ColourInvalid; }

Status checkSingle(int32_t c) { return c >= 0 && c <= 15 ? Status::Ok : Status::ColourInvalid; }

PenChoice penOf(int32_t oc) { return oc < 0 ? PenChoice{-oc, true} : PenChoice{oc, false}; }

Status checkPaletteEntry(int32_t n, int32_t r, int32_t g, int32_t b) {
    auto component = [](int32_t v) { return v >= 0 && v <= 255; };
    if (n < 0 || n >= kPaletteSize || !component(r) || !component(g) || !component(b)) return Status::ColourInvalid;
    return Status::Ok;
}

}  // namespace kav
