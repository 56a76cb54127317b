#include "editor/editor_window_win.h"

#include <cstring>
#include <memory>

#include "editor/assist_menu_win.h"
#include "editor/compile_dialog_win.h"
#include "editor/resource_ids.h"
#include "editor/text_search.h"
#include "editor/toolbar_font_win.h"
#include "editor/toolbar_win.h"
#include "win32/control_messages_win.h"
#include "win32/window_object_win.h"

namespace kav::editor {

namespace {

constexpr char kClassName[] = "KAV3";
constexpr char kErrorTitle[] = "KAV3 Error";
constexpr int kToolbarHeight = 28;
constexpr int kEditLimit = 0xFFFF;
constexpr size_t kSearchMax = 511;

// The search box's history, newest first; equal entries compared exactly
// (the box's own lookup ignores case).
void rememberSearch(HWND box, const std::string& s) {
    const int n = ctl::listCount(box, true);
    for (int i = 0; i < n; ++i) {
        if (ctl::listItemText(box, true, i) == s) {
            ctl::listDelete(box, true, i);
            SetWindowTextA(box, s.c_str());
            break;
        }
    }
    ctl::listInsert(box, true, 0, s);
}

}  // namespace

const EditorWindow::Route EditorWindow::kRoutes[] = {
    {WM_CREATE, &EditorWindow::onCreate},   {WM_SIZE, &EditorWindow::onSize},
    {WM_PAINT, &EditorWindow::onPaint},     {WM_SETFOCUS, &EditorWindow::onSetFocus},
    {WM_COMMAND, &EditorWindow::onCommand}, {WM_CLOSE, &EditorWindow::onClose},
    {WM_DESTROY, &EditorWindow::onDestroy},
};

const EditorWindow::CommandRoute EditorWindow::kCommands[] = {
    {IDM_NEW, &EditorWindow::newScript},        {IDM_OPEN, &EditorWindow::openScript},
    {IDM_SAVE, &EditorWindow::saveScript},      {IDB_SAVE, &EditorWindow::saveScript},
    {IDM_SAVE_AS, &EditorWindow::saveScriptAs}, {IDM_RUN, &EditorWindow::runScript},
    {IDB_RUN, &EditorWindow::runScript},        {IDM_COMPILE, &EditorWindow::compileScript},
    {IDB_SEARCH, &EditorWindow::searchDown},    {IDM_FILE_NAME_ASSIST, &EditorWindow::fileNameAssist},
    {IDM_VERSION, &EditorWindow::showVersion},
};

bool EditorWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &objectProcedure<EditorWindow>;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

EditorWindow::EditorWindow(HINSTANCE instance, std::string startFile)
    : instance_(instance), startFile_(std::move(startFile)), runner_(instance) {
    runner_.fileName() = startFile_;
}

HWND EditorWindow::create(HINSTANCE instance, const std::string& startFile) {
    std::unique_ptr<EditorWindow> w(new EditorWindow(instance, startFile));
    // The window takes the object over at WM_NCCREATE and deletes it at WM_NCDESTROY.
    return CreateWindowExA(0, kClassName, "Kav3", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, instance, &w);
}

LRESULT EditorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Route& r : kRoutes)
        if (r.message == message) return (this->*r.handler)(wParam, lParam);
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT EditorWindow::onCreate(WPARAM, LPARAM) {
    edit_ = CreateWindowExA(0, "edit", "",
                            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN,
                            0, kToolbarHeight, 0, 0, hwnd_, reinterpret_cast<HMENU>(IDC_SCRIPT_EDIT), instance_,
                            nullptr);
    if (!edit_) return -1;
    ctl::setFont(edit_, static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT)), false);
    ctl::editLimitText(edit_, kEditLimit);
    toolbarFont_ = makeToolbarFont();
    search_ = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                  CBS_DISABLENOSCROLL,
                              80, 4, 256, 256, hwnd_, reinterpret_cast<HMENU>(IDC_SEARCH_BOX), instance_, nullptr);
    if (search_) {
        ctl::setFont(search_, toolbarFont_.get(), false);
        SendMessageA(search_, CB_LIMITTEXT, kSearchMax, 0);
    }
    createToolbarButton(instance_, hwnd_, edit_, 4, IDB_SAVE, "上書き保存", toolbarFont_.get());
    createToolbarButton(instance_, hwnd_, edit_, 27, IDB_RUN, "プログラム実行", toolbarFont_.get());
    createToolbarButton(instance_, hwnd_, edit_, 338, IDB_SEARCH, "下方向へ検索", toolbarFont_.get());
    if (!startFile_.empty()) {
        // Save writes `path`: a start file is the file Save writes too.
        std::strncpy(doc_.path, startFile_.c_str(), kPathMax - 1);
        doc_.open(edit_, doc_.path);
        std::strncpy(doc_.fileTitle, fileTitleOf(doc_.path).c_str(), kPathMax - 1);
    }
    doc_.setTitle(hwnd_, doc_.fileTitle);
    return 0;
}

