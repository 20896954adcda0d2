// Stand-ins until the Save as and Open dialogs land: both answer Cancel
// without showing anything, so that the Save page links. This file goes
// when the dialogs arrive.
#include "ui/win32/export_dialogs.h"

namespace tqr {

INT_PTR RunSaveAsDialog(HWND, tqr::PrintModeRecord*) { return 0; }
INT_PTR RunOpenDialog(HWND, tqr::PrintModeRecord*) { return 0; }

}  // namespace tqr
