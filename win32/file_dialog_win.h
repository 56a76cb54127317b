// The system's open and save dialogs, set up in one place for every family.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace kav {

enum class DialogChoice { Failed = -1, Cancelled = 0, Chosen = 1 };

struct FileDialog {
    HWND owner = nullptr;
    const char* title = nullptr;
    const char* filter = nullptr;  // pairs of NUL-terminated texts, ended by a second NUL
    DWORD flags = 0;               // OFN_ flags beyond the ones every dialog has
    bool save = false;
    const char* initialDir = nullptr;  // the folder shown first; nullptr for the system's choice
};

// Shows the dialog with `path` (a buffer of `pathSize` bytes, at most 260) as
// its file field: what it holds is the starting name, the chosen path lands
// there. `fileTitle`, when given, receives the name without its folder.
DialogChoice askFileName(const FileDialog& d, char* path, size_t pathSize, char* fileTitle = nullptr,
                         size_t fileTitleSize = 0);

}  // namespace kav
