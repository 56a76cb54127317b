#include "editor/kav_edit_win.h"

#include <cstring>
#include <string>

#include "editor/file_io_win.h"

namespace kav::editor {

namespace {

constexpr size_t kScriptLimit = 65535;

void copyPath(char (&to)[kPathMax], std::string_view from) {
    const size_t n = from.size() < kPathMax - 1 ? from.size() : kPathMax - 1;
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

std::string windowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

const char kScriptFilter[] = "プログラム(*.kav3)\0*.kav3\0全ファイル(*.*)\0*.*\0";

CKavEdit::CKavEdit() : dialog{} {}

int CKavEdit::open(HWND editControl, const char* file) {
    std::string text;
    if (readWholeFile(file, kScriptLimit, text) != ReadResult::Ok) return 0;
    SetWindowTextA(editControl, text.c_str());
    copyPath(savedPath, file);
    saved = 1;
    return 1;
}

int CKavEdit::save(HWND editControl) {
    if (!writeFileReplacing(path, windowText(editControl))) return 0;
    copyPath(savedPath, path);
    saved = 1;
    return 1;
}

void CKavEdit::setTitle(HWND window, const char* name) {
    if (!*name) copyPath(path, kNoName);
    SetWindowTextA(window, titleText(name).c_str());
}

bool saveAs(CKavEdit& doc, HWND window, HWND editControl) {
    OPENFILENAMEA& d = doc.dialog;
    d = OPENFILENAMEA{};
    d.lStructSize = sizeof d;
    d.hwndOwner = editControl;
    d.lpstrFilter = kScriptFilter;
    d.nFilterIndex = 1;
    d.lpstrFile = doc.path;
    d.nMaxFile = kPathMax;
    d.lpstrFileTitle = doc.fileTitle;
    d.nMaxFileTitle = kPathMax;
    d.lpstrTitle = "名前を付けて保存";
    d.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&d)) return false;
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
