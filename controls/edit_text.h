// Text of edit controls as the edit commands see it: Shift-JIS bytes in which
// a double-byte character counts as one character.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// Byte index of the character after the one at byte i (a lead byte takes its
// trail byte along when there is one).
size_t nextChar(std::string_view text, size_t i);

// Number of characters.
int32_t charCount(std::string_view text);

// Byte offset of character index n; indices past the end (and the end) give the
// byte length, negative ones 0.
size_t charOffset(std::string_view text, int32_t n);

// The longest head of text of at most max bytes that ends on a character boundary.
std::string_view cutToChars(std::string_view text, size_t max);

// 1 when the text at character index n begins with str; 0 when n is at or past
// the byte length or str is empty.
int32_t textBeginsWith(std::string_view text, int32_t n, std::string_view str);

// Character index of the first occurrence of str at or after character index n,
// or -1; an empty str never matches.
int32_t searchText(std::string_view text, int32_t n, std::string_view str);

// Lower-case hexadecimal of the 32-bit two's complement, without prefix.
std::string hex32(int32_t v);

}  // namespace kav
