// The dialog that builds a stand-alone application from the editor's text.
#pragma once
#include <windows.h>

#include <string>

namespace kav::editor {

// Shows the modal compile dialog over `owner` for the script text, proposing
// an output name from the script's file.
void runCompileDialog(HINSTANCE instance, HWND owner, std::string scriptText, const std::string& savedPath);

}  // namespace kav::editor
