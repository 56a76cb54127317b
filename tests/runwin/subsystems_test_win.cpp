// The subsystem list of the Windows programs: every command of the system is
// registered, in exactly the tables its name belongs to, once.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "registration_check.h"
#include "runwin/subsystems_win.h"

namespace kav::test {
namespace {

// The commands whose families are not built yet (none now). A family that lands takes its
// names off this list; one that later drops a name fails below.
const std::set<std::string> kNotYetBuilt = {
};

TEST(Subsystems, EveryCommandOfTheSystemIsRegisteredAsKnown) {
    const CommandRegistry r = registryOf(allSubsystems());
    expectRegisteredAsKnown(r);
    std::set<std::string> registered;
    for (const CommandEntry* entry : r.entries()) registered.insert(entry->name);
    for (const KnownCommand& k : knownCommands()) {
        const bool pending = kNotYetBuilt.count(k.name) > 0;
        EXPECT_NE(registered.count(k.name) > 0, pending)
            << k.name << (pending ? " is built: take it off the pending list" : " is not registered");
    }
}

TEST(Subsystems, EachHasItsOwnNameAndPart) {
    std::set<std::string> names;
    std::set<PartKey> keys;
    for (const Subsystem* s : allSubsystems()) {
        EXPECT_TRUE(names.insert(s->name).second) << s->name;
        EXPECT_EQ(s->key == nullptr, s->make == nullptr) << s->name;
        if (s->key) {
            EXPECT_TRUE(keys.insert(s->key).second) << s->name << " shares its part";
        }
    }
}

}  // namespace
}  // namespace kav::test
