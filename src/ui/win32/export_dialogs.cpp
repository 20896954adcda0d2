// The Save as and Open dialogs' procedures: they read the controls, hand
// OK and the browsing to the rules in ui/export_dialog_model.h and end the
// dialog with what those answer.
#include "ui/win32/export_dialogs.h"

#include "ui/win32/export_dialog_window.h"
#include "ui/win32/module_instance.h"

namespace tqr {
namespace {

// What the dialog starts from: its creation parameter.
struct ExportStart {
  ExportDialogKind kind;
  PrintModeRecord* working;
};

// Owner-drawn items come only from the record lists; the block is not
// needed to tell them, since their copies may go after it.
bool IsRecordList(int controlId) {
  return controlId == ExportControlsOf(ExportDialogKind::kSaveAs).icons ||
         controlId == ExportControlsOf(ExportDialogKind::kOpen).icons;
}

void StartDialog(HWND dialog, const ExportStart& start) {
  auto* block = CreateDialogState<ExportDialogState>(dialog, nullptr);
  if (block == nullptr) return;
  block->model = new ExportDialogModel(StartExportDialog(start.kind, start.working));
  const ExportControls& ids = ExportControlsOf(start.kind);
  CenterWindowOver(dialog, GetParent(dialog));
  SendDlgItemMessageW(dialog, ids.fileName, CB_LIMITTEXT, kExportPathUnits - 1, 0);
  SetUpRecordList(GetDlgItem(dialog, ids.icons));

  wchar_t windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  const std::u16string directory = length > 0 && length < MAX_PATH
                                       ? std::u16string(reinterpret_cast<char16_t*>(windows))
                                       : std::u16string();
  Win32ExportDialogWindow window(dialog, start.kind);
  window.ListDirectory(StartingDirectoryPattern(directory), false);
}

// WM_DESTROY: the record copies, the model and the block go, on this path
// alone, however the dialog ended.
void CloseDialog(HWND dialog) {
  auto* block = DialogStateOf<ExportDialogState>(dialog);
  if (block == nullptr) return;
  EmptyRecordList(GetDlgItem(dialog, ExportControlsOf(block->model->kind).icons));
  delete block->model;
  block->model = nullptr;
  FreeDialogState(dialog);
}

void OnCommand(HWND dialog, ExportDialogState* block, WPARAM wParam) {
  ExportDialogModel* model = block->model;
  const ExportControls& ids = ExportControlsOf(model->kind);
  Win32ExportDialogWindow window(dialog, model->kind);
  const int control = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  if (control == ids.fileName) {
    if (code == CBN_SELCHANGE) window.ListRecords(window.ChosenFile());
    if (code == CBN_EDITCHANGE) {
      const std::u16string typed = window.ComboText();
      if (!window.OpensAsDevice(typed)) window.ListRecords(typed);
    }
  } else if (control == ids.directories && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
    bool isDirectoryOrDrive = false;
    const std::u16string chosen = window.ChosenDirectory(&isDirectoryOrDrive);
    if (code == LBN_SELCHANGE) {
      window.SetComboText(chosen);
    } else {
      EnterDirectory(window, DirectoryPattern(chosen, isDirectoryOrDrive), false);
    }
  } else if (control == ids.icons) {
    if (code == LBN_SELCHANGE && window.SelectedRecord() < 0) {
      SendDlgItemMessageW(dialog, ids.icons, LB_SETCURSEL, 0, 0);
    }
  } else if (control == ids.ok || control == IDOK) {
    if (PressExportOk(model, window)) EndDialog(dialog, 1);
  } else if (control == ids.cancel || control == IDCANCEL) {
    EndDialog(dialog, 0);
  }
}

INT_PTR CALLBACK ExportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      StartDialog(dialog, *reinterpret_cast<const ExportStart*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      if (!IsRecordList(static_cast<int>(wParam))) return FALSE;
      DrawRecordListItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DELETEITEM:
      if (!IsRecordList(static_cast<int>(wParam))) return FALSE;
      DeleteRecordListItem(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DESTROY:
      CloseDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      if (auto* block = DialogStateOf<ExportDialogState>(dialog)) {
        OnCommand(dialog, block, wParam);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);  // a dialog that could not start still closes
      }
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR RunExportDialog(HWND owner, ExportDialogKind kind, PrintModeRecord* working) {
  if (working == nullptr) return 0;
  ExportStart start{kind, working};
  const INT_PTR result =
      DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(ExportControlsOf(kind).dialog), owner,
                      ExportDialogProc, reinterpret_cast<LPARAM>(&start));
  return result == 1 ? 1 : 0;
}

}  // namespace

INT_PTR RunSaveAsDialog(HWND owner, tqr::PrintModeRecord* working) {
  return RunExportDialog(owner, ExportDialogKind::kSaveAs, working);
}

INT_PTR RunOpenDialog(HWND owner, tqr::PrintModeRecord* working) {
  return RunExportDialog(owner, ExportDialogKind::kOpen, working);
}

}  // namespace tqr
