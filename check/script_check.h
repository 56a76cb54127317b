// The static checker: what can be told wrong about a script without running
// it, found by the interpreter's own scans of the program text and named with
// the system's own messages. It reports only what is wrong whenever the
// statement runs (or what keeps a section from ever running right), never a
// matter of values.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/program_text.h"
#include "engine/status.h"

namespace kav {

struct Finding {
    int32_t position;     // in the program text: the statement, brace or quote at fault
    Status code;          // the status the system would raise, or the one that names the fault
    std::string subject;  // what its box would name (the script's own bytes)
};

// Every finding of the text, in text order.
std::vector<Finding> checkScript(const ProgramText& text);

// Where a script as written loses statements to its line ends: a comment ends
// only at CR LF, so behind a line that ends with LF alone the next lines are
// comment too. The offset of the first lone LF when compaction then keeps
// less than it would with CR LF line ends, else -1.
int32_t swallowingLineEnd(std::string_view raw);

// The finding as a line ends it: the system's message, then its subject line as
// a box shows it, in parentheses ("パラメータの数が違います (コマンド : Box)").
std::string describeFinding(const Finding& f);

}  // namespace kav
