#include "win32/file_dialog_win.h"

#include <commdlg.h>

namespace kav {

DialogChoice askFileName(const FileDialog& d, char* path, size_t pathSize, char* fileTitle, size_t fileTitleSize) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = d.owner;
    ofn.lpstrFilter = d.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = static_cast<DWORD>(pathSize);
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = static_cast<DWORD>(fileTitleSize);
    ofn.lpstrInitialDir = d.initialDir;
    ofn.lpstrTitle = d.title;
    ofn.Flags = OFN_HIDEREADONLY | d.flags;
    const BOOL chosen = d.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (chosen) return DialogChoice::Chosen;
    return CommDlgExtendedError() == 0 ? DialogChoice::Cancelled : DialogChoice::Failed;
}

}  // namespace kav
