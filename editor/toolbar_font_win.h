// The toolbar's font: 12 high, 6 wide, fixed pitch, Shift-JIS.
#pragma once
#include "win32/gdi_win.h"

namespace kav::editor {

inline Font makeToolbarFont() {
    return Font(CreateFontA(12, 6, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH | FF_ROMAN, "ＭＳ ゴシック"));
}

}  // namespace kav::editor
