// The Save page of the Advanced sheet: turns the settings in effect into a
// named user preset, overwrites, deletes and reorders print modes, and
// starts the export and import dialogs. Every change rewrites the user
// print mode file at once.
#include <windows.h>
#include <commctrl.h>
#include <compstui.h>

#include <new>
#include <string>
#include <utility>

#include "presets/print_mode_file.h"
#include "resources/feature_pages_ids.h"
#include "sheet/print_mode_settings.h"
#include "ui/advanced_sheet_model.h"
#include "ui/export_dialog_model.h"
#include "ui/main_page_model.h"
#include "ui/save_page_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/export_dialogs.h"
#include "ui/win32/save_page.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

static_assert(kSavePageDialog == IDD_SAVE_PAGE);

constexpr DWORD kSaveHelpContext = 7;
// Entries of each list side by side in its visible width.
constexpr int kModesPerWidth = 4;
constexpr int kIconsPerWidth = 5;

SavePageBlock* SavePageOf(HWND page) {
  SavePageBlock* block = PageStateOf<SavePageBlock>(page);
  return block != nullptr && block->store != nullptr ? block : nullptr;
}

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

void Tell(HWND page, const char16_t* text) { ShowDriverMessage(page, Wide(text), MB_OK); }

std::u16string ReadText(HWND page, int id, int capacity) {
  std::u16string text(static_cast<std::size_t>(capacity) + 1, u'\0');
  const int length =
      GetDlgItemTextW(page, id, reinterpret_cast<wchar_t*>(text.data()), capacity + 1);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

std::uint16_t ListSelection(HWND page, int id) {
  const LRESULT selection = SendDlgItemMessageW(page, id, LB_GETCURSEL, 0, 0);
  return selection == LB_ERR ? kPositionNotFound : static_cast<std::uint16_t>(selection);
}

// Before any change: a file this user may not change asks for privileges;
// one another program holds open is a failed write.
bool MayChangeStore(HWND page) {
  switch (CheckPrintModeStoreAccess()) {
    case StoreAccess::kWritable:
      return true;
    case StoreAccess::kDenied:
      Tell(page, kAdministratorMessage);
      return false;
    case StoreAccess::kInUse:
      Tell(page, kStoreWriteFailedMessage);
      return false;
  }
  return false;
}

// The old file stays whole when the rewrite fails; the user hears of it.
// Every change is made on a copy of the page's store and written from it,
// and the store, the list and the sheet take it only once the file holds
// it: mode numbers the sheet renumbered after a delete the file never saw
// would name other presets. `edit` answers whether it changed the copy.
template <typename Edit>
bool CommitEdit(HWND page, PrintModeStore* store, Edit edit) {
  PrintModeStore edited = *store;
  if (!edit(&edited)) return false;
  if (!WritePrintModeStore(edited)) {
    Tell(page, kStoreWriteFailedMessage);
    return false;
  }
  *store = std::move(edited);
  return true;
}

void ShowButtons(HWND page, const SavePageBlock* block) {
  const SaveButtons buttons = DecideSaveButtons(
      *block->store, ListSelection(page, IDC_SAVE_MODES),
      ReadText(page, IDC_SAVE_TITLE, kTitleEditCharacters),
      ListSelection(page, IDC_SAVE_ICONS) != kPositionNotFound);
  EnableControl(page, IDC_SAVE_SAVE, buttons.save);
  EnableControl(page, IDC_SAVE_DELETE, buttons.remove);
  EnableControl(page, IDC_SAVE_SAVE_AS, buttons.saveAs);
  EnableControl(page, IDC_SAVE_UP, buttons.up);
  EnableControl(page, IDC_SAVE_DOWN, buttons.down);
  EnableControl(page, IDC_SAVE_OPEN, buttons.open);
}

void SetSheetTitle(HWND page, const std::u16string& title) {
  SendMessageW(GetParent(page), PSM_SETTITLEW, 0, reinterpret_cast<LPARAM>(Wide(title.c_str())));
}

// The change reached the print mode in effect: Cancel can no longer bring
// the sheet back, so neither its button nor the Close item offers it.
void ShutSheetCancel(HWND page) {
  HWND sheet = GetParent(page);
  EnableMenuItem(GetSystemMenu(sheet, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  DrawMenuBar(sheet);
  EnableWindow(GetDlgItem(sheet, IDCANCEL), FALSE);
}

void AddModeItem(HWND page, const PrintModeStore& store, std::uint16_t mode) {
  const std::u16string title(GetTitleAtPosition(
      store.View(), FindModePosition(store.order, store.count, mode)));
  const LRESULT item = SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_ADDSTRING, 0,
                                           reinterpret_cast<LPARAM>(Wide(title.c_str())));
  if (item >= 0) SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETITEMDATA, item, mode);
}

// One entry per column, as tall as the list shows it. Setting the height
// may bring in the horizontal scroll bar (the entries outgrow the width),
// which takes its height from the client area and would cut every title;
// measuring again once the bar has settled gives the row its real room.
void SetRowGeometry(HWND page, int id, int perWidth) {
  HWND list = GetDlgItem(page, id);
  for (int pass = 0; pass < 2; ++pass) {
    RECT client = {};
    GetClientRect(list, &client);
    const int height = client.bottom - client.top;
    SendMessageW(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(height > 255 ? 255 : height, 0));
    SendMessageW(list, LB_SETCOLUMNWIDTH,
                 static_cast<WPARAM>((client.right - client.left) / perWidth), 0);
  }
}

void ShowRecord(HWND page, SavePageBlock* block, const PrintModeRecord& record) {
  const std::u16string title(TitleOf(record));
  SetDlgItemTextW(page, IDC_SAVE_TITLE, Wide(title.c_str()));
  SetDlgItemTextW(page, IDC_SAVE_DESCRIPTION, Wide(record.Description));
  block->drawFull = 1;
  SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, block->store->selection, 0);
  SendDlgItemMessageW(page, IDC_SAVE_ICONS, LB_SETCURSEL, record.IconIndex, 0);
}

