#include "controls/edit_text.h"

#include <cstdio>
#include <cstring>

#include "engine/sjis.h"

namespace kav {

size_t nextChar(std::string_view text, size_t i) {
    if (i >= text.size()) return text.size();
    if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() && text[i + 1]) return i + 2;
    return i + 1;
}

int32_t charCount(std::string_view text) {
    int32_t n = 0;
    for (size_t i = 0; i < text.size(); i = nextChar(text, i)) ++n;
    return n;
}

size_t charOffset(std::string_view text, int32_t n) {
    size_t i = 0;
    for (int32_t k = 0; k < n && i < text.size(); ++k) i = nextChar(text, i);
    return i;
}

std::string_view cutToChars(std::string_view text, size_t max) {
    size_t i = 0;
    while (i < text.size()) {
        size_t next = nextChar(text, i);
        if (next > max) break;
        i = next;
    }
    return text.substr(0, i);
}

int32_t textBeginsWith(std::string_view text, int32_t n, std::string_view str) {
    if (str.empty() || n >= static_cast<int32_t>(text.size())) return 0;
    return text.substr(charOffset(text, n)).starts_with(str) ? 1 : 0;
}

int32_t searchText(std::string_view text, int32_t n, std::string_view str) {
    if (str.empty()) return -1;
    size_t i = 0;
    int32_t index = 0;
    for (; index < n && i < text.size(); ++index) i = nextChar(text, i);
    // A match may end exactly at the end of the text.
    for (; i + str.size() <= text.size(); i = nextChar(text, i), ++index)
        if (std::memcmp(text.data() + i, str.data(), str.size()) == 0) return index;
    return -1;
}

std::string hex32(int32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(static_cast<uint32_t>(v)));
    return text;
}

}  // namespace kav
