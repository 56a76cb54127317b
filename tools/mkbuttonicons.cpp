// kav3mkbuttonicons OUTDIR: the 20 pictures SetButtonGrp puts on a bitmap
// button, as button01.ico .. button20.ico: one 32 x 32 image each in the 16
// colours of the system palette, with a mask so that the button's face shows
// around the picture.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kSize = 32;

// Indices into the 16-colour system palette written with every icon.
enum Ink : int8_t {
    Clear = -1,
    Black = 0, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
    Grey, Red, Lime, Yellow, Blue, Magenta, Cyan, White,
};

constexpr uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

class Canvas {
public:
    Canvas() : px_(kSize * kSize, Clear) {}

    Ink at(int x, int y) const { return px_[static_cast<size_t>(y * kSize + x)]; }
    void dot(int x, int y, Ink c) {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) px_[static_cast<size_t>(y * kSize + x)] = c;
    }
    void fill(int x0, int y0, int x1, int y1, Ink c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) dot(x, y, c);
    }
    void frame(int x0, int y0, int x1, int y1, Ink c) {
        line(x0, y0, x1, y0, c), line(x0, y1, x1, y1, c), line(x0, y0, x0, y1, c), line(x1, y0, x1, y1, c);
    }
    void box(int x0, int y0, int x1, int y1, Ink outline, Ink inside) {
        fill(x0, y0, x1, y1, inside);
        frame(x0, y0, x1, y1, outline);
    }
    // Both end points included.
    void line(int x0, int y0, int x1, int y1, Ink c) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            dot(x0, y0, c);
            if (x0 == x1 && y0 == y1) return;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
    // A line w pixels wide (a square pen).
    void thick(int x0, int y0, int x1, int y1, int w, Ink c) {
        for (int oy = 0; oy < w; ++oy)
            for (int ox = 0; ox < w; ++ox) line(x0 + ox, y0 + oy, x1 + ox, y1 + oy, c);
    }
    // The pixels whose centres lie in the ellipse centred on (cx, cy) with
    // radii rx, ry (halves allowed: centres between pixels).
    void disc(double cx, double cy, double rx, double ry, Ink c) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (inside(x, y, cx, cy, rx, ry)) dot(x, y, c);
    }
    // A ring: the disc less the disc w pixels smaller.
    void ring(double cx, double cy, double rx, double ry, double w, Ink c) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (inside(x, y, cx, cy, rx, ry) && !inside(x, y, cx, cy, rx - w, ry - w)) dot(x, y, c);
    }
    // A filled polygon, pixel centres by the even-odd rule.
    void polygon(const std::vector<std::pair<double, double>>& p, Ink c) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                bool in = false;
                const double px = x + 0.5, py = y + 0.5;
                for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
                    const auto [xi, yi] = p[i];
                    const auto [xj, yj] = p[j];
                    if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
                }
                if (in) dot(x, y, c);
            }
    }
    // Outlines every run of `body` pixels with `edge` where it meets clear pixels.
    void outline(Ink body, Ink edge) {
        std::vector<Ink> out = px_;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (at(x, y) != Clear) continue;
                for (int k = 0; k < 4; ++k) {
                    const int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                    if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && at(nx, ny) == body)
                        out[static_cast<size_t>(y * kSize + x)] = edge;
                }
            }
        px_ = std::move(out);
    }
    // Left to right.
    Canvas mirrored() const {
        Canvas m;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) m.dot(kSize - 1 - x, y, at(x, y));
        return m;
    }

private:
    static bool inside(int x, int y, double cx, double cy, double rx, double ry) {
        if (rx <= 0 || ry <= 0) return false;
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    }

    std::vector<Ink> px_;
};

