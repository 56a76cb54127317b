// The editor's downward search over Shift-JIS text, counting positions in
// characters as the edit control does (a double-byte character is one).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/sjis.h"

namespace kav::editor {

// The character position of the first occurrence of `needle` that starts after
// character `selectionStart` of `text`. The walk never wraps: an occurrence at
// the very start of the text, or one starting at its last byte, is not found.
std::optional<int32_t> searchDownward(std::string_view text, int32_t selectionStart, std::string_view needle);

}  // namespace kav::editor
