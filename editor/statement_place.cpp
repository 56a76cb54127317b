#include "editor/statement_place.h"

#include "engine/sjis.h"

namespace kav::editor {

std::optional<TextSpan> statementSpan(const ProgramText& program, int32_t statement, std::string_view editText) {
    const std::string_view source = program.source();
    if (statement < 0 || statement >= program.size() || source != editText) return std::nullopt;
    const int32_t end = program.statementEnd(statement);
    if (end <= statement) return std::nullopt;
    const auto first = static_cast<size_t>(program.sourceOffset(statement));
    const auto last = static_cast<size_t>(program.sourceOffset(end - 1)) + 1;
    return TextSpan{charCount(source.substr(0, first)), charCount(source.substr(0, last))};
}

}  // namespace kav::editor
