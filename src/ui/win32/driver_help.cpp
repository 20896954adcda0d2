// The driver's help file, as the spooler knows it.
#include <cwchar>

#include "ui/win32/dlgutil_win32.h"

namespace tqr {

bool GetDriverHelpFile(HANDLE printer, wchar_t* destination) {
  if (printer == nullptr || destination == nullptr) return false;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_3W)) return false;
  HGLOBAL buffer = GlobalAlloc(GPTR, needed);
  if (buffer == nullptr) return false;
  bool copied = false;
  // A fixed block: its handle is its address.
  auto* info = static_cast<DRIVER_INFO_3W*>(buffer);
  if (GetPrinterDriverW(printer, nullptr, 3, static_cast<LPBYTE>(buffer), needed, &needed) &&
      info->pHelpFile != nullptr) {
    // A path cut short would open some other file; one that does not fit is
    // no help file at all.
    const std::size_t length = wcsnlen(info->pHelpFile, kHelpPathLength);
    if (length < kHelpPathLength) {
      wmemcpy(destination, info->pHelpFile, length + 1);
      copied = true;
    }
  }
  GlobalFree(buffer);
  return copied;
}

}  // namespace tqr
