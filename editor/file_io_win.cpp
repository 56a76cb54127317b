#include "editor/file_io_win.h"

#include <windows.h>

#include "editor/script_names.h"
#include "win32/handle_win.h"

namespace kav::editor {

ReadResult readWholeFile(const char* path, size_t limit, std::string& out) {
    UniqueHandle f(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return ReadResult::CannotOpen;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(f.get(), &size)) return ReadResult::CannotOpen;
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) >= limit) return ReadResult::TooLarge;
    out.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!out.empty() && (!ReadFile(f.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr) ||
                         got != out.size()))
        return ReadResult::ShortRead;
    return ReadResult::Ok;
}

bool fileExists(const char* path) {
    UniqueHandle f(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(f);
}

bool writeFileReplacing(const char* path, std::string_view bytes) {
    const std::string where = folderOf(path);
    const char* folder = where.empty() ? "." : where.c_str();
    char temp[MAX_PATH];
    // Creates an empty, uniquely named file in the target's folder: the final
    // move then stays on one volume and replaces the target in one step.
    if (where.size() + 14 >= MAX_PATH || !GetTempFileNameA(folder, "kav", 0, temp)) return false;
    bool ok = false;
    {
        UniqueHandle f(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ok = f && (bytes.empty() || (WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                               nullptr) &&
                                     written == bytes.size()));
        ok = ok && FlushFileBuffers(f.get()) && f.close();
    }
    ok = ok && MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp);
    return ok;
}

}  // namespace kav::editor
