#include "editor/text_search.h"

#include "engine/sjis.h"

namespace kav::editor {

std::optional<int32_t> searchDownward(std::string_view text, int32_t selectionStart, std::string_view needle) {
    if (text.empty() || needle.empty()) return std::nullopt;
    const size_t last = text.size() - 1;
    const int32_t target = selectionStart > 0 ? selectionStart : 1;
    size_t at = 0;
    int32_t count = 0;
    do {
        at = nextChar(text, at);
        ++count;
        if (at >= last) return std::nullopt;
    } while (count < target);
    for (;;) {
        if (count != selectionStart && text.substr(at).starts_with(needle)) return count;
        at = nextChar(text, at);
        ++count;
        if (at >= last) return std::nullopt;
    }
}

}  // namespace kav::editor
