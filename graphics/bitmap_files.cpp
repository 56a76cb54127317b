#include "graphics/bitmap_files.h"

namespace kav {

const char kBmpDialogFilter[] = "ＢＭＰファイル(*.BMP)\0*.BMP\0全ファイル(*.*)\0*.*\0";
const char kBmpLoadTitle[] = "ＢＭＰファイルのロード";
const char kBmpSaveTitle[] = "ＢＭＰファイルのセーブ";

// A "." can never be the trail byte of a double-byte character, so looking
// at bytes is exact.
std::string withBmpExtension(std::string_view chosen) {
    std::string path(chosen);
    if (chosen.find('.') == std::string_view::npos) path += ".bmp";
    return path;
}

}  // namespace kav
