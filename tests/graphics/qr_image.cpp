#include "tests/graphics/qr_image.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace kav::qr {

bool writeSymbolImage(const Encoder& symbol, const std::string& path, int scale) {
    const int modules = symbol.size() + 2 * kQuietZone;
    const int side = modules * scale;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    std::fprintf(file.get(), "P5\n%d %d\n255\n", side, side);
    std::vector<unsigned char> row(static_cast<size_t>(side));
    for (int y = 0; y < side; ++y) {
        const int r = y / scale - kQuietZone;
        for (int x = 0; x < side; ++x) {
            const int c = x / scale - kQuietZone;
            const bool inside = c >= 0 && r >= 0 && c < symbol.size() && r < symbol.size();
            row[static_cast<size_t>(x)] = inside && symbol.dark(c, r) ? 0 : 255;
        }
        if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size()) return false;
    }
    return std::fflush(file.get()) == 0;
}

}  // namespace kav::qr
