#include "editor/compile_dialog_win.h"

#include "editor/app_image.h"
#include "editor/file_io_win.h"
#include "editor/resource_ids.h"
#include "editor/script_names.h"
#include "win32/file_dialog_win.h"
#include "win32/gdi_win.h"

namespace kav::editor {

namespace {

constexpr int kPreviewX = 390, kPreviewY = 90;
constexpr char kErrorTitle[] = "KAV3 Error", kMessageTitle[] = "KAV3 Message";
// The runtime stub can be large, but not without bound.
constexpr size_t kStubLimit = 256u << 20;

// The last icon file accepted: kept from one opening of the dialog to the next.
std::string customIcon;

struct CompileDialog {
    HINSTANCE instance;
    std::string script;
    std::string outputName;
    bool useCustomIcon = false;
};

void warn(HWND owner, const char* text) { MessageBoxA(owner, text, kErrorTitle, MB_ICONWARNING); }

std::string ownStubPath() {
    char own[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, own, MAX_PATH);
    return stubPathBeside(std::string_view(own, n < MAX_PATH ? n : 0));
}

// The preview sits at (390, 90) in a 32 x 32 owner-drawn child of its own, so
// the dialog and its group box repaint it instead of painting over it.
constexpr int kPreviewId = 1031;

void createPreview(HWND dialog, HINSTANCE instance) {
    CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, kPreviewX, kPreviewY, 32, 32, dialog,
                    reinterpret_cast<HMENU>(kPreviewId), instance, nullptr);
}

// The standard icon, or the accepted icon file pixel by pixel.
void drawPreview(const DRAWITEMSTRUCT& item, const CompileDialog& d) {
    HDC dc = item.hDC;
    if (!d.useCustomIcon) {
        RECT all{0, 0, 32, 32};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        if (HICON icon = LoadIconA(d.instance, MAKEINTRESOURCEA(IDI_STANDARD))) DrawIcon(dc, 0, 0, icon);
        return;
    }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t c = iconPreviewColour(customIcon, x, y);
            SetPixel(dc, x, y, RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF));
        }
}

void repaintPreview(HWND dialog) { InvalidateRect(GetDlgItem(dialog, kPreviewId), nullptr, FALSE); }

void chooseIcon(HWND dialog, CompileDialog& d) {
    char file[kPathMax] = {}, title[kPathMax] = {};
    const FileDialog ask{dialog, "アイコンファイルを開く", "アイコンファイル(*.ico)\0*.ico\0全ファイル(*.*)\0*.*\0",
                         OFN_PATHMUSTEXIST};
    if (askFileName(ask, file, kPathMax, title, kPathMax) != DialogChoice::Chosen) return;
    std::string bytes;
    const ReadResult r = readWholeFile(file, kIconFileSize + 1, bytes);
    if (r == ReadResult::CannotOpen) return;
    if (r != ReadResult::Ok || bytes.size() != kIconFileSize) return warn(dialog, "対応できないアイコンファイルです");
    customIcon = std::move(bytes);
    d.useCustomIcon = true;
    repaintPreview(dialog);
}

// The build; false only when the user keeps the dialog open.
bool build(HWND dialog, const CompileDialog& d) {
    char output[kPathMax] = {};
    GetDlgItemTextA(dialog, IDC_OUTPUT_NAME, output, kPathMax);
    if (fileExists(output) &&
        MessageBoxA(dialog, "同一名のファイルが既に存在します。\n上書きしますか？", kMessageTitle,
                    MB_YESNO | MB_ICONQUESTION) == IDNO)
        return false;
    if (!scriptFits(d.script)) {
        warn(dialog, "ソースコードが大きすぎます");
        return true;
    }
    std::string image;
    if (readWholeFile(ownStubPath().c_str(), kStubLimit, image) != ReadResult::Ok || image.empty()) {
        warn(dialog, "必要なファイルを開けません");
        return true;
    }
    switch (assembleApplication(image, d.script, d.useCustomIcon ? &customIcon : nullptr)) {
    case BuildResult::TooLarge: warn(dialog, "ソースコードが大きすぎます"); return true;
    case BuildResult::NoStub: warn(dialog, "必要なファイルを開けません"); return true;
    case BuildResult::Ok: break;
    }
    if (!writeFileReplacing(output, image)) {
        warn(dialog, "ファイルを保存できません");
        return true;
    }
    MessageBoxA(dialog, "ファイルを作成しました", kMessageTitle, MB_ICONINFORMATION);
    return true;
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<CompileDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        d = reinterpret_cast<CompileDialog*>(lParam);
        SendDlgItemMessageA(dialog, IDC_OUTPUT_NAME, EM_LIMITTEXT, kPathMax - 1, 0);
        SetDlgItemTextA(dialog, IDC_OUTPUT_NAME, d->outputName.c_str());
        createPreview(dialog, d->instance);
        return TRUE;
    case WM_DRAWITEM:
        if (!d || wParam != kPreviewId) return FALSE;
        drawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *d);
        return TRUE;
    case WM_COMMAND:
        if (!d) return FALSE;
        switch (LOWORD(wParam)) {
        case IDOK:
            if (build(dialog, *d)) EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 2); return TRUE;
        case IDC_ICON_FILE: chooseIcon(dialog, *d); return TRUE;
        case IDC_ICON_STANDARD:
            d->useCustomIcon = false;
            repaintPreview(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void runCompileDialog(HINSTANCE instance, HWND owner, std::string scriptText, const std::string& savedPath) {
    CompileDialog d{instance, std::move(scriptText), outputNameFor(savedPath)};
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_COMPILE), owner, procedure, reinterpret_cast<LPARAM>(&d));
}

}  // namespace kav::editor
