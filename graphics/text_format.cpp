#include "graphics/text_format.h"

#include "engine/sjis.h"

namespace kav {

namespace {

// Wraps into 32 bits like the platform's LONG field takes it.
int32_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

}  // namespace

FontSpec fontSpec(const FontSetting& setting, int32_t degrees, int32_t w, int32_t h) {
    const bool heavy = setting.style == 2 || setting.style == 3;
    const bool italic = setting.style == 1 || setting.style == 3;
    return {h, w, wrap(int64_t{degrees} * 10), heavy ? 900 : 0, italic, cutFaceName(setting.face)};
}

std::string cutFaceName(std::string_view face) {
    return std::string(cutToChars(face, kFaceNameMax));
}

std::string codeText(int32_t code) {
    const char c = static_cast<char>(code & 0xFF);
    return c ? std::string(1, c) : std::string();
}

std::string kanjiText(int32_t code1, int32_t code2) {
    std::string text;
    for (int32_t code : {code1, code2}) {
        const char c = static_cast<char>(code & 0xFF);
        if (!c) break;
        text += c;
    }
    return text;
}

bool isSingleByteCharacter(double code) { return (code >= 32 && code <= 127) || (code >= 160 && code <= 223); }

}  // namespace kav
