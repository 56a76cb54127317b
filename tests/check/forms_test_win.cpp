// The checker's argument counts against every family the Windows programs
// register.
#include <gtest/gtest.h>

#include "forms_check.h"
#include "runwin/subsystems_win.h"

namespace kav::test {
namespace {

TEST(CommandForms, CountsOfEveryRegisteredFamily) { FormsAgainst(allSubsystems()).expectCountsMatch(); }

}  // namespace
}  // namespace kav::test
