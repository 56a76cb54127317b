#include "editor/assist_menu_win.h"

#include <cstring>

#include "editor/resource_ids.h"
#include "win32/file_dialog_win.h"

namespace kav::editor {

namespace {

struct MenuAssist {
    int command;
    int resource;
    std::unique_ptr<AssistDialog> (*make)(AssistState&, HWND edit);
};

constexpr MenuAssist kMenuAssists[] = {
    {IDM_COMMAND_ASSIST, IDD_COMMAND_ASSIST, makeCommandAssist},
    {IDM_PALETTE_ASSIST, IDD_PALETTE_ASSIST, makePaletteAssist},
    {IDM_FONT_ASSIST, IDD_FONT_ASSIST, makeFontAssist},
    {IDM_STYLE_ASSIST, IDD_STYLE_ASSIST, makeStyleAssist},
    {IDM_CONTROL_ASSIST, IDD_CONTROL_ASSIST, makeControlAssist},
};

// The file and title buffers of the file-name assist: a path of up to 255 bytes.
constexpr size_t kAssistPathBuffer = 256;
static_assert(kAssistPathBuffer - 1 + 2 <= kAssistOutputMax, "a chosen path and its quotes fit the output");

constexpr char kAnyFileFilter[] =
    "全ファイル(*.*)\0*.*\0ビットマップ(*.bmp)\0*.bmp\0プログラム(*.kav)\0*.kav\0データ(*.dat)\0*.dat\0";

INT_PTR CALLBACK versionProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

}  // namespace

std::optional<int> runMenuAssist(HINSTANCE instance, int command, HWND owner, HWND edit, AssistState& state) {
    for (const MenuAssist& a : kMenuAssists)
        if (a.command == command) return a.make(state, edit)->run(instance, a.resource, owner);
    return std::nullopt;
}

bool askAssistFileName(HWND owner, AssistOutput& output) {
    char path[kAssistPathBuffer] = {}, title[kAssistPathBuffer] = {};
    const FileDialog ask{owner, "ファイル名の取得", kAnyFileFilter, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, false, "kav"};
    if (askFileName(ask, path, sizeof path, title, sizeof title) != DialogChoice::Chosen) return false;
    output.set(quotedPath(std::string_view(path, strnlen(path, sizeof path))));
    return true;
}

void showVersionBox(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VERSION), owner, versionProcedure, 0);
}

bool copyToClipboard(HWND owner, std::string_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block) return false;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, text.data(), text.size());
    GlobalUnlock(block);
    // Once the clipboard has taken the block it is the clipboard's; until then ours.
    if (!OpenClipboard(owner)) {
        GlobalFree(block);
        return true;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
    return true;
}

}  // namespace kav::editor
