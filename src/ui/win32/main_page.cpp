// The Main page: where the user picks a print mode, the media type and
// mirror printing, and the page that confirms the whole sheet to the host.
// The rules live in ui/main_page_model.h; this reads controls, calls them
// and shows the result.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/resource_ids.h"
#include "ui/advanced_sheet_model.h"
#include "ui/main_page_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/main_page.h"
#include "ui/win32/pages.h"
#include "ui/win32/sheet_page.h"

namespace tqr {
namespace {

// The help topic of the page.
constexpr DWORD kMainPageHelpContext = 1;

void OnInitDialog(HWND page, LPARAM lParam) {
  SheetState* sheet = SheetOfPageCreation(lParam);
  if (sheet == nullptr) return;
  auto* block = CreateDialogState<MainPageBlock>(page, sheet);
  if (block == nullptr) return;
  StartMainPage(sheet);
  GetDriverHelpFile(sheet->printer, block->header.helpFile);

  HDC dc = GetDC(page);
  const int height = -MulDiv(9, dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
  if (dc != nullptr) ReleaseDC(page, dc);
  // Any character set: a user's own titles may be in any script.
  block->titleFont = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg");

  RefreshMainPage(page, block, true);
  if (sheet->editable == 0) DisableMainPage(page);
}

void OnDestroy(HWND page) {
  if (auto* block = DialogStateOf<MainPageBlock>(page)) {
    if (block->titleFont != nullptr) DeleteObject(block->titleFont);
    block->titleFont = nullptr;
  }
  ClosePageState(page);
}

// The Advanced sheet edits the sheet's values directly; Cancel there puts
// back what it may have changed, except the print mode the Save page chose.
void OpenAdvancedSheet(HWND page, MainPageBlock* block) {
  SheetState* sheet = block->header.sheet;
  const std::uint16_t mode = ModeAtListPosition(&block->modes, sheet->printModeListPosition);
  const PrintModeRecord* record =
      mode == kNoPrintMode ? nullptr : GetPrintModeRecord(sheet, &block->modes, mode);
  // Without a listed mode, the slot after the built-in records names it.
  if (record == nullptr) record = &sheet->builtInModes[kBuiltInPrintModes];
  const std::u16string title(TitleOf(*record));
  StartAdvancedSheet(sheet);
  const AdvancedValues before = RememberAdvancedValues(sheet);
  if (RunAdvancedSheet(page, block, title.c_str()) != 1) RestoreAdvancedValues(sheet, before);
  if (AdvancedSheetChangedSettings(sheet, before)) MarkPageChanged(page);
  RefreshMainPage(page, block, true);
}

void OnModeListCommand(HWND page, MainPageBlock* block, WORD code) {
  SheetState* sheet = block->header.sheet;
  if (code == LBN_SELCHANGE) {
    const LRESULT selection = SendDlgItemMessageW(page, IDC_MAIN_MODE_LIST, LB_GETCURSEL, 0, 0);
    const auto position = static_cast<std::uint16_t>(selection == LB_ERR ? 0 : selection);
    ChoosePrintModeAt(sheet, &block->modes, position);
    MarkPageChanged(page);
    RefreshMainPage(page, block, false);
  } else if (code == LBN_DBLCLK) {
    // A double click opens the Advanced sheet for the chosen mode, as if the
    // user had pressed the button.
    HWND list = GetDlgItem(page, IDC_MAIN_MODE_LIST);
    HWND advanced = GetDlgItem(page, IDC_MAIN_ADVANCED);
    SetFocus(advanced);
    SendMessageW(advanced, BM_CLICK, 0, 0);
    SetFocus(list);
  }
}

void OnCommand(HWND page, WPARAM wParam) {
  MainPageBlock* block = MainPageOf(page);
  if (block == nullptr) return;
  SheetState* sheet = block->header.sheet;
  const WORD code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDC_MAIN_MODE_LIST:
      OnModeListCommand(page, block, code);
      break;
    case IDC_MAIN_MEDIA_TYPE:
      if (OnOptionComboChange(page, wParam, IDC_MAIN_MEDIA_TYPE, sheet->mediaType) != 0) {
        SetMainPageModified(sheet, true);
        RefreshMainPage(page, block, false);
        MarkPageChanged(page);
      }
      break;
    case IDC_MAIN_MIRROR:
      if (code != BN_CLICKED) break;
      ToggleMirror(sheet, IsDlgButtonChecked(page, IDC_MAIN_MIRROR) == BST_CHECKED);
      RefreshMainPage(page, block, false);
      SetMainPageModified(sheet, true);
      MarkPageChanged(page);
      break;
    case IDC_MAIN_ADVANCED:
      if (code == BN_CLICKED) OpenAdvancedSheet(page, block);
      break;
    case IDC_MAIN_ABOUT:
      if (code == BN_CLICKED) ShowAboutBox(page);
      break;
    case IDC_MAIN_DEFAULTS:
      if (code != BN_CLICKED) break;
      SetFocus(GetDlgItem(page, IDC_MAIN_DEFAULTS));
      ChooseDefaultPrintMode(sheet, &block->modes);
      RefreshMainPage(page, block, false);
      MarkPageChanged(page);
      break;
    default:
      break;
  }
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
  MainPageBlock* block = MainPageOf(page);
  if (block == nullptr || header == nullptr) return FALSE;
  SheetState* sheet = block->header.sheet;
  switch (header->code) {
    case PSN_SETACTIVE:
      RefreshMainPage(page, block, false);
      return AnswerNotification(page, 0);
    case PSN_KILLACTIVE:
      return AnswerNotification(page, FALSE);
    default: {
      INT_PTR answer = FALSE;
      AnswerCommonNotification(page, header->code, sheet, block->header.helpFile,
                               block->header.caption, kMainPageHelpContext, &answer);
      return answer;
    }
  }
}

}  // namespace

MainPageBlock* MainPageOf(HWND page) { return PageStateOf<MainPageBlock>(page); }

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(page, lParam);
      return TRUE;
    case WM_DRAWITEM: {
      MainPageBlock* block = MainPageOf(page);
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return block != nullptr && item != nullptr && DrawMainPageItem(page, block, item) ? TRUE
                                                                                      : FALSE;
    }
    case WM_COMMAND:
      OnCommand(page, wParam);
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
      OnDestroy(page);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tqr
