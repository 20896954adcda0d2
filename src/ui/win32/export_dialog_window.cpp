// The Save as and Open dialogs' controls, the platform's directory-list
// calls behind their browsing, and their message boxes, as the view of the
// dialog that OK works against.
#include "ui/win32/export_dialog_window.h"

#include <windows.h>

#include <cwchar>

#include "resources/export_dialogs_ids.h"

namespace tqr {
namespace {

constexpr ExportControls kSaveAsControls = {
    IDD_SAVE_AS,       IDC_SAVE_AS_OK,          IDC_SAVE_AS_CANCEL,    IDC_SAVE_AS_FILE_NAME,
    IDC_SAVE_AS_ICONS, IDC_SAVE_AS_DIRECTORIES, IDC_SAVE_AS_DIRECTORY,
};
constexpr ExportControls kOpenControls = {
    IDD_OPEN,       IDC_OPEN_OK,          IDC_OPEN_CANCEL,    IDC_OPEN_FILE_NAME,
    IDC_OPEN_ICONS, IDC_OPEN_DIRECTORIES, IDC_OPEN_DIRECTORY,
};

constexpr UINT kDirectoryListing = DDL_DIRECTORY | DDL_DRIVES | DDL_EXCLUSIVE;

// The directory-list calls rewrite the pattern they are given, so each gets a
// buffer of its own, larger than any pattern the dialogs hold.
struct PatternBuffer {
  wchar_t text[MAX_PATH] = {};
  explicit PatternBuffer(const std::u16string& pattern) {
    if (pattern.size() < kExportPathUnits) {
      std::wmemcpy(text, reinterpret_cast<const wchar_t*>(pattern.c_str()), pattern.size());
    }
  }
  bool empty() const { return text[0] == L'\0'; }
};

std::u16string FromWide(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

}  // namespace

const ExportControls& ExportControlsOf(ExportDialogKind kind) {
  return kind == ExportDialogKind::kSaveAs ? kSaveAsControls : kOpenControls;
}

std::u16string Win32ExportDialogWindow::ComboText() {
  wchar_t text[kExportPathUnits] = {};
  GetDlgItemTextW(dialog_, ids_.fileName, text, kExportPathUnits);
  return FromWide(text);
}

void Win32ExportDialogWindow::SetComboText(const std::u16string& text) {
  SetDlgItemTextW(dialog_, ids_.fileName, WideText(text));
}

void Win32ExportDialogWindow::FocusCombo() { SetFocus(GetDlgItem(dialog_, ids_.fileName)); }

void Win32ExportDialogWindow::ListRecords(const std::u16string& name) {
  FillRecordList(GetDlgItem(dialog_, ids_.icons), ListExportRecordsNamed(name));
}

int Win32ExportDialogWindow::SelectedRecord() {
  const LRESULT selection = SendDlgItemMessageW(dialog_, ids_.icons, LB_GETCURSEL, 0, 0);
  return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

bool Win32ExportDialogWindow::OpensAsDevice(const std::u16string& name) {
  // Asking for no access opens even a device in use, and reads nothing.
  HANDLE file = CreateFileW(WideText(name), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type != FILE_TYPE_DISK;
}

bool Win32ExportDialogWindow::ListDirectory(const std::u16string& pattern, bool keepTypedName) {
  if (!ListDirectoriesAndDrives(pattern)) return false;
  PatternBuffer files(kExportFilePattern);
  DlgDirListComboBoxW(dialog_, files.text, ids_.fileName, 0, DDL_READWRITE);
  if (keepTypedName) {
    SendDlgItemMessageW(dialog_, ids_.fileName, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (kind_ == ExportDialogKind::kSaveAs) EmptyRecordList(GetDlgItem(dialog_, ids_.icons));
    return true;
  }
  SendDlgItemMessageW(dialog_, ids_.fileName, CB_SETCURSEL, 0, 0);
  ListRecords(ChosenFile());
  return true;
}

bool Win32ExportDialogWindow::ListDirectoriesAndDrives(const std::u16string& pattern) {
  const std::u16string root = RootOfPattern(pattern);
  PatternBuffer buffer(pattern.substr(root.size()));
  if (buffer.empty()) return false;
  wchar_t before[MAX_PATH] = {};
  if (!root.empty()) {
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, before);
    if (length == 0 || length >= MAX_PATH || !SetCurrentDirectoryW(WideText(root))) return false;
  }
  if (DlgDirListW(dialog_, buffer.text, ids_.directories, ids_.directory, kDirectoryListing) != 0) {
    return true;
  }
  if (!root.empty()) SetCurrentDirectoryW(before);
  return false;
}

bool Win32ExportDialogWindow::FreeSpace(DiskSpace* space) {
  DWORD sectorsPerCluster = 0;
  DWORD bytesPerSector = 0;
  DWORD freeClusters = 0;
  DWORD clusters = 0;
  if (!GetDiskFreeSpaceW(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    return false;
  }
  *space = DiskSpace{sectorsPerCluster, bytesPerSector, freeClusters};
  return true;
}

void Win32ExportDialogWindow::Warn(const std::u16string& text) {
  ShowDriverMessage(dialog_, WideText(text), MB_OK);
}

bool Win32ExportDialogWindow::Ask(const std::u16string& text, bool retry) {
  const int answer =
      ShowDriverMessage(dialog_, WideText(text), retry ? MB_RETRYCANCEL : MB_OKCANCEL);
  return answer == (retry ? IDRETRY : IDOK);
}

std::u16string Win32ExportDialogWindow::ChosenFile() {
  wchar_t text[kExportPathUnits] = {};
  DlgDirSelectComboBoxExW(dialog_, text, kExportPathUnits, ids_.fileName);
  return FromWide(text);
}

std::u16string Win32ExportDialogWindow::ChosenDirectory(bool* isDirectoryOrDrive) {
  wchar_t text[kExportPathUnits] = {};
  *isDirectoryOrDrive = DlgDirSelectExW(dialog_, text, kExportPathUnits, ids_.directories) != 0;
  return FromWide(text);
}

}  // namespace tqr
