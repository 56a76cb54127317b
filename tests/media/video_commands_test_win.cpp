// The video commands under Wine, over a real (hidden) run window: their
// argument codes, what they do with no video, the MCI modes that make nothing,
// and a media session that fails to open a file leaving nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/subsystem.h"
#include "engine_fixture.h"
#include "media/video_session_win.h"
#include "media/video_state_win.h"

namespace kav {
extern const Subsystem kVideoSubsystem;
}

namespace kav::test {
namespace {

// A hidden top-level window that stands in for the run window.
class HiddenWindow {
public:
    HiddenWindow() {
        hwnd_ = CreateWindowExA(0, "STATIC", "run", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    }
    ~HiddenWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Windows of this thread, top-level and owned popups alike.
int threadWindows() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

int childWindows(HWND parent) {
    int n = 0;
    EnumChildWindows(parent, countWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

class VideoCommands : public EngineTest {
protected:
    VideoCommands() : EngineTest({&kVideoSubsystem}) {}
    // Runs `script` as INIT of a fresh run whose run window is `run`.
    uint8_t runText(const std::string& script) {
        if (!load("INIT{" + script + "}")) return e.fault.status;
        e.runWindow = runWindow.hwnd();
        return run("INIT");
    }
    HiddenWindow runWindow;
};

TEST_F(VideoCommands, ArgumentCodes) {
    EXPECT_EQ(runText("PlayVideo(1);"), 23);
    EXPECT_EQ(subject(), "PlayVideo");
    EXPECT_EQ(runText("CloseVideo(0);"), 23);
    EXPECT_EQ(runText("x=GetVideoPlayPos(1);"), 23);
    EXPECT_EQ(runText("OpenVideoFile(0,0,100,\"a.mp4\");"), 8);
    EXPECT_EQ(runText("OpenVideoFile;"), 23);
    EXPECT_EQ(runText("SetVideoSize(0,0,10);"), 8);
    EXPECT_EQ(runText("SetVideoSpeed(1,2);"), 23);
    EXPECT_EQ(runText("SetVideoVolume;"), 23);
    EXPECT_EQ(runText("MciOpenWin(0,0,10,10);"), 8);
    EXPECT_EQ(runText("MciPlay();"), 23);
    // The MCI player takes its file name only between quotes.
    EXPECT_EQ(runText("MciOpenFile(FILE_NAME,9);"), 9);
    EXPECT_EQ(runText("MciOpenFile(\"a.avi\");"), 8);
    // A count error makes nothing.
    EXPECT_EQ(childWindows(runWindow.hwnd()), 0);
}

// With no video every command of the family is quiet: no error, no window,
// a length and a position of 0.
TEST_F(VideoCommands, WithoutAVideoNothingHappens) {
    const int before = threadWindows();
    EXPECT_EQ(runText("PlayVideo(); PauseVideo(); CloseVideo(); SetVideoSize(0,0,50,50); SetVideoSpeed(200);"
                      "SetVideoVolume(50); SetVideoPlayPos(2); SkipVideoPlayPos(-1); p=GetVideoPlayPos(); n=VIDEO_LEN;"
                      "MciPlay(1); MciPlay(0);"),
              0);
    EXPECT_EQ(var("p"), 0);
    EXPECT_EQ(var("n"), 0);
    EXPECT_EQ(threadWindows(), before);
    EXPECT_EQ(childWindows(runWindow.hwnd()), 0);
}

// Only modes 0 and 9 open a file: any other mode makes no window and leaves
// the next MciOpenFile free to open.
TEST_F(VideoCommands, MciModesOtherThanZeroAndNineMakeNothing) {
    const int before = threadWindows();
    EXPECT_EQ(runText("MciOpenFile(\"x.avi\",3); MciOpenFile(\"x.avi\",1); MciOpenFile(\"x.avi\",-9);"), 0);
    EXPECT_EQ(threadWindows(), before);
    EXPECT_EQ(childWindows(runWindow.hwnd()), 0);
    EXPECT_EQ(e.part<VideoState>().mciWindow, nullptr);
    EXPECT_EQ(e.part<VideoState>().playWindow, nullptr);
}

// MciOpenWin's popup is owned by the run window; a second is ignored, and the
// run's end takes it away.
TEST_F(VideoCommands, OnePlayWindowGoesWithTheRun) {
    const int before = threadWindows();
    EXPECT_EQ(runText("MciOpenWin(10,10,120,90,4); MciOpenWin(10,10,120,90,2);"), 0);
    const HWND popup = e.part<VideoState>().playWindow;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), runWindow.hwnd());
    EXPECT_EQ(threadWindows(), before + 1);
    e.part<VideoState>().windowDestroyed(e);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(threadWindows(), before);
}

// A media session that cannot open its file gives everything back: after a
// first round (which loads the platform's libraries) the process holds no
// more handles, however often it fails.
class FailedOpens : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        textFile = std::string(dir) + "kav3_not_a_video.mp4";
        std::ofstream(textFile, std::ios::binary) << "This is not a video.\r\n";
    }
    static void TearDownTestSuite() { DeleteFileA(textFile.c_str()); }

