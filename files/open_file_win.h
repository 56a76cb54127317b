// The one file a script has open at a time.
#pragma once
#include <windows.h>

#include <string>

namespace kav {

// A kernel file handle closed when its owner goes.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueFile() { reset(); }
    UniqueFile(UniqueFile&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
    UniqueFile& operator=(UniqueFile&& o) noexcept {
        if (this != &o) reset(), h_ = o.h_, o.h_ = nullptr;
        return *this;
    }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

enum class OpenMode { Read, Write };

// Opens a file the way scripts always have: reading is read-only on an
// existing file, writing creates or truncates. Other programs may still read
// and write it. Paths over 259 bytes are refused.
UniqueFile openScriptFile(const std::string& path, OpenMode mode);

// The open file, or nullptr when none is open.
HANDLE openFile();
bool fileIsOpen();
void setOpenFile(UniqueFile f);
// Closes the open file if there is one.
void closeOpenFile();

}  // namespace kav
