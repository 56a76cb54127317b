// The graphics families stand in exactly the tables their names belong to.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/commands.h"

namespace kav {

extern const CommandEntry kScreenCommands[5];
extern const CommandEntry kPrimitiveCommands[13];
extern const CommandEntry kTextCommands[6];
extern const CommandEntry kCopyCommands[1];

namespace {

TEST(GraphicsFamilies, EveryNameInAllItsTablesAndNoOther) {
    std::map<std::string, uint8_t> known;
    for (const KnownCommand& k : knownCommands()) known[k.name] = k.tables;
    CommandRegistry r;
    r.add(kScreenCommands);
    r.add(kPrimitiveCommands);
    r.add(kTextCommands);
    r.add(kCopyCommands);
    EXPECT_EQ(r.entries().size(), 25u);
    for (const CommandEntry* entry : r.entries()) {
        ASSERT_TRUE(known.count(entry->name)) << entry->name;
        EXPECT_EQ(entry->tables, known[entry->name]) << entry->name;
        EXPECT_NE(entry->run, nullptr) << entry->name;
    }
}

}  // namespace
}  // namespace kav
