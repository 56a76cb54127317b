// Arbitrary bytes as a script through the static checker and the source map
// its places come from: every finding lies in the text, in text order, and
// names a line and column of the script as written; a line end said to
// swallow statements is a lone LF.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "check/script_check.h"
#include "engine/program_text.h"

namespace {

#define CHECK(cond)                                                               \
    do {                                                                          \
        if (!(cond)) {                                                            \
            std::fprintf(stderr, "fuzz_check: check failed: %s\n", #cond); \
            std::abort();                                                         \
        }                                                                         \
    } while (0)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const kav::ProgramText t = kav::ProgramText::fromScript(raw);
    CHECK(t.view() == kav::compacted(raw));

    // The map keeps order: later bytes come from later in the script.
    const std::string_view source = t.source();
    int32_t last = -1;
    for (int32_t pos = 0; pos <= t.size(); ++pos) {
        const int32_t at = t.sourceOffset(pos);
        CHECK(at > last && at <= static_cast<int32_t>(source.size()));
        if (pos < t.size()) CHECK(source[static_cast<size_t>(at)] == t.at(pos));
        last = at;
    }

    int32_t previous = -1;
    for (const kav::Finding& f : kav::checkScript(t)) {
        CHECK(f.position >= 0 && f.position < t.size());
        CHECK(f.position >= previous);
        previous = f.position;
        const kav::SourcePlace p = t.sourcePlace(f.position);
        CHECK(p.line >= 1 && p.column >= 1);
        CHECK(!kav::describeFinding(f).empty());
    }

    // A swallowing line end is a lone LF of the script.
    const int32_t lf = kav::swallowingLineEnd(raw);
    if (lf >= 0) {
        CHECK(static_cast<size_t>(lf) < raw.size() && raw[static_cast<size_t>(lf)] == '\n');
        CHECK(lf == 0 || raw[static_cast<size_t>(lf) - 1] != '\r');
    }
    return 0;
}
