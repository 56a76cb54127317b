// The editor's assist menu and version box: which dialog a command opens, and
// what becomes of the text it produces.
#pragma once
#include <windows.h>

#include <optional>
#include <string_view>

#include "editor/assist_dialog_win.h"

namespace kav::editor {

// Runs the assist dialog of an assist menu command modally over owner; its end
// code (IDC_ASSIST_PASTE, IDC_ASSIST_COPY or IDC_ASSIST_CANCEL) with the text
// in state.output, or nothing when the command opens no assist dialog.
std::optional<int> runMenuAssist(HINSTANCE instance, int command, HWND owner, HWND edit, AssistState& state);

// The open dialog of "ファイル名の取得": true when a file was chosen, with its
// full path in double quotes in output.
bool askAssistFileName(HWND owner, AssistOutput& output);

// The version box, modal over owner.
void showVersionBox(HINSTANCE instance, HWND owner);

// Puts the text on the clipboard as CF_TEXT; false when its memory could not
// be had (nothing else is reported).
bool copyToClipboard(HWND owner, std::string_view text);

}  // namespace kav::editor
