// The document-settings exports: records built, merged and finalized for
// applications and the spooler, and the document property sheet.
#include "cache/cached_calls.h"
#include "settings/document_request.h"
#include "sheet/sheet_context.h"
#include "platform/win32/driver_kit.h"
#include "dll/sheet_header.h"
#include "dll/sheet_assembly.h"

namespace {

const char16_t* Text(LPCWSTR text) { return reinterpret_cast<const char16_t*>(text); }

tqr::DocumentRecords& Records() {
  static tqr::cache::CachedDocumentRecords records(tqr::cache::ProcessPrinterCache());
  return records;
}

// The host's calls for one document sheet, by reason.
LONG DocumentSheetReason(PROPSHEETUI_INFO* info, LPARAM parameter) {
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(info->lParamInit);
  auto* context = reinterpret_cast<tqr::SheetContext*>(info->UserData);
  switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
      if (header == nullptr) return -1;
      context = tqr::OpenDocumentSheet(tqr::DocumentSheetRequest{
          header->hPrinter, Text(header->pszPrinterName), header->pdmIn, header->pdmOut,
          header->fMode});
      if (context == nullptr) return -1;
      if (!tqr::AssembleSheet(context, info, false)) {
        // The host gets no context to destroy later: release it now. Pages
        // added before the refusal are dropped by the host with the sheet,
        // before any of them is shown.
        tqr::CloseDocumentSheet(&context);
        return 0;
      }
      return 1;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
      return tqr::FillSheetHeader(parameter, header != nullptr ? header->pszPrinterName : nullptr);
    case PROPSHEETUI_REASON_DESTROY:
      // Nonzero: the sheet was shown and closed with a button.
      tqr::EndDocumentSheet(&context, parameter != 0);
      info->UserData = 0;
      return 1;
    case PROPSHEETUI_REASON_SET_RESULT: {
      const LONG result = tqr::SetResultOf(parameter);
      tqr::FinishDocumentSheet(context, result);
      info->Result = result;
      return 1;
    }
    default:
      tqr::TraceUnhandled("DrvDocumentPropertySheets", "reason", info->Reason);
      return -1;
  }
}

}  // namespace

LONG WINAPI DrvDocumentProperties(HWND, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                  PDEVMODEW input, DWORD mode) {
  return tqr::AnswerDocumentProperties(printer, Text(deviceName), output, input, mode, Records());
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND, HANDLE printer, LPWSTR deviceName,
                                          PDEVMODEW output, PDEVMODEW input) {
  return tqr::AnswerAdvancedDocumentProperties(printer, Text(deviceName), output, input,
                                               Records());
}

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM parameter) {
  if (info != nullptr) return DocumentSheetReason(info, parameter);
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(parameter);
  if (header == nullptr) return -1;
  // Wine's spooler asks for the default record while adding the printer
  // and passes no handle; the printer exists by then and is opened by name
  // when the record is not kept already.
  tqr::DocumentHeader request{header->hPrinter, Text(header->pszPrinterName), header->pdmIn,
                              header->pdmOut, nullptr, header->fMode};
  std::uint32_t cbOut = header->cbOut;
  request.cbOut = &cbOut;
  const LONG result = tqr::DocumentPropertiesWithoutSheet(request, Records());
  header->cbOut = cbOut;
  return result;
}

BOOL WINAPI PrinterProperties(HWND, HANDLE) { return TRUE; }

BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO) { return TRUE; }
