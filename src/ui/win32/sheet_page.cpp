#include "ui/win32/sheet_page.h"

#include <commctrl.h>
#include <compstui.h>

#include "ui/main_page_model.h"
#include "sheet/print_mode_settings.h"
#include "sheet/sheet_context.h"
#include "ui/win32/dlgutil_win32.h"
#include "ui/win32/message_box.h"

namespace tqr {
namespace {

constexpr wchar_t kCannotCancelMessage[] =
    L"Cannot cancel the settings in effect for an already chosen Print Mode when deleting or "
    L"overwriting the Print Mode.\nDo you want to start over defining the settings?\n\nTo leave "
    L"the Print Mode settings the way they were before you entered changes, click No.";

}  // namespace

SheetState* SheetOfPageCreation(LPARAM initParam) {
  const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
  if (sheetPage == nullptr || sheetPage->lParam == 0) return nullptr;
  return *reinterpret_cast<SheetState* const*>(sheetPage->lParam);
}

INT_PTR AnswerNotification(HWND page, LONG_PTR result) {
  SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR AnswerApply(HWND page, SheetState* sheet) {
  if (sheet != nullptr) {
    ConfirmMainPage(sheet);
    ConfirmDocumentSheet(sheet);
    ReportSheetResult(sheet, CPSUI_OK);
  }
  return AnswerNotification(page, PSNRET_NOERROR);
}

INT_PTR AnswerReset(HWND page, SheetState* sheet) {
  if (sheet != nullptr && CancelMainPage(sheet)) {
    ConfirmDocumentSheet(sheet);
    ReportSheetResult(sheet, CPSUI_OK);
  }
  return AnswerNotification(page, 0);
}

INT_PTR AnswerQueryCancel(HWND page, const SheetState* sheet, const wchar_t* caption) {
  if (sheet == nullptr || !IsPrintModeDeleted(sheet)) return AnswerNotification(page, FALSE);
  const int answer = ShowDriverMessage(page, kCannotCancelMessage, MB_YESNO,
                                       caption != nullptr ? caption : kDriverCaption);
  return AnswerNotification(page, answer == IDYES ? TRUE : FALSE);
}

INT_PTR AnswerHelp(HWND page, const wchar_t* helpFile, DWORD context) {
  OpenHelpTopic(page, helpFile, context);
  return AnswerNotification(page, 0);
}

bool AnswerCommonNotification(HWND page, UINT code, SheetState* sheet, const wchar_t* helpFile,
                              const wchar_t* caption, DWORD helpContext, INT_PTR* answer) {
  switch (code) {
    case PSN_HELP:
      *answer = AnswerHelp(page, helpFile, helpContext);
      return true;
    case PSN_QUERYCANCEL:
      *answer = AnswerQueryCancel(page, sheet, caption);
      return true;
    case PSN_APPLY:
      *answer = AnswerApply(page, sheet);
      return true;
    case PSN_RESET:
      *answer = AnswerReset(page, sheet);
      return true;
    default:
      return false;
  }
}

void ReportSheetResult(const SheetState* sheet, LONG result) {
  if (sheet == nullptr || sheet->hostCallback == nullptr) return;
  const auto callback = reinterpret_cast<PFNCOMPROPSHEET>(sheet->hostCallback);
  callback(static_cast<HANDLE>(sheet->hostSheet), CPSFUNC_SET_RESULT,
           static_cast<LPARAM>(sheet->lastPageValue), static_cast<LPARAM>(result));
}

void CheckSelectedPrintMode(HWND owner, SheetState* sheet) {
  if (sheet == nullptr || !SelectedPrintModeIsLost(sheet)) return;
  ShowDriverMessage(owner, reinterpret_cast<const wchar_t*>(kPrintModeLostMessage), MB_OK);
  RestoreStandardPrintMode(sheet);
}

}  // namespace tqr
