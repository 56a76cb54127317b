// The script payload appended to a built application: 0x00, the marker, the
// compacted script, 0x00 0x00. No header, no length: the file's end ends it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav {

constexpr size_t kMarkerSize = 5;

// Offset just past the first marker in the image, scanning from offset 0.
std::optional<size_t> findScript(const unsigned char* image, size_t size);

// The bytes appended to a runtime stub for a script (compacted here).
std::string scriptPayload(std::string_view script);

}  // namespace kav
