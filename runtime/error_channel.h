// The channel through which a driver that starts the runtime learns where the
// statement of each error box stands. Only the driver opens it: the runtime
// writes into it when it exists and does nothing else otherwise, so a user of
// a built application sees no difference.
#pragma once
#include <cstdint>
#include <string>

namespace kav {

// The shared block the driver makes, named after the process it starts
// (suspended, before the script's first statement).
inline std::string errorChannelName(uint32_t processId) { return "kav3-error-place-" + std::to_string(processId); }

struct ErrorChannelBlock {
    int32_t reports;    // error boxes so far; each new one raises it
    int32_t statement;  // position in the program text of the last one's statement, -1 when unknown
};

}  // namespace kav
