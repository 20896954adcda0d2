#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/win32/win32_ports.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

namespace tqr::win32 {

bool Win32Spooler::GetDriverDataFile(PrinterHandle printer, std::u16string* path) {
  DWORD needed = 0;
  GetPrinterDriverW(static_cast<HANDLE>(printer), nullptr, 2, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_2W)) return false;
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverW(static_cast<HANDLE>(printer), nullptr, 2, buffer.data(), needed,
                         &needed)) {
    return false;
  }
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
  if (info->pDataFile == nullptr) return false;
  path->assign(reinterpret_cast<const char16_t*>(info->pDataFile));
  return true;
}

bool Win32Machine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                              std::string* out) {
  if (capacity == 0) return false;
  std::vector<char> buffer(capacity);
  const int written =
      WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.c_str()), -1,
                          buffer.data(), static_cast<int>(capacity), nullptr, nullptr);
  if (written <= 0) return false;
  out->assign(buffer.data());
  return true;
}

std::uint32_t Win32Machine::ProcessId() { return GetCurrentProcessId(); }

Ports Win32Ports() {
  static Win32FileSystem files;
  static Win32Spooler spooler;
  static Win32Machine machine;
  return Ports{&files, &spooler, &machine};
}

}  // namespace tqr::win32
