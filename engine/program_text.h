// The program text: the compacted script as one NUL-terminated byte string, and
// the scans that find sections, blocks and statements in it by byte position.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fault.h"

namespace kav {

// Removes blanks, tabs, line breaks and // comments outside string literals, in
// place; returns the new length. With `origins`, also appends for each byte kept
// its offset in the text as it was, and then that text's length.
size_t compactText(char* text, std::vector<int32_t>* origins = nullptr);
std::string compacted(std::string_view raw);

// Whether the text holds no blank, tab or line break outside literals, as every
// compacted text. A second compaction is not harmless: "8/ /2" compacts to
// "8//2", and compacting that again would take everything after "8" for a comment.
bool isCompact(std::string_view text);

// Statements are copied into a buffer of this many bytes at most.
constexpr size_t kStatementMax = 512;

// A place in the script as written: line and column from 1, the column counted
// in characters (a double-byte character is one, and so is a tab).
struct SourcePlace {
    int32_t line = 1;
    int32_t column = 1;
};

class ProgramText {
public:
    ProgramText() = default;
    // Up to the first NUL, compacted unless it is compact already (the payload of a
    // built application was compacted when it was written).
    explicit ProgramText(std::string raw);
    // The script as written, up to its first NUL, compacted as the application
    // builder compacts it (always): positions are those of a built application's text.
    static ProgramText fromScript(std::string raw);

    const char* data() const { return bytes_.c_str(); }
    int32_t size() const { return static_cast<int32_t>(bytes_.size()); }
    std::string_view view() const { return bytes_; }
    bool empty() const { return bytes_.empty(); }
    char at(int32_t pos) const { return pos >= 0 && pos < size() ? bytes_[static_cast<size_t>(pos)] : '\0'; }

    // Position of the section's '{', or 0 with status 18 and the name as subject.
    int32_t findSection(std::string_view name, Fault& f) const;
    // Position of the '}' matching the '{' at pos; status 2 when unmatched.
    int32_t blockEnd(int32_t pos, Fault& f) const;
    // Position of the first '{' from pos outside literals; status 2 when none.
    int32_t blockStart(int32_t pos, Fault& f) const;
    // Position just after the next ';' outside literals, or the end of the text;
    // status 2 for a literal that is not closed.
    int32_t nextStatement(int32_t pos, Fault& f) const;
    // The statement text from pos up to ';' or '{' outside literals; status 3 when
    // longer than kStatementMax (subject: its first 31 bytes), status 2 when a
    // literal is not closed (subject: the text copied).
    bool copyStatement(int32_t pos, std::string& out, Fault& f) const;
    // Name of the section holding pos; "CREATE" for negative positions.
    std::string sectionOf(int32_t pos) const;
    // Just past the statement at pos: after its ';' or the '{' of its block, at a
    // '}' that comes first, or the end of the text (literals skipped).
    int32_t statementEnd(int32_t pos) const;

    // The script as written, up to its first NUL; the text itself when it came
    // compact already (a built application's).
    std::string_view source() const { return origins_.empty() ? view() : std::string_view(source_); }
    // Offset in source() of the byte at pos (clamped to the text; the end maps to
    // the source's end). Compaction keeps this map.
    int32_t sourceOffset(int32_t pos) const;
    SourcePlace sourcePlace(int32_t pos) const;

private:
    // From the opening quote at p to just past the closing one; false (p at the
    // NUL) when the literal is not closed.
    bool skipLiteral(const char*& p) const;
    void compactKeepingSource();
    std::string bytes_;
    // Kept only when compaction changed the text: the text as written, and for
    // each byte of bytes_ (and its end) the offset it came from.
    std::string source_;
    std::vector<int32_t> origins_;
};

}  // namespace kav
