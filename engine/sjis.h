// Shift-JIS (code page 932) character stepping, with the system's CharNextA
// rule everywhere: a lead byte takes the next byte along as its trail byte
// unless there is none or it is NUL; then the lead byte stands alone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kav {

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The byte index after the character at index i (i below the text's size).
inline size_t nextChar(std::string_view s, size_t i) {
    return isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() && s[i + 1] ? i + 2 : i + 1;
}

// The same over a NUL-terminated text; at the NUL itself p does not move.
inline const char* charNext(const char* p) {
    if (!*p) return p;
    return isLeadByte(static_cast<unsigned char>(*p)) && p[1] ? p + 2 : p + 1;
}

// Number of characters.
inline int32_t charCount(std::string_view s) {
    int32_t n = 0;
    for (size_t i = 0; i < s.size(); i = nextChar(s, i)) ++n;
    return n;
}

// The longest head of at most max bytes that ends on a character boundary.
inline std::string_view cutToChars(std::string_view s, size_t max) {
    size_t end = 0;
    while (end < s.size()) {
        const size_t next = nextChar(s, end);
        if (next > max) break;
        end = next;
    }
    return s.substr(0, end);
}

}  // namespace kav
