#include "usbio/board/board_hub_win.h"

#include <vector>

#include "usbio/board_protocol.h"

namespace kav::usb {

namespace {

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& l) : l_(l) { AcquireSRWLockExclusive(&l_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&l_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& l_;
};

// Larger than any report, so that a wrong one is still read whole.
constexpr DWORD kMessageBuffer = 1024;

HANDLE createInstance(bool first) {
    const DWORD openMode = PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    return CreateNamedPipeA(kBoardPipeName, openMode, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                            PIPE_UNLIMITED_INSTANCES, kMessageBuffer, kMessageBuffer, 0, nullptr);
}

struct Client {
    BoardHub& hub;
    HANDLE pipe;
};

// Reads one message whole; a longer one than the buffer is drained and reported by its length.
bool readMessage(HANDLE pipe, std::vector<uint8_t>& message) {
    message.clear();
    uint8_t chunk[kMessageBuffer];
    for (;;) {
        DWORD got = 0;
        const BOOL ok = ReadFile(pipe, chunk, sizeof chunk, &got, nullptr);
        if (!ok && GetLastError() != ERROR_MORE_DATA) return false;
        if (message.size() < 4 * kMessageBuffer) message.insert(message.end(), chunk, chunk + got);
        if (ok) return true;
    }
}

DWORD WINAPI serveClient(void* parameter) {
    Client* c = static_cast<Client*>(parameter);
    c->hub.clientArrived();
    std::vector<uint8_t> message;
    uint8_t reply[kReportBytes];
    while (readMessage(c->pipe, message)) {
        const size_t n = c->hub.answer(message, reply);
        DWORD written = 0;
        if (n > 0 && !WriteFile(c->pipe, reply, static_cast<DWORD>(n), &written, nullptr)) break;
    }
    DisconnectNamedPipe(c->pipe);
    CloseHandle(c->pipe);
    c->hub.clientLeft();
    delete c;
    return 0;
}

// Lives as long as the program: the listening thread never ends.
struct Listener {
    BoardHub& hub;
    HANDLE pipe;  // the instance waiting for the next client
};

DWORD WINAPI listen(void* parameter) {
    Listener* l = static_cast<Listener*>(parameter);
    for (;;) {
        if (ConnectNamedPipe(l->pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            auto* client = new Client{l->hub, l->pipe};
            const HANDLE thread = CreateThread(nullptr, 0, serveClient, client, 0, nullptr);
            if (thread) {
                CloseHandle(thread);
            } else {
                CloseHandle(l->pipe);
                delete client;
            }
        } else {
            CloseHandle(l->pipe);
        }
        l->pipe = createInstance(false);
        while (l->pipe == INVALID_HANDLE_VALUE) {  // out of resources: try again, slowly
            Sleep(100);
            l->pipe = createInstance(false);
        }
    }
}

}  // namespace

BoardHub::BoardHub(uint8_t inputs, bool recording) : recording_(recording) { board_.setInputBits(inputs); }

void BoardHub::setLog(std::FILE* log) {
    ExclusiveLock hold(lock_);
    log_ = log;
    std::fputs(pendingLog_.c_str(), log_);
    std::fflush(log_);
    pendingLog_.clear();
}

void BoardHub::setWindow(HWND window) {
    ExclusiveLock hold(lock_);
    window_ = window;
}

size_t BoardHub::answer(std::span<const uint8_t> report, std::span<uint8_t> reply) {
    size_t n;
    {
        ExclusiveLock hold(lock_);
        n = board_.answer(report, reply);
        // Logged before the reply goes out: once a program has its reply, its
        // report is on record.
        if (recording_) {
            const std::string line = hexBytes(board_.record().back().command, 5) + "\n";
            if (log_) {
                std::fputs(line.c_str(), log_);
                std::fflush(log_);
            } else {
                pendingLog_ += line;
            }
        }
    }
    changed();
    return n;
}

void BoardHub::clientArrived() {
    {
        ExclusiveLock hold(lock_);
        ++clients_;
    }
    changed();
}

void BoardHub::clientLeft() {
    {
        ExclusiveLock hold(lock_);
        --clients_;
    }
    changed();
}

BoardView BoardHub::view() {
    ExclusiveLock hold(lock_);
    return {board_.outputBits(), board_.inputBits(), clients_, board_.record()};
}

void BoardHub::setInput(int n, bool on) {
    {
        ExclusiveLock hold(lock_);
        board_.setInput(n, on);
    }
    changed();
}

void BoardHub::toggleInput(int n) {
    {
        ExclusiveLock hold(lock_);
        board_.setInput(n, !board_.input(n));
    }
    changed();
}

void BoardHub::changed() {
    HWND w;
    {
        ExclusiveLock hold(lock_);
        w = window_;
    }
    if (w) PostMessageA(w, kBoardChangedMessage, 0, 0);
}

bool startBoardServer(BoardHub& hub, std::string& error) {
    const HANDLE first = createInstance(true);
    if (first == INVALID_HANDLE_VALUE) {
        error = GetLastError() == ERROR_ACCESS_DENIED ? "already running" : "cannot create the pipe";
        return false;
    }
    auto* l = new Listener{hub, first};
    const HANDLE thread = CreateThread(nullptr, 0, listen, l, 0, nullptr);
    if (!thread) {
        CloseHandle(first);
        delete l;
        error = "cannot start the pipe thread";
        return false;
    }
    CloseHandle(thread);
    return true;
}

}  // namespace kav::usb
