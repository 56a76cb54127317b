// The bitmap commands on a real run window under Wine: files that are no
// good BMPs, the open-file guard, saves that fail without leaving a file
// behind, and the clipboard copy.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "engine/status.h"
#include "graphics/screens_win.h"
#include "run_fixture_win.h"

namespace kav::test {
namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 1 x 1 24-bit file whose fields the tests then spoil.
Bytes goodFile() {
    Bytes f(58, 0);
    f[0] = 'B';
    f[1] = 'M';
    put32(f, 2, 58);
    put32(f, 10, 54);
    put32(f, 14, 40);
    put32(f, 18, 1);
    put32(f, 22, 1);
    f[26] = 1;
    f[28] = 24;
    f[56] = 0xFF;  // red
    return f;
}

// A scratch folder of this test, removed with what is left in it.
class Folder {
public:
    Folder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        path_ = std::string(temp) + "kav3bmp" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~Folder() {
        for (const std::string& name : names()) DeleteFileA((path_ + "\\" + name).c_str());
        RemoveDirectoryA((path_ + "\\dir.bmp").c_str());
        RemoveDirectoryA(path_.c_str());
    }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    std::string write(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return file(name);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return found;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") found.push_back(name);
        } while (FindNextFileA(h, &data));
        FindClose(h);
        std::sort(found.begin(), found.end());
        return found;
    }
    int64_t size(const std::string& name) const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(file(name).c_str(), GetFileExInfoStandard, &data)) return -1;
        return (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }

private:
    std::string path_;
};

// prefix, i, suffix; built by appending (operator+ on a temporary trips GCC
// 12's -Wrestrict).
std::string numbered(const char* prefix, size_t i, const char* suffix = "") {
    std::string s = prefix;
    s.append(std::to_string(i)).append(suffix);
    return s;
}

constexpr uint8_t kFileOpenFailed = static_cast<uint8_t>(Status::FileOpenFailed);

class Bitmaps : public RunWindowTest {
protected:
    // A run window with sub-screen 1 (8 x 4) cleared to grey and a section
    // per statement: S0, S1, ...
    bool startWith(const std::vector<std::string>& statements) {
        std::string script = "CREATE{SetWinSize(200,100);SubScreen(1,8,4);}INIT{FullPaint(1,14);}";
        for (size_t i = 0; i < statements.size(); ++i)
            script.append(numbered("S", i, "{")).append(statements[i]).append("}");
        return start(script);
    }
    uint8_t step(size_t i) { return exec(numbered("S", i).c_str()); }
    COLORREF pixel(int x, int y) { return GetPixel(screens(e).subScreenDC(1), x, y); }

    Folder folder;
};

TEST_F(Bitmaps, FilesThatAreNoGoodBmpGiveCode15AndDrawNothing) {
    std::vector<Bytes> hostile;
    hostile.push_back(Bytes{'B', 'M', 58, 0});              // cut inside the file header
    Bytes f = goodFile();
    f.resize(40);                                            // cut inside the info header
    hostile.push_back(f);
    f = goodFile();
    put32(f, 18, 0x7FFFFFFF);                                // a huge width
    hostile.push_back(f);
    f = goodFile();
    f[28] = 8;
    put32(f, 46, 0x00FFFFFF);                                // colours past the end
    hostile.push_back(f);
    f = goodFile();
    put32(f, 14, 12);                                        // a header of another layout
    hostile.push_back(f);
    hostile.push_back(Bytes{'n', 'o', ' ', 'B', 'M', 'P'});
    std::vector<std::string> statements;
    for (size_t i = 0; i < hostile.size(); ++i)
        statements.push_back("LoadBMP(1,0,0,\"" + folder.write(numbered("h", i, ".bmp"), hostile[i]) + "\");");
    statements.push_back("LoadBMP(1,0,0,\"" + folder.file("missing.bmp") + "\");");
    statements.push_back("LoadBMP(1,0,0,\"" + folder.write("good.bmp", goodFile()) + "\");");
    ASSERT_TRUE(startWith(statements));
    const std::string before = e.fileName;
    for (size_t i = 0; i + 1 < statements.size(); ++i) {
        EXPECT_EQ(step(i), kFileOpenFailed) << statements[i];
        EXPECT_EQ(pixel(0, 0), RGB(128, 128, 128)) << statements[i];
        EXPECT_EQ(e.fileName, before);
    }
    EXPECT_EQ(step(statements.size() - 1), 0);
    EXPECT_EQ(pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(e.fileName, folder.file("good.bmp"));
}

TEST_F(Bitmaps, NothingTouchesAFileWhileAScriptFileIsOpen) {
    const std::string good = folder.write("good.bmp", goodFile());
    const std::string out = folder.file("out.bmp");
    ASSERT_TRUE(startWith({"OpenFileRead(\"" + good + "\");", "LoadBMP(1,0,0,\"" + good + "\");",
                           "SaveBMP(1,0,0,8,4,\"" + out + "\");", "LoadGrpFile(1,0,0,\"" + good + "\");",
                           "r=LoadBMPDlg(1,0,0);", "SaveBMPDlg(1,0,0,8,4);", "LoadBMP(1,0,0);", "CloseFile;"}));
    ASSERT_EQ(step(0), 0);
    for (size_t i = 1; i <= 6; ++i) EXPECT_EQ(step(i), static_cast<uint8_t>(Status::FileAlreadyOpen)) << i;
    EXPECT_EQ(step(7), 0);
    EXPECT_EQ(pixel(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(folder.size("out.bmp"), -1);
}

TEST_F(Bitmaps, AFailedSaveLeavesNoFileBehind) {
    // A folder in the way of the name: the finished file cannot take its place.
    CreateDirectoryA(folder.file("dir.bmp").c_str(), nullptr);
    folder.write("old.bmp", Bytes(1000, 'x'));
    ASSERT_TRUE(startWith({"SaveBMP(1,0,0,8,4,\"" + folder.file("dir.bmp") + "\");",
                           "SaveBMP(1,0,0,8,4,\"" + folder.file("no\\such\\x.bmp") + "\");",
                           "SaveBMP(1,0,0,8,4,\"" + folder.file("old.bmp") + "\");",
                           "SaveBMP(1,0,0,0,4,\"" + folder.file("none.bmp") + "\");",
                           "SaveBMP(1,0,0,8,-4,\"" + folder.file("none.bmp") + "\");"}));
    EXPECT_EQ(step(0), kFileOpenFailed);
    EXPECT_EQ(e.fileName, folder.file("dir.bmp"));
    EXPECT_EQ(step(1), kFileOpenFailed);
    EXPECT_EQ(e.fileName, folder.file("no\\such\\x.bmp"));
    // Replacing a file works, and only the finished file is left.
    EXPECT_EQ(step(2), 0);
    EXPECT_EQ(folder.size("old.bmp"), 54 + 8 * 4 * 4);
    EXPECT_EQ(step(3), static_cast<uint8_t>(Status::ParamInvalid));
    EXPECT_EQ(step(4), static_cast<uint8_t>(Status::ParamInvalid));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"dir.bmp", "old.bmp"}));
}

