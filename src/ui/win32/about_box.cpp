// The About box of the Main page: the driver's name and version.
#include <windows.h>

#include "resources/resource_ids.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/main_page.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // Over the page itself: the dialog's owner is the page's top-level
      // window, the sheet.
      CenterWindowOver(dialog, reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ABOUT_OK:
        case IDOK:
        case IDCANCEL:
          EndDialog(dialog, IDOK);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HWND owner) {
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_ABOUT_BOX), owner, AboutBoxProc,
                  reinterpret_cast<LPARAM>(owner));
}

}  // namespace tqr
