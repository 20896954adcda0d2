// The dialog procedures of the document sheet's editing pages and their
// dialog templates. The sheet assembly hands them to the host.
#pragma once

#include <windows.h>

namespace tqr {

constexpr int kMainPageDialog = 1101;

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tqr