TEST_F(Bitmaps, ClipBmpPutsTheBlockOnTheClipboard) {
    ASSERT_TRUE(startWith({"Point(1,2,1,2);Point(1,4,2,1);ClipBMP(1,2,1,3,2);", "ClipBMP(1,0,0,0,5);",
                           "ClipBMP(9,0,0,1,1);"}));
    ASSERT_EQ(step(0), 0);
    ASSERT_TRUE(OpenClipboard(window));
    HBITMAP clip = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(clip, nullptr);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(clip, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, clip);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(128, 128, 128));
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();
    // Nothing to copy leaves the clipboard as it was; a bad screen is code 16.
    EXPECT_EQ(step(1), 0);
    ASSERT_TRUE(OpenClipboard(window));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), clip);
    CloseClipboard();
    EXPECT_EQ(step(2), static_cast<uint8_t>(Status::ParamInvalid));
}

// Screen 0 has no pixels of its own: both commands take what the display
// shows, and negative coordinates of CopyBMP reach outside the window.
TEST_F(Bitmaps, TheWindowScreensAreTakenFromTheDisplay) {
    ASSERT_TRUE(startWith({"Box(0,0,0,20,20,2,2);", "ClipBMP(0,5,5,2,2);", "CopyBMP(0,-3,-3,6,6,1,0,0,6,6,0);"}));
    ASSERT_EQ(step(0), 0);
    // The system shows what was drawn on its own time.
    for (DWORD until = GetTickCount() + 300; GetTickCount() < until;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    ASSERT_EQ(step(1), 0);
    ASSERT_TRUE(OpenClipboard(window));
    HBITMAP clip = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(clip, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, clip);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    CloseClipboard();

    ASSERT_EQ(step(2), 0);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC desktop = GetDC(nullptr);
    EXPECT_EQ(pixel(0, 0), GetPixel(desktop, origin.x - 3, origin.y - 3));
    EXPECT_EQ(pixel(2, 0), GetPixel(desktop, origin.x - 1, origin.y - 3));
    ReleaseDC(nullptr, desktop);
    EXPECT_EQ(pixel(4, 3), RGB(255, 0, 0));
}

TEST_F(Bitmaps, LoadGrpFileOfAMissingFileIsCode15ButNoPictureIsNoError) {
    const std::string text = folder.write("text.jpg", Bytes{'h', 'i'});
    ASSERT_TRUE(startWith({"LoadGrpFile(1,0,0,\"" + folder.file("missing.jpg") + "\");",
                           "LoadGrpFile(1,0,0,\"" + text + "\");", "LoadGrpFile(1,0,0,\"" + text + "\",1);",
                           "LoadGrpFile(1,0,0,text.jpg);"}));
    const std::string before = e.fileName;
    EXPECT_EQ(step(0), kFileOpenFailed);
    EXPECT_EQ(step(1), 0);
    EXPECT_EQ(e.fileName, before);
    EXPECT_EQ(step(2), static_cast<uint8_t>(Status::TooManyParams));
    EXPECT_EQ(step(3), static_cast<uint8_t>(Status::NoString));
    EXPECT_EQ(pixel(0, 0), RGB(128, 128, 128));
}

}  // namespace
}  // namespace kav::test
