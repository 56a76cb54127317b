#include "tools/kav3drv/message_boxes_win.h"

#include <string>

#include "tools/kav3drv/app_windows_win.h"
#include "tools/kav3drv/dialogs_win.h"
#include "tools/kav3drv/driver_options.h"

namespace kavdrv {

namespace {

// The static control that holds a message box's text.
constexpr int kTextControlId = 0xFFFF;
// A pressed box hides at once; one still up after this missed the press.
constexpr auto kPressAgainAfter = std::chrono::milliseconds(1000);

LONG buttonType(HWND control) {
    return hasClass(control, "Button") ? GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK : -1;
}

bool isPushButton(HWND control) {
    const LONG type = buttonType(control);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool hasButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && IsWindowVisible(button) && isPushButton(button);
}

struct ButtonSearch {
    int first = 0;
    int marked = 0;  // the one drawn as the default
};

BOOL CALLBACK visitButton(HWND control, LPARAM context) {
    auto* search = reinterpret_cast<ButtonSearch*>(context);
    if (!IsWindowVisible(control) || !isPushButton(control)) return TRUE;
    if (!search->first) search->first = GetDlgCtrlID(control);
    if (buttonType(control) == BS_DEFPUSHBUTTON) search->marked = GetDlgCtrlID(control);
    return search->marked == 0;
}

int defaultButton(HWND box) {
    // Wine answers DM_GETDEFID on a yes/no box with IDOK, a button the box does
    // not have; pressing that would end the box with an impossible result.
    DWORD_PTR result = 0;
    if (sendWithTimeout(box, DM_GETDEFID, 0, 0, result) && HIWORD(result) == DC_HASDEFID &&
        hasButton(box, LOWORD(result)))
        return LOWORD(result);
    ButtonSearch search;
    EnumChildWindows(box, visitButton, reinterpret_cast<LPARAM>(&search));
    return search.marked ? search.marked : search.first;
}

// A message box's text is its static 0xFFFF. A box-like dialog from an
// extended template gives its statics -1, all 32 bits set, which GetDlgItem
// does not match: the first such static with a text (not an icon) stands in.
BOOL CALLBACK visitTextStatic(HWND control, LPARAM context) {
    if (!hasClass(control, "Static") || (GetDlgCtrlID(control) & 0xFFFF) != kTextControlId) return TRUE;
    auto* text = reinterpret_cast<std::string*>(context);
    *text = controlTextRaw(control);
    return text->empty();
}

std::string boxText(HWND box) {
    std::string text;
    EnumChildWindows(box, visitTextStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace

MessageBoxes::MessageBoxes(std::vector<int> answers, std::chrono::milliseconds wait, const Output& out)
    : answers_(std::move(answers)), wait_(wait), out_(out) {}

void MessageBoxes::handle(DWORD processId) {
    forgetClosed();
    for (HWND hwnd : topLevelWindows(processId)) {
        if (classifyDialog(hwnd) != DialogKind::MessageBox) continue;
        if (Pressed* earlier = find(hwnd)) {
            if (!earlier->done) {
                if (Clock::now() < earlier->at) continue;
                earlier->done = true;
                earlier->at = Clock::now();
                press(hwnd, earlier->button, false);
                continue;
            }
            if (Clock::now() - earlier->at < kPressAgainAfter) continue;
            earlier->at = Clock::now();
            press(hwnd, earlier->button, true);
            continue;
        }
        report(hwnd);
        ++seen_;
        const int button = chooseButton(hwnd);
        if (wait_.count() > 0) {
            pressed_.push_back({hwnd, button, Clock::now() + wait_, false});
            continue;
        }
        pressed_.push_back({hwnd, button, Clock::now(), true});
        press(hwnd, button, false);
    }
}

void MessageBoxes::report(HWND box) const {
    const std::string title = cp932ToUtf8(windowTextRaw(box));
    const std::string text = cp932ToUtf8(boxText(box));
    out_.line("box: " + escapeLineBreaks(title) + ": " + escapeLineBreaks(text));
}

int MessageBoxes::chooseButton(HWND box) {
    // Each box takes the next answer, whether or not it has that button.
    if (nextAnswer_ < answers_.size()) {
        const int wanted = answers_[nextAnswer_++];
        if (hasButton(box, wanted)) return wanted;
        out_.note("box has no button " + std::to_string(wanted) + "; taking its default");
    }
    return defaultButton(box);
}

void MessageBoxes::press(HWND box, int button, bool again) const {
    HWND control = GetDlgItem(box, button);
    out_.note(std::string(again ? "pressing again" : "pressing") + " button " + std::to_string(button) + " of box " +
              hex32(reinterpret_cast<UINT_PTR>(box)));
    // The first press clicks the button as a user would; a repeat tells the box
    // directly, in case the click was lost to focus or capture.
    if (control && !again) PostMessageA(control, BM_CLICK, 0, 0);
    else PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void MessageBoxes::forgetClosed() {
    // A closed box's handle may come back for a new box; that one is new.
    std::erase_if(pressed_, [](const Pressed& p) { return !IsWindow(p.box) || !IsWindowVisible(p.box); });
}

MessageBoxes::Pressed* MessageBoxes::find(HWND box) {
    for (Pressed& p : pressed_)
        if (p.box == box) return &p;
    return nullptr;
}

}  // namespace kavdrv