LRESULT EditorWindow::onSize(WPARAM, LPARAM lParam) {
    const int w = LOWORD(lParam), h = HIWORD(lParam);
    MoveWindow(edit_, 0, kToolbarHeight, w, h > kToolbarHeight ? h - kToolbarHeight : 0, TRUE);
    return 0;
}

// The etched line along the top of the client area.
LRESULT EditorWindow::onPaint(WPARAM, LPARAM) {
    PaintDC dc(hwnd_);
    Pen grey(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))), white(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    {
        SelectGuard pen(dc.get(), grey.get());
        MoveToEx(dc.get(), 0, 0, nullptr);
        LineTo(dc.get(), 8000, 0);
    }
    SelectGuard pen(dc.get(), white.get());
    MoveToEx(dc.get(), 0, 1, nullptr);
    LineTo(dc.get(), 8000, 1);
    return 0;
}

LRESULT EditorWindow::onSetFocus(WPARAM, LPARAM) {
    SetFocus(edit_);
    return 0;
}

LRESULT EditorWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id == IDC_SCRIPT_EDIT) {
        if (HIWORD(wParam) == EN_CHANGE) doc_.saved = 0;
        return 0;
    }
    for (const CommandRoute& c : kCommands)
        if (c.id == id) {
            (this->*c.run)();
            return 0;
        }
    if (const std::optional<int> code = runMenuAssist(instance_, id, hwnd_, edit_, assists_)) {
        takeAssistResult(*code);
        return 0;
    }
    switch (id) {
    case IDM_EXIT: SendMessageA(hwnd_, WM_CLOSE, 0, 0); return 0;
    case IDM_UNDO: ctl::send(edit_, EM_UNDO); return 0;
    case IDM_CUT: ctl::send(edit_, WM_CUT); return 0;
    case IDM_COPY: ctl::send(edit_, WM_COPY); return 0;
    case IDM_PASTE: ctl::send(edit_, WM_PASTE); return 0;
    case IDM_DELETE: ctl::send(edit_, WM_CLEAR); return 0;
    case IDM_SELECT_ALL: ctl::editSetSel(edit_, 0, -1); return 0;
    }
    return DefWindowProcA(hwnd_, WM_COMMAND, wParam, lParam);
}

LRESULT EditorWindow::onClose(WPARAM, LPARAM) {
    if (!doc_.saved) {
        const int answer = MessageBoxA(hwnd_, "ＫＡＶ３ を終了します\n終了する前に保存しますか？", "終  了",
                                       MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) saveAs(doc_, hwnd_, edit_);
        if (answer != IDNO) return 0;
    }
    DestroyWindow(hwnd_);
    return 0;
}

LRESULT EditorWindow::onDestroy(WPARAM, LPARAM) {
    PostQuitMessage(0);
    return 0;
}

bool EditorWindow::mayDiscard(const char* title, const char* text) {
    if (doc_.saved) return true;
    const int answer = MessageBoxA(hwnd_, text, title, MB_YESNOCANCEL | MB_ICONQUESTION);
    // Yes saves and ends the command: the user gives it again.
    if (answer == IDYES) saveAs(doc_, hwnd_, edit_);
    return answer == IDNO;
}

