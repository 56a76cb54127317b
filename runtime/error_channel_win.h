// The runtime's end of the error channel (runtime/error_channel.h).
#pragma once
#include <cstdint>

#include "engine/report.h"

namespace kav {

// Writes one report into the channel of this process, if a driver made one.
void tellErrorPlace(int32_t statement);

// Tells the channel of every error box the reporter shows.
class ErrorChannel final : public ReportListener {
public:
    void boxShowing(const ProgramText&, int32_t statement) override { tellErrorPlace(statement); }
};

}  // namespace kav
