// The 3D pack commands through the interpreter: their tables, argument
// checks, codes, the do-nothing rule of empty packs, and the pack file through
// an open file kept in memory.
#include <cstring>

#include "engine/open_file.h"
#include "engine/subsystem.h"
#include "engine_fixture.h"
#include "graphics/pack3d.h"

namespace kav {
extern const CommandFamily kPack3DCommands;
}

namespace kav::test {
namespace {

// A file in memory with a position, as the open file of a run.
class MemoryFile final : public OpenFile {
public:
    bool isOpen() const override { return open; }
    void close() override { open = false; }
    int64_t readAt(int64_t at, void* out, size_t n) override {
        if (!readable || at < 0) return -1;
        const size_t from = std::min(bytes.size(), static_cast<size_t>(at));
        const size_t got = std::min(n, bytes.size() - from);
        if (got) std::memcpy(out, bytes.data() + from, got);
        pos = static_cast<int64_t>(from + got);
        return static_cast<int64_t>(got);
    }
    bool writeAt(int64_t at, const void* data, size_t n) override {
        const size_t from = static_cast<size_t>(at < 0 ? pos : at);
        if (bytes.size() < from + n) bytes.resize(from + n);
        if (n) std::memcpy(bytes.data() + from, data, n);
        pos = static_cast<int64_t>(from + n);
        return true;
    }
    int64_t length() override { return static_cast<int64_t>(bytes.size()); }

