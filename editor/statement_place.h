// Where a run's failing statement stands in the editor's text, counted as the
// edit control counts (a double-byte character is one, CR and LF one each).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/program_text.h"

namespace kav::editor {

struct TextSpan {
    int32_t start;
    int32_t end;  // just past the statement's last character
};

// The characters of `editText` that the statement at `statement` of `program`
// was written with, its ';' (or the '{' of its block) included. Nothing when
// no statement is known or `editText` is no longer the text the run was made
// from (it was edited meanwhile).
std::optional<TextSpan> statementSpan(const ProgramText& program, int32_t statement, std::string_view editText);

}  // namespace kav::editor
