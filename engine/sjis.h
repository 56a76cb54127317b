// Shift-JIS (code page 932) character stepping, as the system's CharNextA does it.
#pragma once
#include <cstdint>

namespace kav {

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Next character after p: a lead byte takes its trail byte along unless the
// trail is the terminating NUL; at the NUL itself p does not move.
inline const char* charNext(const char* p) {
    if (!*p) return p;
    if (isLeadByte(static_cast<unsigned char>(*p)) && p[1]) return p + 2;
    return p + 1;
}

}  // namespace kav
