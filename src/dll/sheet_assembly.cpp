#include "dll/sheet_assembly.h"

#include <commctrl.h>

#include "maintenance/win32/maintenance_pages.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

enum class AddedWhen { Always, Editable };

struct PageDescription {
  const wchar_t* title;
  int dialogId;
  DLGPROC procedure;
  AddedWhen when;
};

// In the order the user sees the tabs.
const PageDescription kDocumentPages[] = {
    {L"Main", kMainPageDialog, MainPageProc, AddedWhen::Always},
    {L"Paper", kPaperPageDialog, PaperPageProc, AddedWhen::Always},
    {L"Features", kFeaturesPageDialog, FeaturesPageProc, AddedWhen::Always},
    {L"Maintenance", kMaintenancePageDialog, MaintenancePageProc, AddedWhen::Editable},
    {L"Printer Information", kPrinterInfoPageDialog, PrinterInfoPageProc, AddedWhen::Editable},
};

const PageDescription kDevicePages[] = {
    {L"Maintenance", kMaintenancePageDialog, MaintenancePageProc, AddedWhen::Always},
};

HPROPSHEETPAGE CreatePage(const PageDescription& page, SheetState** statePlace) {
  PROPSHEETPAGEW sheetPage{};
  // The size of the second version of the structure: the host may be older
  // than the headers we build with.
  sheetPage.dwSize = PROPSHEETPAGEW_V2_SIZE;
  sheetPage.dwFlags = PSP_USETITLE | PSP_HASHELP;
  sheetPage.hInstance = ModuleInstance();
  sheetPage.pszTemplate = MAKEINTRESOURCEW(page.dialogId);
  sheetPage.pszTitle = page.title;
  sheetPage.pfnDlgProc = page.procedure;
  sheetPage.lParam = reinterpret_cast<LPARAM>(statePlace);
  return CreatePropertySheetPageW(&sheetPage);
}

}  // namespace

int AssembleSheet(SheetContext* context, PROPSHEETUI_INFO* info, bool deviceSheet) {
  SheetState* state = context->state;
  CheckSelectedPrintMode(nullptr, state);
  state->documentSheet = deviceSheet ? 0 : 1;

  const PageDescription* pages = deviceSheet ? kDevicePages : kDocumentPages;
  std::size_t pageCount = deviceSheet ? std::size(kDevicePages) : std::size(kDocumentPages);
  LONG_PTR lastPage = 0;
  for (std::size_t i = 0; i < pageCount; ++i) {
    if (pages[i].when == AddedWhen::Editable && state->editable == 0) continue;
    HPROPSHEETPAGE page = CreatePage(pages[i], &context->state);
    lastPage = page != nullptr ? info->pfnComPropSheet(info->hComPropSheet,
                                                       CPSFUNC_ADD_HPROPSHEETPAGE,
                                                       reinterpret_cast<LPARAM>(page), 0)
                               : 0;
    if (lastPage == 0) {
      if (page != nullptr) DestroyPropertySheetPage(page);
      info->Result = 0;
      return 0;
    }
  }
  state->lastPageValue = lastPage;
  state->hostCallback = reinterpret_cast<void*>(info->pfnComPropSheet);
  state->hostSheet = info->hComPropSheet;
  info->UserData = reinterpret_cast<ULONG_PTR>(context);
  info->Result = 1;
  CopyIniFile(state->descriptionIniPath, state->baseIniPath);
  return 1;
}

}  // namespace tqr
