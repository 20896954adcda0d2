// The Save as and Open dialogs the Save page opens with its working record:
// Save as puts the record into an export file the user names, Open reads
// one record of such a file into it.
#pragma once

#include <windows.h>

#include "presets/print_mode_record.h"

namespace tqr {

// 1 when it wrote a record, 0 on Cancel.
INT_PTR RunSaveAsDialog(HWND owner, tqr::PrintModeRecord* working);
// 1 when it read a record into *working, 0 on Cancel.
INT_PTR RunOpenDialog(HWND owner, tqr::PrintModeRecord* working);

}  // namespace tqr
