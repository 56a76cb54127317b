// kav3drv: drives an application from outside, as a user at the screen would,
// and reports its message boxes, screenshots and end on stdout.
#include <string>
#include <vector>

#include "tools/kav3drv/driver_options.h"
#include "tools/kav3drv/session_win.h"
#include "tools/kav3drv/text_win.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    kavdrv::Options options;
    std::string error;
    if (!kavdrv::parseOptions(args, options, error)) {
        kavdrv::Output::error("kav3drv: " + kavdrv::ansiToUtf8(error));
        kavdrv::Output::error(kavdrv::kUsage);
        return 2;
    }
    const kavdrv::Output out(options.verbose);
    kavdrv::Session session(options, out);
    return session.run();
}
