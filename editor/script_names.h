// Names and texts of the editor that need no window: the title, the Save As
// extension rule, the start-up file, the builder's output and runtime paths,
// and the starter program New pastes.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace kav::editor {

constexpr size_t kPathMax = 260;   // path buffers hold 259 bytes and the NUL
constexpr size_t kTitleMax = 255;  // window title bytes without the NUL
constexpr char kNoName[] = "NONAME.KAV3";

// "KAV3 - [name]", "NONAME.KAV3" standing in for an empty name; a name too long
// for the title is cut before a whole character.
std::string titleText(std::string_view name);

// Save As appends ".kav3" to a name with no '.' anywhere (folders included).
// False when the longer name would not fit a path buffer.
[[nodiscard]] bool addScriptExtension(std::string& path);
bool needsScriptExtension(std::string_view path);

// The file named on the command line: from the third double quote to the end,
// every double quote and any trailing blank removed; empty with fewer than
// three quotes.
std::string startFileFromCommandLine(std::string_view commandLine);

// The file name shown in the title for a path: the text after its last
// separator, or the whole path when it has none after its first character.
std::string fileTitleOf(std::string_view path);

// The application name the builder proposes: the source path cut at its first
// '.', then ".exe".
std::string outputNameFor(std::string_view savedPath);

// The runtime stub shipped in the subfolder KavFiles beside the program whose
// own path is given.
std::string stubPathBeside(std::string_view programPath);

// The folder part of a path with its separator ("" when it has none).
std::string folderOf(std::string_view path);

// The program New offers to paste, CR LF line ends.
extern const char kStarterProgram[];

}  // namespace kav::editor