void ClearPage(HWND page) {
  SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendDlgItemMessageW(page, IDC_SAVE_ICONS, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetDlgItemTextW(page, IDC_SAVE_TITLE, L"");
  SetDlgItemTextW(page, IDC_SAVE_DESCRIPTION, L"");
}

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr || sheet->printMode == nullptr) return;
  auto* block = CreateDialogState<SavePageBlock>(page, sheet);
  if (block == nullptr) return;
  auto* store = new (std::nothrow) PrintModeStore;
  if (store == nullptr) return;
  store->builtIn = sheet->builtInModes;
  if (!LoadPrintModeStore(store)) {
    delete store;
    return;
  }
  block->store = store;
  SubclassNumericEdit(page, IDC_SAVE_TITLE, TitleEditProc);
  store->selection = sheet->printModeListPosition;
  store->modeToApply = sheet->printMode->currentId;
  GetDriverHelpFile(sheet->printer, block->header.helpFile);
  block->clearedOnce = 0;

  for (std::uint16_t p = 0; p < store->count; ++p) AddModeItem(page, *store, store->order[p]);
  for (int icon = 0; icon < kPrintModeIconCount; ++icon) {
    SendDlgItemMessageW(page, IDC_SAVE_ICONS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
  }
  SetRowGeometry(page, IDC_SAVE_MODES, kModesPerWidth);
  SetRowGeometry(page, IDC_SAVE_ICONS, kIconsPerWidth);
  SendDlgItemMessageW(page, IDC_SAVE_TITLE, EM_LIMITTEXT, kTitleEditCharacters, 0);
  SendDlgItemMessageW(page, IDC_SAVE_DESCRIPTION, EM_LIMITTEXT, kDescriptionEditCharacters, 0);
  if (const PrintModeRecord* record = FindRecordAtPosition(store->View(), store->selection)) {
    ShowRecord(page, block, *record);
  }
  block->drawFull = 1;
  block->typedTitle = 1;
  ShowButtons(page, block);
}

