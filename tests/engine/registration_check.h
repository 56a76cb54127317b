// The check every command registry of the system passes: each registered name
// is known, stands in each of its known tables exactly once, and in no other.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/commands.h"

namespace kav::test {

// `complete`: the registry holds whole families of whole subsystems, so a name
// stands in all of its tables (the core alone lacks the run-time forms of the
// window commands).
inline void expectRegisteredAsKnown(const CommandRegistry& r, bool complete = true) {
    EXPECT_TRUE(r.duplicates().empty()) << r.duplicates().front() << " registered twice in one table";
    std::map<std::string, uint8_t> known;
    for (const KnownCommand& k : knownCommands()) known[k.name] = k.tables;
    std::map<std::string, uint8_t> seen;
    for (const CommandEntry* entry : r.entries()) {
        auto it = known.find(entry->name);
        ASSERT_NE(it, known.end()) << entry->name << " is no command of the system";
        EXPECT_EQ(entry->tables & ~it->second, 0) << entry->name << " stands in a table it does not belong to";
        EXPECT_EQ(seen[entry->name] & entry->tables, 0) << entry->name << " registered twice";
        seen[entry->name] |= entry->tables;
        EXPECT_TRUE(entry->kind != Kind::Plain || entry->run) << entry->name << " has no handler";
    }
    // A family that is built stands in every table its names belong to.
    if (!complete) return;
    for (const auto& [name, tables] : seen) EXPECT_EQ(tables, known[name]) << name << " misses one of its tables";
}

}  // namespace kav::test
