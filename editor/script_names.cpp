#include "editor/script_names.h"

#include "engine/sjis.h"

namespace kav::editor {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Position of the last path separator, skipping trail bytes of double-byte
// characters (0x5C is a valid trail byte in Shift-JIS).
size_t lastSeparator(std::string_view path) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i = nextChar(path, i))
        if (isSeparator(path[i])) found = i;
    return found;
}

}  // namespace

std::string titleText(std::string_view name) {
    static constexpr std::string_view kHead = "KAV3 - [", kTail = "]";
    if (name.empty()) name = kNoName;
    std::string t(kHead);
    t += cutToChars(name, kTitleMax - kHead.size() - kTail.size());
    t += kTail;
    return t;
}

bool needsScriptExtension(std::string_view path) { return path.find('.') == std::string_view::npos; }

bool addScriptExtension(std::string& path) {
    if (!needsScriptExtension(path)) return true;
    if (path.size() + 5 >= kPathMax) return false;
    path += ".kav3";
    return true;
}

std::string startFileFromCommandLine(std::string_view commandLine) {
    size_t quotes = 0, at = std::string_view::npos;
    for (size_t i = 0; i < commandLine.size() && at == std::string_view::npos; ++i)
        if (commandLine[i] == '"' && ++quotes == 3) at = i;
    if (at == std::string_view::npos) return {};
    std::string file;
    for (char c : commandLine.substr(at))
        if (c != '"') file += c;
    // Windows file names never end in a blank: one left after the quotes (as
    // Wine writes an argument it had to quote) is no part of the name.
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t')) file.pop_back();
    return file;
}

std::string fileTitleOf(std::string_view path) {
    const size_t sep = lastSeparator(path);
    if (sep == std::string_view::npos || sep == 0) return std::string(path);
    return std::string(path.substr(sep + 1));
}

std::string outputNameFor(std::string_view savedPath) {
    return std::string(savedPath.substr(0, savedPath.find('.'))) + ".exe";
}

std::string folderOf(std::string_view path) {
    const size_t sep = lastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string stubPathBeside(std::string_view programPath) { return folderOf(programPath) + "KavFiles\\Kav64"; }

const char kStarterProgram[] =
    "// 一定時間ごとの処理\r\n"
    "TIMER\r\n{\r\n\r\n}\r\n\r\n"
    "// 左ボタンが押された時の処理\r\n"
    "LBUTTONDOWN\r\n{\r\n\r\n}\r\n\r\n"
    "// 標準のウィンドウ内の描画\r\n"
    "PAINT\r\n{\r\n\r\n}\r\n\r\n"
    "// プログラムの初期設定\r\n"
    "CREATE\r\n{\r\n"
    "\tSetWinStyle(2) ; // ウインドウスタイル\r\n"
    "\tSetWinSize(400,300) ; // ウインドウサイズ\r\n"
    "\tSetCaption(\"ＫＡＶ３プログラム\") ; // キャプションタイトル\r\n"
    "\r\n"
    "\t// メニューの設定\r\n"
    "\tMenu(\"ﾌｧｲﾙ(&F)\") ;\r\n"
    "\tPopupMenuEX(\"閉じる\",\"ID_end\") ;\r\n"
    "\r\n"
    "\tSetTimer(1000) ; // タイマー時間の設定\r\n"
    "}\r\n\r\n"
    "// メニューの処理\r\n"
    "ID_end\r\n{\r\n\tend ; // プログラム終了\r\n}\r\n";

}  // namespace kav::editor
