// Small pieces of the spooler's API that several commands share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tqrctl {

// A printer handle that closes itself.
class PrinterHandle {
 public:
  PrinterHandle() = default;
  ~PrinterHandle();
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;

  // OpenPrinterW; on failure the last error says why and nothing is reported.
  bool Open(const std::wstring& name, ACCESS_MASK access);
  void Close();
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

struct PrinterEntry {
  std::wstring printer;
  std::wstring port;
  std::wstring driver;
};

bool PrinterExists(const std::wstring& name);
bool DriverExists(const std::wstring& name);
// Full paths of the files the spooler holds for a driver of this processor: driver,
// configuration, data, help and dependent files (DRIVER_INFO_3W).
bool GetDriverFiles(const std::wstring& name, std::vector<std::wstring>* files);
// Every local printer with its port and driver; false when the spooler cannot list them.
bool ListPrinters(std::vector<PrinterEntry>* printers);
// The port of one printer (PRINTER_INFO_2W).
bool GetPrinterPort(HANDLE printer, std::wstring* port);
// The full path of the printer driver's configuration module (DRIVER_INFO_2W).
bool GetConfigFile(HANDLE printer, std::wstring* path);

// The user's default printer; false when there is none.
bool GetDefaultPrinterName(std::wstring* name);
// Makes `name` the user's default printer; reports and returns false when the
// spooler refuses.
bool MakeDefaultPrinter(const std::wstring& name);

// Wine's spooler leaves out some of what Windows' does; tqrctl fills in for it there.
bool RunningUnderWine();

}  // namespace tqrctl
