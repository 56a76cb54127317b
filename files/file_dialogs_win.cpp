// The open and save dialogs: choosing a file to open, or only a file name.
#include <windows.h>

#include "engine/engine.h"
#include "files/file_names.h"
#include "files/open_file_win.h"
#include "win32/file_dialog_win.h"

namespace kav {

namespace {

using Choice = DialogChoice;

// Shows the open (or save) dialog; the chosen path lands in path.
Choice askFileName(HWND owner, bool save, const std::string& title, const std::string& filter, std::string& path) {
    char file[kPathMax] = {};
    char fileTitle[kPathMax] = {};
    const DWORD flags = OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : 0);
    const FileDialog ask{owner, title.c_str(), filter.c_str(), flags, save};
    const Choice choice = kav::askFileName(ask, file, sizeof file, fileTitle, sizeof fileTitle);
    if (choice == Choice::Chosen) path = file;
    return choice;
}

// Result and ANSWER start undecided; a dialog while a file is open is an error.
bool startDialog(Call& c) {
    c.result(-1);
    c.e.sys.answer = -1;
    if (!scriptFile(c.e).isOpen()) return true;
    c.fail(Status::FileAlreadyOpen);
    return false;
}

void finish(Call& c, Choice choice) {
    if (choice == Choice::Failed) return;
    c.e.sys.answer = static_cast<int32_t>(choice);
    c.result(static_cast<int32_t>(choice));
}

void openWithDialog(Call& c, bool save) {
    std::string_view literal;
    if (!c.string(0, literal) || !startDialog(c)) return;
    const std::string title = resolveTextArgument(c.e, literal);
    std::string path;
    const Choice choice = askFileName(static_cast<HWND>(c.window), save, title, dialogFilter(kStandardFilter), path);
    if (choice != Choice::Chosen) return finish(c, choice);
    setCurrentFileName(c.e, path);
    UniqueHandle f = openScriptFile(c.e.fileName, save ? OpenMode::Write : OpenMode::Read);
    if (!f) return c.fail(Status::FileOpenFailed);
    scriptFile(c.e).adopt(std::move(f));
    finish(c, choice);
}

void openFileReadDlg(Call& c) { openWithDialog(c, false); }
void openFileWriteDlg(Call& c) { openWithDialog(c, true); }

void nameWithDialog(Call& c, bool save) {
    std::string_view titleLiteral, filterLiteral;
    int32_t type = 0;
    if (!c.string(0, titleLiteral) || !c.string(1, filterLiteral) || !c.integers(2, 2, &type)) return;
    if (!startDialog(c)) return;
    const std::string title = resolveTextArgument(c.e, titleLiteral);
    std::string filter = resolveTextArgument(c.e, filterLiteral);
    if (type > 0 && !presetFilter(type, filter)) return c.fail(Status::ParamInvalid);
    std::string path;
    const Choice choice = askFileName(static_cast<HWND>(c.window), save, title, dialogFilter(filter), path);
    if (choice == Choice::Chosen) setCurrentFileName(c.e, path);
    finish(c, choice);
}

void fileNameDlgR(Call& c) { nameWithDialog(c, false); }
void fileNameDlgW(Call& c) { nameWithDialog(c, true); }

constexpr CommandEntry kEntries[] = {
    {"OpenFileReadDlg", 1, kStatement | kValue, openFileReadDlg},
    {"OpenFileWriteDlg", 1, kStatement | kValue, openFileWriteDlg},
    {"FileNameDlgR", 3, kStatement | kValue, fileNameDlgR},
    {"FileNameDlgW", 3, kStatement | kValue, fileNameDlgW},
};

}  // namespace

extern constinit const CommandFamily kFileDialogCommands{kEntries};

}  // namespace kav
