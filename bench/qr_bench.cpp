// QR encoding: version 40 symbols, the largest, from texts that fill them. The
// segment choice, error correction and all eight mask penalties are measured.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "graphics/qr_code.h"

namespace {

// Runs of digits, capitals, lower case and Kanji, so that every merging rule has work.
std::string mixedText(size_t length) {
    static const char* const kRuns[] = {"31415926", "HELLO QR", "kav three", "\x8A\xBF\x8E\x9A"};
    std::string text;
    for (size_t i = 0; text.size() < length; ++i) text += kRuns[i * 7 % 4];
    text.resize(length);
    return text;
}

void encodeVersion40(benchmark::State& state, int level, size_t length) {
    const std::string text = mixedText(length);
    auto encoder = std::make_unique<kav::qr::Encoder>();
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!encoder->encode(level, {bytes, text.size()}) || encoder->version() != 40) {
        state.SkipWithError("the text does not make a version 40 symbol");
        return;
    }
    for (auto _ : state) {
        bool ok = encoder->encode(level, {bytes, text.size()});
        benchmark::DoNotOptimize(ok);
    }
}

void BM_QrVersion40L(benchmark::State& state) { encodeVersion40(state, 0, 2900); }
BENCHMARK(BM_QrVersion40L)->Unit(benchmark::kMillisecond);

void BM_QrVersion40H(benchmark::State& state) { encodeVersion40(state, 3, 1250); }
BENCHMARK(BM_QrVersion40H)->Unit(benchmark::kMillisecond);

}  // namespace
