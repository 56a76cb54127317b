#include "controls/edit_text.h"

#include <cstdio>
#include <cstring>

#include "engine/sjis.h"

namespace kav {

size_t charOffset(std::string_view text, int32_t n) {
    size_t i = 0;
    for (int32_t k = 0; k < n && i < text.size(); ++k) i = nextChar(text, i);
    return i;
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

ByteWrite writeByte(uint8_t& held, uint8_t byte) {
    ByteWrite w;
    if (held && isTrailByte(byte)) {
        w.insert = {static_cast<char>(held), static_cast<char>(byte)};
        held = 0;
        return w;
    }
    w.givenUp = giveUpHeld(held);
    if (isLeadByte(byte)) held = byte;
    else if (byte) w.insert.assign(1, static_cast<char>(byte));  // a NUL byte ends a text: nothing goes in
    return w;
}

std::string giveUpHeld(uint8_t& held) {
    std::string alone;
    if (held) alone.assign(1, static_cast<char>(held));
    held = 0;
    return alone;
}

}  // namespace kav
