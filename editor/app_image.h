// The bytes of a built application: the runtime stub, its icon optionally
// replaced, and the script payload after it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kav::editor {

// The only icon file the builder takes: one 32 x 32 image of 256 colours.
constexpr size_t kIconFileSize = 2238;
constexpr size_t kIconColoursAt = 62;     // colour table: blue, green, red, reserved
constexpr size_t kIconPixelsAt = 1086;    // colour indices, bottom row first
constexpr size_t kIconPatchSize = 2176;   // colour table, indices and mask
constexpr size_t kScriptLimit = 65536;    // compacted scripts must stay below this

// Position of the runtime's icon colour table in a stub (white as colour 0, mid
// grey as colour 8, pure red as colour 16), searched from the end; the whole
// replacement must fit inside the stub.
std::optional<size_t> findIconSignature(std::string_view stub);

// Overwrites the stub's icon with the colour table, pixels and mask of an
// accepted icon file. False, and the stub unchanged, when no icon is found.
bool patchIcon(std::string& stub, std::string_view iconFile);

// The colour (0xRRGGBB) an icon file gives the preview pixel at column x, row y
// (0 = top): index 255 is white, any other its colour-table entry.
uint32_t iconPreviewColour(std::string_view iconFile, int x, int y);

// Whether the script's compacted text stays below the limit of a payload.
bool scriptFits(std::string_view script);

enum class BuildResult { Ok, TooLarge, NoStub };

// Appends 0x00, the marker, the compacted script and 0x00 0x00 to the stub,
// replacing its icon first when one is given. The image is untouched on failure.
BuildResult assembleApplication(std::string& image, std::string_view script,
                                const std::string* iconFile = nullptr);

}  // namespace kav::editor
