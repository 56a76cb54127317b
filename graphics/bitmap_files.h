// The names and dialog texts of the BMP file commands.
#pragma once
#include <string>
#include <string_view>

namespace kav {

// The open and save dialogs' filter (BMP files, then all files), ready for
// the dialog: NUL-separated pairs ended by two NULs.
extern const char kBmpDialogFilter[];
extern const char kBmpLoadTitle[];
extern const char kBmpSaveTitle[];
// The name the dialogs start with.
inline constexpr char kBmpStartName[] = "*.BMP";

// A path chosen in the save dialog with no "." anywhere, not even in a folder
// name, gets ".bmp" appended.
std::string withBmpExtension(std::string_view chosen);

}  // namespace kav
