// Byte access to the one open file, file sizes, and whole texts between files
// and edit boxes.
#include <windows.h>

#include "controls/control_access_win.h"
#include "controls/edit_insert_win.h"
#include "win32/control_messages_win.h"
#include "controls/edit_text.h"
#include "engine/engine.h"
#include "files/file_names.h"
#include "files/open_file_win.h"

namespace kav {

namespace {

bool editRange(int32_t t) { return range::edit(t); }
bool singleLineRange(int32_t t) { return range::singleLine(t); }

// The name is the current file name afterwards, whether or not it opened.
void openNamed(Call& c, OpenMode mode) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    ScriptFile& file = scriptFile(c.e);
    if (file.isOpen()) return c.fail(Status::FileAlreadyOpen);
    const std::string name = resolveTextArgument(c.e, literal);
    UniqueHandle f = openScriptFile(name, mode);
    setCurrentFileName(c.e, name);
    if (!f) return c.fail(Status::FileOpenFailed);
    file.adopt(std::move(f));
}

void openFileRead(Call& c) { openNamed(c, OpenMode::Read); }
void openFileWrite(Call& c) { openNamed(c, OpenMode::Write); }

// The open file, or nullptr with code 5 when none is open.
ScriptFile* openFile(Call& c) {
    ScriptFile& file = scriptFile(c.e);
    if (file.isOpen()) return &file;
    c.fail(Status::FileNotOpen);
    return nullptr;
}

void closeFile(Call& c) {
    if (ScriptFile* file = openFile(c)) file->close();
}

void readFile(Call& c) {
    ScriptFile* file = openFile(c);
    int32_t pos = 0;
    if (!file || !c.integers(0, 0, &pos)) return;
    unsigned char byte = 0;
    c.result(file->readAt(pos, &byte, 1) == 1 ? byte : -1);
}

// A negative position is refused rather than writing wherever the file was.
void writeFile(Call& c) {
    ScriptFile* file = openFile(c);
    int32_t v[2];
    if (!file || !c.integers(0, 1, v)) return;
    if (v[0] < 0) return c.fail(Status::ParamInvalid);
    const auto byte = static_cast<unsigned char>(v[1]);
    (void)file->writeAt(v[0], &byte, 1);
}

void getFileLength(Call& c) {
    std::string_view literal;
    if (!c.string(0, literal)) return;
    UniqueHandle f = openScriptFile(resolveTextArgument(c.e, literal), OpenMode::Read);
    LARGE_INTEGER size;
    c.result(f && GetFileSizeEx(f.get(), &size) ? static_cast<double>(size.QuadPart) : -1.0);
}

void readFileToEdit(Call& c) {
    ScriptFile* file = openFile(c);
    ControlEntry* edit = file ? controlArgument(c, 0, editRange) : nullptr;
    if (!edit) return;
    std::string text;
    char chunk[4096];
    for (int64_t got = 0; (got = file->readAt(static_cast<int64_t>(text.size()), chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<size_t>(got));
    editSetText(*edit, text);  // the text ends at the file's first NUL byte
}

// The text goes where the file's position stands, with any lead byte the
// script left waiting in the edit: nothing it wrote is left out.
void writeFileFromEdit(Call& c) {
    ScriptFile* file = openFile(c);
    ControlEntry* edit = file ? controlArgument(c, 0, editRange) : nullptr;
    if (!edit) return;
    editGiveUpHeld(*edit);
    const std::string text = ctl::windowText(hwndOf(*edit));
    (void)file->writeAt(-1, text.data(), text.size());
}

template <std::string_view (*Part)(std::string_view)>
void insertPathPart(Call& c) {
    ControlEntry* edit = controlArgument(c, 0, singleLineRange);
    std::string_view literal;
    if (!edit || !c.string(1, literal)) return;
    const std::string path = resolveTextArgument(c.e, literal);
    editInsert(*edit, Part(path));
}

constexpr CommandEntry kEntries[] = {
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

}  // namespace

extern constinit const CommandFamily kFileCommands{kEntries};

}  // namespace kav
