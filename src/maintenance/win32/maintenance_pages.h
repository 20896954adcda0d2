// The dialog procedures of the printer's own pages, Maintenance and Printer
// Information, and their dialog templates.
#pragma once

#include <windows.h>

namespace tqr {

constexpr int kMaintenancePageDialog = 1103;
constexpr int kPrinterInfoPageDialog = 1146;

INT_PTR CALLBACK MaintenancePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PrinterInfoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tqr
