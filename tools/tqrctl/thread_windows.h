// Finding the windows another thread shows, for the programs that act as a
// user on an application's dialogs (the screenshots, the real-client tests).
#pragma once

#include <windows.h>

#include <functional>

namespace tqrctl {

// The first visible top-level window of `thread` that `wanted` accepts, or
// null.
HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& wanted);

// A property sheet: a dialog holding a tab control.
bool IsPropertySheet(HWND window);

// A comdlg32 dialog of `thread` that has `button` and no dialog of its own up
// over it (it is enabled), or null.
HWND FindDialogWith(DWORD thread, int button);

// Clicks `button` of `dialog` as the user would, without waiting.
void ClickButton(HWND dialog, int button);

}  // namespace tqrctl
