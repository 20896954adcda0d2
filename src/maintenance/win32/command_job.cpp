// Maintenance jobs through the spooler: one document per action, opened on a
// printer handle of its own so that the sheet's handle is never left with a
// document in progress.
#include "maintenance/win32/command_job.h"

#include <winspool.h>

#include "platform/win32/spooler_strings.h"

namespace tqr {

CommandJobResult SendCommandJob(const wchar_t* printerName, const void* bytes,
                                std::uint32_t length) {
  // An empty name would open the print server instead of a printer.
  if (printerName == nullptr || printerName[0] == L'\0') {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return CommandJobResult::kNotOpened;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, nullptr)) {
    return CommandJobResult::kNotOpened;
  }
  // No data type: the printer's default applies, as the port expects the
  // blocks untouched.
  DOC_INFO_1W document{};
  document.pDocName = const_cast<LPWSTR>(kCommandJobName);
  CommandJobResult result = CommandJobResult::kSent;
  DWORD error = ERROR_SUCCESS;
  if (StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&document)) == 0) {
    error = GetLastError();
    result = CommandJobResult::kNotStarted;
  } else {
    DWORD written = 0;
    const BOOL wrote = WritePrinter(printer, const_cast<void*>(bytes), length, &written);
    if (!wrote || written != length) {
      error = wrote ? ERROR_WRITE_FAULT : GetLastError();
      // Part of a block would reach the printer as some other command.
      AbortPrinter(printer);
      result = CommandJobResult::kNotWritten;
    } else if (!EndDocPrinter(printer)) {
      error = GetLastError();
      result = CommandJobResult::kNotFinished;
    }
  }
  ClosePrinter(printer);
  SetLastError(error);
  return result;
}

CommandJobResult SendMaintenanceJob(const wchar_t* printerName, const MaintenanceJob& job) {
  return SendCommandJob(printerName, job.Bytes(), job.Length());
}

bool GetPrinterNameOf(HANDLE printer, wchar_t* destination, std::size_t capacity) {
  if (destination == nullptr || capacity == 0) return false;
  destination[0] = L'\0';
  if (printer == nullptr) return false;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  if (needed < sizeof(PRINTER_INFO_2W)) return false;
  const DWORD size = needed;
  HGLOBAL buffer = GlobalAlloc(GPTR, size);
  if (buffer == nullptr) return false;
  // A fixed block: its handle is its address.
  const auto* info = static_cast<const PRINTER_INFO_2W*>(buffer);
  // An empty name would open the print server, not the printer.
  const bool copied =
      GetPrinterW(printer, 2, static_cast<LPBYTE>(buffer), size, &needed) &&
      CopySpoolerString(buffer, size, info->pPrinterName, destination, capacity) &&
      destination[0] != L'\0';
  if (!copied) destination[0] = L'\0';
  GlobalFree(buffer);
  return copied;
}

}  // namespace tqr
