// status: the printer's roll media and firmware version, asked for as the
// driver's Printer Information page asks for them, and shown as its lines.
// Nothing is kept: the page's stored copy stays as the page left it.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "maintenance/printer_info.h"
#include "platform/win32/win32_ports.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {

int RunStatus(const Options& options) {
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  tqr::win32::Win32Spooler spooler;
  tqr::PrinterAnswer answer;
  if (!tqr::AskPrinter(spooler, printer.get(), &answer)) {
    Fail(Phrase("no status from the printer", options.printer) +
         ": no \"PrinterStatus\" reply, or one that reports a failure; the printer's port "
         "monitor stores it, or store one with tqrctl reply --status HEX (its 24 bytes are in "
         "the administrator guide)");
    return kExitFailed;
  }
  // The page's list spaces its lines with blank rows; a script wants the lines.
  for (const std::u16string& row : tqr::ListRows(tqr::LinesOfAnswer(answer))) {
    if (row.find_first_not_of(u' ') == std::u16string::npos) continue;
    const std::wstring_view text(reinterpret_cast<const wchar_t*>(row.data()), row.size());
    std::printf("%s\n", Utf8(text).c_str());
  }
  return kExitOk;
}

}  // namespace tqrctl
