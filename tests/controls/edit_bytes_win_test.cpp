// SetEditCode a byte at a time into a real edit under Wine: the pair of a
// double-byte character goes in whole, and what meets a waiting lead byte
// (readers, other inserts, selection moves, files) gets a defined answer.
#include <windows.h>

#include <cstdio>
#include <string>

#include "run_fixture_win.h"
#include "win32/control_messages_win.h"

namespace kav::test {
namespace {

class EditBytes : public RunWindowTest {
protected:
    // What the edit makes of a lone lead byte 8A, the way it takes any lone byte.
    std::string alone() {
        HWND scratch = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
        SetWindowTextA(scratch, "\x8a");
        std::string t = ctl::windowText(scratch);
        DestroyWindow(scratch);
        return t;
    }
};

constexpr char kTwoEdits[] = "CREATE{CreateControl(101,\"漢字かなabc\",\"ID_a\",0,0,200,20);"
                             "CreateControl(100,\"\",\"ID_b\",0,30,200,60);CreateControl(101,\"\",\"ID_c\",0,100,200,20);}"
                             "INIT{n=0;}ID_b{n=n+1;}";

TEST_F(EditBytes, AByteCopyReadsBackTheSameTextAndChangesOncePerCharacter) {
    ASSERT_TRUE(start(std::string(kTwoEdits) +
                      "ONE{SetEditText(\"ID_b\",\"x\");AllClearEdit(\"ID_b\");}"
                      "COPY{m=GetEditLengthB(\"ID_a\");i=0;loop(m){SetEditCode(\"ID_b\",GetEditCode(\"ID_a\",i));i=i+1;}"
                      "lb=GetEditLengthB(\"ID_b\");l=GetEditLength(\"ID_b\");}"));
    ASSERT_EQ(exec("ONE"), 0);
    const double perInsert = var("n") / 2;  // the insert, then the clearing
    ASSERT_GT(perInsert, 0);
    const double before = var("n");
    ASSERT_EQ(exec("COPY"), 0);
    EXPECT_EQ(text("ID_b"), "漢字かなabc");
    EXPECT_EQ(var("lb"), 11);
    EXPECT_EQ(var("l"), 7);
    EXPECT_EQ(var("n") - before, 7 * perInsert) << "one change per character, none for a waiting lead byte";
}

TEST_F(EditBytes, TheWaitOutlastsTheSectionAndReadersSeeWholeCharactersOnly) {
    ASSERT_TRUE(start(std::string(kTwoEdits) +
                      "LEAD{SetEditText(\"ID_b\",\"x\");SetEditCode(\"ID_b\",138);lb=GetEditLengthB(\"ID_b\");"
                      "l=GetEditLength(\"ID_b\");s=SearchEditText(\"ID_b\",0,\"x\");GetEditText(\"ID_b\",0,9,\"ID_c\");}"
                      "TRAIL{SetEditCode(\"ID_b\",191);lb=GetEditLengthB(\"ID_b\");c=GetEditCode(\"ID_b\",1);}"));
    ASSERT_EQ(exec("LEAD"), 0);
    EXPECT_EQ(text("ID_b"), "x");
    EXPECT_EQ(var("lb"), 1);
    EXPECT_EQ(var("l"), 1);
    EXPECT_EQ(var("s"), 0);
    EXPECT_EQ(text("ID_c"), "x") << "a copy takes the whole characters";
    EXPECT_EQ(table()[1].heldLead, 0x8a);
    ASSERT_EQ(exec("TRAIL"), 0);  // a later section, as a typed character's trail byte comes
    EXPECT_EQ(text("ID_b"), "x漢");
    EXPECT_EQ(var("lb"), 3);
    EXPECT_EQ(var("c"), static_cast<signed char>('\x8a'));
}

TEST_F(EditBytes, WhatCannotCompleteAWaitingLeadByteTakesItAloneFirst) {
    ASSERT_TRUE(start(std::string(kTwoEdits) +
                      "TEXT{SetEditCode(\"ID_b\",138);SetEditText(\"ID_b\",\"abc\");}"
                      "CRLF{AllClearEdit(\"ID_b\");SetEditCode(\"ID_b\",138);SetEditCode(\"ID_b\",13);"
                      "SetEditCode(\"ID_b\",10);}"
                      "CLEAR{AllClearEdit(\"ID_b\");SetEditCode(\"ID_b\",138);ClearEdit(\"ID_b\");}"
                      "INTO{AllClearEdit(\"ID_b\");SetEditCode(\"ID_b\",138);GetEditText(\"ID_a\",0,1,\"ID_b\");}"));
    const std::string lone = alone();
    ASSERT_FALSE(lone.empty());
    ASSERT_EQ(exec("TEXT"), 0);
    EXPECT_EQ(text("ID_b"), lone + "abc");
    ASSERT_EQ(exec("CRLF"), 0);
    EXPECT_EQ(text("ID_b"), lone + "\r\n") << "a line end is no trail byte and is kept";
    ASSERT_EQ(exec("CLEAR"), 0);
    EXPECT_EQ(text("ID_b"), lone);
    ASSERT_EQ(exec("INTO"), 0);
    EXPECT_EQ(text("ID_b"), lone + "漢");
    EXPECT_EQ(table()[1].heldLead, 0);
}

TEST_F(EditBytes, TheCharacterGoesWhereItWasStartedUnlessTheSelectionMoves) {
    ASSERT_TRUE(start(std::string(kTwoEdits) +
                      "ATEND{SetEditText(\"ID_b\",\"ab\");SetEditCode(\"ID_b\",138);SetEditCursol(\"ID_b\",-1,-1);"
                      "SetEditCode(\"ID_b\",191);}"
                      "AWAY{SetEditCode(\"ID_b\",138);SetEditCursol(\"ID_b\",0,0);SetEditCode(\"ID_b\",122);}"));
    ASSERT_EQ(exec("ATEND"), 0);
    EXPECT_EQ(text("ID_b"), "ab漢") << "putting the caret where it already is keeps the wait";
    ASSERT_EQ(exec("AWAY"), 0);
    EXPECT_EQ(text("ID_b"), "zab漢" + alone());
}

TEST_F(EditBytes, FilesGetTheWaitingLeadByteAndReadingAFileEndsTheWait) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(sizeof folder, folder), 0u);
    // Forward slashes: a script's literal would read \r and \t in a path as CR and tab.
    std::string path = std::string(folder) + "kav3_edit_bytes.txt";
    for (char& c : path)
        if (c == '\\') c = '/';
    ASSERT_TRUE(start(std::string(kTwoEdits) + "WRITE{SetEditText(\"ID_b\",\"ab\");OpenFileWrite(\"" + path +
                      "\");SetEditCode(\"ID_b\",138);WriteFileFromEdit(\"ID_b\");CloseFile;}"
                      "READ{SetEditCode(\"ID_b\",138);OpenFileRead(\"" + path +
                      "\");ReadFileToEdit(\"ID_b\");CloseFile;SetEditCode(\"ID_b\",191);}"));
    ASSERT_EQ(exec("WRITE"), 0);
    const std::string written = "ab" + alone();
    EXPECT_EQ(text("ID_b"), written) << "nothing the script wrote is left out of the file";
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char bytes[16] = {};
    const size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    EXPECT_EQ(std::string(bytes, n), written);
    ASSERT_EQ(exec("READ"), 0);
    // The waiting 8A went with the old text: BF alone is a half-width katakana.
    EXPECT_EQ(text("ID_b").size(), written.size() + 1);
    EXPECT_EQ(text("ID_b").find("\x8a\xbf"), std::string::npos);
    DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace kav::test
