// The document-settings exports: records built, merged and finalized for
// applications and the spooler. No window is shown here.
#include "interface/document_request.h"
#include "interface/win32/driver_kit.h"
#include "interface/win32/opened_printer.h"

namespace {

const char16_t* Text(LPCWSTR text) { return reinterpret_cast<const char16_t*>(text); }

}  // namespace

LONG WINAPI DrvDocumentProperties(HWND, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                                  PDEVMODEW input, DWORD mode) {
  return tqr::AnswerDocumentProperties(printer, Text(deviceName), output, input, mode);
}

LONG WINAPI DrvAdvancedDocumentProperties(HWND, HANDLE printer, LPWSTR deviceName,
                                          PDEVMODEW output, PDEVMODEW input) {
  return tqr::AnswerAdvancedDocumentProperties(printer, Text(deviceName), output, input);
}

LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM parameter) {
  if (info != nullptr) {
    // The property sheets are not part of this module yet.
    return -1;
  }
  auto* header = reinterpret_cast<DOCUMENTPROPERTYHEADER*>(parameter);
  if (header == nullptr) return -1;
  // Wine's spooler asks for the default record while adding the printer
  // and passes no handle; the printer exists by then and opens by name.
  tqr::OpenedPrinter opened(header->hPrinter == nullptr && header->fMode != 0
                                ? header->pszPrinterName
                                : nullptr,
                            0);
  HANDLE printer = header->hPrinter != nullptr ? header->hPrinter : opened.handle();
  tqr::DocumentHeader request{printer, Text(header->pszPrinterName), header->pdmIn,
                              header->pdmOut, nullptr, header->fMode};
  std::uint32_t cbOut = header->cbOut;
  request.cbOut = &cbOut;
  const LONG result = tqr::DocumentPropertiesWithoutSheet(request);
  header->cbOut = cbOut;
  return result;
}

LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO, LPARAM) { return -1; }

BOOL WINAPI PrinterProperties(HWND, HANDLE) { return TRUE; }

BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO) { return TRUE; }
