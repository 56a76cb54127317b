// Whole-file reads and writes with the Windows file API. A write never leaves a
// half-written file where the old one was.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kav::editor {

enum class ReadResult { Ok, CannotOpen, TooLarge, ShortRead };

// Reads a file of fewer than `limit` bytes whole.
ReadResult readWholeFile(const char* path, size_t limit, std::string& out);

// Whether a file of that name can be opened for reading.
bool fileExists(const char* path);

// Writes the bytes to a new file in the target's folder and only then puts it in
// the target's place, so a failed write leaves any old file as it was and no
// partial file behind. False on any failure.
[[nodiscard]] bool writeFileReplacing(const char* path, std::string_view bytes);

}  // namespace kav::editor
