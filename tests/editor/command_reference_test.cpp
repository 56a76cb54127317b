#include "editor/command_reference.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "editor/assist_text.h"
#include "engine/commands.h"
#include "engine/sysvars.h"

namespace kav::editor {
namespace {

constexpr size_t kSections = 15, kVariables = 16;

// The name a template is about: after an assignment's "n = ", the leading
// identifier; a quoted template is a pseudo-string and keeps its quotes.
std::string namedIn(std::string_view text) {
    if (text.starts_with("n = ")) text.remove_prefix(4);
    if (text.starts_with('"')) return std::string(text);
    size_t end = 0;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
    return std::string(text.substr(0, end));
}

const KnownCommand* known(std::string_view name) {
    for (const KnownCommand& k : knownCommands())
        if (name == k.name) return &k;
    return nullptr;
}

std::set<std::string> namesOfCategories(size_t from, size_t to) {
    std::set<std::string> names;
    const auto all = commandReference();
    for (size_t c = from; c < to; ++c)
        for (const ReferenceEntry& e : all[c].entries) names.insert(namedIn(e.text));
    return names;
}

TEST(CommandReference, HoldsSeventeenCategoriesOf229Entries) {
    const auto all = commandReference();
    ASSERT_EQ(all.size(), 17u);
    size_t total = 0;
    for (const ReferenceCategory& c : all) {
        EXPECT_FALSE(c.entries.empty()) << c.name;
        total += c.entries.size();
    }
    EXPECT_EQ(total, 229u);
    EXPECT_STREQ(all[0].entries[0].text, "Box(scr,XL,YT,XR,YB,OC,IC) ;");
    EXPECT_STREQ(all[kVariables].entries.back().text, "SEC");
}

TEST(CommandReference, EveryEntryHasOneLineOfExplanation) {
    for (const ReferenceCategory& c : commandReference())
        for (const ReferenceEntry& e : c.entries) {
            const std::string_view line = e.explanation;
            EXPECT_FALSE(line.empty()) << e.text;
            EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << e.text;
        }
}

TEST(CommandReference, InsertedTextEndsAsItsCategoryAsks) {
    const auto all = commandReference();
    EXPECT_EQ(insertedText(all[0], 0), "Box(scr,XL,YT,XR,YB,OC,IC) ;\r\n");
    EXPECT_EQ(insertedText(all[14], 0), "loop(n){ 処理内容 }\r\n");
    size_t timer = 0;
    while (std::string_view(all[kSections].entries[timer].text) != "TIMER") ++timer;
    EXPECT_EQ(insertedText(all[kSections], timer), "TIMER\r\n{\r\n\r\n}\r\n");
    EXPECT_EQ(insertedText(all[kVariables], 0), "MOUSE_X");
    for (size_t c = 0; c < all.size(); ++c) {
        const TemplateEnd want = c < kSections ? TemplateEnd::LineEnd
                                 : c == kSections ? TemplateEnd::SectionBody
                                                  : TemplateEnd::Nothing;
        EXPECT_EQ(all[c].end, want) << all[c].name;
    }
}

TEST(CommandReference, EveryInsertedTextFitsTheAssistOutput) {
    for (const ReferenceCategory& c : commandReference())
        for (size_t i = 0; i < c.entries.size(); ++i) {
            const std::string text = insertedText(c, i);
            AssistOutput out;
            out.set(text);
            EXPECT_EQ(out.text(), text);
        }
}

TEST(CommandReference, EveryCommandTemplateNamesAKnownCommand) {
    for (const std::string& name : namesOfCategories(0, kSections)) EXPECT_NE(known(name), nullptr) << name;
    // Templates that are no statement are the value functions.
    for (const ReferenceEntry& e : commandReference()[13].entries) {
        const std::string_view text = e.text;
        if (text.ends_with(";")) continue;
        const KnownCommand* k = known(namedIn(text));
        ASSERT_NE(k, nullptr) << text;
        EXPECT_TRUE(k->tables & kValue) << text;
    }
}

TEST(CommandReference, EveryVariableIsASystemVariableOrTheFileName) {
    for (const ReferenceEntry& e : commandReference()[kVariables].entries) {
        const std::string_view name = e.text;
        if (name.starts_with('"')) EXPECT_EQ(name, "\"FILE_NAME\"");
        else EXPECT_NE(findSysVar(name), SysVar::None) << name;
    }
}

// The commands the reference does not offer: the older menu and video-window
// forms and the I/O board's commands. Listed so that a command added to the
// interpreter without a reference entry is noticed.
constexpr const char* kNotInReference[] = {
    "PopupMenu", "MciOpenWin", "MciOpenFile", "MciPlay", "OpenUsbIO", "ReOpenUsbIO", "UsbSet4Get1", "UsbSetData",
    "UsbGetData",
};

TEST(CommandReference, EveryCommandOfTheInterpreterIsThereOrKnowinglyLeftOut) {
    const std::set<std::string> offered = namesOfCategories(0, kSections);
    std::set<std::string> leftOut(std::begin(kNotInReference), std::end(kNotInReference));
    for (const KnownCommand& k : knownCommands())
        EXPECT_TRUE(offered.count(k.name) != leftOut.count(k.name)) << k.name;
    for (const std::string& name : leftOut) EXPECT_NE(known(name), nullptr) << name;
}

#ifdef KAV3_SOURCE_DIR
// The run window raises its events by name; no table of them exists apart
// from its code, so the reference's sections are looked for there.
TEST(CommandReference, EverySectionIsAnEventTheRunWindowRaises) {
    std::set<std::string> raised;
    for (const auto& f : std::filesystem::directory_iterator(std::filesystem::path(KAV3_SOURCE_DIR) / "runwin")) {
        if (f.path().extension() != ".cpp") continue;
        std::ifstream in(f.path());
        std::stringstream code;
        code << in.rdbuf();
        // Every upper-case string literal of the file.
        const std::string text = code.str();
        for (size_t open = text.find('"'); open != std::string::npos; open = text.find('"', open + 1)) {
            size_t end = open + 1;
            while (end < text.size() && std::isupper(static_cast<unsigned char>(text[end]))) ++end;
            if (end > open + 1 && end < text.size() && text[end] == '"') raised.insert(text.substr(open + 1, end - open - 1));
        }
    }
    ASSERT_FALSE(raised.empty());
    for (const ReferenceEntry& e : commandReference()[kSections].entries)
        EXPECT_TRUE(raised.count(e.text)) << e.text;
}
#endif

}  // namespace
}  // namespace kav::editor
