#include "editor/assist_dialog_win.h"

#include "editor/resource_ids.h"
#include "win32/gdi_win.h"

namespace kav::editor {

int AssistDialog::run(HINSTANCE instance, int resource, HWND owner) {
    const INT_PTR code =
        DialogBoxParamA(instance, MAKEINTRESOURCEA(resource), owner, procedure, reinterpret_cast<LPARAM>(this));
    // A dialog that could not be made is as good as cancelled.
    return code == IDC_ASSIST_PASTE || code == IDC_ASSIST_COPY ? static_cast<int>(code) : IDC_ASSIST_CANCEL;
}

void AssistDialog::produce(int button) {
    output_.set(text());
    EndDialog(dialog_, button);
}

INT_PTR CALLBACK AssistDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<AssistDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<AssistDialog*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->dialog_ = dialog;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR AssistDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        init();
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDC_ASSIST_PASTE || id == IDC_ASSIST_COPY) produce(id);
        // The close box and Esc arrive as IDCANCEL: both cancel.
        else if (id == IDC_ASSIST_CANCEL || id == IDCANCEL) EndDialog(dialog_, IDC_ASSIST_CANCEL);
        else command(id, HIWORD(wParam));
        return TRUE;
    }
    case WM_HSCROLL:
        if (!lParam) return FALSE;
        scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_PAINT: {
        PaintDC dc(dialog_);
        paint(dc.get());
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace kav::editor
