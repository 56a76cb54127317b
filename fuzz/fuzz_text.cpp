// Arbitrary bytes through compaction and every scan of the program text. The
// scans walk raw pointers up to the terminating NUL, so a wrong step over a
// literal or a kanji runs off the buffer; the text is built so that its heap
// block ends right at the NUL and AddressSanitizer sees any such overrun.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/program_text.h"

namespace {

// Aborts with a message libFuzzer keeps in its crash report.
#define CHECK(cond)                                                              \
    do {                                                                         \
        if (!(cond)) {                                                           \
            std::fprintf(stderr, "fuzz_text: check failed: %s\n", #cond); \
            std::abort();                                                        \
        }                                                                        \
    } while (0)

void findSection(const kav::ProgramText& t, std::string_view name) {
    kav::Fault f;
    const int32_t pos = t.findSection(name, f);
    if (!f.ok()) return;
    // The position is the section's '{', right after its name.
    CHECK(pos >= static_cast<int32_t>(name.size()) && t.at(pos) == '{');
    CHECK(t.view().substr(static_cast<size_t>(pos) - name.size(), name.size()) == name);
}

void scanAt(const kav::ProgramText& t, int32_t pos) {
    const int32_t n = t.size();
    {
        kav::Fault f;
        const int32_t end = t.blockEnd(pos, f);
        if (f.ok()) CHECK(end >= pos && end < n && t.at(end) == '}');
    }
    {
        kav::Fault f;
        const int32_t open = t.blockStart(pos, f);
        if (f.ok()) CHECK(open >= pos && open < n && t.at(open) == '{');
    }
    {
        kav::Fault f;
        const int32_t next = t.nextStatement(pos, f);
        CHECK(next >= pos && next <= n);
        if (f.ok() && next < n) CHECK(t.at(next - 1) == ';');
    }
    {
        kav::Fault f;
        std::string out;
        if (t.copyStatement(pos, out, f)) {
            CHECK(out.size() <= kav::kStatementMax);
            CHECK(t.view().substr(static_cast<size_t>(pos), out.size()) == out);
        } else {
            CHECK(!f.ok());
        }
    }
    (void)t.sectionOf(pos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string once = kav::compacted(raw);

    // Built applications carry the compacted text and load it again: loading
    // must not change what the program says. Raw text is compacted on loading,
    // unless it holds nothing compaction removes but comments.
    CHECK(kav::ProgramText(once).view() == once);
    const std::string untilNul = raw.substr(0, raw.find('\0'));
    CHECK(kav::ProgramText(raw).view() == (kav::isCompact(untilNul) ? untilNul : once));
    const kav::ProgramText t{std::string(once)};

    // Section names: the fixed events, the empty name, and names as the input
    // writes them (before its first '{', and in front of its last one).
    for (std::string_view name : {"CREATE", "INIT", "TIMER", "CLOSE", ""}) findSection(t, name);
    const std::string_view v = t.view();
    if (size_t brace = v.find('{'); brace != std::string_view::npos) findSection(t, v.substr(0, brace));
    if (size_t brace = v.rfind('{'); brace != std::string_view::npos) {
        size_t start = v.find_last_of(";{}", brace == 0 ? 0 : brace - 1);
        start = start == std::string_view::npos || start >= brace ? 0 : start + 1;
        findSection(t, v.substr(start, brace - start));
    }
    findSection(t, std::string_view(raw).substr(0, 8));

    // Every position (and the end) of small texts; an even sample of big ones,
    // where scanning from everywhere is quadratic.
    const int32_t n = t.size();
    const int32_t step = n <= 256 ? 1 : n / 128;
    for (int32_t pos = 0; pos <= n; pos += step) scanAt(t, pos);
    scanAt(t, n);
    (void)t.sectionOf(-1);
    return 0;
}