// A sheet of paper with its top right corner folded down.
void page(Canvas& c, int x0, int y0, int x1, int y1, int fold = 5) {
    c.polygon({{x0, y0}, {x1 - fold + 1, y0}, {x1 + 1, y0 + fold}, {x1 + 1, y1 + 1}, {x0, y1 + 1}}, White);
    c.line(x0, y0, x1 - fold, y0, Black);
    c.line(x0, y0, x0, y1, Black);
    c.line(x0, y1, x1, y1, Black);
    c.line(x1, y0 + fold, x1, y1, Black);
    c.line(x1 - fold, y0, x1, y0 + fold, Black);
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, Black);
    c.line(x1 - fold, y0 + fold, x1, y0 + fold, Black);
    c.fill(x1 - fold + 1, y0 + 2, x1 - 2, y0 + fold - 1, Silver);
    c.line(x1 - fold + 1, y0 + 1, x1 - 1, y0 + fold - 1, Black);
}

void textLines(Canvas& c, int x0, int x1, int y0, int y1, int step, Ink ink = Black) {
    int n = 0;
    for (int y = y0; y <= y1; y += step, ++n) c.line(x0, y, n % 3 == 2 ? (x0 + x1) / 2 : x1, y, ink);
}

// A magnifier: glass centred on (cx, cy) of radius r, handle down to the right.
void magnifier(Canvas& c, double cx, double cy, double r, int handle) {
    c.disc(cx, cy, r, r, Cyan);
    c.disc(cx - r / 3, cy - r / 3, r / 3, r / 3, White);
    c.ring(cx, cy, r + 1, r + 1, 2, Black);
    const int hx = static_cast<int>(cx + r * 0.7), hy = static_cast<int>(cy + r * 0.7);
    c.thick(hx, hy, hx + handle, hy + handle, 3, Black);
    c.thick(hx + 2, hy + 2, hx + handle, hy + handle, 2, Olive);
}

Canvas newPage() {
    Canvas c;
    page(c, 7, 3, 24, 28, 6);
    return c;
}

Canvas openFolder() {
    Canvas c;
    // The back of the folder with its tab, then the open front leaning forward.
    c.box(3, 9, 24, 26, Black, Olive);
    c.box(4, 6, 11, 9, Black, Olive);
    c.fill(5, 8, 10, 10, Olive);
    c.fill(6, 11, 22, 14, White);
    c.line(7, 12, 20, 12, Grey);
    c.polygon({{3, 27}, {8, 15}, {30, 15}, {25, 27}}, Yellow);
    c.line(8, 15, 29, 15, Black);
    c.line(3, 26, 8, 15, Black);
    c.line(25, 26, 29, 15, Black);
    c.line(3, 26, 25, 26, Black);
    c.line(9, 16, 27, 16, White);
    return c;
}

Canvas floppy() {
    Canvas c;
    // Body with the clipped top right corner, label above, metal shutter below.
    c.polygon({{4, 4}, {25, 4}, {28, 7}, {28, 28}, {4, 28}}, Navy);
    c.line(4, 4, 24, 4, Black), c.line(4, 4, 4, 27, Black), c.line(4, 27, 27, 27, Black);
    c.line(27, 7, 27, 27, Black), c.line(24, 4, 27, 7, Black);
    c.box(8, 5, 23, 15, Black, White);
    c.line(10, 8, 21, 8, Blue), c.line(10, 11, 21, 11, Blue);
    c.box(9, 19, 23, 27, Black, Silver);
    c.fill(12, 21, 14, 25, Navy);
    c.line(10, 20, 22, 20, White);
    return c;
}

Canvas scissors() {
    Canvas c;
    // Blades cross at the pivot; the rings of the handles hang below.
    c.thick(9, 3, 17, 18, 2, Grey);
    c.thick(22, 3, 14, 18, 2, Grey);
    c.line(9, 3, 17, 18, Black);
    c.line(23, 3, 15, 18, Black);
    c.thick(14, 17, 11, 21, 2, Black);
    c.thick(17, 17, 20, 21, 2, Black);
    c.ring(9.5, 24.5, 4.5, 4.5, 2, Black);
    c.ring(22.5, 24.5, 4.5, 4.5, 2, Black);
    c.dot(15, 16, Silver), c.dot(16, 16, Silver);
    return c;
}

