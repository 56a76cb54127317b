// Text of edit controls as the edit commands see it: Shift-JIS bytes in which
// a double-byte character counts as one character.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/sjis.h"

namespace kav {

// Byte offset of character index n; indices past the end (and the end) give the
// byte length, negative ones 0.
size_t charOffset(std::string_view text, int32_t n);

// 1 when the text at character index n begins with str; 0 when n is at or past
// the byte length or str is empty.
int32_t textBeginsWith(std::string_view text, int32_t n, std::string_view str);

// Character index of the first occurrence of str at or after character index n,
// or -1; an empty str never matches.
int32_t searchText(std::string_view text, int32_t n, std::string_view str);

// Lower-case hexadecimal of the 32-bit two's complement, without prefix.
std::string hex32(int32_t v);

// Whether b can follow a lead byte as its trail byte in code page 932.
inline bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// What an edit control takes now when a script writes one byte into it.
// The control holds characters, not bytes: a lead byte waits (in `held`, 0
// for none) until its trail byte comes, and the pair goes in as one character.
struct ByteWrite {
    std::string givenUp;  // a waiting lead byte that the byte cannot complete, alone; else empty
    std::string insert;   // the byte, or the completed pair; empty while a lead byte waits
};
ByteWrite writeByte(uint8_t& held, uint8_t byte);

// The waiting lead byte alone, for the control to take as it takes any lone
// byte, or empty; nothing waits afterwards.
std::string giveUpHeld(uint8_t& held);

}  // namespace kav
