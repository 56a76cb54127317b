// The runtime's own path, taken from its command line.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kav {

// The command line with every double quote removed and one trailing blank
// dropped; nothing when the result would not fit the 260-byte path buffer.
std::optional<std::string> ownPathFromCommandLine(std::string_view commandLine);

}  // namespace kav
