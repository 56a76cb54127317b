#include "editor/assist_text.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "editor/resource_ids.h"
#include "engine/sjis.h"

namespace kav::editor {

namespace {

constexpr ControlChoice kControlChoices[] = {
    {IDC_CONTROL_PUSH, 0},
    {IDC_CONTROL_BITMAP_BUTTON, 1},
    {IDC_CONTROL_RADIO, 10},
    {IDC_CONTROL_CHECK, 20},
    {IDC_CONTROL_COMBO_EDIT_SORTED, 30},
    {IDC_CONTROL_COMBO_EDIT, 31},
    {IDC_CONTROL_COMBO_LIST_SORTED, 32},
    {IDC_CONTROL_COMBO_LIST, 33},
    {IDC_CONTROL_LIST_SORTED, 40},
    {IDC_CONTROL_LIST, 41},
    {IDC_CONTROL_GROUP_LEFT, 50},
    {IDC_CONTROL_GROUP_CENTRE, 51},
    {IDC_CONTROL_GROUP_RIGHT, 52},
    {IDC_CONTROL_STATIC, 60},
    {IDC_CONTROL_HSCROLL, 70},
    {IDC_CONTROL_VSCROLL, 71},
    {IDC_CONTROL_MULTI_EDIT, 100},
    {IDC_CONTROL_SINGLE_EDIT, 101},
};

// Builds a text from pieces; "literal" + std::string trips a false -Wrestrict in GCC 12.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out += p;
    return out;
}

}  // namespace

void AssistOutput::set(std::string_view text) {
    const std::string_view kept = cutToChars(text, kAssistOutputMax);
    std::memcpy(buffer_, kept.data(), kept.size());
    size_ = kept.size();
    buffer_[size_] = '\0';
}

int scrolledColour(int value, int code, int thumbPosition) {
    switch (code) {
    case kScrollLineLeft: return std::max(value - 1, 0);
    case kScrollLineRight: return std::min(value + 1, kColourMax);
    // The bar's range is 0 to 255; a position from elsewhere is held to it.
    case kScrollThumbTrack: return std::clamp(thumbPosition, 0, kColourMax);
    default: return value;
    }
}

std::string paletteText(const Rgb& colour, bool dataOnly) {
    const std::string data =
        joined({std::to_string(colour.red), ",", std::to_string(colour.green), ",", std::to_string(colour.blue)});
    return dataOnly ? data : joined({"SetPal(n,", data, ") ;\r\n"});
}

std::string windowStyleText(int radio) {
    // The radios stand for the styles 0 to 4, then for the outlines 1 and 2.
    if (radio >= IDC_STYLE_0 && radio <= IDC_STYLE_4)
        return joined({"SetWinStyle(", std::to_string(radio - IDC_STYLE_0), ") ;\r\n"});
    if (radio >= IDC_OUTLINE_ROUND && radio <= IDC_OUTLINE_ELLIPSE)
        return joined({"SetWinStyleOption(", std::to_string(radio - IDC_STYLE_4), ",80,80) ;\r\n"});
    return {};
}

std::span<const ControlChoice> controlChoices() { return kControlChoices; }

std::optional<int> controlType(int radio) {
    for (const ControlChoice& c : kControlChoices)
        if (c.radio == radio) return c.type;
    return std::nullopt;
}

std::string controlText(int type) {
    return joined({"CreateControl(", std::to_string(type), ",\"str\",\"ID_control\",x,y,w,h) ;\r\n"});
}

bool FontNames::add(std::string_view face) {
    if (names_.size() < kFontNamesMax) names_.emplace_back(cutToChars(face, kFontNameSlot - 1));
    return names_.size() < kFontNamesMax;
}

std::string fontText(std::string_view face, int style, bool nameOnly) {
    if (nameOnly) return std::string(face);
    return joined({"SetFont(\"", face, "\",", std::to_string(style), ") ;\r\n"});
}

std::string quotedPath(std::string_view path) { return joined({"\"", path, "\""}); }

}  // namespace kav::editor
