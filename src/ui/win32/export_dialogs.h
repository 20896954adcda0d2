// The dialogs that move one print mode between the user presets and an
// export file: Save as (8500) writes the working record into a file, Open
// (9000) reads one record of a file into it.
#pragma once

#include <windows.h>

#include "presets/print_mode_record.h"

namespace tqr {

INT_PTR RunSaveAsDialog(HWND owner, tqr::PrintModeRecord* working);  // 1 when it wrote a record, 0 on Cancel
INT_PTR RunOpenDialog(HWND owner, tqr::PrintModeRecord* working);    // 1 when it read a record into *working, 0 on Cancel

}  // namespace tqr
