// The Advanced sheet: Quality, Color and Save over the Main page, modal.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>

#include "ui/advanced_sheet_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

struct AdvancedTab {
  int dialogId;
  DLGPROC procedure;
};

// In the order of the tabs; the sheet opens on the first.
constexpr AdvancedTab kAdvancedPages[] = {
    {kQualityPageDialog, QualityPageProc},
    {kColorPageDialog, ColorPageProc},
    {kSavePageDialog, SavePageProc},
};

}  // namespace

INT_PTR RunAdvancedSheet(HWND mainPage, void* mainPageData, const char16_t* title) {
  PROPSHEETPAGEW pages[std::size(kAdvancedPages)] = {};
  for (std::size_t i = 0; i < std::size(kAdvancedPages); ++i) {
    pages[i].dwSize = sizeof pages[i];
    pages[i].dwFlags = PSP_HASHELP;
    pages[i].hInstance = ModuleInstance();
    pages[i].pszTemplate = MAKEINTRESOURCEW(kAdvancedPages[i].dialogId);
    pages[i].pfnDlgProc = kAdvancedPages[i].procedure;
    pages[i].lParam = reinterpret_cast<LPARAM>(mainPageData);
  }
  const std::u16string caption = AdvancedSheetCaption(title != nullptr ? title : u"");
  PROPSHEETHEADERW header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
  header.hwndParent = mainPage;
  header.hInstance = ModuleInstance();
  header.pszCaption = reinterpret_cast<const wchar_t*>(caption.c_str());
  header.nPages = static_cast<UINT>(std::size(pages));
  header.nStartPage = 0;
  header.ppsp = pages;
  return PropertySheetW(&header);
}

namespace {

// The pages work on a copy of the Main page flags: OK hands it over, Cancel
// only carries a print mode deleted meanwhile.
INT_PTR OnAdvancedNotify(const AdvancedPage& hooks, HWND page, const NMHDR* header) {
  const DialogHeader* state = GetDialogHeader(page);
  if (state == nullptr || state->sheet == nullptr || header == nullptr) return FALSE;
  INT_PTR answer = FALSE;
  if (hooks.notify != nullptr && hooks.notify(page, header, &answer)) return answer;
  switch (header->code) {
    case PSN_SETACTIVE:
      hooks.activate(page);
      return AnswerNotification(page, 0);
    case PSN_KILLACTIVE:
      return AnswerNotification(page, FALSE);
    case PSN_APPLY:
      ConfirmAdvancedPage(state->sheet);
      return AnswerNotification(page, PSNRET_NOERROR);
    case PSN_RESET:
      CancelAdvancedPage(state->sheet);
      return AnswerNotification(page, 0);
    case PSN_HELP:
      return AnswerHelp(page, state->helpFile, hooks.helpContext);
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR AdvancedPageProc(const AdvancedPage& hooks, HWND page, UINT message, WPARAM wParam,
                         LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      hooks.open(page, lParam);
      return TRUE;
    case WM_COMMAND:
      hooks.command(page, wParam);
      return TRUE;
    case WM_NOTIFY:
      return OnAdvancedNotify(hooks, page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_HELP:
    case WM_CONTEXTMENU:
      // Answered: the pages' help is their sheet's Help button.
      return TRUE;
    case WM_DESTROY:
      hooks.close(page);
      ClosePageState(page);
      return TRUE;
    default: {
      INT_PTR answer = FALSE;
      if (hooks.other != nullptr && hooks.other(page, message, wParam, lParam, &answer)) {
        return answer;
      }
      return FALSE;
    }
  }
}

void ShowModifiedTitle(HWND page, const SheetState* sheet) {
  if (!IsAdvancedModified(sheet)) return;
  const std::u16string title = ModifiedSheetTitle(sheet);
  SendMessageW(GetParent(page), PSM_SETTITLEW, 0,
               reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(title.c_str())));
}

}  // namespace tqr
