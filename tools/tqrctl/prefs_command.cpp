// prefs: the printing preferences, opened as applications open them, or through
// our own host with every step of the sheet's life shown; on OK the settings
// that come back.
#include <windows.h>
#include <winspool.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32/driver_kit.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/printers.h"
#include "tqrctl/record_report.h"
#include "tqrctl/sheet_host.h"
#include "tqrctl/sheet_run.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

// Far beyond any driver's record; a size above it is a broken answer.
constexpr LONG kLargestRecord = 65536;

struct Records {
  std::vector<BYTE> input;   // the printer's settings as applications get them
  std::vector<BYTE> output;  // where the sheet's settings are to come back
  std::vector<BYTE> outputBefore;
};

bool PrepareRecords(HANDLE printer, const Options& options, Records* records) {
  LPWSTR name = const_cast<LPWSTR>(options.printer.c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
  if (size <= 0 || size > kLargestRecord) {
    return FailLastError("DocumentPropertiesW gave no usable record size for", options.printer);
  }
  // Wine's spooler takes an output buffer's size from its dmSize word, so each
  // buffer says it; the rest stays zero, so that a record coming back is seen.
  records->input.assign(static_cast<std::size_t>(size), 0);
  const WORD publicSize = sizeof(DEVMODEW);
  std::memcpy(records->input.data() + offsetof(DEVMODEW, dmSize), &publicSize, sizeof publicSize);
  if (DocumentPropertiesW(nullptr, printer, name,
                          reinterpret_cast<DEVMODEW*>(records->input.data()), nullptr,
                          DM_OUT_BUFFER) != IDOK) {
    return FailLastError("DocumentPropertiesW(DM_OUT_BUFFER) failed for", options.printer);
  }
  records->output.assign(records->input.size(), 0);
  std::memcpy(records->output.data() + offsetof(DEVMODEW, dmSize), &publicSize, sizeof publicSize);
  records->outputBefore = records->output;
  return true;
}

DWORD SheetMode(const Options& options) {
  return DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT | (options.readOnly ? kModeNoPermission : 0);
}

// What came back in the output buffer: the settings, or why they did not. Our
// own host hands the driver every result, so there an OK without a record is
// the driver's fault; the system's host may drop the result, and after Cancel
// may hand back the record the sheet was opened with.
int ShowOutput(const Records& records, bool confirmed, bool ourHost) {
  std::string why;
  if (HoldsDriverRecord(records.output, &why)) {
    Say("the output record came back:");
    PrintRecord(records.output);
    std::string inputWhy;
    int changes = -1;
    if (HoldsDriverRecord(records.input, &inputWhy)) {
      Say("changed from the record the sheet was opened with:");
      changes = PrintChanges(records.input, records.output);
    }
    if (confirmed) return kExitOk;
    if (!ourHost && changes == 0) {
      Say("the sheet was cancelled; this host handed back the record it was opened with");
      return kExitCancelled;
    }
    Fail("the sheet was cancelled, yet the output buffer changed");
    return kExitFailed;
  }
  if (records.output != records.outputBefore) {
    Fail("the output buffer changed but holds no record of this driver: " + why);
    return kExitFailed;
  }
  if (!confirmed) {
    Say("the output buffer is untouched, as after Cancel it should be");
    return kExitCancelled;
  }
  if (ourHost) {
    Fail("the driver was told OK but left the output buffer untouched");
    return kExitFailed;
  }
  Say("the output buffer came back untouched: this host never gave the driver the sheet's "
      "result");
  return kExitOk;
}

// As applications open the preferences: the system's host shows the sheet.
int RunSystemPrefs(HANDLE printer, const Options& options, Records* records) {
  bool failed = false;
  std::unique_ptr<ScriptedUser> user =
      StartScript(options, options.readOnly ? L"prefs-read-only" : L"prefs", &failed);
  if (failed) return kExitFailed;
  SetLastError(ERROR_SUCCESS);
  const LONG answer =
      DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(options.printer.c_str()),
                          reinterpret_cast<DEVMODEW*>(records->output.data()),
                          reinterpret_cast<DEVMODEW*>(records->input.data()), SheetMode(options));
  const DWORD error = GetLastError();
  ReportScript(user.get());
  const bool cancelled = PressedCancel(user.get(), options);
  user.reset();
  Say("DocumentPropertiesW(DM_IN_BUFFER | DM_OUT_BUFFER | DM_PROMPT) answered " +
      std::to_string(answer) +
      (answer == IDOK       ? " (IDOK)"
       : answer == IDCANCEL ? " (IDCANCEL)"
                            : ""));
  if (answer < 0) {
    FailWithError("DocumentPropertiesW failed for", options.printer, error);
    return kExitFailed;
  }
  return ShowOutput(*records, answer == IDOK && !cancelled, false);
}

// Our host, step by step.
int RunHostedPrefs(HANDLE printer, const Options& options, Records* records) {
  ConfigModule module;
  if (!module.Load(printer)) return kExitFailed;
  Say("config module " + Utf8(module.path()));
  DOCUMENTPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  header.pszPrinterName = const_cast<LPWSTR>(options.printer.c_str());
  header.pdmIn = reinterpret_cast<DEVMODEW*>(records->input.data());
  header.pdmOut = reinterpret_cast<DEVMODEW*>(records->output.data());
  header.cbOut = static_cast<DWORD>(records->output.size());
  header.fMode = SheetMode(options);
  const LONG_PTR told =
      RunHostedSheet(module.DocumentSheets(), reinterpret_cast<LPARAM>(&header), options,
                     options.readOnly ? L"prefs-host-read-only" : L"prefs-host");
  if (told < 0) {
    Fail("the driver did not set up its document sheet");
    return kExitFailed;
  }
  return ShowOutput(*records, told == CPSUI_OK, true);
}

}  // namespace

int RunPrefs(const Options& options) {
  if (!CheckSheetCanEnd(options)) return kExitFailed;
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  Records records;
  if (!PrepareRecords(printer.get(), options, &records)) return kExitFailed;
  return options.host ? RunHostedPrefs(printer.get(), options, &records)
                      : RunSystemPrefs(printer.get(), options, &records);
}

}  // namespace tqrctl
