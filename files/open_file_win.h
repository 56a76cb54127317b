// The one file a script has open at a time, on Windows.
#pragma once
#include <windows.h>

#include <string>

#include "engine/open_file.h"
#include "win32/handle_win.h"

namespace kav {

struct Engine;

enum class OpenMode { Read, Write };

// Opens a file the way scripts always have: reading is read-only on an
// existing file, writing creates or truncates. Other programs may still read
// and write it. Paths over 259 bytes are refused.
UniqueHandle openScriptFile(const std::string& path, OpenMode mode);

class ScriptFile final : public OpenFile {
public:
    bool isOpen() const override { return static_cast<bool>(file_); }
    void close() override { file_.close(); }
    int64_t readAt(int64_t pos, void* out, size_t n) override;
    bool writeAt(int64_t pos, const void* data, size_t n) override;
    int64_t length() override;

    HANDLE handle() const { return file_.get(); }
    void adopt(UniqueHandle f) { file_ = std::move(f); }

private:
    UniqueHandle file_;
};

ScriptFile& scriptFile(Engine& e);

}  // namespace kav
