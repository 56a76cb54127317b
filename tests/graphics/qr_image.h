// Pictures of encoded symbols for an independent decoder to read.
#pragma once
#include <string>

#include "graphics/qr_code.h"

namespace kav::qr {

// The light margin a reader expects around a symbol, in modules.
constexpr int kQuietZone = 4;

// Writes the symbol of the last successful encode as a binary greymap (PGM):
// `scale` pixels per module inside a light quiet zone. False when the file
// cannot be written.
[[nodiscard]] bool writeSymbolImage(const Encoder& symbol, const std::string& path, int scale);

}  // namespace kav::qr
