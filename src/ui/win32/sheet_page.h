// What every page of the document sheet shares with the host: where its
// sheet state comes from, how it answers a notification, what OK and Cancel
// do to the sheet and how the host hears of it, help, the question a cancel
// meets once a print mode was deleted or overwritten, and the print mode
// check that runs before the pages are made.
#pragma once

#include <windows.h>

#include "sheet/sheetstate.h"

namespace tqr {

// The sheet state of a page, from its WM_INITDIALOG parameter: the host
// hands the page its PROPSHEETPAGEW, whose lParam is where the sheet keeps
// its state pointer. Null when there is none.
SheetState* SheetOfPageCreation(LPARAM initParam);

// Answers a sheet notification through DWLP_MSGRESULT.
INT_PTR AnswerNotification(HWND page, LONG_PTR result);

// PSN_APPLY: keeps the print mode flags, snapshots the sheet and tells the
// host OK. Every page that edits the sheet answers OK the same way.
INT_PTR AnswerApply(HWND page, SheetState* sheet);

// PSN_RESET: after a print mode was deleted or overwritten, the saved
// settings come back and are confirmed to the host all the same, since the
// mode they were saved with no longer exists; otherwise nothing happens.
INT_PTR AnswerReset(HWND page, SheetState* sheet);

// PSN_QUERYCANCEL: after a print mode was deleted or overwritten the user is
// asked whether to go on editing; Yes refuses the cancel.
INT_PTR AnswerQueryCancel(HWND page, const SheetState* sheet, const wchar_t* caption);

// PSN_HELP: the page's topic of the driver's help file; nothing when the
// driver names no help file.
INT_PTR AnswerHelp(HWND page, const wchar_t* helpFile, DWORD context);

// What every editing page answers alike: help at its topic, the cancel
// question, apply and reset. True, with the answer, when `code` was one of
// them.
bool AnswerCommonNotification(HWND page, UINT code, SheetState* sheet, const wchar_t* helpFile,
                              const wchar_t* caption, DWORD helpContext, INT_PTR* answer);

// Tells the host the sheet's result through its callback (CPSFUNC_SET_RESULT
// with the last page's value).
void ReportSheetResult(const SheetState* sheet, LONG result);

// Tells the user and falls back to the standard print mode when the one in
// effect no longer exists or was never confirmed.
void CheckSelectedPrintMode(HWND owner, SheetState* sheet);

}  // namespace tqr
