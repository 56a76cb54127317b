// The file commands on a real run window under Wine, with real files.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "win32/control_messages_win.h"
#include "files/open_file_win.h"
#include "run_fixture_win.h"

namespace kav::test {
namespace {

class Files : public RunWindowTest {
protected:
    Files() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "kav3_files_test_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    ~Files() override {
        e.part<OpenFile>().close();
        for (const char* name : {"a.dat", "t.txt", "copy.txt"}) DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }
    std::string path(const char* name) const { return folder + name; }
    std::string bytes(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Built by appending: GCC 12 warns falsely about "\"" + std::string.
    std::string quoted(const char* name) const { return std::string(1, '"').append(path(name)).append(1, '"'); }

    std::string folder;
};

TEST_F(Files, BytesWrittenByPositionAreOnDiskAndReadBack) {
    const std::string a = quoted("a.dat");
    ASSERT_TRUE(start("W{OpenFileWrite(" + a + ");WriteFile(0,65);WriteFile(1,66);WriteFile(10,300);CloseFile;}"
                      "R{OpenFileRead(" + a + ");b10=ReadFile(10);b5=ReadFile(5);end11=ReadFile(11);"
                      "neg=ReadFile(-1);CloseFile;len=GetFileLength(" + a + ");}"));
    ASSERT_EQ(exec("W"), 0);
    EXPECT_EQ(bytes("a.dat"), std::string("AB\0\0\0\0\0\0\0\0,", 11));
    EXPECT_EQ(e.fileName, path("a.dat"));
    ASSERT_EQ(exec("R"), 0);
    EXPECT_EQ(var("b10"), 44);
    EXPECT_EQ(var("b5"), 0);
    EXPECT_EQ(var("end11"), -1);
    EXPECT_EQ(var("neg"), -1);
    EXPECT_EQ(var("len"), 11);
}

TEST_F(Files, AFailedOpenStillNamesTheFile) {
    const std::string missing = quoted("missing.dat");
    ASSERT_TRUE(start("A{OpenFileRead(" + missing + ");}B{CloseFile;}C{len=GetFileLength(\"FILE_NAME\");}"));
    EXPECT_EQ(exec("A"), 15);
    EXPECT_EQ(e.fileName, path("missing.dat"));
    EXPECT_EQ(exec("B"), 5);
    ASSERT_EQ(exec("C"), 0);
    EXPECT_EQ(var("len"), -1);
}

TEST_F(Files, OneFileAtATime) {
    const std::string a = quoted("a.dat");
    ASSERT_TRUE(start("A{OpenFileWrite(" + a + ");}B{OpenFileRead(" + a + ");}C{FileNameDlgW(\"t\",\"x\",1);}"
                      "D{OpenFileReadDlg(\"t\");}E{CloseFile;}F{r=FileNameDlgR(\"t\",\"x\",16);}G{CloseFile();}"));
    ASSERT_EQ(exec("A"), 0);
    EXPECT_EQ(exec("B"), 17);
    EXPECT_EQ(exec("C"), 17);
    EXPECT_EQ(e.sys.answer, -1);
    EXPECT_EQ(exec("D"), 17);
    ASSERT_EQ(exec("E"), 0);
    EXPECT_EQ(exec("F"), 16);  // refused before any dialog shows
    EXPECT_EQ(exec("G"), 5);
}

TEST_F(Files, AnErrorInASectionClosesTheOpenFile) {
    ASSERT_TRUE(start("A{OpenFileWrite(" + quoted("a.dat") + ");x=1/0;}"));
    run("A");
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(e.part<OpenFile>().isOpen());
}

TEST_F(Files, LongPathsAreRefused) {
    // Literal arguments are too short for such a name; an edit box holds it.
    ASSERT_TRUE(start("CREATE{CreateControl(101,\"\",\"ID_e\",0,0,300,20);}"
                      "A{OpenFileWrite(\"ID_e\");}B{n=GetFileLength(\"ID_e\");}"));
    SetWindowTextA(control("ID_e"), (folder + std::string(260, 'x')).c_str());
    EXPECT_EQ(exec("A"), 15);
    EXPECT_EQ(e.fileName.size(), 259u);
    ASSERT_EQ(exec("B"), 0);
    EXPECT_EQ(var("n"), -1);
}

TEST_F(Files, TextsBetweenFilesAndEdits) {
    {
        std::ofstream out(path("t.txt"), std::ios::binary);
        out << "line1\r\nあい";
        out.put('\0');
        out << "hidden";
    }
    ASSERT_TRUE(start("CREATE{CreateControl(100,\"\",\"ID_m\",0,0,200,90);CreateControl(101,\"\",\"ID_e\",0,100,300,20);"
                      "CreateControl(0,\"\",\"ID_p\",0,130,50,20);}"
                      "A{OpenFileRead(" + quoted("t.txt") + ");ReadFileToEdit(\"ID_m\");CloseFile;"
                      "OpenFileWrite(" + quoted("copy.txt") + ");WriteFileFromEdit(\"ID_m\");CloseFile;}"
                      "B{ReadFileToEdit(\"ID_m\");}C{OpenFileRead(" + quoted("t.txt") + ");ReadFileToEdit(\"ID_p\");}"
                      "D{GetFilePath(\"ID_e\",\"C:\\dir\\a.txt\");GetFileName(\"ID_e\",\"C:\\dir\\a.txt\");}"
                      "E{GetFileName(\"ID_m\",\"a\");}"));
    ASSERT_EQ(exec("A"), 0);
    EXPECT_EQ(ctl::windowText(control("ID_m")), "line1\r\nあい");
    EXPECT_EQ(bytes("copy.txt"), "line1\r\nあい");
    EXPECT_EQ(exec("B"), 5);
    EXPECT_EQ(exec("C"), 26);
    e.part<OpenFile>().close();
    ASSERT_EQ(exec("D"), 0);
    EXPECT_EQ(ctl::windowText(control("ID_e")), "C:\\dir\\a.txt");
    EXPECT_EQ(exec("E"), 26);
}

}  // namespace
}  // namespace kav::test
