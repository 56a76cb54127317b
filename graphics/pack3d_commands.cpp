// The 3D pack commands that need no drawing surface: creating and filling
// packs, turning and moving them, the projection centre, and the pack file.
#include <algorithm>
#include <vector>

#include "engine/commands.h"
#include "engine/engine.h"
#include "engine/open_file.h"
#include "graphics/pack3d.h"

namespace kav {

namespace {

bool report(Call& c, Status s) {
    if (s != Status::Ok) c.fail(s);
    return s == Status::Ok;
}

// The created pack numbered n, or nullptr with code 40.
Pack* packNumbered(Call& c, int32_t n) {
    Pack* p = c.part<PackTable>().find(n);
    if (!p) c.fail(Status::Pack3DNumber);
    return p;
}

// The pack of a command whose only argument is its number.
Pack* packArgument(Call& c) {
    int32_t n = 0;
    return c.integers(0, 0, &n) ? packNumbered(c, n) : nullptr;
}

// The pack and the amount of a turning or moving command; nullptr also while
// the pack holds no triangles, when these commands do nothing.
Pack* packToMove(Call& c, int32_t& amount) {
    int32_t v[2];
    if (!c.integers(0, 1, v)) return nullptr;
    Pack* p = packNumbered(c, v[0]);
    amount = v[1];
    return p && p->count() > 0 ? p : nullptr;
}

void create3DPack(Call& c) {
    int32_t v[2];
    if (c.integers(0, 1, v)) report(c, c.part<PackTable>().create(v[0], v[1]));
}

void add3DPack(Call& c) {
    int32_t v[1 + kTriangleValues];
    if (!c.integers(0, kTriangleValues, v)) return;
    Pack* p = packNumbered(c, v[0]);
    if (!p) return;
    Triangle t;
    std::copy(v + 1, v + 1 + kTriangleValues, t.begin());
    report(c, p->add(t));
}

void clear3DPack(Call& c) {
    if (Pack* p = packArgument(c)) p->clear();
}

void set3DCenter(Call& c) {
    int32_t v[3];
    if (c.integers(0, 2, v)) c.part<PackTable>().centre = {v[0], v[1], v[2]};
}

template <Axis A>
void localRotateCommand(Call& c) {
    int32_t degrees;
    if (Pack* p = packToMove(c, degrees)) localRotate(p->pose, A, degrees);
}

template <Axis A>
void localPosCommand(Call& c) {
    int32_t move;
    Pack* p = packToMove(c, move);
    if (!p) return;
    const Vec3i d = localMove(p->pose, A, move);
    p->pose.px += d.x;
    p->pose.py += d.y;
    p->pose.pz += d.z;
}

template <Axis A>
void worldPosCommand(Call& c) {
    int32_t move;
    Pack* p = packToMove(c, move);
    if (!p) return;
    (A == Axis::X ? p->pose.px : A == Axis::Y ? p->pose.py : p->pose.pz) += move;
}

void reset3DRotate(Call& c) {
    if (Pack* p = packArgument(c)) p->pose.ax = p->pose.ay = p->pose.az = 0;
}

void reset3DPos(Call& c) {
    if (Pack* p = packArgument(c)) p->pose.px = p->pose.py = p->pose.pz = 0;
}

// The open file, or nullptr with code 5.
OpenFile* openFile(Call& c) {
    OpenFile& file = c.part<OpenFile>();
    if (file.isOpen()) return &file;
    c.fail(Status::FileNotOpen);
    return nullptr;
}

// Written where the file's position stands, so several packs can follow each other.
void save3DPack(Call& c) {
    Pack* p = packArgument(c);
    OpenFile* file = p ? openFile(c) : nullptr;
    if (!file) return;
    std::vector<uint8_t> bytes;
    encodePackFile(p->triangles(), bytes);
    (void)file->writeAt(-1, bytes.data(), bytes.size());
}

// The whole file from its start. The count follows the bytes actually read,
// so a file that cannot be read (one opened for writing) empties the pack
// rather than bringing back what its storage held before.
void load3DPack(Call& c) {
    Pack* p = packArgument(c);
    OpenFile* file = p ? openFile(c) : nullptr;
    if (!file) return;
    const auto length = static_cast<uint64_t>(std::max<int64_t>(file->length(), 0));
    if (!report(c, checkPackFileLength(length, *p))) return;
    std::vector<uint8_t> bytes(length);
    const int64_t got = length ? file->readAt(0, bytes.data(), bytes.size()) : 0;
    bytes.resize(static_cast<size_t>(std::max<int64_t>(got, 0)));
    p->load(bytes);
}

constexpr uint8_t kEverywhere = kStatement | kCreate;

constexpr CommandEntry kEntries[] = {
    {"Create3DPack", 2, kCreate, create3DPack},
    {"Add3DPack", 13, kEverywhere, add3DPack},
    {"Clear3DPack", 1, kStatement, clear3DPack},
    {"Set3DCenter", 3, kEverywhere, set3DCenter},
    {"Set3DLocalRotateX", 2, kEverywhere, localRotateCommand<Axis::X>},
    {"Set3DLocalRotateY", 2, kEverywhere, localRotateCommand<Axis::Y>},
    {"Set3DLocalRotateZ", 2, kEverywhere, localRotateCommand<Axis::Z>},
    {"Set3DLocalPosX", 2, kEverywhere, localPosCommand<Axis::X>},
    {"Set3DLocalPosY", 2, kEverywhere, localPosCommand<Axis::Y>},
    {"Set3DLocalPosZ", 2, kEverywhere, localPosCommand<Axis::Z>},
    {"Set3DWorldPosX", 2, kEverywhere, worldPosCommand<Axis::X>},
    {"Set3DWorldPosY", 2, kEverywhere, worldPosCommand<Axis::Y>},
    {"Set3DWorldPosZ", 2, kEverywhere, worldPosCommand<Axis::Z>},
    {"Reset3DRotate", 1, kStatement, reset3DRotate},
    {"Reset3DPos", 1, kStatement, reset3DPos},
    {"Save3DPack", 1, kStatement, save3DPack},
    {"Load3DPack", 1, kStatement, load3DPack},
};

}  // namespace

extern constinit const CommandFamily kPack3DCommands{kEntries};

}  // namespace kav
