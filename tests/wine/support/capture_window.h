// Pictures of windows as the user sees them, for looking at pages and
// dialogs without a screen of one's own (under Xvfb, say).
#pragma once

#include <windows.h>

namespace tqr::test {

// Writes what `window` shows on screen inside its frame to `path` as a
// 24-bit .bmp file. The window must be visible and not covered; it is
// repainted first. False when the picture could not be taken or written.
bool CaptureWindowToBmp(HWND window, const wchar_t* path);

}  // namespace tqr::test
