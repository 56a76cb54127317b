#include "tools/kav3drv/dialogs_win.h"

#include "tools/kav3drv/app_windows_win.h"
#include "tools/kav3drv/driver_options.h"

namespace kavdrv {

namespace {

constexpr char kDialogClass[] = "#32770";
// The static control that holds a message box's text.
constexpr int kBoxTextId = 0xFFFF;
// A message box has only statics (its text, its icon) and the standard
// buttons IDOK to IDCONTINUE.
constexpr int kLastBoxButton = IDCONTINUE;
// The file-name combo box of the explorer-style dialog and the file-name
// edit of the older one (cmb13 and edt1 of the common dialog templates).
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
// The dialog fills its lists right after it shows; answering before that may be lost.
constexpr auto kAnswerDelay = std::chrono::milliseconds(150);

struct BoxSurvey {
    bool onlyBoxParts = true;
    bool hasText = false;
};

BOOL CALLBACK surveyChild(HWND child, LPARAM context) {
    auto* survey = reinterpret_cast<BoxSurvey*>(context);
    const int id = GetDlgCtrlID(child) & 0xFFFF;
    if (hasClass(child, "Static")) {
        if (id == kBoxTextId) survey->hasText = true;
        return TRUE;
    }
    if (hasClass(child, "Button") && id >= IDOK && id <= kLastBoxButton) return TRUE;
    survey->onlyBoxParts = false;
    return FALSE;
}

HWND fileNameControl(HWND dialog) {
    if (HWND combo = GetDlgItem(dialog, kFileNameCombo); combo && IsWindowVisible(combo)) return combo;
    HWND edit = GetDlgItem(dialog, kFileNameEdit);
    return edit && IsWindowVisible(edit) ? edit : nullptr;
}

}  // namespace

DialogKind classifyDialog(HWND hwnd) {
    if (!IsWindowVisible(hwnd) || !hasClass(hwnd, kDialogClass)) return DialogKind::None;
    if (fileNameControl(hwnd)) return DialogKind::FileDialog;
    BoxSurvey survey;
    EnumChildWindows(hwnd, surveyChild, reinterpret_cast<LPARAM>(&survey));
    return survey.onlyBoxParts && survey.hasText ? DialogKind::MessageBox : DialogKind::Other;
}

FileDialogs::FileDialogs(std::vector<std::string> answers, const Output& out) : answers_(std::move(answers)), out_(out) {}

void FileDialogs::handle(DWORD processId) {
    // A closed dialog's handle may come back for a new dialog; that one is new.
    std::erase_if(seen_, [](const Seen& s) { return !IsWindow(s.dialog) || !IsWindowVisible(s.dialog); });
    for (HWND hwnd : topLevelWindows(processId)) {
        if (classifyDialog(hwnd) != DialogKind::FileDialog) continue;
        bool known = false;
        for (Seen& s : seen_) {
            if (s.dialog != hwnd) continue;
            known = true;
            if (!s.done && Clock::now() >= s.answerAt) answer(s);
        }
        if (known) continue;
        out_.line("filedlg: " + escapeLineBreaks(cp932ToUtf8(windowTextRaw(hwnd))));
        ++reported_;
        std::string path = "-";
        if (next_ < answers_.size()) path = answers_[next_++];
        else out_.note("no --file left for this dialog; cancelling it");
        seen_.push_back({hwnd, Clock::now() + kAnswerDelay, path, false});
    }
}

void FileDialogs::answer(Seen& seen) const {
    // Answered once: a dialog that stays (a path it refused) is the test's to see.
    seen.done = true;
    HWND dialog = seen.dialog;
    if (seen.answer == "-") {
        out_.note("cancelling file dialog " + hex32(reinterpret_cast<UINT_PTR>(dialog)));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return;
    }
    const std::string path = windowsPath(seen.answer);
    DWORD_PTR ignored = 0;
    if (!sendWithTimeout(fileNameControl(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), ignored)) {
        out_.note("the file dialog did not take the name " + ansiToUtf8(path));
        return;
    }
    out_.note("file dialog " + hex32(reinterpret_cast<UINT_PTR>(dialog)) + " gets " + ansiToUtf8(path));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace kavdrv
