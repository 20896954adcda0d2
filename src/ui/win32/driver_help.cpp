// The driver's help file, as the spooler knows it.
#include "ui/win32/dlgutil_win32.h"

#include <string>

#include "platform/win32/spooler_strings.h"
#include "ui/win32/message_box.h"

namespace tqr {

void OpenHelpTopic(HWND window, const wchar_t* helpFile, DWORD topic) {
  if (helpFile == nullptr || helpFile[0] == L'\0') return;
  if (GetFileAttributesW(helpFile) == INVALID_FILE_ATTRIBUTES) {
    const std::wstring text =
        std::wstring(L"The help file \"") + helpFile + L"\" is not installed on this computer.";
    ShowDriverMessage(window, text.c_str(), MB_OK, kDriverCaption, MB_ICONINFORMATION);
    return;
  }
  WinHelpW(window, helpFile, HELP_CONTEXT, topic);
}

bool GetDriverHelpFile(HANDLE printer, wchar_t* destination) {
  if (printer == nullptr || destination == nullptr) return false;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_3W)) return false;
  const DWORD size = needed;
  HGLOBAL buffer = GlobalAlloc(GPTR, size);
  if (buffer == nullptr) return false;
  // A fixed block: its handle is its address.
  const auto* info = static_cast<const DRIVER_INFO_3W*>(buffer);
  const bool copied =
      GetPrinterDriverW(printer, nullptr, 3, static_cast<LPBYTE>(buffer), size, &needed) &&
      CopySpoolerString(buffer, size, info->pHelpFile, destination,
                        kHelpPathLength);
  GlobalFree(buffer);
  return copied;
}

}  // namespace tqr