Canvas twoPages() {
    Canvas c;
    page(c, 3, 3, 17, 21, 5);
    textLines(c, 5, 12, 10, 19, 3);
    page(c, 13, 10, 28, 28, 5);
    textLines(c, 15, 22, 17, 26, 3);
    return c;
}

Canvas paste() {
    Canvas c;
    // The board, its silver clip, and a page lying over its right half.
    c.box(4, 5, 21, 28, Black, Olive);
    c.fill(6, 8, 19, 26, Olive);
    c.box(9, 3, 16, 8, Black, Silver);
    c.fill(11, 4, 14, 5, Black);
    page(c, 13, 11, 28, 29, 5);
    textLines(c, 15, 25, 18, 27, 3);
    return c;
}

// An arrow that rises from the lower right, arches over to the left and
// comes down there, its head pointing down and to the left.
Canvas undo() {
    Canvas c;
    c.ring(17.5, 19, 10, 9.5, 4, Navy);
    c.fill(0, 20, 31, 31, Clear);
    c.fill(20, 16, 27, 28, Navy);
    c.fill(24, 20, 27, 28, Clear);
    c.fill(20, 24, 23, 28, Clear);
    c.thick(20, 16, 24, 26, 4, Navy);
    c.fill(0, 20, 31, 31, Clear);
    c.polygon({{1, 18}, {15, 18}, {8, 27}}, Navy);
    return c;
}

Canvas crossMark() {
    Canvas c;
    c.thick(5, 5, 24, 24, 4, Red);
    c.thick(24, 5, 5, 24, 4, Red);
    c.outline(Red, Maroon);
    return c;
}

Canvas exclamation() {
    Canvas c;
    c.polygon({{12, 3}, {20, 3}, {18, 21}, {14, 21}}, Red);
    c.disc(15.5, 25.5, 3, 3, Red);
    c.outline(Red, Maroon);
    return c;
}

Canvas printer() {
    Canvas c;
    // Paper feeding in at the top, the body, the output slot and a lamp.
    c.box(9, 3, 23, 14, Black, White);
    textLines(c, 11, 21, 6, 12, 3);
    c.polygon({{6, 13}, {26, 13}, {29, 17}, {3, 17}}, Silver);
    c.line(6, 13, 26, 13, Black), c.line(3, 17, 6, 13, Black), c.line(26, 13, 29, 17, Black);
    c.box(3, 17, 29, 26, Black, Silver);
    c.line(4, 18, 28, 18, White);
    c.fill(4, 24, 28, 25, Grey);
    c.box(8, 21, 24, 22, Black, Black);
    c.fill(25, 19, 26, 20, Lime);
    return c;
}

Canvas printPreview() {
    Canvas c;
    page(c, 4, 3, 21, 27, 5);
    textLines(c, 6, 16, 10, 25, 3);
    magnifier(c, 19, 18, 6, 6);
    return c;
}

Canvas textPage() {
    Canvas c;
    page(c, 6, 2, 25, 29, 6);
    textLines(c, 9, 22, 10, 26, 2);
    c.line(9, 6, 16, 6, Black);
    return c;
}

Canvas find() {
    Canvas c;
    magnifier(c, 12, 12, 8, 9);
    return c;
}

Canvas replace() {
    Canvas c;
    // Two arcs chase each other round the glass.
    c.ring(15.5, 15.5, 14, 14, 2.5, Blue);
    c.fill(0, 13, 31, 18, Clear);
    c.polygon({{28, 12}, {33, 18}, {23, 18}}, Blue);
    c.polygon({{3, 19}, {-2, 13}, {8, 13}}, Blue);
    magnifier(c, 14, 14, 5.5, 5);
    return c;
}

Canvas arrowLeft() {
    Canvas c;
    c.polygon({{3, 16}, {15, 4}, {15, 11}, {28, 11}, {28, 21}, {15, 21}, {15, 28}}, Blue);
    c.outline(Blue, Navy);
    return c;
}

