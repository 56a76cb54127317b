// Byte access to the one open file, file sizes, and whole texts between files
// and edit boxes.
#include <windows.h>

#include "controls/control_access_win.h"
#include "controls/control_messages_win.h"
#include "controls/edit_text.h"
#include "engine/engine.h"
#include "files/file_names.h"
#include "files/open_file_win.h"

namespace kav {

namespace {

bool editRange(int32_t t) { return range::edit(t); }
bool singleLineRange(int32_t t) { return range::singleLine(t); }

bool seek(HANDLE f, int64_t pos) {
    LARGE_INTEGER to;
    to.QuadPart = pos;
    return pos >= 0 && SetFilePointerEx(f, to, nullptr, FILE_BEGIN);
}

// The name is the current file name afterwards, whether or not it opened.
void openNamed(Call& c, OpenMode mode) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    if (fileIsOpen()) return c.fail(Status::FileAlreadyOpen);
    const std::string name = resolveTextArgument(c.e, literal);
    UniqueFile f = openScriptFile(name, mode);
    setCurrentFileName(c.e, name);
    if (!f) return c.fail(Status::FileOpenFailed);
    setOpenFile(std::move(f));
}

void openFileRead(Call& c) { openNamed(c, OpenMode::Read); }
void openFileWrite(Call& c) { openNamed(c, OpenMode::Write); }

void closeFile(Call& c) {
    if (!fileIsOpen()) return c.fail(Status::FileNotOpen);
    closeOpenFile();
}

void readFile(Call& c) {
    if (!fileIsOpen()) return c.fail(Status::FileNotOpen);
    int32_t pos = 0;
    if (!c.integers(0, 0, &pos)) return;
    c.result(-1);
    unsigned char byte = 0;
    DWORD got = 0;
    if (seek(openFile(), pos) && ReadFile(openFile(), &byte, 1, &got, nullptr) && got == 1) c.result(byte);
}

// A negative position is refused rather than writing wherever the file was.
void writeFile(Call& c) {
    if (!fileIsOpen()) return c.fail(Status::FileNotOpen);
    int32_t v[2];
    if (!c.integers(0, 1, v)) return;
    if (v[0] < 0) return c.fail(Status::ParamInvalid);
    const auto byte = static_cast<unsigned char>(v[1]);
    DWORD put = 0;
    if (seek(openFile(), v[0])) WriteFile(openFile(), &byte, 1, &put, nullptr);
}

void getFileLength(Call& c) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    UniqueFile f = openScriptFile(resolveTextArgument(c.e, literal), OpenMode::Read);
    LARGE_INTEGER size;
    c.result(f && GetFileSizeEx(f.get(), &size) ? static_cast<double>(size.QuadPart) : -1.0);
}

void readFileToEdit(Call& c) {
    if (!fileIsOpen()) return c.fail(Status::FileNotOpen);
    ControlEntry* edit = controlArgument(c, 0, editRange);
    if (!edit) return;
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    if (seek(openFile(), 0))
        while (ReadFile(openFile(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    SetWindowTextA(hwndOf(*edit), text.c_str());  // the text ends at the file's first NUL byte
}

void writeFileFromEdit(Call& c) {
    if (!fileIsOpen()) return c.fail(Status::FileNotOpen);
    ControlEntry* edit = controlArgument(c, 0, editRange);
    if (!edit) return;
    const std::string text = ctl::windowText(hwndOf(*edit));
    DWORD put = 0;
    if (!text.empty()) WriteFile(openFile(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
}

template <std::string_view (*Part)(std::string_view)>
void insertPathPart(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, singleLineRange);
    std::string_view literal;
    if (!edit || !c.string(1, literal)) return;
    const std::string path = resolveTextArgument(c.e, literal);
    ctl::editReplaceSel(hwndOf(*edit), Part(path));
}

}  // namespace

extern const CommandEntry kFileCommands[10] = {
    {"OpenFileRead", 1, kStatement, openFileRead},
    {"OpenFileWrite", 1, kStatement, openFileWrite},
    {"CloseFile", 0, kStatement, closeFile},
    {"ReadFile", 1, kStatement | kValue, readFile},
    {"WriteFile", 2, kStatement, writeFile},
    {"GetFileLength", 1, kStatement | kValue, getFileLength},
    {"ReadFileToEdit", 1, kStatement, readFileToEdit},
    {"WriteFileFromEdit", 1, kStatement, writeFileFromEdit},
    {"GetFileName", 2, kStatement, insertPathPart<fileNamePart>},
    {"GetFilePath", 2, kStatement, insertPathPart<filePathPart>},
};

}  // namespace kav
