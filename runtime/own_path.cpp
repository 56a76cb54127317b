#include "runtime/own_path.h"

namespace kav {

std::optional<std::string> ownPathFromCommandLine(std::string_view commandLine) {
    std::string path;
    for (char c : commandLine)
        if (c != '"') path.push_back(c);
    if (!path.empty() && path.back() == ' ') path.pop_back();
    if (path.size() > 259) return std::nullopt;
    return path;
}

}  // namespace kav
