// What every page of the document sheet shares with the host: where its
// sheet state comes from, how it answers a notification, and the question
// a cancel meets once a print mode was deleted or overwritten.
#pragma once

#include <windows.h>

#include "devdesc/sheetstate.h"

namespace tqr {

// The sheet state of a page, from its WM_INITDIALOG parameter: the host
// hands the page its PROPSHEETPAGEW, whose lParam is where the sheet keeps
// its state pointer. Null when there is none.
SheetState* SheetOfPageCreation(LPARAM initParam);

// Answers a sheet notification through DWLP_MSGRESULT.
INT_PTR AnswerNotification(HWND page, LONG_PTR result);

// PSN_QUERYCANCEL: after a print mode was deleted or overwritten the user is
// asked whether to go on editing; Yes refuses the cancel.
INT_PTR AnswerQueryCancel(HWND page, const SheetState* sheet, const wchar_t* caption);

}  // namespace tqr
