// The checker's argument counts against every family the Windows programs
// register.
#include <gtest/gtest.h>

#include "forms_check.h"
#include "runwin/subsystems_win.h"

namespace kav::test {
namespace {

// The USB data commands count nothing while no board is open; the board's
// tests hold them to these forms with a board.
TEST(CommandForms, CountsOfEveryRegisteredFamily) {
    FormsAgainst(allSubsystems()).expectCountsMatch({"UsbSetData", "UsbGetData", "UsbSet4Get1"});
}

}  // namespace
}  // namespace kav::test
