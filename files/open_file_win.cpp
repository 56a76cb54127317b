#include "files/open_file_win.h"

#include "files/file_names.h"

namespace kav {

namespace {

UniqueFile& theFile() {
    static UniqueFile file;
    return file;
}

}  // namespace

// The system's legacy single-call open limits paths to 127 bytes and searches
// the system folders for bare names; the same access and sharing are asked of
// CreateFileA instead, which finds only the file the script names.
UniqueFile openScriptFile(const std::string& path, OpenMode mode) {
    if (path.empty() || path.size() > kFileNameMax) return UniqueFile();
    const bool write = mode == OpenMode::Write;
    return UniqueFile(CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

HANDLE openFile() { return theFile().get(); }
bool fileIsOpen() { return static_cast<bool>(theFile()); }
void setOpenFile(UniqueFile f) { theFile() = std::move(f); }
void closeOpenFile() { theFile().reset(); }

}  // namespace kav
