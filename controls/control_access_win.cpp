#include "controls/control_access_win.h"

#include "engine/engine.h"

namespace kav {

ControlEntry* controlArgument(Call& c, int k) {
    std::string_view name;
    if (!c.string(k, name)) return nullptr;
    ControlTable& table = c.part<ControlTable>();
    const int i = findControl(table, name);
    if (i < 0) {
        c.fail(Status::NoControl);
        return nullptr;
    }
    return &table[i];
}

ControlEntry* controlArgument(Call& c, int k, bool (*inRange)(int32_t)) {
    ControlEntry* entry = controlArgument(c, k);
    if (entry && !inRange(entry->type)) {
        c.fail(Status::ControlKind);
        return nullptr;
    }
    return entry;
}

}  // namespace kav