void EditorWindow::warn(const char* text) { MessageBoxA(hwnd_, text, kErrorTitle, MB_ICONWARNING); }

bool EditorWindow::editorEmpty() const { return GetWindowTextLengthA(edit_) == 0; }

std::string EditorWindow::editorText() const {
    return ctl::windowText(edit_);
}

void EditorWindow::newScript() {
    if (!mayDiscard("新規作成", "編集中のデータは変更されています\n消去する前に保存しますか？")) return;
    doc_.savedPath[0] = '\0';
    doc_.setTitle(hwnd_, "");
    ctl::editSetSel(edit_, 0, -1);
    ctl::send(edit_, WM_CLEAR);
    doc_.saved = 1;
    if (MessageBoxA(hwnd_, "標準的な\nＫＡＶ３プログラムを\n貼付けますか？", "新規作成",
                    MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    runner_.fileName().clear();
    ctl::editReplaceSel(edit_, kStarterProgram, true);
    ctl::editSetSel(edit_, 0, 0);
    ctl::editScrollCaret(edit_);
}

void EditorWindow::openScript() {
    if (!mayDiscard("ファイルを開く", "編集中のデータは変更されています\n他のファイルを開く前に保存しますか？"))
        return;
    if (doc_.askPath(edit_, "開く", OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, false)) {
        if (doc_.open(edit_, doc_.path))
            doc_.setTitle(hwnd_, doc_.fileTitle);
        else
            MessageBoxA(hwnd_, "ファイルを開けません", "KAV Error", MB_ICONWARNING);
    }
    runner_.fileName() = doc_.path;
}

void EditorWindow::saveScript() {
    if (editorEmpty()) return warn("内容がありません");
    if (doc_.saved) return;
    if (!doc_.savedPath[0]) return saveScriptAs();
    // A failure says nothing and leaves the text unsaved, so leaving still asks.
    doc_.save(edit_);
    runner_.fileName() = doc_.path;
}

void EditorWindow::saveScriptAs() {
    if (editorEmpty()) return warn("内容がありません");
    saveAs(doc_, hwnd_, edit_);
    runner_.fileName() = doc_.path;
}

void EditorWindow::runScript() {
    if (runner_.busy()) return warn("既にアプリケーションが実行中です");
    if (editorEmpty()) return warn("内容がありません");
    runner_.start(hwnd_, editorText());
}

void EditorWindow::compileScript() {
    if (runner_.busy()) return warn("既にアプリケーションが実行中です");
    if (editorEmpty()) return warn("内容がありません");
    if (!doc_.savedPath[0]) return warn("ソースコードにファイル名を付けて保存してください");
    runCompileDialog(instance_, hwnd_, editorText(), doc_.savedPath);
}

void EditorWindow::searchDown() {
    const std::string needle(cutToChars(ctl::windowText(search_), kSearchMax));
    if (needle.empty()) return;
    rememberSearch(search_, needle);
    const std::string text = editorText();
    if (text.empty()) return warn("内容がありません");
    const auto at = searchDownward(text, ctl::editSelStart(edit_), needle);
    if (!at) return warn("検索文字列が見つかりません");
    ctl::editSetSel(edit_, *at, *at + charCount(needle));
    ctl::editScrollCaret(edit_);
    SetFocus(edit_);
}

void EditorWindow::fileNameAssist() {
    if (askAssistFileName(hwnd_, assists_.output)) ctl::editReplaceSel(edit_, assists_.output.text(), false);
}

void EditorWindow::showVersion() { showVersionBox(instance_, hwnd_); }

void EditorWindow::takeAssistResult(int code) {
    if (code == IDC_ASSIST_PASTE) ctl::editReplaceSel(edit_, assists_.output.text(), false);
    if (code == IDC_ASSIST_COPY && !copyToClipboard(hwnd_, assists_.output.text()))
        warn("メモリーの確保に失敗しました");
}

}  // namespace kav::editor
