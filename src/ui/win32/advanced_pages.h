// The Advanced sheet that the Main page opens, and what its pages share:
// their creation, their answers to the sheet, and the procedures of the
// Quality and Color pages.
#pragma once

#include <windows.h>

#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/step_slider.h"

namespace tqr {

constexpr int kQualityPageDialog = 3500;
constexpr int kColorPageDialog = 4000;
constexpr int kSavePageDialog = 4500;

INT_PTR CALLBACK QualityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SavePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the modal Advanced sheet over the Main page. `mainPageData` begins
// with the sheet state pointer and is every page's creation parameter;
// `title` is the print mode's title for the caption. Returns what the sheet
// returned: 1 when the user confirmed it.
INT_PTR RunAdvancedSheet(HWND mainPage, void* mainPageData, const char16_t* title);

// What an Advanced page does of its own; the rest of its dialog procedure
// is common to the Advanced pages (AdvancedPageProc). Every hook gets the
// page's window; the page's state block begins with its DialogHeader.
struct AdvancedPage {
  void (*open)(HWND page, LPARAM initParam);          // WM_INITDIALOG
  void (*command)(HWND page, WPARAM wParam);          // WM_COMMAND
  void (*activate)(HWND page);                        // PSN_SETACTIVE
  void (*close)(HWND page);                           // WM_DESTROY, before the block goes
  // Any other message; true when it was the page's, with the answer.
  bool (*other)(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* answer);
  DWORD helpContext;
  // A sheet notification the page answers itself; true when it did, with
  // the answer. Null, or false, for the common answers.
  bool (*notify)(HWND page, const NMHDR* header, INT_PTR* answer);
};
INT_PTR AdvancedPageProc(const AdvancedPage& hooks, HWND page, UINT message, WPARAM wParam,
                         LPARAM lParam);

// "[name of the user's own print mode]" as the sheet's title once the pages
// changed something.
void ShowModifiedTitle(HWND page, const SheetState* sheet);

}  // namespace tqr