void OnClose(HWND page) {
  if (SavePageBlock* block = DialogStateOf<SavePageBlock>(page)) {
    delete block->store;
    block->store = nullptr;
  }
}

void OnActivate(HWND page) {
  SavePageBlock* block = SavePageOf(page);
  if (block == nullptr) return;
  if (IsAdvancedModified(block->header.sheet) && block->clearedOnce == 0) {
    // Settings made by hand start a new preset rather than editing one.
    ClearPage(page);
    block->clearedOnce = 1;
  } else {
    SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, block->store->selection, 0);
    block->drawFull = 1;
    block->typedTitle = 1;
  }
  ShowButtons(page, block);
}

// The title names a print mode: it is selected, pale when typed. Delete,
// the arrows and Save as act on the page's selection, so it follows the
// list: they must reach the print mode the title names.
void CheckTitle(HWND page, SavePageBlock* block, bool typed) {
  const std::u16string title = ReadText(page, IDC_SAVE_TITLE, kTitleEditCharacters);
  const std::uint16_t position =
      title.empty() ? kPositionNotFound : FindPrintModeTitle(block->store->View(), title);
  if (position != kPositionNotFound) {
    if (typed) block->drawFull = 0;
    block->store->selection = position;
    SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, position, 0);
  } else {
    SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
  InvalidateRect(GetDlgItem(page, IDC_SAVE_MODES), nullptr, FALSE);
  ShowButtons(page, block);
}

void OnTitleUpdate(HWND page) {
  const std::u16string text = ReadText(page, IDC_SAVE_TITLE, kPrintModeTitleLength * 4);
  const std::u16string clean = CleanTitle(text);
  if (clean != text) SetDlgItemTextW(page, IDC_SAVE_TITLE, Wide(clean.c_str()));
}

void OnModeSelected(HWND page, SavePageBlock* block) {
  const std::uint16_t selection = ListSelection(page, IDC_SAVE_MODES);
  block->store->selection = selection == kPositionNotFound ? 0 : selection;
  if (const PrintModeRecord* record =
          FindRecordAtPosition(block->store->View(), block->store->selection)) {
    ShowRecord(page, block, *record);
  }
  ShowButtons(page, block);
}

void OnIconSelected(HWND page, SavePageBlock* block) {
  if (ListSelection(page, IDC_SAVE_ICONS) == kPositionNotFound) {
    SendDlgItemMessageW(page, IDC_SAVE_ICONS, LB_SETCURSEL, 0, 0);
  }
  block->typedTitle = 0;
  CheckTitle(page, block, false);
}

// After a save: the sheet's title names the preset, and Apply makes it the
// print mode in effect.
void ShowSaved(HWND page, SavePageBlock* block, const std::u16string& title) {
  PrintModeStore& store = *block->store;
  block->typedTitle = 0;
  block->drawFull = 1;
  SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, store.selection, 0);
  SetSheetTitle(page, AdvancedSheetCaption(title));
  store.modeToApply = store.order[store.selection];
  ShowButtons(page, block);
}

