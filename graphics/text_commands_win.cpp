// Text output: Print, PrintCode, PrintKJCode, PrintData, SetFont and AscType.
#include <cstring>
#include <optional>

#include "engine/args.h"
#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/number_format.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"
#include "graphics/text_font_win.h"

namespace kav {

// Text longer than a statement can hold is cut here, so no buffer of a caller
// is ever asked for more.
constexpr size_t kTextMax = 511;

Font createTextFont(const FontSpec& spec) {
    LOGFONTA f{};
    f.lfHeight = spec.height;
    f.lfWidth = spec.width;
    f.lfEscapement = spec.escapement;
    f.lfOrientation = 0;
    f.lfWeight = spec.weight;
    f.lfItalic = spec.italic ? 1 : 0;
    f.lfCharSet = kShiftJisCharset;
    f.lfOutPrecision = kTrueTypePrecision;
    f.lfClipPrecision = 0;
    f.lfQuality = kDraftQuality;
    f.lfPitchAndFamily = kFixedPitchRoman;
    std::memcpy(f.lfFaceName, spec.face.data(), spec.face.size() < kFaceNameMax ? spec.face.size() : kFaceNameMax);
    return Font(CreateFontIndirectA(&f));
}

namespace {

enum Place { Scr, X, Y, Rotation, Width, Height, ColourArg, kPlaceArgs };

// Evaluates the placement and `extra` further numbers, checks the colour and
// takes the screen: the steps every text command shares before its text.
[[nodiscard]] bool prepare(Call& c, int extra, int32_t* v, DrawTarget& target) {
    if (!c.integers(0, kPlaceArgs - 1 + extra, v)) return false;
    const Status s = checkSingle(v[ColourArg]);
    if (s != Status::Ok) {
        c.fail(s);
        return false;
    }
    return target.screen(c.e, v[Scr]);
}

void draw(Call& c, const int32_t* v, HDC dc, std::string_view text) {
    const GraphicsState& g = c.part<GraphicsState>();
    const FontSetting& setting = g.font;
    Font font = createTextFont(fontSpec(setting, v[Rotation], v[Width], v[Height]));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, g.palette[v[ColourArg]]);
    {
        std::optional<SelectGuard> selected;
        if (font) selected.emplace(dc, font.get());
        const size_t n = text.size() < kTextMax ? text.size() : kTextMax;
        TextOutA(dc, v[X], v[Y], text.data(), static_cast<int>(n));
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void print(Call& c) {
    int32_t v[kPlaceArgs];
    DrawTarget target;
    if (!prepare(c, 0, v, target)) return;
    std::string_view literal;
    if (!c.string(kPlaceArgs, literal)) return;
    draw(c, v, target.dc(), resolveTextArgument(c.e, literal, kTextMax));
}

void printCode(Call& c) {
    int32_t v[kPlaceArgs + 1];
    DrawTarget target;
    if (prepare(c, 1, v, target)) draw(c, v, target.dc(), codeText(v[kPlaceArgs]));
}

void printKanjiCode(Call& c) {
    int32_t v[kPlaceArgs + 2];
    DrawTarget target;
    if (prepare(c, 2, v, target)) draw(c, v, target.dc(), kanjiText(v[kPlaceArgs], v[kPlaceArgs + 1]));
}

// The number keeps its fraction: only the placement and the count of decimals
// are whole numbers.
void printData(Call& c) {
    int32_t v[kPlaceArgs + 1];
    double data = 0;
    if (!c.integers(0, kPlaceArgs, v) || !c.number(kPlaceArgs + 1, data)) return;
    const Status s = checkSingle(v[ColourArg]);
    if (s != Status::Ok) return c.fail(s);
    DrawTarget target;
    if (!target.screen(c.e, v[Scr])) return;
    draw(c, v, target.dc(), formatDecimals(data, v[kPlaceArgs], kTextMax));
}

void setFont(Call& c) {
    int32_t style = 0;
    if (!c.integers(1, 1, &style)) return;
    if (!validFontStyle(style)) return c.fail(Status::ParamInvalid);
    std::string_view literal;
    if (!c.string(0, literal)) return;
    c.part<GraphicsState>().font = FontSetting{cutFaceName(resolveTextArgument(c.e, literal, kTextMax)), style};
}

void ascType(Call& c) {
    double code = 0;
    if (c.number(0, code)) c.result(isSingleByteCharacter(code) ? 1 : 0);
}

constexpr CommandEntry kEntries[] = {
    {"Print", 8, kStatement, print},
    {"PrintCode", 8, kStatement, printCode},
    {"PrintKJCode", 9, kStatement, printKanjiCode},
    {"PrintData", 9, kStatement, printData},
    {"SetFont", 2, kStatement, setFont},
    {"AscType", 1, kValue, ascType},
};

}  // namespace

extern constinit const CommandFamily kTextCommands{kEntries};

}  // namespace kav
