// Exports the spooler calls about the printer itself: capabilities, record
// conversion, the printer's initialization and the device property sheet.
#include "cache/cached_calls.h"
#include "settings/convert.h"
#include "settings/document_request.h"
#include "sheet/sheet_context.h"
#include "platform/win32/driver_kit.h"
#include "dll/opened_printer.h"
#include "dll/sheet_header.h"
#include "dll/sheet_assembly.h"

namespace {

const char16_t* Text(LPCWSTR text) { return reinterpret_cast<const char16_t*>(text); }

}  // namespace

DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD index, PVOID output,
                                   PDEVMODEW record) {
  // Wine's spooler passes no printer handle; the printer is then opened by
  // its name, when an answer is not kept already.
  return static_cast<DWORD>(tqr::cache::CachedDeviceCapability(
      tqr::cache::ProcessPrinterCache(), printer, Text(deviceName), index, output, record));
}

BOOL WINAPI DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output, PLONG size,
                              DWORD mode) {
  std::uint32_t lastError = 0;
  std::uint32_t bytes = size != nullptr ? static_cast<std::uint32_t>(*size) : 0;
  const int outcome = tqr::ConvertDevModeCore(input, output, size != nullptr ? &bytes : nullptr,
                                              mode, tqr::kConversionConstants, &lastError);
  if (size != nullptr) *size = static_cast<LONG>(bytes);
  if (lastError != 0) SetLastError(lastError);
  if (outcome == tqr::kConvertLeftToCaller && mode == CDM_DRIVER_DEFAULT) {
    tqr::OpenedPrinter opened(printerName, 0);
    return opened.handle() != nullptr &&
           tqr::BuildDriverDefault(opened.handle(), Text(printerName), output);
  }
  return outcome == tqr::kConvertDone;
}

BOOL WINAPI DrvPrinterEvent(LPWSTR printerName, INT event, DWORD, LPARAM) {
  if (event != PRINTER_EVENT_INITIALIZE) {
    // Nothing of this driver depends on the other events; the spooler goes
    // on either way.
    tqr::TraceUnhandled("DrvPrinterEvent", "event", static_cast<std::uint32_t>(event));
    return TRUE;
  }
  tqr::OpenedPrinter opened(printerName, PRINTER_ALL_ACCESS);
  if (opened.handle() == nullptr) return TRUE;
  return tqr::StoreInitialSettings(opened.handle(), Text(printerName));
}

LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM parameter) {
  if (info == nullptr) return -1;
  auto* header = reinterpret_cast<DEVICEPROPERTYHEADER*>(info->lParamInit);
  if (header == nullptr) return -1;
  auto* context = reinterpret_cast<tqr::SheetContext*>(info->UserData);
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
      context = tqr::OpenDeviceSheet(header->hPrinter, Text(header->pszPrinterName),
                                     header->Flags);
      if (context == nullptr) return -1;
      if (!tqr::AssembleSheet(context, info, true)) {
        // As for the document sheet: nothing is left for a later DESTROY.
        tqr::CloseDeviceSheet(context);
        return 0;
      }
      return 1;
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return tqr::FillSheetHeader(parameter, header->pszPrinterName);
    case PROPSHEETUI_REASON_DESTROY:
      tqr::CloseDeviceSheet(context);
      return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
      const LONG result = tqr::SetResultOf(parameter);
      info->Result = result;
      tqr::FinishDeviceSheet(context, result);
      return 1;
    }
    default:
      tqr::TraceUnhandled("DrvDevicePropertySheets", "reason", info->Reason);
      return -1;
  }
}
