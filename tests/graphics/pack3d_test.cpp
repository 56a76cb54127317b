#include <gtest/gtest.h>

#include <climits>

#include "graphics/pack3d.h"

namespace kav {
namespace {

const Triangle kFront = {0, 0, 0, 100, 0, 0, 0, 100, 0, 10, 20, 30};

// The codes of Create3DPack and Add3DPack go through the interpreter in
// pack3d_commands_test.cpp; here what scripts cannot reach.
TEST(PackTable, EmptyAndFailedCreationsLeaveTheNumberFree) {
    PackTable t;
    EXPECT_EQ(t.create(3, INT_MIN), Status::ParamInvalid);
    EXPECT_EQ(t.create(0, 0), Status::Ok);
    EXPECT_EQ(t.find(0), nullptr);
    EXPECT_EQ(t.create(0, 1), Status::Ok);
    t.failNextAllocation();
    EXPECT_EQ(t.create(7, 5), Status::Pack3DMemory);
    EXPECT_EQ(t.find(7), nullptr);
    EXPECT_EQ(t.create(7, 5), Status::Ok);
    EXPECT_EQ(t.find(7)->size(), 5);
}

TEST(PackTable, AFullPackRefusesBeforeLookingAtColours) {
    PackTable t;
    ASSERT_EQ(t.create(1, 1), Status::Ok);
    Pack& p = *t.find(1);
    Triangle bad = kFront;
    bad[9] = -1;
    EXPECT_EQ(p.add(bad), Status::ColourInvalid);
    EXPECT_EQ(p.add(kFront), Status::Ok);
    EXPECT_EQ(p.add(bad), Status::Pack3DFull);
    EXPECT_EQ(p.triangles()[0], kFront);
}

TEST(PackFile, RecordsAreBigEndianLow16Bits) {
    const std::vector<Triangle> two = {
        {70000, -1, -32768, 32767, 32768, -32769, 0, 1, 256, 255, 0, 128},
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
    };
    std::vector<uint8_t> out;
    encodePackFile(two, out);
    ASSERT_EQ(out.size(), 48u);
    const std::vector<uint8_t> first = {0x11, 0x70, 0xFF, 0xFF, 0x80, 0x00, 0x7F, 0xFF, 0x80, 0x00, 0x7F, 0xFF,
                                        0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x80};
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 24), first);
    EXPECT_EQ(out[24], 0x00);
    EXPECT_EQ(out[25], 0x01);
    EXPECT_EQ(out[47], 0x0C);
}

TEST(PackFile, LoadSignExtendsAndCountsWholeTriangles) {
    PackTable t;
    ASSERT_EQ(t.create(0, 2), Status::Ok);
    Pack& p = *t.find(0);
    std::vector<uint8_t> file;
    encodePackFile(std::vector<Triangle>{{70000, -2, 40000, 0, 0, 0, 0, 0, 0, 1, 2, 3}}, file);
    // A partial second triangle and an odd byte are read but not counted.
    file.insert(file.end(), {0x00, 0x05, 0xAB});
    EXPECT_EQ(checkPackFileLength(file.size(), p), Status::Ok);
    p.pose.ax = 30;
    p.load(file);
    ASSERT_EQ(p.count(), 1);
    EXPECT_EQ(p.triangles()[0], (Triangle{4464, -2, -25536, 0, 0, 0, 0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(p.pose.ax, 30);
    // Loading replaces what the pack held.
    p.load({});
    EXPECT_EQ(p.count(), 0);
}

TEST(PackFile, FilesLargerThanThePackAreRefused) {
    PackTable t;
    ASSERT_EQ(t.create(0, 2), Status::Ok);
    Pack& p = *t.find(0);
    EXPECT_EQ(checkPackFileLength(48, p), Status::Ok);
    EXPECT_EQ(checkPackFileLength(49, p), Status::Pack3DFull);
    EXPECT_EQ(checkPackFileLength(UINT64_MAX, p), Status::Pack3DFull);
    // Even unchecked, a load stops at the storage.
    p.load(std::vector<uint8_t>(24 * 5, 0x01));
    EXPECT_EQ(p.count(), 2);
}

}  // namespace
}  // namespace kav
