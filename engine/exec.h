// The statement executor: runs a section statement by statement with a 128-level
// block stack shared by loop, if and call.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/commands.h"

namespace kav {

struct Engine;
struct Stmt;
class ProgramText;

constexpr int kBlockLevels = 128;

// Everything derived from the immutable program text, computed on first use:
// statements compiled per table and keyed by position, section positions by name
// and the matching brace of every block opened so far.
class CompiledProgram {
public:
    // For the text and for the name table as it stands at `nameGeneration`.
    CompiledProgram(const ProgramText& text, uint32_t nameGeneration);
    ~CompiledProgram();

    uint32_t nameGeneration() const { return nameGeneration_; }
    Stmt& statement(Engine& e, Table table, int32_t pos);
    // Position of the section's '{' (status 18, subject the name, when missing).
    int32_t section(std::string_view name, Fault& f);
    // The '}' matching the '{' at pos (status 2 when unmatched).
    int32_t blockEnd(int32_t pos, Fault& f);

private:
    struct Cache {
        std::vector<uint32_t> index;  // position -> 1 + statement number, 0 when not compiled
        std::deque<Stmt> stmts;
    };
    const ProgramText& text_;
    const uint32_t nameGeneration_;
    // Looked up by string_view: an event must not allocate to find its section.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unique_ptr<Cache> caches_[kTableCount];
    std::unordered_map<std::string, int32_t, NameHash, std::equal_to<>> sections_;  // -1: not found
    std::unordered_map<int32_t, int32_t> blockEnds_;     // -1: unmatched
};

// Runs the section whose '{' is at bracePos for `window`, with the commands of
// `table`; returns the position where execution stopped (the failing statement
// when the status is not 0).
int32_t executeSection(Engine& e, WindowRef window, int32_t bracePos, Table table = kStatement);

// Which window an event comes from. The dialog's sections are its ID followed
// by the event name, and a missing CLOSE there closes only the dialog.
enum class EventSource : uint8_t { RunWindow, Dialog };

// Runs the section of an event of `window`: a missing section is no error (but
// a missing CLOSE lets the window close); an error is reported, ends the program
// and asks the window to close (a dialog first, the run window after it).
void runEvent(Engine& e, WindowRef window, std::string_view event, EventSource source = EventSource::RunWindow);

}  // namespace kav
