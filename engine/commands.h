// The command tables: every command family exports one table of entries, and the
// registry gathers them into the statement, value and CREATE tables.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/fault.h"

namespace kav {

struct Engine;
class ArgList;
using WindowRef = void*;

// The dispatch tables a name can stand in.
enum Table : uint8_t {
    kStatement = 1,     // every section run
    kValue = 2,         // calls inside expressions
    kCreate = 4,        // the CREATE phase
    kDialogCreate = 8,  // a dialog's creation section
};

constexpr int kTableCount = 4;
// 0..kTableCount-1 for one table: where per-table data is kept.
int tableIndex(Table t);

// What a statement means to the executor.
enum class Kind : uint8_t { Plain = 0, Loop = 2, Call = 3, If = 4, Return = 5, End = 6 };

// One command run: its engine, the window its section runs for and its arguments.
struct Call {
    Engine& e;
    WindowRef window;
    ArgList& args;

    // Argument k evaluated as a number.
    [[nodiscard]] bool number(int k, double& out);
    // Arguments first..last evaluated and truncated toward zero; stops at the first error.
    [[nodiscard]] bool integers(int first, int last, int32_t* out);
    // The text between the first pair of quotes in argument k; status 9 without one.
    [[nodiscard]] bool string(int k, std::string_view& out);
    void fail(Status s);
    void fail(Status s, std::string_view subject);
    void result(double v);  // the function-result register
    // The per-run state of a subsystem (defined with the engine).
    template <class T>
    T& part();
};

using Handler = void (*)(Call&);

// The handler checks the argument count itself (its checks come in another order).
constexpr int8_t kArgsChecked = -1;

struct CommandEntry {
    const char* name;
    int8_t args;     // the fixed argument count, or kArgsChecked
    uint8_t tables;  // Table bits
    Handler run;     // nullptr for the control structures
    Kind kind = Kind::Plain;
};

// Status of the argument-count convention: 23 for an empty list where arguments
// are needed or for too many, 8 for too few, 0 when the count fits.
Status checkArgCount(const ArgList& args, int8_t expected);

// A family's table: each command family exports one, and its subsystem lists it.
using CommandFamily = std::span<const CommandEntry>;

class CommandRegistry {
public:
    // Adds a family's table; the entries must outlive the registry. A name that
    // a table already holds is kept as it was and recorded as a duplicate.
    void add(CommandFamily family);
    const CommandEntry* find(Table t, std::string_view name) const;
    const std::vector<const CommandEntry*>& entries() const { return all_; }
    // Names registered twice in one table: a mistake in the families.
    const std::vector<std::string_view>& duplicates() const { return duplicates_; }

private:
    std::unordered_map<std::string_view, const CommandEntry*> byTable_[kTableCount];
    std::vector<const CommandEntry*> all_;
    std::vector<std::string_view> duplicates_;
};

// Every command name of the system and the tables it belongs in; a name whose
// family is not built yet has no entry and behaves as an unknown name.
struct KnownCommand {
    const char* name;
    uint8_t tables;
};
std::span<const KnownCommand> knownCommands();

}  // namespace kav