    bool open = false;
    bool readable = true;
    std::vector<uint8_t> bytes;
    int64_t pos = 0;
};

const CommandFamily* const kFamilies[] = {&kPack3DCommands};
const Subsystem kPacks{"pack3d", kFamilies, partKey<PackTable>(), makePart<PackTable>};
const Subsystem kFile{"files", {}, partKey<OpenFile>(), makePart<MemoryFile>};

// One front-facing triangle, for the packs that must hold something.
constexpr const char* kTriangle = "0,0,0,10,0,0,0,10,0,1,2,3";

std::string add(int pack) { return "Add3DPack(" + std::to_string(pack) + "," + kTriangle + ");"; }

class Packs : public EngineTest {
protected:
    Packs() : EngineTest({&kPacks, &kFile}) {}
    PackTable& table() { return e.part<PackTable>(); }
    Pack& pack(int n) {
        Pack* p = table().find(n);
        EXPECT_NE(p, nullptr) << "pack " << n;
        return *p;
    }
    MemoryFile& file() { return static_cast<MemoryFile&>(e.part<OpenFile>()); }
    // Runs a section from a clean status, as each test case of its own.
    uint8_t runClean(std::string_view section) {
        e.fault.clear();
        return exec(section);
    }
    uint8_t failCreate(const std::string& body) {
        EXPECT_FALSE(load("CREATE{" + body + "}")) << body;
        return e.fault.status;
    }
};

TEST_F(Packs, CreateCodesInCreateOnly) {
    EXPECT_EQ(failCreate("Create3DPack(3,1025);"), 16);
    EXPECT_EQ(failCreate("Create3DPack(3,-1);"), 16);
    EXPECT_EQ(failCreate("Create3DPack(3,10);Create3DPack(3,10);"), 41);
    EXPECT_EQ(failCreate("Create3DPack(256,10);"), 40);
    EXPECT_EQ(failCreate("Create3DPack(-1,10);"), 40);
    EXPECT_EQ(failCreate("Create3DPack(3);"), 8);
    EXPECT_EQ(failCreate("Create3DPack(3,1,1);"), 23);
    // Elsewhere the name is no command at all.
    ASSERT_TRUE(load("INIT{Create3DPack(3,10);}"));
    EXPECT_EQ(run("INIT"), 6);
}

TEST_F(Packs, AddChecksPackRoomAndColourInCreateAndSections) {
    EXPECT_EQ(failCreate("Create3DPack(0,1);" + add(0) + add(0)), 42);
    EXPECT_EQ(failCreate("Create3DPack(0,1);Add3DPack(0,0,0,0,10,0,0,0,10,0,1,2,-1);"), 1);
    EXPECT_EQ(failCreate(add(5)), 40);
    EXPECT_EQ(failCreate("Create3DPack(0,1);Add3DPack(0,0,0,0,10,0,0,0,10,0,1,2);"), 8);
    ASSERT_TRUE(load("CREATE{Create3DPack(0,2);" + add(0) + "}INIT{Add3DPack(0,-5,6.9,-7.9,1,2,3,4,5,6,255,0,7);}"));
    EXPECT_EQ(run("INIT"), 0);
    ASSERT_EQ(pack(0).count(), 2);
    EXPECT_EQ(pack(0).triangles()[1], (Triangle{-5, 6, -7, 1, 2, 3, 4, 5, 6, 255, 0, 7}));
    EXPECT_EQ(run("INIT"), 42);
}

TEST_F(Packs, TurnsAndMovesWaitForTriangles) {
    ASSERT_TRUE(load("CREATE{Create3DPack(0,2);Set3DLocalRotateX(0,30);Set3DLocalPosZ(0,5);Set3DWorldPosX(0,7);}"
                     "INIT{Set3DLocalRotateX(9,30);}"));
    const Pose& p = pack(0).pose;
    EXPECT_EQ(p.ax, 0);
    EXPECT_EQ(p.pz, 0);
    EXPECT_EQ(p.px, 0);
    // An uncreated pack is still an error, empty or not.
    EXPECT_EQ(run("INIT"), 40);
}

TEST_F(Packs, QuarterTurnThenOwnAxisMove) {
    ASSERT_TRUE(load("CREATE{Create3DPack(0,1);" + add(0) + "Set3DLocalRotateY(0,90);Set3DLocalPosX(0,10);}"));
    const Pose& p = pack(0).pose;
    EXPECT_NEAR(p.ax, 0, 1e-9);
    EXPECT_NEAR(p.ay, 90, 1e-9);
    EXPECT_EQ(p.az, 360);
    EXPECT_EQ(p.px, 0);
    EXPECT_EQ(p.py, 0);
    EXPECT_EQ(p.pz, -10);
}

TEST_F(Packs, WorldMovesResetsAndClear) {
    ASSERT_TRUE(load("CREATE{Create3DPack(0,1);" + add(0) +
                     "Set3DWorldPosX(0,5);Set3DWorldPosY(0,-6);Set3DWorldPosZ(0,7);Set3DWorldPosZ(0,1.9);"
                     "Set3DLocalRotateZ(0,45);}"
                     "A{Reset3DRotate(0);}B{Reset3DPos(0);}C{Clear3DPack(0);}D{" + add(0) + "}"));
    Pose& p = pack(0).pose;
    EXPECT_EQ(p.px, 5);
    EXPECT_EQ(p.py, -6);
    EXPECT_EQ(p.pz, 8);
    EXPECT_NEAR(p.az, 45, 1e-9);
    EXPECT_EQ(run("A"), 0);
    EXPECT_EQ(p.az, 0);
    EXPECT_EQ(p.px, 5);
    p.ax = 10;
    EXPECT_EQ(run("B"), 0);
    EXPECT_EQ(p.px, 0);
    EXPECT_EQ(p.pz, 0);
    EXPECT_EQ(p.ax, 10);
    p.px = 3;
    EXPECT_EQ(run("C"), 0);
    EXPECT_EQ(pack(0).count(), 0);
    EXPECT_EQ(p.ax, 0);
    EXPECT_EQ(p.px, 0);
    // The storage stays: the pack fills again to its size.
    EXPECT_EQ(run("D"), 0);
    EXPECT_EQ(run("D"), 42);
}

TEST_F(Packs, CentreDefaultsForEachRunAndTakesAnyValues) {
    ASSERT_TRUE(load("CREATE{Set3DCenter(-5,70000,0);}"));
    EXPECT_EQ(table().centre.cx, -5);
    EXPECT_EQ(table().centre.cy, 70000);
    EXPECT_EQ(table().centre.deep, 0);
    ASSERT_TRUE(load("INIT{Set3DCenter(1,2,3);}"));
    EXPECT_EQ(table().centre.cx, 100);
    EXPECT_EQ(table().centre.deep, 1000);
    EXPECT_EQ(run("INIT"), 0);
    EXPECT_EQ(table().centre.deep, 3);
}

TEST_F(Packs, StorageGoesWithAFailedCreateAndTheWindow) {
    EXPECT_EQ(failCreate("Create3DPack(0,5);" + add(0) + "Create3DPack(0,5);"), 41);
    EXPECT_EQ(table().find(0), nullptr);
    ASSERT_TRUE(load("CREATE{Create3DPack(0,5);}"));
    ASSERT_NE(table().find(0), nullptr);
    e.eachPart([&](Part& part) { part.windowDestroyed(e); });
    EXPECT_EQ(table().find(0), nullptr);
}

TEST_F(Packs, SaveWritesAtThePositionAndNeedsAnOpenFile) {
    ASSERT_TRUE(load("CREATE{Create3DPack(0,2);Create3DPack(1,1);"
                     "Add3DPack(0,70000,-1,0,0,0,0,0,0,0,0,0,255);" + add(0) + "}"
                     "A{Save3DPack(0);}B{Save3DPack(9);}C{Save3DPack(1);}"));
    EXPECT_EQ(runClean("B"), 40);
    EXPECT_EQ(runClean("A"), 5);
    file().open = true;
    file().bytes = {0xEE, 0xEE};
    file().pos = 2;
    EXPECT_EQ(runClean("A"), 0);
    ASSERT_EQ(file().bytes.size(), 50u);
    EXPECT_EQ(file().bytes[2], 0x11);
    EXPECT_EQ(file().bytes[3], 0x70);
    EXPECT_EQ(file().bytes[4], 0xFF);
    EXPECT_EQ(file().bytes[25], 0xFF);  // 255 of the first colour
    EXPECT_EQ(file().bytes[49], 0x03);  // 3 of the second
    // An empty pack writes nothing.
    EXPECT_EQ(runClean("C"), 0);
    EXPECT_EQ(file().bytes.size(), 50u);
}

TEST_F(Packs, LoadReadsFromTheStartAfterTheSizeCheck) {
    ASSERT_TRUE(load("CREATE{Create3DPack(0,1);Create3DPack(1,2);" + add(0) + "}"
                     "A{Load3DPack(0);}B{Load3DPack(1);}C{Load3DPack(7);}"));
    EXPECT_EQ(runClean("C"), 40);
    EXPECT_EQ(runClean("B"), 5);
    file().open = true;
    std::vector<uint8_t> record(24, 0);
    record[0] = 0x11, record[1] = 0x70, record[2] = 0xFF, record[3] = 0xFE, record[23] = 9;
    file().bytes = record;
    file().bytes.insert(file().bytes.end(), record.begin(), record.end());
    file().pos = 5;
    // 48 bytes into a pack of one: refused before anything is read.
    EXPECT_EQ(runClean("A"), 42);
    EXPECT_EQ(file().pos, 5);
    EXPECT_EQ(pack(0).count(), 1);
    // A pack of two takes both, whatever the position was; the position ends at the end.
    EXPECT_EQ(runClean("B"), 0);
    ASSERT_EQ(pack(1).count(), 2);
    EXPECT_EQ(pack(1).triangles()[1], (Triangle{4464, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}));
    EXPECT_EQ(file().pos, 48);
    // A file that cannot be read leaves nothing of the pack's old triangles.
    file().readable = false;
    EXPECT_EQ(runClean("B"), 0);
    EXPECT_EQ(pack(1).count(), 0);
}

}  // namespace
}  // namespace kav::test