Canvas questionMark() {
    Canvas c;
    c.ring(16, 10, 8, 7, 4, Yellow);
    c.fill(6, 10, 13, 17, Clear);
    c.fill(16, 15, 25, 20, Clear);
    c.polygon({{14, 14}, {20, 14}, {20, 22}, {14, 22}}, Yellow);
    c.fill(14, 16, 19, 21, Yellow);
    c.disc(16.5, 26.5, 2.5, 2.5, Yellow);
    c.outline(Yellow, Black);
    return c;
}

Canvas contextHelp() {
    Canvas c;
    // The white pointer at the left, a question mark beside it.
    c.polygon({{2, 2}, {2, 23}, {7, 18}, {11, 27}, {14, 26}, {10, 17}, {17, 17}}, White);
    c.outline(White, Black);
    c.ring(23.5, 9, 5.5, 5, 2.5, Navy);
    c.fill(17, 9, 20, 13, Clear);
    c.fill(23, 12, 29, 15, Clear);
    c.fill(22, 13, 24, 19, Navy);
    c.fill(22, 22, 24, 24, Navy);
    return c;
}

Canvas properties() {
    Canvas c;
    page(c, 5, 2, 24, 29, 6);
    textLines(c, 8, 20, 9, 17, 3);
    // The tick: short stroke down, long stroke up, in green.
    c.thick(10, 20, 15, 25, 3, Green);
    c.thick(15, 25, 27, 12, 3, Green);
    c.outline(Green, Black);
    return c;
}

Canvas redo() { return undo().mirrored(); }
Canvas arrowRight() { return arrowLeft().mirrored(); }

void put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void put32(std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); }

// One 4-bit image with its palette and mask; clear pixels are black in the
// image and set in the mask, so they leave the surface below as it was.
std::string icon(const Canvas& c) {
    constexpr unsigned colourRow = kSize / 2, maskRow = (kSize + 31) / 32 * 4;
    constexpr unsigned imageBytes = 40 + 16 * 4 + colourRow * kSize + maskRow * kSize;
    std::string ico;
    put16(ico, 0), put16(ico, 1), put16(ico, 1);
    ico += char(kSize), ico += char(kSize), ico += char(16), ico += char(0);
    put16(ico, 1), put16(ico, 4), put32(ico, imageBytes), put32(ico, 22);
    put32(ico, 40), put32(ico, kSize), put32(ico, kSize * 2), put16(ico, 1), put16(ico, 4);
    put32(ico, 0), put32(ico, imageBytes - 40 - 16 * 4), put32(ico, 0), put32(ico, 0), put32(ico, 16), put32(ico, 0);
    for (const auto& rgb : kPalette) ico += char(rgb[2]), ico += char(rgb[1]), ico += char(rgb[0]), ico += char(0);
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; x += 2) {
            const auto index = [&](int at) { return c.at(at, y) == Clear ? 0 : static_cast<unsigned>(c.at(at, y)); };
            ico += char(index(x) << 4 | index(x + 1));
        }
    for (int y = kSize - 1; y >= 0; --y) {
        std::string row(maskRow, '\0');
        for (int x = 0; x < kSize; ++x)
            if (c.at(x, y) == Clear) row[static_cast<size_t>(x / 8)] = char(row[static_cast<size_t>(x / 8)] | 0x80 >> (x % 8));
        ico += row;
    }
    return ico;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kav3mkbuttonicons OUTDIR\n");
        return 2;
    }
    // In the order of SetButtonGrp's types 1 to 20.
    Canvas (*const pictures[])() = {newPage,  openFolder, floppy,       scissors, twoPages,   paste,   undo,
                                    redo,     crossMark,  exclamation,  printer,  printPreview, textPage, find,
                                    replace,  arrowLeft,  arrowRight,   questionMark, contextHelp, properties};
    for (size_t i = 0; i < std::size(pictures); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/button%02zu.ico", i + 1);
        std::ofstream out(std::string(argv[1]) + name, std::ios::binary);
        const std::string bytes = icon(pictures[i]());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return 1;
    }
    return 0;
}
