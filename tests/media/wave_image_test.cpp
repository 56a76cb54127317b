#include "media/wave_image.h"

#include <gtest/gtest.h>

#include <string>

namespace kav {
namespace {

uint32_t le32(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}

uint16_t le16(const std::vector<uint8_t>& v, size_t at) { return static_cast<uint16_t>(v[at] | v[at + 1] << 8); }

std::string tag(const std::vector<uint8_t>& v, size_t at) { return std::string(v.begin() + at, v.begin() + at + 4); }

TEST(WaveImage, HeaderDescribesEightBitMonoAt22050) {
    const std::vector<uint8_t> v = newWaveImage(1000);
    ASSERT_EQ(v.size(), 1044u);
    EXPECT_EQ(tag(v, 0), "RIFF");
    EXPECT_EQ(le32(v, 4), 1036u);
    EXPECT_EQ(tag(v, 8), "WAVE");
    EXPECT_EQ(tag(v, 12), "fmt ");
    EXPECT_EQ(le32(v, 16), 16u);
    EXPECT_EQ(le16(v, 20), 1);  // PCM
    EXPECT_EQ(le16(v, 22), 1);  // mono
    EXPECT_EQ(le32(v, 24), 22050u);
    EXPECT_EQ(le32(v, 28), 22050u);
    EXPECT_EQ(le16(v, 32), 1);
    EXPECT_EQ(le16(v, 34), 8);
    EXPECT_EQ(tag(v, 36), "data");
    EXPECT_EQ(le32(v, 40), 1000u);
}

TEST(WaveImage, LargestBufferSizes) {
    const std::vector<uint8_t> v = newWaveImage(65535);
    ASSERT_EQ(v.size(), 65579u);
    EXPECT_EQ((std::vector<uint8_t>(v.begin() + 4, v.begin() + 8)), (std::vector<uint8_t>{0x23, 0x00, 0x01, 0x00}));
    EXPECT_EQ(le32(v, 40), 65535u);
}

TEST(WaveImage, SquareWaveOfTwentySampleRuns) {
    const std::vector<uint8_t> v = newWaveImage(50);
    for (size_t i = 0; i < 50; ++i) EXPECT_EQ(v[44 + i], (i / 20) % 2 ? 127 : 100) << i;
    // The last run is cut short: 10 low samples end the buffer.
    EXPECT_EQ(v.back(), 100);
    EXPECT_EQ(newWaveImage(1).size(), 45u);
}

class WaveBufferTable : public ::testing::Test {
protected:
    WaveBuffers bufs;
    int32_t v = 0;
};

TEST_F(WaveBufferTable, ReadsAreSignedAndWritesModulo256) {
    ASSERT_EQ(bufs.create("b", 100), Status::Ok);
    ASSERT_EQ(bufs.get("b", 0, v), Status::Ok);
    EXPECT_EQ(v, 100);
    ASSERT_EQ(bufs.get("b", 20, v), Status::Ok);
    EXPECT_EQ(v, 127);
    const std::pair<int32_t, uint8_t> cases[] = {{-1, 255}, {-128, 128}, {127, 127}, {0, 0}};
    for (auto [data, stored] : cases) {
        ASSERT_EQ(bufs.set("b", 7, data), Status::Ok);
        EXPECT_EQ(bufs.find("b")->image[44 + 7], stored) << data;
        ASSERT_EQ(bufs.get("b", 7, v), Status::Ok);
        EXPECT_EQ(v, data);
    }
}

TEST_F(WaveBufferTable, BadPositionsAndValues) {
    ASSERT_EQ(bufs.create("b", 100), Status::Ok);
    EXPECT_EQ(bufs.set("b", -1, 0), Status::ParamInvalid);
    EXPECT_EQ(bufs.set("b", 0, 128), Status::ParamInvalid);
    EXPECT_EQ(bufs.set("b", 0, -129), Status::ParamInvalid);
    EXPECT_EQ(bufs.set("b", 100, 0), Status::WaveBufRange);
    EXPECT_EQ(bufs.set("b", 2147483647, 0), Status::WaveBufRange);
    EXPECT_EQ(bufs.get("b", -1, v), Status::ParamInvalid);
    EXPECT_EQ(bufs.get("b", 100, v), Status::WaveBufRange);
    EXPECT_EQ(bufs.get("b", 2147483647, v), Status::WaveBufRange);
    // The values are checked before the name, the name before the position.
    EXPECT_EQ(bufs.set("c", -1, 0), Status::ParamInvalid);
    EXPECT_EQ(bufs.set("c", 100, 0), Status::NoWaveBuf);
    EXPECT_EQ(bufs.get("c", -5, v), Status::ParamInvalid);
    EXPECT_EQ(bufs.get("c", 500, v), Status::NoWaveBuf);
    EXPECT_EQ(bufs.get("B", 0, v), Status::NoWaveBuf);
}

TEST_F(WaveBufferTable, CountSizeAndNameLimits) {
    EXPECT_EQ(bufs.create("a", 0), Status::WaveBufTooLarge);
    EXPECT_EQ(bufs.create("a", -5), Status::WaveBufTooLarge);
    EXPECT_EQ(bufs.create("a", 65536), Status::WaveBufTooLarge);
    EXPECT_EQ(bufs.create(std::string(32, 'n'), 10), Status::ParamInvalid);
    EXPECT_EQ(bufs.size(), 0u);
    ASSERT_EQ(bufs.create(std::string(31, 'n'), 65535), Status::Ok);
    for (int i = 1; i < 32; ++i) ASSERT_EQ(bufs.create(std::to_string(i), 1), Status::Ok);
    EXPECT_EQ(bufs.create("x", 10), Status::TooManyWaveBufs);
    // A full table is reported before a bad size.
    EXPECT_EQ(bufs.create("x", 0), Status::TooManyWaveBufs);
    EXPECT_EQ(bufs.size(), 32u);
}

TEST_F(WaveBufferTable, TheFirstOfEqualNamesIsUsed) {
    ASSERT_EQ(bufs.create("d", 10), Status::Ok);
    ASSERT_EQ(bufs.create("d", 20), Status::Ok);
    EXPECT_EQ(bufs.find("d")->samples(), 10u);
    EXPECT_EQ(bufs.set("d", 15, 0), Status::WaveBufRange);
    EXPECT_EQ(bufs.find("nosuch"), nullptr);
}

}  // namespace
}  // namespace kav
