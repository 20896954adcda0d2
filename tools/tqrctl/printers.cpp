#include "tqrctl/printers.h"

#include <winspool.h>

#include <cwchar>

#include "tqrctl/failure.h"

namespace tqrctl {
namespace {

// The spooler's two-call pattern: ask for the size, then fill. Sizes can grow between
// the calls (another process adding a printer), so a short buffer is retried.
template <typename Call>
bool FetchBlock(Call call, std::vector<BYTE>* block) {
  DWORD needed = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    block->assign(needed, 0);
    if (call(block->empty() ? nullptr : block->data(), needed, &needed)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  }
  return false;
}

}  // namespace

PrinterHandle::~PrinterHandle() { Close(); }

bool PrinterHandle::Open(const std::wstring& name, ACCESS_MASK access) {
  Close();
  PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
  HANDLE handle = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &handle, &defaults)) return false;
  handle_ = handle;
  return true;
}

void PrinterHandle::Close() {
  if (handle_ != nullptr) ClosePrinter(handle_);
  handle_ = nullptr;
}

bool PrinterExists(const std::wstring& name) {
  PrinterHandle printer;
  return printer.Open(name, PRINTER_ACCESS_USE);
}

bool DriverExists(const std::wstring& name) {
  std::vector<BYTE> block;
  DWORD count = 0;
  const bool listed = FetchBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrinterDriversW(nullptr, nullptr, 1, buffer, size, needed, &count) != FALSE;
      },
      &block);
  if (!listed) return false;
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_1W*>(block.data());
  for (DWORD i = 0; i < count; ++i) {
    if (drivers[i].pName != nullptr && _wcsicmp(drivers[i].pName, name.c_str()) == 0) return true;
  }
  return false;
}

bool GetDriverFiles(const std::wstring& name, std::vector<std::wstring>* files) {
  std::vector<BYTE> block;
  DWORD count = 0;
  const bool listed = FetchBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrinterDriversW(nullptr, nullptr, 3, buffer, size, needed, &count) != FALSE;
      },
      &block);
  if (!listed) return false;
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(block.data());
  for (DWORD i = 0; i < count; ++i) {
    const DRIVER_INFO_3W& driver = drivers[i];
    if (driver.pName == nullptr || _wcsicmp(driver.pName, name.c_str()) != 0) continue;
    files->clear();
    for (const wchar_t* file :
         {driver.pDriverPath, driver.pConfigFile, driver.pDataFile, driver.pHelpFile}) {
      if (file != nullptr && *file != L'\0') files->push_back(file);
    }
    for (const wchar_t* file = driver.pDependentFiles; file != nullptr && *file != L'\0';
         file += std::wcslen(file) + 1) {
      files->push_back(file);
    }
    return true;
  }
  SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
  return false;
}

bool ListPrinters(std::vector<PrinterEntry>* printers) {
  std::vector<BYTE> block;
  DWORD count = 0;
  const bool listed = FetchBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, &count) != FALSE;
      },
      &block);
  if (!listed) return false;
  printers->clear();
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  for (DWORD i = 0; i < count; ++i) {
    printers->push_back({info[i].pPrinterName != nullptr ? info[i].pPrinterName : L"",
                         info[i].pPortName != nullptr ? info[i].pPortName : L"",
                         info[i].pDriverName != nullptr ? info[i].pDriverName : L""});
  }
  return true;
}

bool GetPrinterPort(HANDLE printer, std::wstring* port) {
  std::vector<BYTE> block;
  const bool got = FetchBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterW(printer, 2, buffer, size, needed) != FALSE;
      },
      &block);
  if (!got) return false;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
  *port = info->pPortName != nullptr ? info->pPortName : L"";
  return true;
}

bool GetConfigFile(HANDLE printer, std::wstring* path) {
  std::vector<BYTE> block;
  const bool got = FetchBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterDriverW(printer, nullptr, 2, buffer, size, needed) != FALSE;
      },
      &block);
  if (!got) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_2W*>(block.data());
  *path = info->pConfigFile != nullptr ? info->pConfigFile : L"";
  return true;
}

bool GetDefaultPrinterName(std::wstring* name) {
  DWORD chars = 0;
  GetDefaultPrinterW(nullptr, &chars);
  if (chars == 0) return false;
  std::vector<wchar_t> text(chars, L'\0');
  if (!GetDefaultPrinterW(text.data(), &chars)) return false;
  *name = text.data();
  return !name->empty();
}

bool MakeDefaultPrinter(const std::wstring& name) {
  if (SetDefaultPrinterW(name.c_str())) return true;
  return FailLastError("cannot make the default printer", name);
}

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace tqrctl
