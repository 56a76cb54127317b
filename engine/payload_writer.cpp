// Kept apart from the reader: the runtime links only the reader, so the marker
// bytes written here never end up in the runtime's image.
#include "engine/payload.h"
#include "engine/program_text.h"

namespace kav {

std::string scriptPayload(std::string_view script) {
    std::string text = compacted(script);
    std::string out;
    out.reserve(text.size() + 8);
    out.push_back('\0');
    for (unsigned char c : {0x40, 0x4B, 0x41, 0x56, 0x40}) out.push_back(static_cast<char>(c));
    out += text;
    out.append(2, '\0');
    return out;
}

}  // namespace kav
