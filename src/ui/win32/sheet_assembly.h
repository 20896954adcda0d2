// Hands a sheet's pages to the spooler's common property sheet host, and
// what the pages use to report the user's confirmation back to it.
#pragma once

#include <windows.h>
#include <compstui.h>

#include "devdesc/sheetstate.h"
#include "interface/sheet_context.h"

namespace tqr {

// Checks the print mode in effect, creates the pages of the document sheet
// (or the device sheet) and adds them through the host's callback. 1 when
// every page was added; 0 otherwise, with the host's result set to 0.
int AssembleSheet(SheetContext* context, PROPSHEETUI_INFO* info, bool deviceSheet);

// Tells the user and falls back to the standard print mode when the one in
// effect no longer exists or was never confirmed.
void CheckSelectedPrintMode(HWND owner, SheetState* state);

// Tells the host the sheet's result through its callback (CPSFUNC_SET_RESULT
// with the last page's value).
void ReportSheetResult(const SheetState* state, LONG result);

}  // namespace tqr
