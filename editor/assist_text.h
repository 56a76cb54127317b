// The texts the assist dialogs write for the editor, and the rules behind
// their controls, apart from the dialogs themselves.
#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kav::editor {

// The longest text an assist produces: a 255-byte file path in double quotes.
constexpr size_t kAssistOutputMax = 257;

// The text an assist hands to the editor to paste or copy. It never holds more
// than kAssistOutputMax bytes and is always NUL-terminated.
class AssistOutput {
public:
    // Replaces the text; one that does not fit is cut after its last whole
    // character that does.
    void set(std::string_view text);
    std::string_view text() const { return {buffer_, size_}; }
    const char* c_str() const { return buffer_; }

private:
    char buffer_[kAssistOutputMax + 1] = {};
    size_t size_ = 0;
};

// --- Palette ---------------------------------------------------------------

struct Rgb {
    int red = 0, green = 0, blue = 0;
};

// The scroll codes the palette's bars act on (the system's SB_ values).
constexpr int kScrollLineLeft = 0, kScrollLineRight = 1, kScrollThumbTrack = 5;
constexpr int kColourMax = 255;

// A colour value after a scroll event: a line step left or right within 0 to
// 255, the box's position while it is dragged; other events leave it.
int scrolledColour(int value, int code, int thumbPosition);

// "SetPal(n,R,G,B) ;" with CR LF, or only "R,G,B".
std::string paletteText(const Rgb& colour, bool dataOnly);

// --- Window style ----------------------------------------------------------

// The SetWinStyle line of radios 300 to 304 or the SetWinStyleOption line of
// 305 and 306; empty for any other id.
std::string windowStyleText(int radio);

// --- Controls --------------------------------------------------------------

struct ControlChoice {
    int radio;
    int type;  // the CreateControl type it stands for
};

// Every radio of the control dialog with its type, in type order.
std::span<const ControlChoice> controlChoices();

// The type a radio stands for; nothing for an id that is no control radio.
std::optional<int> controlType(int radio);

// "CreateControl(type,...) ;" with CR LF.
std::string controlText(int type);

// --- Fonts -----------------------------------------------------------------

constexpr size_t kFontNamesMax = 512;
constexpr size_t kFontNameSlot = 64;

// The face names offered by the font dialog, in the order they were found:
// at most 512, each cut to what a 64-byte slot holds.
class FontNames {
public:
    // Keeps a name while there is room; false once the table is full, which
    // ends the enumeration.
    bool add(std::string_view face);
    const std::vector<std::string>& names() const { return names_; }

private:
    std::vector<std::string> names_;
};

// Font styles: 0 standard, 1 italic, 2 bold, 3 both.
inline bool isBold(int style) { return style == 2 || style == 3; }
inline bool isItalic(int style) { return style == 1 || style == 3; }

// "SetFont(\"face\",style) ;" with CR LF, or the bare face name.
std::string fontText(std::string_view face, int style, bool nameOnly);

// --- File names ------------------------------------------------------------

// The path in double quotes, as a script's text argument.
std::string quotedPath(std::string_view path);

}  // namespace kav::editor
