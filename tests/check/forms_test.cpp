// The checker's forms against the system's list of commands and the portable
// core's registered families (the Windows families are checked under Wine).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "check/command_forms.h"
#include "forms_check.h"

namespace kav::test {
namespace {

TEST(CommandForms, OneForEveryKnownName) {
    std::set<std::string> known, forms;
    for (const KnownCommand& k : knownCommands()) known.insert(k.name);
    for (const CommandForm& f : commandForms()) EXPECT_TRUE(forms.insert(f.name).second) << f.name << " twice";
    EXPECT_EQ(forms, known);
}

TEST(CommandForms, StringArgumentsLieWithinTheCount) {
    for (const CommandForm& f : commandForms()) {
        if (f.args == kAnyCount) EXPECT_EQ(f.strings, 0) << f.name;
        else EXPECT_EQ(f.strings >> f.args, 0) << f.name;
    }
}

TEST(CommandForms, CountsOfThePortableCore) {
    const Subsystem* const core[] = {&kCoreSubsystem};
    FormsAgainst(core).expectCountsMatch();
}

}  // namespace
}  // namespace kav::test
