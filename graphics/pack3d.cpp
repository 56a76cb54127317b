#include "graphics/pack3d.h"

#include <algorithm>
#include <new>

namespace kav {

Status Pack::add(const Triangle& t) {
    if (count_ >= size_) return Status::Pack3DFull;
    for (int i = kTriangleRed; i < kTriangleValues; ++i) {
        if (t[static_cast<size_t>(i)] < 0 || t[static_cast<size_t>(i)] > 255) return Status::ColourInvalid;
    }
    storage_[static_cast<size_t>(count_++)] = t;
    return Status::Ok;
}

void Pack::clear() {
    count_ = 0;
    pose = Pose{};
}

void Pack::load(std::span<const uint8_t> file) {
    // Bounded by the storage as well, whatever the caller checked.
    const size_t values = std::min(file.size() / 2, static_cast<size_t>(size_) * kTriangleValues);
    for (size_t i = 0; i < values; ++i) {
        const auto v = static_cast<int16_t>(static_cast<uint16_t>(file[2 * i] << 8 | file[2 * i + 1]));
        storage_[i / kTriangleValues][i % kTriangleValues] = v;
    }
    count_ = static_cast<int32_t>(values / kTriangleValues);
}

Status PackTable::create(int32_t n, int32_t size) {
    if (n < 0 || n >= kPackCount) return Status::Pack3DNumber;
    Pack& p = packs_[static_cast<size_t>(n)];
    if (p.created()) return Status::Pack3DAlreadySet;
    // A negative size has no meaning; it is refused like one too large.
    if (size < 0 || size > kMaxPackTriangles) return Status::ParamInvalid;
    if (size == 0) return Status::Ok;
    if (failNextAllocation_) {
        failNextAllocation_ = false;
        return Status::Pack3DMemory;
    }
    p.storage_.reset(new (std::nothrow) Triangle[static_cast<size_t>(size)]());
    if (!p.storage_) return Status::Pack3DMemory;
    p.size_ = size;
    p.clear();
    return Status::Ok;
}

Pack* PackTable::find(int32_t n) {
    if (n < 0 || n >= kPackCount) return nullptr;
    Pack& p = packs_[static_cast<size_t>(n)];
    return p.created() ? &p : nullptr;
}

void PackTable::reset() {
    for (Pack& p : packs_) {
        p.storage_.reset();
        p.size_ = 0;
        p.clear();
    }
    centre = Centre{};
    drawList = {};
}

void encodePackFile(std::span<const Triangle> triangles, std::vector<uint8_t>& out) {
    out.reserve(out.size() + triangles.size() * kPackRecordBytes);
    for (const Triangle& t : triangles) {
        for (int32_t v : t) {
            const auto low = static_cast<uint16_t>(v);
            out.push_back(static_cast<uint8_t>(low >> 8));
            out.push_back(static_cast<uint8_t>(low));
        }
    }
}

Status checkPackFileLength(uint64_t length, const Pack& pack) {
    return length > static_cast<uint64_t>(pack.size()) * kPackRecordBytes ? Status::Pack3DFull : Status::Ok;
}

}  // namespace kav
