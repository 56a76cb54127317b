#include "editor/kav_edit_win.h"

#include <cstring>
#include <string>

#include "editor/file_io_win.h"
#include "win32/control_messages_win.h"
#include "win32/file_dialog_win.h"

namespace kav::editor {

namespace {

constexpr size_t kScriptLimit = 65535;

void copyPath(char (&to)[kPathMax], std::string_view from) {
    const size_t n = from.size() < kPathMax - 1 ? from.size() : kPathMax - 1;
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

}  // namespace

const char kScriptFilter[] = "プログラム(*.kav3)\0*.kav3\0全ファイル(*.*)\0*.*\0";

int CKavEdit::open(HWND editControl, const char* file) {
    std::string text;
    if (readWholeFile(file, kScriptLimit, text) != ReadResult::Ok) return 0;
    SetWindowTextA(editControl, text.c_str());
    copyPath(savedPath, file);
    saved = 1;
    return 1;
}

int CKavEdit::save(HWND editControl) {
    if (!writeFileReplacing(path, ctl::windowText(editControl))) return 0;
    copyPath(savedPath, path);
    saved = 1;
    return 1;
}

bool CKavEdit::askPath(HWND owner, const char* title, DWORD flags, bool save) {
    return askFileName({owner, title, kScriptFilter, flags, save}, path, kPathMax, fileTitle, kPathMax) ==
           DialogChoice::Chosen;
}

void CKavEdit::setTitle(HWND window, const char* name) {
    if (!*name) copyPath(path, kNoName);
    SetWindowTextA(window, titleText(name).c_str());
}

bool saveAs(CKavEdit& doc, HWND window, HWND editControl) {
    if (!doc.askPath(editControl, "名前を付けて保存", OFN_OVERWRITEPROMPT, true)) return false;
    std::string path = doc.path, title = doc.fileTitle;
    // A name too long to take the extension is refused rather than cut.
    bool ok = !needsScriptExtension(path) || (addScriptExtension(path) && addScriptExtension(title));
    if (ok) {
        copyPath(doc.path, path);
        copyPath(doc.fileTitle, title);
        ok = doc.save(editControl) == 1;
    }
    if (!ok) {
        MessageBoxA(window, "ファイルを開けません", "KAV Error", MB_ICONWARNING);
        return false;
    }
    doc.setTitle(window, doc.fileTitle);
    return true;
}

}  // namespace kav::editor
