#include "files/open_file_win.h"

#include "engine/subsystem.h"
#include "engine/engine.h"
#include "files/file_names.h"

namespace kav {

namespace {

bool seek(HANDLE f, int64_t pos) {
    LARGE_INTEGER to;
    to.QuadPart = pos;
    return pos >= 0 && SetFilePointerEx(f, to, nullptr, FILE_BEGIN);
}

}  // namespace

// The system's legacy single-call open limits paths to 127 bytes and searches
// the system folders for bare names; the same access and sharing are asked of
// CreateFileA instead, which finds only the file the script names.
UniqueHandle openScriptFile(const std::string& path, OpenMode mode) {
    if (path.empty() || path.size() > kFileNameMax) return UniqueHandle();
    const bool write = mode == OpenMode::Write;
    return UniqueHandle(CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, write ? CREATE_ALWAYS : OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

int64_t ScriptFile::readAt(int64_t pos, void* out, size_t n) {
    DWORD got = 0;
    if (!file_ || !seek(file_.get(), pos) || !ReadFile(file_.get(), out, static_cast<DWORD>(n), &got, nullptr))
        return -1;
    return got;
}

bool ScriptFile::writeAt(int64_t pos, const void* data, size_t n) {
    if (!file_ || (pos >= 0 && !seek(file_.get(), pos))) return false;
    DWORD put = 0;
    return n == 0 || (WriteFile(file_.get(), data, static_cast<DWORD>(n), &put, nullptr) && put == n);
}

int64_t ScriptFile::length() {
    LARGE_INTEGER size;
    return file_ && GetFileSizeEx(file_.get(), &size) ? size.QuadPart : -1;
}

ScriptFile& scriptFile(Engine& e) { return static_cast<ScriptFile&>(e.part<OpenFile>()); }

// The files subsystem: the one open file, byte access and the file dialogs.
extern const CommandFamily kFileCommands, kFileDialogCommands;
constexpr const CommandFamily* kFilesFamilies[] = {&kFileCommands, &kFileDialogCommands};
extern constinit const Subsystem kFilesSubsystem{"files", kFilesFamilies, partKey<OpenFile>(), makePart<ScriptFile>};

}  // namespace kav
