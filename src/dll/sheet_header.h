// The header the host shows above a sheet: title and icon.
#pragma once

#include <windows.h>
#include <compstui.h>

#include "resources/resource_ids.h"
#include "ui/win32/module_instance.h"

namespace tqr {

inline LONG FillSheetHeader(LPARAM parameter, LPWSTR title) {
  auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(parameter);
  if (header == nullptr) return -1;
  header->Flags = PSUIHDRF_PROPTITLE;
  // The host reads the title as UTF-16 whatever the header's TCHAR says:
  // the driver interface is the wide one.
  header->pTitle = reinterpret_cast<LPTSTR>(title);
  header->hInst = ModuleInstance();
  header->IconID = IDI_PRINTER;
  return 1;
}

inline LONG SetResultOf(LPARAM parameter) {
  const auto* result = reinterpret_cast<const SETRESULT_INFO*>(parameter);
  return result != nullptr ? static_cast<LONG>(result->Result) : 0;
}

}  // namespace tqr
