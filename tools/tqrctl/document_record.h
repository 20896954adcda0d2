// The settings record as a document gets it from the driver, and the printer's
// default record as the spooler keeps it (PRINTER_INFO_2's pDevMode), which
// documents that bring no record of their own get through the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/devmode.h"

namespace tqrctl {

// DocumentPropertiesW with DM_OUT_BUFFER, and with DM_IN_BUFFER from `input`
// when one is given: what the driver makes of it. Reports and returns false when
// the answer is not one whole record of this driver.
bool AskDocumentRecord(HANDLE printer, const std::wstring& name, const tqr::DRVDEVMODE* input,
                       tqr::DRVDEVMODE* record);

// The spooler's default record of the printer as bytes; empty when it keeps none.
bool ReadDefaultRecord(HANDLE printer, std::vector<BYTE>* bytes);
// Replaces it with `record` through SetPrinterW (level 2), on a handle opened
// with PRINTER_ALL_ACCESS.
bool StoreDefaultRecord(HANDLE printer, const tqr::DRVDEVMODE& record);

}  // namespace tqrctl