    // One player's life around a file that does not open.
    bool failsToOpen(const std::wstring& file) {
        std::unique_ptr<VideoSession> s = VideoSession::create(window.hwnd());
        if (!s) return false;
        int64_t duration = -1;
        const bool opened = s->open(file.c_str(), duration);
        s->close();
        s.reset();
        // Events a session posted before it went find no one to handle them.
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        return !opened && duration == -1;
    }
    // This process's handles: its own count where the system keeps one, else
    // its entries in the system's list of every handle.
    static DWORD handles() {
        DWORD n = 0;
        if (GetProcessHandleCount(GetCurrentProcess(), &n) && n > 0) return n;
        struct Entry {
            ULONG process;
            BYTE type, flags;
            USHORT value;
            void* object;
            ULONG access;
        };
        struct List {
            ULONG count;
            Entry entries[1];
        };
        using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
        const auto query = reinterpret_cast<Query>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
        if (!query) return 0;
        constexpr int kSystemHandleInformation = 16;
        std::vector<char> buffer(1 << 16);
        ULONG needed = 0;
        LONG status = 0;
        while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
               static_cast<LONG>(0xC0000004))  // the buffer is too small
            buffer.resize(buffer.size() * 2);
        if (status < 0) return 0;
        const auto* list = reinterpret_cast<const List*>(buffer.data());
        const DWORD self = GetCurrentProcessId();
        for (ULONG i = 0; i < list->count; ++i)
            if (list->entries[i].process == self) ++n;
        return n;
    }

    static std::string textFile;
    HiddenWindow window;
};

std::string FailedOpens::textFile;

TEST_F(FailedOpens, NothingIsLeftBehind) {
    const std::wstring text(textFile.begin(), textFile.end());
    const std::wstring missing = L"Z:\\nonexistent\\kav3\\clip.mp4";
    ASSERT_TRUE(failsToOpen(text));
    ASSERT_TRUE(failsToOpen(missing));
    const DWORD before = handles();
    ASSERT_GT(before, 0u) << "the handle count cannot be read here";
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(failsToOpen(text));
        ASSERT_TRUE(failsToOpen(missing));
    }
    // A handle or two may come and go with the platform's worker threads; a
    // leak would show as twenty or more (an opened source that is never shut
    // down holds about eight).
    EXPECT_LE(handles(), before + 4);
    // And the file is not held: it opens with no sharing at all.
    const HANDLE alone = CreateFileA(textFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(alone, INVALID_HANDLE_VALUE);
    if (alone != INVALID_HANDLE_VALUE) CloseHandle(alone);
}

}  // namespace
}  // namespace kav::test
