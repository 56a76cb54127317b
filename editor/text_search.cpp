#include "editor/text_search.h"

#include "engine/sjis.h"

namespace kav::editor {

namespace {

// Byte offset of the character after the one at `at`; a lead byte at the last
// byte stands alone.
size_t nextCharacter(std::string_view s, size_t at) {
    if (at >= s.size()) return at;
    return isLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? at + 2 : at + 1;
}

}  // namespace

int32_t characterCount(std::string_view text) {
    int32_t n = 0;
    for (size_t at = 0; at < text.size(); at = nextCharacter(text, at)) ++n;
    return n;
}

std::optional<int32_t> searchDownward(std::string_view text, int32_t selectionStart, std::string_view needle) {
    if (text.empty() || needle.empty()) return std::nullopt;
    const size_t last = text.size() - 1;
    const int32_t target = selectionStart > 0 ? selectionStart : 1;
    size_t at = 0;
    int32_t count = 0;
    do {
        at = nextCharacter(text, at);
        ++count;
        if (at >= last) return std::nullopt;
    } while (count < target);
    for (;;) {
        if (count != selectionStart && text.substr(at).starts_with(needle)) return count;
        at = nextCharacter(text, at);
        ++count;
        if (at >= last) return std::nullopt;
    }
}

}  // namespace kav::editor
