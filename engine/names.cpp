#include "engine/names.h"

#include <cstring>
#include <new>

namespace kav {

NameTable::NameTable() { values_.reserve(kMaxSlots); }

std::string_view NameTable::name(int i) const {
    const Entry& e = entries_[static_cast<size_t>(i)];
    return {nameBytes_.data() + e.nameOffset, e.nameLength};
}

int NameTable::find(std::string_view name, int from) const {
    for (int i = from; i < count(); ++i) {
        const Entry& e = entries_[static_cast<size_t>(i)];
        if (e.nameLength == name.size() && std::memcmp(nameBytes_.data() + e.nameOffset, name.data(), name.size()) == 0)
            return i;
    }
    return -1;
}

int NameTable::add(std::string_view name, uint32_t rows, uint32_t columns, Fault& f) {
    if (count() >= kMaxEntries || nameBytes_.size() + name.size() + 1 > kMaxNameBytes) {
        f.raise(Status::TooManyVariables);
        return -1;
    }
    const uint64_t slots = uint64_t{rows} * columns;
    if (rows > 0xFFFF || columns > 0xFFFF || values_.size() + slots > kMaxSlots) {
        f.raise(Status::ArrayRange);
        return -1;
    }
    const size_t oldValues = values_.size(), oldNames = nameBytes_.size();
    try {
        if (failNextGrowth_) {
            failNextGrowth_ = false;
            throw std::bad_alloc();
        }
        values_.resize(oldValues + slots, 0.0);
        nameBytes_.append(name);
        nameBytes_.push_back('\0');
        entries_.push_back({static_cast<uint32_t>(oldNames), static_cast<uint16_t>(name.size()),
                            static_cast<uint16_t>(rows), static_cast<uint16_t>(columns),
                            static_cast<uint16_t>(oldValues)});
    } catch (const std::bad_alloc&) {
        values_.resize(oldValues);
        nameBytes_.resize(oldNames);
        f.raise(Status::NoMemory);
        return -1;
    }
    return count() - 1;
}

void NameTable::clear() {
    entries_.clear();
    values_.clear();
    nameBytes_.clear();
    ++generation_;
}

}  // namespace kav
