// Pictures of windows, for the screenshots of the property sheets and dialogs.
#pragma once

#include <windows.h>

#include <string>

namespace tqrctl {

// Writes what `window` shows, frame included, as a 24-bit BMP file at `path`.
// The window must be on a display that keeps its contents (under Wine, the x11
// driver; the null driver draws nothing). False, with the reason, on failure.
bool CaptureWindow(HWND window, const std::wstring& path, std::string* complaint);

}  // namespace tqrctl
