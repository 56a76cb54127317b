// QRcode(scr,x,y,size,col,level,"text"): the dark modules of the text's symbol
// in one palette colour, without a quiet zone, the top-left module at (x,y).
#include <memory>
#include <new>

#include "engine/commands.h"
#include "engine/engine.h"
#include "graphics/palette.h"
#include "graphics/qr_code.h"
#include "graphics/screen_table.h"
#include "graphics/screens_win.h"

namespace kav {

namespace {

enum Arg { Scr, X, Y, Size, Col, Level, kNumbers };

// Module positions are 32-bit sums as the platform takes them: wrapped, never
// overflowing.
int32_t at(int32_t origin, int32_t size, int module) {
    const uint32_t offset = static_cast<uint32_t>(size) * static_cast<uint32_t>(module);
    return static_cast<int32_t>(static_cast<uint32_t>(origin) + offset);
}

// size >= 2: size x size squares with the pen and brush of the colour. A run of
// dark modules in a row is one rectangle: the same pixels, fewer calls.
void drawSquares(HDC dc, const qr::Encoder& symbol, const int32_t* v) {
    const int n = symbol.size();
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n;) {
            if (!symbol.dark(c, r)) {
                ++c;
                continue;
            }
            int end = c + 1;
            while (end < n && symbol.dark(end, r)) ++end;
            Rectangle(dc, at(v[X], v[Size], c), at(v[Y], v[Size], r), at(v[X], v[Size], end),
                      at(v[Y], v[Size], r + 1));
            c = end;
        }
    }
}

// size < 2: one pixel per dark module, at the module's position.
void drawPixels(HDC dc, const qr::Encoder& symbol, const int32_t* v, COLORREF colour) {
    const int n = symbol.size();
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (symbol.dark(c, r)) SetPixel(dc, at(v[X], v[Size], c), at(v[Y], v[Size], r), colour);
        }
    }
}

void qrCode(Call& c) {
    int32_t v[kNumbers];
    if (!c.integers(0, kNumbers - 1, v)) return;
    const Status s = checkSingle(v[Col]);
    if (s != Status::Ok) return c.fail(s);
    if (v[Level] < 0 || v[Level] >= qr::kLevels) return c.fail(Status::ParamInvalid);
    std::string_view literal;
    if (!c.string(kNumbers, literal)) return;
    const std::string text = resolveTextArgument(c.e, literal);
    PenBrush pb;
    if (!pb.select(c.e, v[Scr], v[Col], v[Col])) return;
    std::unique_ptr<qr::Encoder> symbol(new (std::nothrow) qr::Encoder);
    if (!symbol) return c.fail(Status::NoMemory);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!symbol->encode(v[Level], {bytes, text.size()})) return;
    if (v[Size] >= 2) drawSquares(pb.dc(), *symbol, v);
    else drawPixels(pb.dc(), *symbol, v, c.part<GraphicsState>().palette[v[Col]]);
}

constexpr CommandEntry kEntries[] = {
    {"QRcode", 7, kStatement, qrCode},
};

}  // namespace

extern constinit const CommandFamily kQrCommands{kEntries};

}  // namespace kav
