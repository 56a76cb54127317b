// kav3mktoolicons OUTDIR: the editor's three toolbar icons (save.ico, run.ico,
// search.ico), each one 22 x 22 image of 32-bit colour with alpha.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 22;

struct Argb {
    uint8_t a, r, g, b;
};
constexpr Argb kClear{0, 0, 0, 0};

using Picture = std::vector<Argb>;

void fill(Picture& p, int x0, int y0, int x1, int y1, Argb c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) p[y * kSize + x] = c;
}

// A floppy disk: navy body, white label, grey shutter.
Picture save() {
    Picture p(kSize * kSize, kClear);
    fill(p, 3, 3, 18, 18, {255, 24, 40, 112});
    fill(p, 6, 4, 15, 10, {255, 255, 255, 255});
    fill(p, 7, 13, 14, 18, {255, 192, 192, 192});
    fill(p, 11, 14, 12, 17, {255, 24, 40, 112});
    return p;
}

// A green triangle pointing right.
Picture run() {
    Picture p(kSize * kSize, kClear);
    for (int y = 4; y <= 17; ++y) {
        const int half = y <= 10 ? y - 4 : 17 - y;
        fill(p, 6, y, 6 + half * 2 + 1, y, {255, 0, 150, 40});
    }
    return p;
}

// A magnifier over a downward arrow.
Picture search() {
    Picture p(kSize * kSize, kClear);
    const Argb ink{255, 0, 0, 0};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const int dx = x - 8, dy = y - 7, d = dx * dx + dy * dy;
            if (d >= 16 && d <= 30) p[y * kSize + x] = ink;
            else if (d < 16) p[y * kSize + x] = {255, 200, 230, 255};
        }
    for (int i = 0; i < 5; ++i) fill(p, 11 + i, 10 + i, 12 + i, 11 + i, ink);
    fill(p, 17, 9, 18, 17, {255, 200, 0, 0});
    fill(p, 15, 16, 20, 16, {255, 200, 0, 0});
    fill(p, 16, 17, 19, 17, {255, 200, 0, 0});
    fill(p, 17, 18, 18, 18, {255, 200, 0, 0});
    return p;
}

void put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void put32(std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); }

std::string icon(const Picture& px) {
    constexpr unsigned maskRow = (kSize + 31) / 32 * 4;
    constexpr unsigned imageBytes = 40 + kSize * kSize * 4 + maskRow * kSize;
    std::string ico;
    put16(ico, 0), put16(ico, 1), put16(ico, 1);
    ico += char(kSize), ico += char(kSize), ico += char(0), ico += char(0);
    put16(ico, 1), put16(ico, 32), put32(ico, imageBytes), put32(ico, 22);
    put32(ico, 40), put32(ico, kSize), put32(ico, kSize * 2), put16(ico, 1), put16(ico, 32);
    put32(ico, 0), put32(ico, imageBytes - 40), put32(ico, 0), put32(ico, 0), put32(ico, 0), put32(ico, 0);
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x) {
            const Argb& c = px[y * kSize + x];
            ico += char(c.b), ico += char(c.g), ico += char(c.r), ico += char(c.a);
        }
    for (int y = kSize - 1; y >= 0; --y) {
        std::string row(maskRow, '\0');
        for (int x = 0; x < kSize; ++x)
            if (px[y * kSize + x].a == 0) row[x / 8] = char(row[x / 8] | 0x80 >> (x % 8));
        ico += row;
    }
    return ico;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kav3mktoolicons OUTDIR\n");
        return 2;
    }
    const struct {
        const char* name;
        std::function<Picture()> draw;
    } icons[] = {{"save.ico", save}, {"run.ico", run}, {"search.ico", search}};
    for (const auto& i : icons) {
        std::ofstream out(std::string(argv[1]) + "/" + i.name, std::ios::binary);
        const std::string bytes = icon(i.draw());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return 1;
    }
    return 0;
}
