// Hands a sheet's pages to the spooler's common property sheet host. It
// knows every page, so it sits above the pages' own layers.
#pragma once

#include <windows.h>
#include <compstui.h>

#include "sheet/sheet_context.h"

namespace tqr {

// Checks the print mode in effect, creates the pages of the document sheet
// (or the device sheet) and adds them through the host's callback. 1 when
// every page was added; 0 otherwise, with the host's result set to 0.
int AssembleSheet(SheetContext* context, PROPSHEETUI_INFO* info, bool deviceSheet);

}  // namespace tqr
