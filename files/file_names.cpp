#include "files/file_names.h"

#include "engine/engine.h"
#include "engine/sjis.h"

namespace kav {

const char kStandardFilter[] =
    "全ファイル(*.*)\\*.*\\ビットマップ(*.BMP)\\*.BMP\\テキスト(*.TXT)\\*.TXT\\データファイル(*.DAT)\\*.DAT\\";

namespace {

const char* const kPresets[] = {
    "全ファイル(*.*)\\*.*\\",
    "テキスト(*.txt;*.doc)\\*.txt;*.doc\\",
    "グラフィック(*.bmp;*.jpg;*.jpeg)\\*.bmp;*.jpg;*.jpeg\\",
    "アイコン(*.ico)\\*.ico\\",
    "ビデオ動画(*.mp4;*.wmv;*.asf)\\*.mp4;*wmv;*.asf\\",
};

// Byte index of the last separating backslash above index 0, or 0 for none.
size_t lastSeparator(std::string_view path) {
    size_t found = 0;
    for (size_t i = 0; i < path.size(); i = nextChar(path, i))
        if (path[i] == '\\' && i > 0) found = i;
    return found;
}

}  // namespace

void setCurrentFileName(Engine& e, std::string_view name) { e.fileName.assign(cutToChars(name, kFileNameMax)); }

bool presetFilter(int32_t type, std::string& out) {
    out.clear();
    std::string digits = std::to_string(type);
    for (char d : digits) {
        if (d < '1' || d > '5') return false;
        out += kPresets[d - '1'];
    }
    return true;
}

std::string dialogFilter(std::string_view scriptFilter) {
    std::string out(scriptFilter);
    for (size_t i = 0; i < out.size(); i = nextChar(out, i))
        if (out[i] == '\\') out[i] = '\0';
    while (out.size() < 2 || out[out.size() - 1] || out[out.size() - 2]) out.push_back('\0');
    return out;
}

std::string_view fileNamePart(std::string_view path) {
    size_t sep = lastSeparator(path);
    return sep ? path.substr(sep + 1) : path;
}

std::string_view filePathPart(std::string_view path) {
    size_t sep = lastSeparator(path);
    return sep ? path.substr(0, sep + 1) : path;
}

}  // namespace kav
