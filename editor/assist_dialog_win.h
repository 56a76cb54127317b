// What the assist dialogs share: a modal dialog backed by an object, whose
// paste and copy buttons put a text into the AssistOutput and end it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "editor/assist_text.h"

namespace kav::editor {

class AssistDialog {
public:
    explicit AssistDialog(AssistOutput& output) : output_(output) {}
    virtual ~AssistDialog() = default;
    AssistDialog(const AssistDialog&) = delete;
    AssistDialog& operator=(const AssistDialog&) = delete;

    // Shows the dialog resource modally over owner; the code it ends with
    // (IDC_ASSIST_PASTE, IDC_ASSIST_COPY or IDC_ASSIST_CANCEL).
    int run(HINSTANCE instance, int resource, HWND owner);

protected:
    HWND dialog() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    AssistOutput& output() { return output_; }

    // The dialog's controls get their starting state.
    virtual void init() {}
    // The text the paste and copy buttons produce.
    virtual std::string text() = 0;
    // Paste or copy: by default the text goes to the output and the dialog
    // ends with the button's code.
    virtual void produce(int button);
    // Any other command from a control.
    virtual void command(int id, int notification) {}
    // Drawing of the dialog's own surface, on every paint.
    virtual void paint(HDC dc) {}
    // WM_HSCROLL from a scroll-bar control.
    virtual void scroll(HWND bar, int code, int position) {}

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
    AssistOutput& output_;
};

// What the assists keep for the life of the editor.
struct AssistState {
    AssistOutput output;
    Rgb palette;  // the palette dialog's colour, kept from one opening to the next
};

// The dialogs, each over the state it reads and writes; `edit` is the
// script editor, which the command assist pastes into without closing.
std::unique_ptr<AssistDialog> makeCommandAssist(AssistState& state, HWND edit);
std::unique_ptr<AssistDialog> makePaletteAssist(AssistState& state, HWND edit);
std::unique_ptr<AssistDialog> makeStyleAssist(AssistState& state, HWND edit);
std::unique_ptr<AssistDialog> makeControlAssist(AssistState& state, HWND edit);
std::unique_ptr<AssistDialog> makeFontAssist(AssistState& state, HWND edit);

}  // namespace kav::editor
