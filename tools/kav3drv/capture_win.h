// Screenshots of a window's client area as the user sees it.
#pragma once
#include <windows.h>

#include <string>

#include "tools/kav3drv/image_files.h"

namespace kavdrv {

// Copies the client area from the screen, so whatever covers it is in the picture
// too; false when the area is empty or the copy fails.
[[nodiscard]] bool captureClient(HWND hwnd, RgbImage& image);

// Writes the picture as PNG or BMP by the file's name; the path is a Windows path.
[[nodiscard]] bool savePicture(const std::string& windowsFile, const RgbImage& image);

}  // namespace kavdrv
