// kav3mkicon OUT.ico: the program icon, a single 32 x 32 image of 256 colours.
// Its colour table starts with white and has mid grey as colour 8 and pure red as
// colour 16: the application builder finds the icon in the runtime by that.
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 32;
enum : uint8_t { White = 0, Grey = 8, Red = 16, Navy = 17, Black = 18 };

struct Rgb {
    uint8_t r, g, b;
};

std::array<Rgb, 256> palette() {
    std::array<Rgb, 256> p{};
    // 0..15: the classic sixteen colours, starting from white.
    const Rgb classic[16] = {{255, 255, 255}, {0, 0, 0},     {128, 0, 0},   {0, 128, 0},
                             {128, 128, 0},   {0, 0, 128},   {128, 0, 128}, {0, 128, 128},
                             {127, 127, 127}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},
                             {255, 255, 0},   {0, 0, 255},   {255, 0, 255}, {0, 255, 255}};
    for (int i = 0; i < 16; ++i) p[i] = classic[i];
    p[Red] = {255, 0, 0};
    p[Navy] = {24, 40, 112};
    p[Black] = {0, 0, 0};
    // The rest: a 6 x 6 x 6 colour cube, then a grey ramp.
    int i = 19;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p[i++] = {uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)};
    for (int k = 0; i < 256; ++i, ++k) p[i] = {uint8_t(k * 7), uint8_t(k * 7), uint8_t(k * 7)};
    return p;
}

// A framed tile with a red "K" and a navy "3".
std::vector<uint8_t> picture() {
    std::vector<uint8_t> px(kSize * kSize, White);
    auto set = [&](int x, int y, uint8_t c) { px[y * kSize + x] = c; };
    for (int i = 0; i < kSize; ++i) {
        set(i, 0, Grey), set(i, kSize - 1, Grey), set(0, i, Grey), set(kSize - 1, i, Grey);
        set(i, 1, Grey), set(i, kSize - 2, Grey), set(1, i, Grey), set(kSize - 2, i, Grey);
    }
    for (int y = 6; y < 26; ++y) {
        for (int x = 5; x < 9; ++x) set(x, y, Red);
        int d = y < 16 ? 16 - y : y - 15;  // the two arms of the K
        for (int x = 9 + d - 1; x < 9 + d + 3 && x < 19; ++x) set(x, y, Red);
    }
    const char* three[] = {"#####", "    #", "    #", " ####", "    #", "    #", "#####"};
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (three[row][col] == '#')
                for (int dy = 0; dy < 2; ++dy) set(21 + col, 9 + row * 2 + dy, Navy);
    return px;
}

void put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void put32(std::string& s, unsigned v) { put16(s, v & 0xFFFF), put16(s, v >> 16); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kav3mkicon OUT.ico\n");
        return 2;
    }
    const unsigned imageBytes = 40 + 1024 + kSize * kSize + kSize * 4;
    std::string ico;
    put16(ico, 0), put16(ico, 1), put16(ico, 1);                                  // directory: one icon
    ico += char(kSize), ico += char(kSize), ico += char(0), ico += char(0);      // 32 x 32, 256 colours
    put16(ico, 1), put16(ico, 8), put32(ico, imageBytes), put32(ico, 22);        // planes, bits, size, offset
    put32(ico, 40), put32(ico, kSize), put32(ico, kSize * 2), put16(ico, 1), put16(ico, 8);
    put32(ico, 0), put32(ico, kSize * kSize + kSize * 4), put32(ico, 0), put32(ico, 0), put32(ico, 256), put32(ico, 0);
    for (const Rgb& c : palette()) ico += char(c.b), ico += char(c.g), ico += char(c.r), ico += char(0);
    const std::vector<uint8_t> px = picture();
    for (int y = kSize - 1; y >= 0; --y)
        for (int x = 0; x < kSize; ++x) ico += char(px[y * kSize + x]);
    ico.append(kSize * 4, '\0');  // mask: every pixel opaque
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << ico;
    return out ? (ico.size() == 2238 ? 0 : 1) : 1;
}
