// Every symbol must read back with an independent decoder (zbarimg of
// zbar-tools), byte for byte: all levels, every version, each kind of text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "graphics/qr_code.h"
#include "tests/graphics/qr_image.h"

namespace kav::qr {
namespace {

namespace fs = std::filesystem;

constexpr int kScale = 2;

std::span<const uint8_t> bytes(std::string_view s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// The decoder's output without charset conversion: the bytes of every
// segment, Kanji as Shift-JIS. Empty when nothing was found.
std::string decode(const fs::path& image) {
    const std::string command = "zbarimg -q --nodbus -Sbinary --raw '" + image.string() + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), &pclose);
    if (!pipe) return {};
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
    return out;
}

enum class Kind { Numeric, Alphanumeric, Bytes, Kanji, Mixed };
constexpr int kKinds = 5;
const char* const kKindNames[kKinds] = {"numeric", "alphanumeric", "8-bit", "Kanji", "mixed"};

class Random {
public:
    explicit Random(uint32_t seed) : x_(seed * 2654435761u + 1) {}
    uint32_t below(uint32_t n) {
        x_ ^= x_ << 13;
        x_ ^= x_ >> 17;
        x_ ^= x_ << 5;
        return x_ % n;
    }

private:
    uint32_t x_;
};

bool kanjiLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEB); }

// Characters of one kind appended to `out`.
void appendCharacter(Kind kind, Random& rnd, std::string& out) {
    static constexpr std::string_view kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    switch (kind) {
        case Kind::Numeric: out += static_cast<char>('0' + rnd.below(10)); return;
        case Kind::Alphanumeric: out += kAlnum[rnd.below(45)]; return;
        case Kind::Bytes: {
            // Anything that classifies as a byte on its own, NUL and high bytes included.
            int b;
            do b = static_cast<int>(rnd.below(256));
            while (kanjiLead(b) || kAlnum.find(static_cast<char>(b)) != std::string_view::npos);
            out += static_cast<char>(b);
            return;
        }
        case Kind::Kanji: {
            const int lead = rnd.below(4) ? 0x88 + static_cast<int>(rnd.below(0x18)) : 0xE0 + static_cast<int>(rnd.below(11));
            int trail = 0x40 + static_cast<int>(rnd.below(0xBC));
            if (trail >= 0x7F) ++trail;
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
            return;
        }
        case Kind::Mixed: return;
    }
}

// A text long enough for version 40 of any kind.
std::string makeText(Kind kind, uint32_t seed) {
    Random rnd(seed);
    std::string text;
    while (text.size() < static_cast<size_t>(kMaxTextBytes)) {
        if (kind != Kind::Mixed) {
            appendCharacter(kind, rnd, text);
            continue;
        }
        const Kind run = static_cast<Kind>(rnd.below(4));
        for (uint32_t n = 1 + rnd.below(run == Kind::Numeric ? 30 : 12); n > 0; --n) appendCharacter(run, rnd, text);
    }
    return text;
}

class QrDecode : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(std::system("command -v zbarimg >/dev/null"), 0)
            << "zbarimg is missing: install the Debian package zbar-tools (./kav3 test does)";
    }

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kav3-qr-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    // Encodes, draws and decodes; the decoder must give the text back.
    void roundTrip(int level, std::string_view text, int expectVersion, const std::string& what) {
        ASSERT_TRUE(enc_->encode(level, bytes(text))) << what;
        if (expectVersion) {
            ASSERT_EQ(enc_->version(), expectVersion) << what;
        }
        const fs::path image = dir_ / "symbol.pgm";
        ASSERT_TRUE(writeSymbolImage(*enc_, image.string(), kScale)) << what;
        const std::string decoded = decode(image);
        EXPECT_EQ(decoded.size(), text.size()) << what << ", version " << enc_->version() << ", mask " << enc_->mask();
        EXPECT_TRUE(decoded == text) << what << ", version " << enc_->version() << ", mask " << enc_->mask();
    }

    // The longest prefix of `text` that still fits `version` at `level`.
    size_t longestFitting(int level, std::string_view text, int version) {
        size_t lo = 1, hi = text.size();
        while (lo < hi) {
            const size_t mid = (lo + hi + 1) / 2;
            const bool fits = enc_->plan(level, bytes(text.substr(0, mid))) && enc_->version() <= version;
            if (fits) lo = mid;
            else hi = mid - 1;
        }
        return lo;
    }

    std::unique_ptr<Encoder> enc_ = std::make_unique<Encoder>();
    fs::path dir_;
};

// Each version at each level, filled to the brim; the kind of text turns with
// the version so that every kind meets every level and version group.
TEST_P(QrDecode, EveryVersionFilled) {
    const int level = GetParam();
    std::string texts[kKinds];
    for (int k = 0; k < kKinds; ++k) texts[k] = makeText(static_cast<Kind>(k), static_cast<uint32_t>(k * 7 + level));
    for (int version = kMinVersion; version <= kMaxVersion; ++version) {
        for (int k : {(version + level) % kKinds, (version + level + 2) % kKinds}) {
            const std::string_view text = std::string_view(texts[k]).substr(0, longestFitting(level, texts[k], version));
            roundTrip(level, text, version, "level " + std::to_string(level) + ", " + kKindNames[k]);
        }
    }
}

// Short texts of every kind, including the characters at the edges of the
// Kanji ranges, a lone lead byte at the end and the segment merges.
TEST_P(QrDecode, ShortTexts) {
    const int level = GetParam();
    const std::string_view texts[] = {
        "0",
        "A",
        "a",
        "1A",
        "12345678901234567890123456A",
        "HELLO WORLD",
        "hello world",
        "aA1234a",
        "\x81\x40\x9F\xFC\xE0\x40\xEA\xA4",  // 　 and the last characters of both lead ranges
        "QR\x83\x52\x81\x5B\x83\x68 2024\x94\x4E abc",  // QRコード 2024年 abc
        "\x8A\xBF\x8E\x9A\x88",                          // 漢字 and a lone lead byte
        std::string_view("\0\x01\x7F\x80\xFF", 5),
    };
    for (std::string_view text : texts) roundTrip(level, text, 0, "level " + std::to_string(level));
}

INSTANTIATE_TEST_SUITE_P(Levels, QrDecode, ::testing::Values(0, 1, 2, 3),
                         [](const ::testing::TestParamInfo<int>& p) { return std::string(1, "LMQH"[p.param]); });

}  // namespace
}  // namespace kav::qr
