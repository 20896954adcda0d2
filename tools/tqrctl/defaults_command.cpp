// defaults: the printer's default settings record, asked for the way applications
// ask, and shown field by field.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "settings/devmode.h"
#include "settings/devmode_describe.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {

int RunDefaults(const Options& options) {
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  LPWSTR name = const_cast<LPWSTR>(options.printer.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
  if (size <= 0) {
    FailLastError("DocumentPropertiesW gave no record size for", options.printer);
    return kExitFailed;
  }
  // Zeroed, as most applications' buffers are.
  std::vector<BYTE> buffer(static_cast<std::size_t>(size), 0);
  auto* record = reinterpret_cast<DEVMODEW*>(buffer.data());
  const LONG result =
      DocumentPropertiesW(nullptr, printer.get(), name, record, nullptr, DM_OUT_BUFFER);
  if (result != IDOK) {
    const DWORD error = GetLastError();
    Fail(Phrase("DocumentPropertiesW(DM_OUT_BUFFER) failed for", options.printer) + ": answered " +
         std::to_string(result) + ", " + DescribeError(error));
    return kExitFailed;
  }

  const unsigned total = unsigned{record->dmSize} + record->dmDriverExtra;
  Say("Printer \"" + Utf8(options.printer) + "\": " + std::to_string(size) +
      " bytes reported, record of " + std::to_string(record->dmSize) + " + " +
      std::to_string(record->dmDriverExtra) + " bytes");
  if (total != static_cast<unsigned>(size)) {
    Fail("the record's dmSize + dmDriverExtra (" + std::to_string(total) +
         ") is not the size DocumentPropertiesW reported (" + std::to_string(size) + ")");
    return kExitFailed;
  }
  if (record->dmSize != tqr::kPublicSize || record->dmDriverExtra != tqr::kPrivateSize) {
    Fail("not this driver's record: expected " + std::to_string(tqr::kPublicSize) + " + " +
         std::to_string(tqr::kPrivateSize) + " bytes");
    return kExitFailed;
  }
  tqr::DRVDEVMODE decoded;
  std::memcpy(&decoded, buffer.data(), sizeof decoded);
  std::fputs(tqr::DescribeRecord(decoded).c_str(), stdout);
  return kExitOk;
}

}  // namespace tqrctl
