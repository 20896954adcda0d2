// The window half of the Save as and Open dialogs: their controls, the
// view of the dialog that OK works against, and the list of a file's
// records, each item owning a copy of its record.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/export_dialog_model.h"
#include "ui/win32/dlgutil_win32.h"

namespace tqr {

// One dialog's controls.
struct ExportControls {
  int dialog;
  int ok;
  int cancel;
  int fileName;     // editable combo of the ".cfg" files
  int icons;        // the records of the named file
  int directories;  // directories and drives
  int directory;    // the current directory
};
const ExportControls& ExportControlsOf(ExportDialogKind kind);

// The dialog's block: the model lives beside the window for as long as the
// dialog does, and goes with the block at WM_DESTROY.
struct ExportDialogState {
  DialogHeader header;
  ExportDialogModel* model;
};

class Win32ExportDialogWindow : public ExportDialogWindow {
 public:
  Win32ExportDialogWindow(HWND dialog, ExportDialogKind kind)
      : dialog_(dialog), kind_(kind), ids_(ExportControlsOf(kind)) {}

  std::u16string ComboText() override;
  void SetComboText(const std::u16string& text) override;
  void FocusCombo() override;
  void ListRecords(const std::u16string& name) override;
  int SelectedRecord() override;
  bool OpensAsDevice(const std::u16string& name) override;
  bool ListDirectory(const std::u16string& pattern, bool keepTypedName) override;
  bool FreeSpace(DiskSpace* space) override;
  void Warn(const std::u16string& text) override;
  bool Ask(const std::u16string& text, bool retry) override;

  // The combo's chosen file, and the directory list's chosen entry with
  // whether it is a directory or drive.
  std::u16string ChosenFile();
  std::u16string ChosenDirectory(bool* isDirectoryOrDrive);

 private:
  // The directory list for `pattern`, whose directory becomes current; a
  // pattern that cannot be listed leaves the current directory as it was.
  bool ListDirectoriesAndDrives(const std::u16string& pattern);

  HWND dialog_;
  ExportDialogKind kind_;
  const ExportControls& ids_;
};

// --- the record list ------------------------------------------------------------

// Lays the list out for three records per visible width, one row high.
void SetUpRecordList(HWND list);
// Refills the list with copies of `records` and selects the first.
void FillRecordList(HWND list, const std::vector<PrintModeRecord>& records);
// Empties the list; each item's copy goes through WM_DELETEITEM.
void EmptyRecordList(HWND list);
void DrawRecordListItem(const DRAWITEMSTRUCT* item);
// WM_DELETEITEM: frees the copy the item owned.
void DeleteRecordListItem(const DELETEITEMSTRUCT* item);

}  // namespace tqr
