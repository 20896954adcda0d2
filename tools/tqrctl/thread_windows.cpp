#include "tqrctl/thread_windows.h"

#include <commctrl.h>

namespace tqrctl {
namespace {

struct Search {
  const std::function<bool(HWND)>& wanted;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  if (!IsWindowVisible(window) || !search->wanted(window)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindThreadWindow(DWORD thread, const std::function<bool(HWND)>& wanted) {
  Search search{wanted};
  EnumThreadWindows(thread, Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsPropertySheet(HWND window) {
  return FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr;
}

HWND FindDialogWith(DWORD thread, int button) {
  return FindThreadWindow(thread, [button](HWND window) {
    return !IsPropertySheet(window) && IsWindowEnabled(window) &&
           GetDlgItem(window, button) != nullptr;
  });
}

void ClickButton(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace tqrctl
