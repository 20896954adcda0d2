// The Printer Information page: the roll media in trays A and B and the
// firmware version as the printer reports them, and when they were
// obtained. The page asks the printer when it opens only where that is
// safe to do; otherwise it shows the last answer kept under the driver's
// key, and the user may ask again with the button.
#include <windows.h>
#include <commctrl.h>

#include "maintenance/printer_info.h"
#include "maintenance/win32/registry_driver_key.h"
#include "resources/printer_info_ids.h"
#include "ui/win32/dlgutil_win32.h"
#include "maintenance/win32/maintenance_pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kPrinterInfoPageDialog == IDD_PRINTER_INFO_PAGE);

constexpr DWORD kPrinterInfoHelpContext = 2053;

constexpr wchar_t kRetrieveCaption[] = L"Retrieving Printer Information";
constexpr wchar_t kNoAnswerMessage[] =
    L"Unable to notify printer. As for the cause, the followings are thought; print job is "
    L"processed, printer power is off, or a network connection is in use.";

struct PrinterInfoPageBlock {
  DialogHeader header;
};

LocalTime Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void ShowLines(HWND page, const PrinterInfoLines& lines) {
  HWND list = GetDlgItem(page, IDC_PRINTER_INFO_LIST);
  if (list == nullptr) return;
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::u16string& row : ListRows(lines)) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
}

void ShowStoredLines(HWND page) {
  RegistryDriverKeyStore store;
  ShowLines(page, ReadStoredPrinterInfo(store));
}

// Asks the printer, keeps and shows its answer; false, with the list and
// the key as they were, when it did not answer.
bool RetrieveAndShow(HWND page, const SheetState* sheet) {
  Spooler* spooler = CurrentPorts().spooler;
  if (sheet == nullptr || spooler == nullptr) return false;
  RegistryDriverKeyStore store;
  const std::optional<PrinterInfoLines> lines =
      QueryPrinterInfo(*spooler, sheet->printer, store, Now());
  if (!lines) return false;
  ShowLines(page, *lines);
  return true;
}

// A sheet opened from an application (an owner window with a title) may
// find the printer busy with that application's work, so the page asks at
// once only when the owner has no title or there is none, and only for a
// user who may change the printer's data at all.
bool AskAtOnce(HWND page, const SheetState* sheet) {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return false;
  HWND sheetWindow = GetParent(page);
  HWND owner = sheetWindow != nullptr ? GetParent(sheetWindow) : nullptr;
  if (owner != nullptr && GetWindowTextLengthW(owner) > 0) return false;
  return sheet != nullptr && sheet->mayWritePrinterData == 1;
}

void OpenPage(HWND page, LPARAM initParam) {
  SheetState* sheet = SheetOfPageCreation(initParam);
  auto* block = CreateDialogState<PrinterInfoPageBlock>(page, sheet);
  if (block != nullptr && sheet != nullptr) {
    GetDriverHelpFile(sheet->printer, block->header.helpFile);
  }
  if (sheet != nullptr) {
    RegistryDriverKeyStore store;
    EnsureInitialPrinterInfo(store, &sheet->printerInfoInitialized);
  }
  const bool ask = AskAtOnce(page, sheet);
  // A printer that does not answer now still has its last answer to show.
  if (!ask || !RetrieveAndShow(page, sheet)) ShowStoredLines(page);
  EnableControl(page, IDC_RETRIEVE_PRINTER_INFO, ask);
}

void OnRetrieve(HWND page) {
  const PrinterInfoPageBlock* block = DialogStateOf<PrinterInfoPageBlock>(page);
  if (RetrieveAndShow(page, block != nullptr ? block->header.sheet : nullptr)) return;
  ShowDriverMessage(page, kNoAnswerMessage, MB_OK, kRetrieveCaption, MB_ICONERROR);
}

}  // namespace

INT_PTR CALLBACK PrinterInfoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OpenPage(page, lParam);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_RETRIEVE_PRINTER_INFO || HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
      }
      OnRetrieve(page);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header == nullptr || header->code != PSN_HELP) return FALSE;
      const PrinterInfoPageBlock* block = DialogStateOf<PrinterInfoPageBlock>(page);
      return AnswerHelp(page, block != nullptr ? block->header.helpFile : nullptr,
                        kPrinterInfoHelpContext);
    }
    case WM_DESTROY:
      ClosePageState(page);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tqr
