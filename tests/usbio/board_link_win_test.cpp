// The runtime's link to the virtual board, under Wine: the real pipe, the real
// board program, and pipe servers that misbehave.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "run_fixture_win.h"
#include "usbio/board_protocol.h"
#include "usbio/usb_connector_win.h"
#include "usbio/usb_device.h"
#include "usbio/usb_link_win.h"

namespace kav::usb {
namespace {

std::string besideTests(const char* name) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    dir.resize(dir.find_last_of('\\'));  // out\tests
    dir.resize(dir.find_last_of('\\'));  // out
    return dir + "\\" + name;
}

bool waitForPipe() {
    for (int i = 0; i < 200; ++i) {
        if (WaitNamedPipeA(kBoardPipeName, 50)) return true;
        Sleep(25);
    }
    return false;
}

// The board program, started for one test and closed after it.
class RunningBoard {
public:
    RunningBoard(const std::string& inputs, const std::string& log) {
        std::string cmd = "\"";
        cmd += besideTests("Kav3Board.exe");
        cmd += "\" --inputs ";
        cmd += inputs;
        cmd += " --log \"";
        cmd += log;
        cmd += '"';
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
            CloseHandle(info_.hThread);
    }
    ~RunningBoard() { close(); }
    bool started() const { return info_.hProcess != nullptr; }
    HWND window() const { return FindWindowA(kBoardWindowClass, nullptr); }
    void close() {
        if (!info_.hProcess) return;
        if (HWND w = window()) PostMessageA(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        info_.hProcess = nullptr;
    }

private:
    PROCESS_INFORMATION info_{};
};

std::string tempFile() {
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "usb", 0, file);
    return file;
}

std::vector<std::string> lines(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> out;
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

TEST(BoardLink, NoBoardIsNoDevice) {
    SystemConnector connector;
    EXPECT_EQ(connector.openFirst().outcome, Opening::NoDevice);
    TickClock clock;
    UsbDevice device(connector, clock);
    EXPECT_FALSE(device.open());
    EXPECT_EQ(device.reopen(), -1);
}

TEST(BoardLink, ExchangesWithTheVirtualBoard) {
    const std::string log = tempFile();
    RunningBoard board("1001", log);
    ASSERT_TRUE(board.started());
    ASSERT_TRUE(waitForPipe());
    SystemConnector connector;
    TickClock clock;
    UsbDevice device(connector, clock);
    ASSERT_TRUE(device.open());
    device.startUp();
    EXPECT_EQ(device.writeAllReadInput({1, 0, 1, 0}, 3), 1);
    EXPECT_EQ(device.inputs(), (LineStates{1, 0, 0, 1}));

    ASSERT_NE(board.window(), nullptr);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(board.window(), kBoardSetSwitchMessage, 1, 1, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(answer, 1u);
    EXPECT_EQ(device.readInput(1), 1);
    SendMessageTimeoutA(board.window(), kBoardSetSwitchMessage, 4, 1, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(answer, 0u);
    device.shutDown();

    EXPECT_EQ(lines(log), (std::vector<std::string>{"F8 00 00 00 00", "20 01 00 02 0F", "20 01 05 02 0F",
                                                    "20 01 05 02 0F", "20 01 00 02 0F"}));

    // A board that went away fails the next exchange at once.
    board.close();
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(device.readInput(0), -1);
    EXPECT_LT(GetTickCount64() - start, 500u);
    EXPECT_FALSE(device.isOpen());
    DeleteFileA(log.c_str());
}

// A stand-in that takes every report and answers with what `reply` makes of it.
class FakePipeServer {
public:
    // reply: the message to send back for each report, or empty for silence.
    explicit FakePipeServer(std::vector<uint8_t> reply) : reply_(std::move(reply)) {
        pipe_ = CreateNamedPipeA(kBoardPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 1024, 1024, 0, nullptr);
        if (pipe_ != INVALID_HANDLE_VALUE) thread_ = CreateThread(nullptr, 0, serve, this, 0, nullptr);
    }
    ~FakePipeServer() {
        // Closing our end ends the serving thread's blocking calls.
        DisconnectNamedPipe(pipe_);
        if (thread_) {
            WaitForSingleObject(thread_, 5000);
            CloseHandle(thread_);
        }
        CloseHandle(pipe_);
    }
    bool ready() const { return thread_ != nullptr; }
    int received() const { return received_; }

private:
    static DWORD WINAPI serve(void* p) {
        auto* s = static_cast<FakePipeServer*>(p);
        if (!ConnectNamedPipe(s->pipe_, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return 0;
        uint8_t buf[1024];
        DWORD n;
        while (ReadFile(s->pipe_, buf, sizeof buf, &n, nullptr)) {
            ++s->received_;
            if (!s->reply_.empty() &&
                !WriteFile(s->pipe_, s->reply_.data(), static_cast<DWORD>(s->reply_.size()), &n, nullptr))
                break;
        }
        return 0;
    }

    std::vector<uint8_t> reply_;
    HANDLE pipe_ = INVALID_HANDLE_VALUE;
    HANDLE thread_ = nullptr;
    std::atomic<int> received_ = 0;
};

TEST(BoardLink, SilentBoardEndsTheExchangeAfterItsWait) {
    FakePipeServer server({});
    ASSERT_TRUE(server.ready());
    SystemConnector connector;
    TickClock clock;
    UsbDevice device(connector, clock);
    ASSERT_TRUE(device.open());
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(device.readInput(0), -1);
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, kReplyWaitMs - 20);
    EXPECT_LT(took, kReplyWaitMs + 2000);
    EXPECT_EQ(server.received(), 1);
}

TEST(BoardLink, RepliesOfAnotherLengthFail) {
    for (size_t length : {size_t{10}, size_t{64}, size_t{66}, size_t{300}}) {
        FakePipeServer server(std::vector<uint8_t>(length, 0));
        ASSERT_TRUE(server.ready());
        SystemConnector connector;
        TickClock clock;
        UsbDevice device(connector, clock);
        ASSERT_TRUE(device.open()) << length;
        EXPECT_EQ(device.readInput(0), -1) << length;
    }
}

// The whole program path: the Windows subsystem list, a real run window.
using UsbRunWindow = test::RunWindowTest;

TEST_F(UsbRunWindow, OpenUsbIOWithoutAnyBoardIsCode31) {
    EXPECT_FALSE(start("CREATE{OpenUsbIO(0);}"));
    EXPECT_EQ(e.fault.status, 31);
}

}  // namespace
}  // namespace kav::usb
