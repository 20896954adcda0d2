// The print modes a printer's Main page offers: the built-in ones of the
// description and the user's presets in the user print mode file.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "presets/print_mode_record.h"
#include "settings/devmode.h"
#include "tqrctl/printer_description.h"

namespace tqrctl {

struct PrintMode {
  int number;  // 0 to 4 built in, 5 on the user's
  std::string name;
  tqr::PrintModeRecord record;
};

// Built-in modes as a sheet opened on `record` builds them; then the user's.
bool ListPrintModes(const PrinterDescription& description, HANDLE printer,
                    const tqr::DRVDEVMODE& record, std::vector<PrintMode>* modes);

}  // namespace tqrctl
