// What the checker knows of each command's arguments: how many it takes and
// which of them must hold a string literal. The names and tables come from the
// system's list of commands (engine/command_list.cpp); a test keeps the counts
// in step with the registered families, natively for the portable core and
// under Wine for every subsystem.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace kav {

// The count is not fixed: the command takes what it is given.
constexpr int8_t kAnyCount = -2;

struct CommandForm {
    const char* name;
    int8_t args;       // the fixed argument count, or kAnyCount
    uint16_t strings;  // bit k set: argument k is a string literal
};

std::span<const CommandForm> commandForms();
const CommandForm* findForm(std::string_view name);

}  // namespace kav
