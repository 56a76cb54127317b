// Owners for the handles of the editor: its file handle here, the GDI owners
// shared with the drawing commands.
#pragma once
#include <windows.h>

#include <utility>

#include "graphics/gdi_win.h"

namespace kav::editor {

// A kernel file handle from CreateFileA.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    FileHandle(FileHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    // Closes now; false when the system reports a failure (a late write error).
    bool close() { return !h_ || CloseHandle(std::exchange(h_, nullptr)); }

private:
    HANDLE h_;
};

}  // namespace kav::editor