void OnSave(HWND page, SavePageBlock* block) {
  if (!MayChangeStore(page)) return;
  SheetState* sheet = block->header.sheet;
  PrintModeStore& store = *block->store;
  CapturePrintModeRecord(sheet, &store.working);
  const std::u16string title = ReadText(page, IDC_SAVE_TITLE, kPrintModeTitleLength - 1);
  const std::u16string description =
      ReadText(page, IDC_SAVE_DESCRIPTION, kPrintModeDescriptionLength - 1);
  std::fill(std::begin(store.working.Title), std::end(store.working.Title), u'\0');
  std::fill(std::begin(store.working.Description), std::end(store.working.Description), u'\0');
  title.copy(store.working.Title, kPrintModeTitleLength - 1);
  description.copy(store.working.Description, kPrintModeDescriptionLength - 1);
  const std::uint16_t icon = ListSelection(page, IDC_SAVE_ICONS);
  store.working.IconIndex = icon == kPositionNotFound ? 0 : icon;

  const std::uint16_t position = FindPrintModeTitle(store.View(), title);
  if (position != kPositionNotFound) {
    const std::u16string question = OverwriteQuestion(title);
    if (ShowDriverMessage(page, Wide(question.c_str()), MB_OKCANCEL) != IDOK) return;
    const std::uint16_t mode = store.order[position];
    const auto overwrite = [position](PrintModeStore* edited) {
      return OverwritePrintMode(edited, position);
    };
    if (!CommitEdit(page, &store, overwrite)) return;
    store.selection = position;
    ShowSaved(page, block, title);
    if (NotePrintModeOverwritten(sheet, mode, store.working)) ShutSheetCancel(page);
    return;
  }
  if (!CommitEdit(page, &store, AppendPrintMode)) return;
  AddModeItem(page, store, store.order[store.count - 1]);
  SetRowGeometry(page, IDC_SAVE_MODES, kModesPerWidth);
  sheet->advancedMainPageFlags &= ~kMainPageModified;
  store.selection = static_cast<std::uint16_t>(store.count - 1);
  ShowSaved(page, block, title);
}

void OnDelete(HWND page, SavePageBlock* block) {
  if (!MayChangeStore(page)) return;
  SheetState* sheet = block->header.sheet;
  PrintModeStore& store = *block->store;
  const std::uint16_t position = store.selection;
  if (!IsUserPresetAt(store, position)) return;
  const std::u16string question = DeleteQuestion(GetTitleAtPosition(store.View(), position));
  if (ShowDriverMessage(page, Wide(question.c_str()), MB_OKCANCEL) != IDOK) return;
  std::uint16_t deleted = 0;
  const auto remove = [position, &deleted](PrintModeStore* edited) {
    return DeletePrintMode(edited, position, &deleted);
  };
  if (!CommitEdit(page, &store, remove)) return;
  if (NotePrintModeDeleted(sheet, store, deleted, &store.modeToApply)) ShutSheetCancel(page);

  SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_DELETESTRING, position, 0);
  SetRowGeometry(page, IDC_SAVE_MODES, kModesPerWidth);
  // The item data of the rest follow the renumbering.
  for (std::uint16_t p = 0; p < store.count; ++p) {
    SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETITEMDATA, p, store.order[p]);
  }
  ClearPage(page);
  if (IsAdvancedModified(sheet)) SetSheetTitle(page, ModifiedSheetTitle(sheet));
  HWND ok = GetDlgItem(GetParent(page), IDOK);
  SetFocus(ok);
  SendMessageW(GetParent(page), DM_SETDEFID, IDOK, 0);
  SendDlgItemMessageW(page, IDC_SAVE_DELETE, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  ShowButtons(page, block);
}

void OnMove(HWND page, SavePageBlock* block, int arrow) {
  PrintModeStore& store = *block->store;
  const std::uint16_t from = store.selection;
  const bool up = arrow == IDC_SAVE_UP;
  const auto move = [up, from](PrintModeStore* edited) {
    return up ? MovePrintModeUp(edited, from) : MovePrintModeDown(edited, from);
  };
  if (!CommitEdit(page, &store, move)) return;
  const std::uint16_t to = up ? static_cast<std::uint16_t>(from - 1)
                              : static_cast<std::uint16_t>(from + 1);
  for (std::uint16_t p : {from, to}) {
    SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETITEMDATA, p, store.order[p]);
  }
  store.selection = to;
  SendDlgItemMessageW(page, IDC_SAVE_MODES, LB_SETCURSEL, to, 0);
  InvalidateRect(GetDlgItem(page, IDC_SAVE_MODES), nullptr, FALSE);
  ShowButtons(page, block);
  if (IsWindowEnabled(GetDlgItem(page, arrow)) == FALSE) {
    SetFocus(GetDlgItem(page, up ? IDC_SAVE_DOWN : IDC_SAVE_UP));
  }
}

