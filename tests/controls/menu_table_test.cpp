// The menu table decides which section an item runs and which item
// SetMenuStyle changes; its limits must refuse, never overrun.
#include <gtest/gtest.h>

#include <string>

#include "controls/menu_table.h"
#include "controls/message_box.h"

namespace kav {
namespace {

TEST(MenuTable, ItemsTakeIdentifiersInOrderSeparatorsIncluded) {
    MenuTable t;
    ASSERT_EQ(t.declareMenu("File"), Status::Ok);
    ASSERT_EQ(t.addItem("Open", "ID_open"), Status::Ok);
    ASSERT_EQ(t.addItem("---", "---"), Status::Ok);
    ASSERT_EQ(t.declareMenu("Empty"), Status::Ok);
    ASSERT_EQ(t.declareMenu("Edit"), Status::Ok);
    ASSERT_EQ(t.addItem("Copy", "Copy"), Status::Ok);
    EXPECT_EQ(t.section(1), "ID_open");
    EXPECT_EQ(t.section(2), "---");
    EXPECT_EQ(t.section(3), "Copy");
    EXPECT_EQ(t.section(0), "");
    EXPECT_EQ(t.section(4), "") << "no item yet";
    EXPECT_EQ(t.section(-1), "");
    EXPECT_EQ(t.section(599), "");
    ASSERT_EQ(t.menus().size(), 3u);
    EXPECT_TRUE(t.menus()[1].items.empty());
    EXPECT_TRUE(t.menus()[0].items[1].separator());
    EXPECT_EQ(t.menus()[2].items[0].id, 3);
}

TEST(MenuTable, FindTakesTheLowestExactMatchAnywhere) {
    MenuTable t;
    ASSERT_EQ(t.declareMenu("A"), Status::Ok);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(t.addItem("x", "ID_" + std::to_string(i)), Status::Ok);
    ASSERT_EQ(t.addItem("again", "ID_3"), Status::Ok);
    EXPECT_EQ(t.find("ID_3"), 4);
    // Items past 16 per menu are found too: a single long menu is common.
    EXPECT_EQ(t.find("ID_39"), 40);
    EXPECT_EQ(t.find("ID_"), 0) << "exact match only";
    EXPECT_EQ(t.find("id_3"), 0) << "case matters";
    EXPECT_EQ(t.find("ID_40"), 0);
}

TEST(MenuTable, LimitsAreRefused) {
    MenuTable t;
    EXPECT_EQ(t.addItem("Open", "Open"), Status::MenuInvalid) << "an item before any menu";
    for (int i = 0; i < MenuTable::kMaxMenus; ++i) ASSERT_EQ(t.declareMenu("m"), Status::Ok);
    EXPECT_EQ(t.declareMenu("seventeenth"), Status::MenuInvalid);
    for (int id = 1; id <= MenuTable::kMaxItemId; ++id) ASSERT_EQ(t.addItem("i", "ID_i"), Status::Ok);
    EXPECT_EQ(t.addItem("one too many", "ID_x"), Status::MenuInvalid);
    EXPECT_EQ(t.section(255), "ID_i");
    MenuTable u;
    ASSERT_EQ(u.declareMenu("m"), Status::Ok);
    EXPECT_EQ(u.addItem("long", std::string(32, 'a')), Status::Ok);
    EXPECT_EQ(u.addItem("longer", std::string(33, 'a')), Status::MenuInvalid) << "a name that could never run";
    EXPECT_EQ(u.section(2), "") << "the refused item took no identifier";
}

TEST(MenuTable, TitlesAreCutAtACharacterBoundary) {
    MenuTable t;
    ASSERT_EQ(t.declareMenu(std::string(40, 'T')), Status::Ok);
    EXPECT_EQ(t.menus()[0].title, std::string(32, 'T'));
    // 31 single bytes, then a double-byte character that would end at byte 33.
    ASSERT_EQ(t.declareMenu(std::string(31, 'a') + "\x83\x81" "b"), Status::Ok);
    EXPECT_EQ(t.menus()[1].title, std::string(31, 'a'));
    ASSERT_EQ(t.declareMenu(std::string(30, 'a') + "\x83\x81" "b"), Status::Ok);
    EXPECT_EQ(t.menus()[2].title, std::string(30, 'a') + "\x83\x81");
}

TEST(MenuTable, ResetForgetsEverything) {
    MenuTable t;
    ASSERT_EQ(t.declareMenu("File"), Status::Ok);
    ASSERT_EQ(t.addItem("Open", "Open"), Status::Ok);
    t.reset();
    EXPECT_FALSE(t.declared());
    EXPECT_EQ(t.find("Open"), 0);
    EXPECT_EQ(t.section(1), "");
    EXPECT_EQ(t.addItem("Open", "Open"), Status::MenuInvalid);
    ASSERT_EQ(t.declareMenu("File"), Status::Ok);
    ASSERT_EQ(t.addItem("Save", "Save"), Status::Ok);
    EXPECT_EQ(t.find("Save"), 1) << "identifiers start at 1 again";
}

TEST(MessageBoxChoices, ButtonsIconsAndResults) {
    EXPECT_EQ(messageBoxButtons(2), 0x1u);
    EXPECT_EQ(messageBoxButtons(3), 0x4u);
    EXPECT_EQ(messageBoxButtons(4), 0x3u);
    for (int other : {0, 1, 5, -1}) EXPECT_EQ(messageBoxButtons(other), 0x0u) << other;
    EXPECT_EQ(messageBoxIcon(1), 0x30u);
    EXPECT_EQ(messageBoxIcon(2), 0x40u);
    EXPECT_EQ(messageBoxIcon(3), 0x20u);
    EXPECT_EQ(messageBoxIcon(4), 0x10u);
    for (int other : {0, 5, -4}) EXPECT_EQ(messageBoxIcon(other), 0x0u) << other;
    EXPECT_EQ(messageBoxResult(1), 1);   // OK
    EXPECT_EQ(messageBoxResult(6), 1);   // Yes
    EXPECT_EQ(messageBoxResult(7), 0);   // No
    EXPECT_EQ(messageBoxResult(2), -1);  // Cancel
    EXPECT_EQ(messageBoxResult(0), -1);  // the box could not be shown
}

}  // namespace
}  // namespace kav
