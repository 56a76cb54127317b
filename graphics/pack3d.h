// The 3D pack table: numbered lists of coloured triangles, each with its own
// orientation and position, and the file record they are saved in.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/part.h"
#include "engine/status.h"
#include "graphics/pack3d_math.h"

namespace kav {

constexpr int32_t kPackCount = 256;         // numbered 0..255
constexpr int32_t kMaxPackTriangles = 1024;
constexpr size_t kPackRecordBytes = 24;     // one triangle in a pack file

// One pack: storage for `size` triangles fixed when it is created.
class Pack {
public:
    bool created() const { return size_ > 0; }
    int32_t size() const { return size_; }
    int32_t count() const { return count_; }
    std::span<const Triangle> triangles() const { return {storage_.get(), static_cast<size_t>(count_)}; }

    // Appends a triangle: 42 when the pack is full, 1 for a colour component
    // outside 0..255.
    [[nodiscard]] Status add(const Triangle& t);
    // Count, angles and position to 0; the storage stays.
    void clear();
    // Takes the triangles of a pack file (whose length passed
    // checkPackFileLength): a partial last triangle is not counted.
    void load(std::span<const uint8_t> file);

    Pose pose;

private:
    friend class PackTable;
    int32_t size_ = 0;
    int32_t count_ = 0;
    std::unique_ptr<Triangle[]> storage_;
};

// The packs of one run and their projection centre; the storage goes with
// the run window (and with the part when a CREATE phase fails).
class PackTable : public Part {
public:
    // Create3DPack: 40 for a number outside 0..255, 41 for a pack that exists,
    // 16 for a size outside 0..1024, 43 when the storage cannot be had. A size
    // of 0 leaves the pack uncreated.
    [[nodiscard]] Status create(int32_t n, int32_t size);
    // The created pack numbered n, or nullptr (code 40).
    Pack* find(int32_t n);

    // Frees every pack and puts the centre back to its defaults.
    void reset();
    void windowDestroyed(Engine&) override { reset(); }

    // White-box hook: the next storage allocation fails.
    void failNextAllocation() { failNextAllocation_ = true; }

    Centre centre;
    // The draw list, kept between frames so drawing allocates nothing.
    std::vector<DrawnTriangle> drawList;

private:
    std::array<Pack, kPackCount> packs_;
    bool failNextAllocation_ = false;
};

// Appends the pack file record of each triangle: its 12 values as 16-bit
// big-endian integers, keeping only the low 16 bits of each.
void encodePackFile(std::span<const Triangle> triangles, std::vector<uint8_t>& out);

// Load3DPack's check before it reads: 42 for a file longer than the pack holds.
[[nodiscard]] Status checkPackFileLength(uint64_t length, const Pack& pack);

}  // namespace kav
