// What the Maintenance page shares with its two dialogs: the page's state
// block, which the dialogs receive as their creation parameter, and the
// dialogs themselves.
#pragma once

#include <windows.h>

#include "maintenance/maintenance_command.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

// Printer names with their server part fit easily; a longer one is not
// kept, and the page's actions then send nothing.
constexpr int kPrinterNameLength = 512;

struct MaintenancePageBlock {
  DialogHeader header;
  // The page itself, which the dialogs centre over.
  HWND window;
  // The printer the jobs go to, by the name the spooler knows it by.
  wchar_t printerName[kPrinterNameLength];
};

// Sends one maintenance job to the page's printer. Nothing is shown either
// way: the printer, not the driver, reports how the action went.
void SendPageJob(const MaintenancePageBlock* page, const MaintenanceJob& job);

// The state block of both dialogs: the page they were opened from.
struct MaintenanceDialogBlock {
  DialogHeader header;
  const MaintenancePageBlock* page;
};

// Runs dialog `dialogId` modally over the page, which it gets as its
// creation parameter; 0 without a page.
INT_PTR RunMaintenanceDialog(const MaintenancePageBlock* page, int dialogId, DLGPROC procedure);
// WM_INITDIALOG of both dialogs: their block, and the dialog centred over
// the page.
void OpenMaintenanceDialog(HWND dialog, LPARAM initParam);
// Sends `job` to the printer of the page the dialog was opened from.
void SendDialogJob(HWND dialog, const MaintenanceJob& job);
// Releases the dialog's block, then ends it with `result`.
void CloseMaintenanceDialog(HWND dialog, INT_PTR result);

// The two dialogs, modal over the page; 1 when they sent a job and closed,
// 0 when cancelled.
INT_PTR RunCleaningDialog(const MaintenancePageBlock* page);
INT_PTR RunAlignmentDialog(const MaintenancePageBlock* page);

INT_PTR CALLBACK CleaningDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AlignmentDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tqr
