#include "editor/app_image.h"

#include <cstring>

#include "engine/payload.h"
#include "engine/program_text.h"

namespace kav::editor {

namespace {

bool bytesAt(std::string_view s, size_t at, const unsigned char (&want)[4]) {
    return std::memcmp(s.data() + at, want, 4) == 0;
}

}  // namespace

std::optional<size_t> findIconSignature(std::string_view stub) {
    static constexpr unsigned char kWhite[4] = {0xFF, 0xFF, 0xFF, 0x00};
    static constexpr unsigned char kGrey[4] = {0x7F, 0x7F, 0x7F, 0x00};
    static constexpr unsigned char kRed[4] = {0x00, 0x00, 0xFF, 0x00};
    if (stub.size() < kIconPatchSize + 1) return std::nullopt;
    for (size_t p = stub.size() - kIconPatchSize; p >= 1; --p)
        if (bytesAt(stub, p, kWhite) && bytesAt(stub, p + 32, kGrey) && bytesAt(stub, p + 64, kRed)) return p;
    return std::nullopt;
}

bool patchIcon(std::string& stub, std::string_view iconFile) {
    if (iconFile.size() != kIconFileSize) return false;
    const auto at = findIconSignature(stub);
    if (!at) return false;
    stub.replace(*at, kIconPatchSize, iconFile.substr(kIconColoursAt, kIconPatchSize));
    return true;
}

uint32_t iconPreviewColour(std::string_view iconFile, int x, int y) {
    if (iconFile.size() != kIconFileSize || x < 0 || x > 31 || y < 0 || y > 31) return 0xFFFFFF;
    const auto k = static_cast<unsigned char>(iconFile[kIconPixelsAt + 32 * static_cast<size_t>(31 - y) + x]);
    if (k == 255) return 0xFFFFFF;
    const auto byte = [&](size_t at) { return static_cast<uint32_t>(static_cast<unsigned char>(iconFile[at])); };
    const size_t entry = kIconColoursAt + 4 * size_t{k};
    return byte(entry + 2) << 16 | byte(entry + 1) << 8 | byte(entry);
}

bool scriptFits(std::string_view script) { return compacted(script).size() < kScriptLimit; }

BuildResult assembleApplication(std::string& image, std::string_view script, const std::string* iconFile) {
    if (image.empty()) return BuildResult::NoStub;
    // The payload compacts the text; measure it first so nothing is appended
    // to a stub for a script that is refused.
    const std::string payload = scriptPayload(script);
    if (payload.size() - 8 >= kScriptLimit) return BuildResult::TooLarge;
    if (iconFile) patchIcon(image, *iconFile);
    image += payload;
    return BuildResult::Ok;
}

}  // namespace kav::editor
