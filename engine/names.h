// The name table: variables and data arrays in creation order over one buffer of
// value slots. Names are never removed, so an index once found stays valid, and
// the buffer holds room for every slot from the start, so the address of a slot
// stays valid too: compiled statements keep it until the table is cleared.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fault.h"

namespace kav {

class NameTable {
public:
    static constexpr int kMaxEntries = 511;
    static constexpr uint32_t kMaxSlots = 65535;      // value offsets are 16-bit
    static constexpr uint32_t kMaxNameBytes = 65535;  // the name buffer's length is 16-bit

    struct Entry {
        uint32_t nameOffset;
        uint16_t nameLength;
        uint16_t rows;     // 1 for a plain variable
        uint16_t columns;  // 1 for a plain variable
        uint16_t valueOffset;
        bool plain() const { return rows == 1 && columns == 1; }
    };

    NameTable();

    int count() const { return static_cast<int>(entries_.size()); }
    const Entry& entry(int i) const { return entries_[static_cast<size_t>(i)]; }
    std::string_view name(int i) const;

    // Index of the first entry at or after `from` with this name, or -1.
    int find(std::string_view name, int from = 0) const;

    // Adds an entry of rows x columns zeros; -1 with status 11 (no room for an
    // entry), 7 (the value slots would pass 65535) or 20 (memory) on failure.
    // The caller has made sure that the name is new.
    [[nodiscard]] int add(std::string_view name, uint32_t rows, uint32_t columns, Fault& f);

    double& value(int index, uint32_t slot = 0) { return values_[entries_[static_cast<size_t>(index)].valueOffset + slot]; }
    double* slots(int index) { return values_.data() + entries_[static_cast<size_t>(index)].valueOffset; }

    // The tables empty, as at program preparation. Slot addresses and indexes
    // taken before mean nothing afterwards: the generation tells.
    void clear();
    uint32_t generation() const { return generation_; }

    // White-box hook: makes the next growth fail as an allocation would.
    void failNextGrowth() { failNextGrowth_ = true; }

private:
    std::vector<Entry> entries_;
    std::vector<double> values_;
    std::string nameBytes_;
    bool failNextGrowth_ = false;
    uint32_t generation_ = 0;
};

}  // namespace kav
