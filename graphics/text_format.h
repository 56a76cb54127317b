// The portable side of text output: the font setting and the font made from
// it, the texts of PrintCode and PrintKJCode, and AscType's character classes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// The platform's face-name field holds 31 bytes and the terminating NUL.
constexpr size_t kFaceNameMax = 31;

struct FontSetting {
    std::string face = "ＭＳ ゴシック";
    int32_t style = 0;  // 0 plain, 1 italic, 2 heavy, 3 heavy italic
};

// The fields of the font one text command creates.
struct FontSpec {
    int32_t height, width;
    int32_t escapement;  // tenths of a degree, counter-clockwise
    int32_t weight;
    bool italic;
    std::string face;
};

constexpr uint8_t kShiftJisCharset = 128;
constexpr uint8_t kTrueTypePrecision = 4;
constexpr uint8_t kDraftQuality = 1;
constexpr uint8_t kFixedPitchRoman = 0x11;

// The font of a text command drawn at `degrees` rotation, w x h per character.
FontSpec fontSpec(const FontSetting& setting, int32_t degrees, int32_t w, int32_t h);

// A face name cut to kFaceNameMax bytes, never between the bytes of a character.
std::string cutFaceName(std::string_view face);

// SetFont's style switch must be 0..3.
inline bool validFontStyle(int32_t style) { return style >= 0 && style <= 3; }

// PrintCode's text: the code's low byte; empty for 0.
std::string codeText(int32_t code);
// PrintKJCode's text: the two low bytes; a 0 byte ends it early.
std::string kanjiText(int32_t code1, int32_t code2);

// AscType: printable ASCII and half-width katakana, the single-byte characters.
bool isSingleByteCharacter(double code);

}  // namespace kav
