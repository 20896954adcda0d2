// props: the printer's own property sheet (the device sheet), opened as the
// printers folder opens it, or through our own host with every step shown; on
// OK the settings the driver stored for the printer.
#include <windows.h>
#include <winspool.h>

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

using CommonPropertySheetUIFn = LONG(WINAPI*)(HWND, SheetEntry, LPARAM, LPDWORD);

DEVICEPROPERTYHEADER DeviceHeader(HANDLE printer, const Options& options) {
  DEVICEPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.Flags = options.readOnly ? kDeviceNoPermission : 0;
  header.hPrinter = printer;
  header.pszPrinterName = const_cast<LPWSTR>(options.printer.c_str());
  return header;
}

std::string CommonAnswerName(LONG answer) {
  switch (answer) {
    case CPSUI_OK:
      return " (CPSUI_OK)";
    case CPSUI_CANCEL:
      return " (CPSUI_CANCEL)";
    case ERR_CPSUI_GETLASTERROR:
      return " (ERR_CPSUI_GETLASTERROR)";
    case ERR_CPSUI_NO_PROPSHEETPAGE:
      return " (ERR_CPSUI_NO_PROPSHEETPAGE: the driver added no page)";
    default:
      return "";
  }
}

// The stored settings after the sheet: shown when they are the driver's record,
// and compared with what was there before. The system's host may drop the
// sheet's result, so there unchanged settings after OK are only noted.
int ShowStored(HANDLE printer, const std::vector<BYTE>& before, bool confirmed, bool ourHost) {
  std::vector<BYTE> after;
  const bool stored = ReadStoredRecord(printer, &after, !confirmed);
  if (!confirmed) {
    if (after != before) {
      Fail("the sheet was not confirmed, yet the stored settings changed");
      return kExitFailed;
    }
    Say("the stored settings are as they were");
    return kExitCancelled;
  }
  if (!stored) return kExitFailed;
  std::string why;
  if (!HoldsDriverRecord(after, &why)) {
    Fail("the stored settings are no record of this driver: " + why);
    return kExitFailed;
  }
  if (after == before && !ourHost) {
    Say("the stored settings are unchanged: this host never gave the driver the sheet's "
        "result");
    return kExitOk;
  }
  Say("the stored settings:");
  PrintRecord(after);
  if (HoldsDriverRecord(before, &why)) {
    Say("changed from the settings stored before:");
    PrintChanges(before, after);
  }
  return kExitOk;
}

// As the printers folder opens the sheet; where PrinterProperties is a stub (as
// in Wine), through the common property sheet UI, as the spooler would.
int RunSystemProps(HANDLE printer, const Options& options, const std::vector<BYTE>& before) {
  SetLastError(ERROR_SUCCESS);
  if (PrinterProperties(nullptr, printer)) {
    Say("PrinterProperties answered TRUE");
    return ShowStored(printer, before, true, false);
  }
  Say("PrinterProperties failed: " + DescribeError(GetLastError()) +
      "; opening the driver's device sheet through CommonPropertySheetUIW instead");
  const HMODULE common = LoadLibraryW(L"compstui.dll");
  const auto show = common != nullptr
                        ? reinterpret_cast<CommonPropertySheetUIFn>(reinterpret_cast<void*>(
                              GetProcAddress(common, "CommonPropertySheetUIW")))
                        : nullptr;
  if (show == nullptr) {
    FailLastError("no CommonPropertySheetUIW in compstui.dll");
    if (common != nullptr) FreeLibrary(common);
    return kExitFailed;
  }
  ConfigModule module;
  if (!module.Load(printer)) {
    FreeLibrary(common);
    return kExitFailed;
  }
  bool failed = false;
  std::unique_ptr<ScriptedUser> user =
      StartScript(options, options.readOnly ? L"props-read-only" : L"props", &failed);
  if (failed) {
    FreeLibrary(common);
    return kExitFailed;
  }
  DEVICEPROPERTYHEADER header = DeviceHeader(printer, options);
  DWORD result = 0xFFFFFFFF;
  const LONG answer =
      show(nullptr, module.DeviceSheets(), reinterpret_cast<LPARAM>(&header), &result);
  ReportScript(user.get());
  const bool cancelled = PressedCancel(user.get(), options);
  user.reset();
  FreeLibrary(common);
  Say("CommonPropertySheetUIW answered " + std::to_string(answer) + CommonAnswerName(answer) +
      ", result " + std::to_string(result));
  if (answer < 0 && answer != ERR_CPSUI_NO_PROPSHEETPAGE) return kExitFailed;
  return ShowStored(printer, before, answer == CPSUI_OK && result == CPSUI_OK && !cancelled,
                    false);
}

int RunHostedProps(HANDLE printer, const Options& options, const std::vector<BYTE>& before) {
  ConfigModule module;
  if (!module.Load(printer)) return kExitFailed;
  Say("config module " + Utf8(module.path()));
  DEVICEPROPERTYHEADER header = DeviceHeader(printer, options);
  const LONG_PTR told =
      RunHostedSheet(module.DeviceSheets(), reinterpret_cast<LPARAM>(&header), options,
                     options.readOnly ? L"props-host-read-only" : L"props-host");
  if (told < 0) {
    Fail("the driver did not set up its device sheet");
    return kExitFailed;
  }
  return ShowStored(printer, before, told == CPSUI_OK, true);
}

}  // namespace

int RunProps(const Options& options) {
  if (!CheckSheetCanEnd(options)) return kExitFailed;
  PrinterHandle printer;
  // The device sheet stores the printer's settings, which takes the right to
  // administer it; a user without it still sees the sheet.
  if (!printer.Open(options.printer, PRINTER_ALL_ACCESS)) {
    if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
      FailOpenPrinter("cannot open the printer", options.printer);
      return kExitFailed;
    }
    Say("the printer is open for use only: the driver cannot store its settings");
  }
  // The value may be missing; then there is nothing to compare with.
  std::vector<BYTE> before;
  ReadStoredRecord(printer.get(), &before, true);
  return options.host ? RunHostedProps(printer.get(), options, before)
                      : RunSystemProps(printer.get(), options, before);
}

}  // namespace tqrctl
