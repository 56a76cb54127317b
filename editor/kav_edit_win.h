// The edited script's document: its file names, its saved state, and the
// open, save and title operations on the editor window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "editor/script_names.h"

namespace kav::editor {

class CKavEdit {
public:
    CKavEdit() = default;
    virtual ~CKavEdit() = default;
    CKavEdit(const CKavEdit&) = delete;
    CKavEdit& operator=(const CKavEdit&) = delete;

    // Loads a script file of fewer than 65,535 bytes into the edit control (up to
    // a NUL inside it); 1 on success, when savedPath and saved are set too.
    int open(HWND editControl, const char* file);
    // Writes the editor text to `path`; 1 on success. A failure leaves the file
    // on disk as it was.
    int save(HWND editControl);
    // "KAV3 - [name]"; an empty name shows, and makes `path`, "NONAME.KAV3".
    void setTitle(HWND window, const char* name);
    // The open or save dialog over `path` and `fileTitle`; true when a file was chosen.
    bool askPath(HWND owner, const char* title, DWORD flags, bool save);

    int32_t saved = 1;            // 1 while the text is as last opened, saved or made new
    char path[kPathMax] = {};     // the dialogs' file buffer and the file Save writes
    char fileTitle[kPathMax] = {};
    char savedPath[kPathMax] = {};  // the file last opened or saved; empty for a new script
};

// The file dialogs' filter of script files.
extern const char kScriptFilter[];

// Asks for a name and saves under it. The owner of the dialog is the edit
// control; the title of `window` follows the new name. False when cancelled or
// failed (a failure has been reported).
bool saveAs(CKavEdit& doc, HWND window, HWND editControl);

}  // namespace kav::editor
