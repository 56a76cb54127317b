// The font of one text command.
#pragma once
#include "win32/gdi_win.h"
#include "graphics/text_format.h"

namespace kav {

// A Shift-JIS, TrueType-preferred font; empty when the
// system cannot make it.
Font createTextFont(const FontSpec& spec);

}  // namespace kav
