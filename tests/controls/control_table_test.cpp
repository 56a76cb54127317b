#include <gtest/gtest.h>

#include <string>

#include "controls/control_table.h"

namespace kav {
namespace {

TEST(ControlTable, FieldsAreCutAtCharacterBoundaries) {
    ControlTable t;
    const std::string longText(100, 'x');
    ASSERT_TRUE(t.append(0, longText, std::string(50, 'n'), 1, 2, 3, 4));
    EXPECT_EQ(std::string(t[0].text), std::string(63, 'x'));
    EXPECT_EQ(std::string(t[0].name), std::string(35, 'n'));
    // 62 single bytes then a double-byte character: it does not fit whole.
    ASSERT_TRUE(t.append(0, std::string(62, 'a') + "あ", "ID_a", 0, 0, 0, 0));
    EXPECT_EQ(std::string(t[1].text), std::string(62, 'a'));
    ASSERT_TRUE(t.append(0, std::string(61, 'a') + "あ", "ID_b", 0, 0, 0, 0));
    EXPECT_EQ(std::string(t[2].text), std::string(61, 'a') + "あ");
    EXPECT_EQ(t[2].commandId, 602);
}

TEST(ControlTable, HoldsAtMost256AndFindsTheFirstOfAName) {
    ControlTable t;
    for (int i = 0; i < kControlMax; ++i) ASSERT_TRUE(t.append(0, "", i % 2 ? "ID_odd" : "ID_even", 0, 0, 0, 0));
    EXPECT_FALSE(t.append(0, "", "ID_more", 0, 0, 0, 0));
    EXPECT_EQ(t.count(), 256);
    EXPECT_EQ(t.find("ID_odd"), 1);
    EXPECT_EQ(t.find("ID_even"), 0);
    EXPECT_EQ(t.find("id_odd"), -1);
}

TEST(ControlTable, TruncateForgetsADialogsEntries) {
    ControlTable t;
    int marker = 0;
    ASSERT_TRUE(t.append(70, "", "ID_main", 0, 0, 0, 0));
    ASSERT_TRUE(t.append(101, "", "ID_dlg", 0, 0, 0, 0));
    t[1].window = &marker;
    t[1].heldLead = 0x82;
    EXPECT_EQ(t.findWindow(&marker, 0, 2), 1);
    EXPECT_EQ(t.findWindow(&marker, 0, 1), -1);
    EXPECT_EQ(t.findWindow(nullptr, 0, 2), -1);
    t.truncate(1);
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.find("ID_dlg"), -1);
    EXPECT_EQ(t.findWindow(&marker, 0, 256), -1);
    // The next dialog's edit at that index starts with no lead byte waiting.
    ASSERT_TRUE(t.append(101, "", "ID_next", 0, 0, 0, 0));
    EXPECT_EQ(t[1].window, nullptr);
    EXPECT_EQ(t[1].heldLead, 0);
}

TEST(ControlTable, FileNameIsSpecialOnlyWhenNoControlHasThatName) {
    ControlTable t;
    EXPECT_EQ(findControl(t, "FILE_NAME"), kFileNameControl);
    EXPECT_EQ(findControl(t, "ID_x"), kNotFound);
    ASSERT_TRUE(t.append(0, "", "FILE_NAME", 0, 0, 0, 0));
    EXPECT_EQ(findControl(t, "FILE_NAME"), 0);
}

TEST(ControlTable, TypeCodesChooseTheirWindowByRange) {
    EXPECT_EQ(controlClass(0), ControlClass::PushButton);
    EXPECT_EQ(controlClass(1), ControlClass::BitmapButton);
    EXPECT_EQ(controlClass(10), ControlClass::Radio);
    EXPECT_EQ(controlClass(20), ControlClass::Check);
    for (int t : {30, 33, 34, 39}) EXPECT_EQ(controlClass(t), ControlClass::Combo) << t;
    for (int t : {40, 41}) EXPECT_EQ(controlClass(t), ControlClass::List) << t;
    for (int t : {50, 52}) EXPECT_EQ(controlClass(t), ControlClass::GroupBox) << t;
    EXPECT_EQ(controlClass(60), ControlClass::Static);
    for (int t : {70, 71}) EXPECT_EQ(controlClass(t), ControlClass::ScrollBar) << t;
    for (int t : {100, 101}) EXPECT_EQ(controlClass(t), ControlClass::Edit) << t;
    for (int t : {-1, 2, 9, 11, 29, 42, 49, 53, 61, 72, 99, 102, 1000})
        EXPECT_EQ(controlClass(t), ControlClass::PushButton) << t;
}

TEST(ControlTable, CommandRangesAcceptByCodeNotByWindow) {
    EXPECT_TRUE(range::list(45));  // a push-button window, a list to the list commands
    EXPECT_FALSE(range::list(50));
    EXPECT_TRUE(range::button(29));
    EXPECT_FALSE(range::button(-1));
    EXPECT_TRUE(range::checkable(10));
    EXPECT_FALSE(range::checkable(0));
    EXPECT_TRUE(range::scroll(79));
    EXPECT_TRUE(range::edit(250));
    EXPECT_FALSE(range::singleLine(100));
}

TEST(ControlTable, CombosAndTheSortedListRunOnlyForASelectionChange) {
    for (int t : {30, 35, 39, 40}) {
        EXPECT_TRUE(notificationRuns(t, 1)) << t;
        EXPECT_FALSE(notificationRuns(t, 4)) << t;  // focus
        EXPECT_FALSE(notificationRuns(t, 5)) << t;
    }
    for (int t : {0, 41, 100, 101}) {
        EXPECT_TRUE(notificationRuns(t, 0)) << t;
        EXPECT_TRUE(notificationRuns(t, 0x100)) << t;  // an edit gaining the focus
    }
}

}  // namespace
}  // namespace kav