void OnSaveAs(HWND page, SavePageBlock* block) {
  if (!MayChangeStore(page)) return;
  PrintModeStore& store = *block->store;
  // The preset as stored: edits not saved yet stay out of the file, and so
  // do the built-in modes, which every driver has.
  if (!IsUserPresetAt(store, store.selection)) return;
  const PrintModeRecord* record = FindRecordAtPosition(store.View(), store.selection);
  if (record == nullptr) return;
  store.working = *record;
  RunSaveAsDialog(page, &store.working);
}

void OnOpen(HWND page, SavePageBlock* block) {
  if (!MayChangeStore(page)) return;
  PrintModeStore& store = *block->store;
  store.working.IconIndex = 0xFFFF;
  if (RunOpenDialog(page, &store.working) == 0) return;
  // The list may have filled since the dialog counted.
  if (store.count >= kMaxPrintModes) {
    Tell(page, kTooManyPresetsMessage);
    return;
  }
  TerminateTexts(&store.working);
  if (!CommitEdit(page, &store, AppendPrintMode)) return;
  AddModeItem(page, store, store.order[store.count - 1]);
  SetRowGeometry(page, IDC_SAVE_MODES, kModesPerWidth);
  store.selection = static_cast<std::uint16_t>(store.count - 1);
  ShowRecord(page, block, store.working);
  ShowButtons(page, block);
}

void OnCommand(HWND page, WPARAM wParam) {
  SavePageBlock* block = SavePageOf(page);
  if (block == nullptr) return;
  const int id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  switch (id) {
    case IDC_SAVE_TITLE:
      if (code == EN_UPDATE) OnTitleUpdate(page);
      if (code == EN_CHANGE) {
        block->typedTitle = 1;
        CheckTitle(page, block, true);
      }
      break;
    case IDC_SAVE_MODES:
      if (code == LBN_SELCHANGE) OnModeSelected(page, block);
      break;
    case IDC_SAVE_ICONS:
      if (code == LBN_SELCHANGE) OnIconSelected(page, block);
      break;
    case IDC_SAVE_UP:
    case IDC_SAVE_DOWN:
      if (code == BN_CLICKED) OnMove(page, block, id);
      break;
    case IDC_SAVE_SAVE:
      if (code == BN_CLICKED) OnSave(page, block);
      break;
    case IDC_SAVE_DELETE:
      if (code == BN_CLICKED) OnDelete(page, block);
      break;
    case IDC_SAVE_SAVE_AS:
      if (code == BN_CLICKED) OnSaveAs(page, block);
      break;
    case IDC_SAVE_OPEN:
      if (code == BN_CLICKED) OnOpen(page, block);
      break;
    default:
      break;
  }
}

bool OnOther(HWND page, UINT message, WPARAM, LPARAM lParam, INT_PTR* answer) {
  if (message != WM_DRAWITEM) return false;
  const SavePageBlock* block = SavePageOf(page);
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  *answer = block != nullptr && item != nullptr && DrawSavePageItem(block, item) ? TRUE : FALSE;
  return true;
}

// Apply makes the mode saved last current; both OK and Cancel tell the host.
bool OnNotify(HWND page, const NMHDR* header, INT_PTR* answer) {
  SavePageBlock* block = SavePageOf(page);
  if (block == nullptr) return false;
  SheetState* sheet = block->header.sheet;
  switch (header->code) {
    case PSN_APPLY:
      ApplySavePage(sheet, *block->store, block->store->modeToApply);
      ReportSheetResult(sheet, CPSUI_OK);
      *answer = AnswerNotification(page, PSNRET_NOERROR);
      return true;
    case PSN_RESET:
      CancelAdvancedPage(sheet);
      ReportSheetResult(sheet, CPSUI_OK);
      *answer = AnswerNotification(page, 0);
      return true;
    default:
      return false;
  }
}

constexpr AdvancedPage kSavePage = {OnInitDialog, OnCommand, OnActivate, OnClose,
                                    OnOther,      kSaveHelpContext, OnNotify};

}  // namespace

INT_PTR CALLBACK SavePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return AdvancedPageProc(kSavePage, page, message, wParam, lParam);
}

}  // namespace tqr
