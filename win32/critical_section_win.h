// A lock shared by two threads of the program (the camera's frame copies and
// the script's drawing on one sub-screen). A critical section rather than
// <mutex>: the same thread may take it again (CopyBMP from a sub-screen onto
// itself takes it twice), and it needs nothing of the C++ thread library.
#pragma once
#include <windows.h>

namespace kav {

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&cs_); }
    ~CriticalSection() { DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() { EnterCriticalSection(&cs_); }
    void leave() { LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

// Holds a critical section from construction to destruction.
class CriticalLock {
public:
    explicit CriticalLock(CriticalSection& cs) : cs_(cs) { cs_.enter(); }
    ~CriticalLock() { cs_.leave(); }
    CriticalLock(const CriticalLock&) = delete;
    CriticalLock& operator=(const CriticalLock&) = delete;

private:
    CriticalSection& cs_;
};

}  // namespace kav
