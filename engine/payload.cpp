#include "engine/payload.h"

namespace kav {

// The marker is compared byte by byte against immediate values so that the
// runtime's own image never holds the five marker bytes in a row.
std::optional<size_t> findScript(const unsigned char* image, size_t size) {
    if (size < kMarkerSize) return std::nullopt;
    for (size_t i = 0; i + kMarkerSize <= size; ++i) {
        if (image[i] == 0x40 && image[i + 1] == 0x4B && image[i + 2] == 0x41 && image[i + 3] == 0x56 &&
            image[i + 4] == 0x40)
            return i + kMarkerSize;
    }
    return std::nullopt;
}

}  // namespace kav
