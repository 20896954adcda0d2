// The driver's sheet as a user meets it in notepad, for the screenshots:
//
//   notepad_screen OUT.bmp
//
// Starts notepad, opens File > Print and the Print dialog's Properties on the
// default printer, and writes the screen with our sheet over them as a BMP
// file; then cancels everything and ends notepad.
// Exits 0 when the picture was written.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

#include "tqrctl/thread_windows.h"
#include "tqrctl/window_capture.h"

namespace {

constexpr DWORD kPatienceMs = 20000;

// What `find` finds, waited for; null when nothing came.
HWND Await(const std::function<HWND()>& find) {
  for (DWORD waited = 0; waited < kPatienceMs; waited += 100) {
    if (HWND found = find()) return found;
    Sleep(100);
  }
  return nullptr;
}

HWND AwaitDialogWith(DWORD thread, int button) {
  return Await([thread, button] { return tqrctl::FindDialogWith(thread, button); });
}

// The command of File > Print in Wine's notepad. Its menu, kept in the other
// process, cannot be read from here under Wine. (Its Page Setup is a dialog
// of its own, headers and margins, with no way to the printer's settings.)
constexpr UINT kNotepadPrint = 0x104;

int Fail(const char* why) {
  std::fprintf(stderr, "notepad_screen: %s\n", why);
  return 1;
}

// Everything the steps opened, closed again from the top.
void CloseAll(DWORD thread, HANDLE process, HWND notepad) {
  for (int round = 0; round < 10; ++round) {
    HWND top = tqrctl::FindThreadWindow(thread, [notepad](HWND window) { return window != notepad; });
    if (top == nullptr) break;
    if (tqrctl::IsPropertySheet(top)) {
      PostMessageW(top, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    } else {
      PostMessageW(top, WM_COMMAND, IDCANCEL, 0);
    }
    Sleep(300);
  }
  PostMessageW(notepad, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
}

int Shoot(DWORD thread, HWND notepad, const std::wstring& path) {
  PostMessageW(notepad, WM_COMMAND, kNotepadPrint, 0);
  HWND print = AwaitDialogWith(thread, psh2);
  if (print == nullptr) return Fail("File > Print opened no Print dialog (is there a default printer?)");
  tqrctl::ClickButton(print, psh2);
  HWND sheet =
      Await([thread] { return tqrctl::FindThreadWindow(thread, tqrctl::IsPropertySheet); });
  if (sheet == nullptr) return Fail("Properties opened no property sheet");
  Sleep(1500);  // let every window paint
  std::string complaint;
  if (!tqrctl::CaptureWindow(GetDesktopWindow(), path, &complaint)) {
    return Fail(complaint.c_str());
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return Fail("usage: notepad_screen OUT.bmp");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  wchar_t command[] = L"notepad.exe";
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return Fail("cannot start notepad");
  }
  WaitForInputIdle(process.hProcess, kPatienceMs);
  const DWORD thread = process.dwThreadId;
  HWND notepad = Await([thread] {
    return tqrctl::FindThreadWindow(thread, [](HWND window) {
      wchar_t name[32] = {};
      GetClassNameW(window, name, 32);
      return std::wcscmp(name, L"Notepad") == 0;
    });
  });
  const int result = notepad != nullptr ? Shoot(process.dwThreadId, notepad, argv[1])
                                        : Fail("notepad showed no window");
  if (notepad != nullptr) CloseAll(process.dwThreadId, process.hProcess, notepad);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
