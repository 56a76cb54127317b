// Data arrays: Data declares one in the CREATE phase, DataInit fills one.
#include "engine/args.h"
#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/number.h"

namespace kav {

namespace {

void createData(Call& c) {
    if (c.e.names.count() >= NameTable::kMaxEntries) return c.fail(Status::TooManyVariables);
    if (Status s = checkArgCount(c.args, 3); s != Status::Ok) return c.fail(s);
    double y = 0, x = 0;
    if (!c.number(1, y) || !c.number(2, x)) return;
    std::string_view name;
    if (!c.string(0, name)) return;
    const int32_t rows = toInt32(y), columns = toInt32(x);
    if (rows == 0 || columns == 0) return c.fail(Status::ParamInvalid);
    const auto r = static_cast<uint32_t>(rows), col = static_cast<uint32_t>(columns);
    if (r > 0xFFFF || col > 0xFFFF || r * col > 0xFFFF) return c.fail(Status::ArrayRange);
    if (c.e.names.find(name) >= 0) return c.fail(Status::ArrayNameUsed);
    (void)c.e.names.add(name, r, col, c.e.fault);
}

void dataInit(Call& c) {
    std::string_view name;
    double v = 0;
    if (!c.string(0, name) || !c.number(1, v)) return;
    const int i = c.e.names.find(name);
    if (i < 0 || c.e.names.entry(i).plain()) return c.fail(Status::NoArray, name);
    const NameTable::Entry& entry = c.e.names.entry(i);
    double* slots = c.e.names.slots(i);
    const uint32_t n = uint32_t{entry.rows} * entry.columns;
    for (uint32_t k = 0; k < n; ++k) slots[k] = v;
    // A step budget counts this as the work it is, not as one statement.
    if (c.e.stepLimit) c.e.steps += n / 1024;
}

}  // namespace

namespace {

constexpr CommandEntry kEntries[] = {
    {"Data", kArgsChecked, kCreate, createData},
    {"DataInit", 2, kStatement | kCreate, dataInit},
};

}  // namespace

extern constinit const CommandFamily kDataCommands{kEntries};

}  // namespace kav
