// The dialog procedures of the document sheet's editing pages and their
// dialog templates. The sheet assembly hands them to the host.
#pragma once

#include <windows.h>

namespace tqr {

constexpr int kMainPageDialog = 1101;
constexpr int kPaperPageDialog = 300;
constexpr int kFeaturesPageDialog = 1102;

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PaperPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FeaturesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tqr
