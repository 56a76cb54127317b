// File names and dialog filters: the portable half of the file commands.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

struct Engine;

// The current-file-name buffer holds 259 bytes and its terminator.
constexpr size_t kFileNameMax = 259;

// The current file name (FILE_NAME) := name, cut to the buffer at a character boundary.
void setCurrentFileName(Engine& e, std::string_view name);

// The filter of the open and save dialogs of OpenFileReadDlg/OpenFileWriteDlg,
// as scripts write filters (backslashes for the NUL separators).
extern const char kStandardFilter[];

// The presets chosen by the decimal digits of type (most significant first),
// concatenated; false for a digit 0 or 6 to 9.
[[nodiscard]] bool presetFilter(int32_t type, std::string& out);

// A filter as the dialogs take it: every backslash character (not a trail byte
// of a double-byte character) becomes NUL, and the list ends in two NULs.
std::string dialogFilter(std::string_view scriptFilter);

// The part after the last backslash at an index above 0, or the whole text.
std::string_view fileNamePart(std::string_view path);
// The part up to and including that backslash, or the whole text.
std::string_view filePathPart(std::string_view path);

}  // namespace kav
