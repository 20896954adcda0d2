// The Main page in a real property sheet, driven by messages as a user's
// clicks would drive it, over a sheet state of the shipped description.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <compstui.h>

#include <string>
#include <vector>

#include "native/presets_fixture.h"
#include "resources/resource_ids.h"
#include "ui/dlgutil.h"
#include "ui/main_page_model.h"
#include "sheet/print_mode_settings.h"
#include "sheet/sheet_values.h"
#include "ui/win32/sheet_page.h"
#include "wine/support/main_page_harness.h"
#include "wine/support/page_fixture.h"
#include "wine/support/recorded_messages.h"

namespace tqr {
namespace {

using test::HostCalls;
using test::kUserPrintModeFile;

// The sheet's Apply button.
constexpr int kApplyButton = 0x3021;

class MainPageTest : public test::PageFixture {
 protected:
  HWND Open() {
    HWND page = harness_.Open();
    EXPECT_NE(page, nullptr);
    return page;
  }
  SheetState* state() { return harness_.state(); }
  HWND Item(int id) { return GetDlgItem(harness_.page(), id); }
  std::wstring Text(int id) {
    wchar_t text[256] = {};
    GetWindowTextW(Item(id), text, 256);
    return text;
  }
  void Command(int id, WORD code) {
    SendMessageW(harness_.page(), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(Item(id)));
  }
  void Notify(UINT code) {
    NMHDR header = {harness_.sheet(), 0, code};
    SendMessageW(harness_.page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
  }
  void SelectMode(int position) {
    SendMessageW(Item(IDC_MAIN_MODE_LIST), LB_SETCURSEL, position, 0);
    Command(IDC_MAIN_MODE_LIST, LBN_SELCHANGE);
  }
  void SelectMediaType(int position) {
    SendMessageW(Item(IDC_MAIN_MEDIA_TYPE), CB_SETCURSEL, position, 0);
    Command(IDC_MAIN_MEDIA_TYPE, CBN_SELCHANGE);
  }
  void Press(int button) {
    SendMessageW(harness_.sheet(), PSM_PRESSBUTTON, button, 0);
    test::MainPageHarness::Pump();
  }
  bool SheetOpen() {
    return SendMessageW(harness_.sheet(), PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
  }
  std::vector<std::wstring> ListTitles() {
    std::vector<std::wstring> titles;
    HWND list = Item(IDC_MAIN_MODE_LIST);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t title[32] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(title));
      titles.push_back(title);
    }
    return titles;
  }
  bool Modified() { return IsMainPageModified(state()); }
};

TEST_F(MainPageTest, ListShowsTheModesOfTheUserFileOrMakesTheDefaultFile) {
  const test::Bytes defaultFile = test::UserFile(5, {0, 1, 2, 3, 4}, {});
  const test::Bytes presets =
      test::UserFile(6, {5, 0, 1, 2, 3, 4}, {test::MakeRecord(u"Alpha", 1)});
  const std::vector<std::wstring> builtIn = {L"Standard", L"Photo", L"Graphics", L"POP Ads",
                                             L"Draft"};
  struct Case {
    const char* what;
    test::Bytes before;  // empty: no file
    test::Bytes after;
    std::vector<std::wstring> titles;
    int selected;
  };
  std::vector<std::wstring> withAlpha = builtIn;
  withAlpha.insert(withAlpha.begin(), L"Alpha");
  const Case cases[] = {
      {"fresh machine", {}, defaultFile, builtIn, 0},
      {"another signature", test::Bytes(300, 0x41), defaultFile, builtIn, 0},
      {"a user preset first", presets, presets, withAlpha, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    harness_.files.Delete(kUserPrintModeFile);
    if (!c.before.empty()) harness_.files.PutBytes(kUserPrintModeFile, c.before);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(ListTitles(), c.titles);
    HWND list = Item(IDC_MAIN_MODE_LIST);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), c.titles.size() == 6 ? 5 : 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), c.selected);
    ASSERT_TRUE(harness_.files.Exists(kUserPrintModeFile));
    EXPECT_EQ(harness_.files.At(kUserPrintModeFile).bytes, c.after);
    EXPECT_EQ(std::u16string(state()->builtInModes[4].Description),
              u"Selects optimum settings for test printing.");
    // Four print modes side by side, each as tall as the list.
    RECT client = {};
    GetClientRect(list, &client);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), client.bottom);
    harness_.Close();
  }
}

TEST_F(MainPageTest, ModesMediaTypeMirrorAndDefaults) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(harness_.sheet(), kApplyButton)));

  SelectMediaType(3);
  EXPECT_EQ(state()->mediaType->currentId,
            OptionIdAtComboPosition(state()->mediaType, static_cast<std::int16_t>(3)));
  EXPECT_EQ(state()->mediaType->currentPosition, 3);
  EXPECT_TRUE(Modified());
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(harness_.sheet(), kApplyButton)));

  SelectMode(1);
  EXPECT_TRUE(MatchesPrintModeRecord(state(), state()->builtInModes[1]));
  EXPECT_EQ(state()->printMode->currentId, 1);
  EXPECT_FALSE(Modified());
  EXPECT_EQ(SendMessageW(Item(IDC_MAIN_MEDIA_TYPE), CB_GETCURSEL, 0, 0),
            OptionComboPosition(state()->mediaType, state()->builtInModes[1].PMMediaType));

  const std::int16_t mirror = state()->mirror.current;
  Command(IDC_MAIN_MIRROR, BN_CLICKED);
  EXPECT_NE(state()->mirror.current, mirror);
  EXPECT_EQ(IsDlgButtonChecked(harness_.page(), IDC_MAIN_MIRROR) == BST_CHECKED,
            state()->mirror.current == 1);
  EXPECT_TRUE(Modified());
  Command(IDC_MAIN_MIRROR, BN_CLICKED);
  EXPECT_EQ(state()->mirror.current, mirror);

  Command(IDC_MAIN_DEFAULTS, BN_CLICKED);
  EXPECT_EQ(state()->printMode->currentId, state()->printMode->defaultId);
  EXPECT_EQ(SendMessageW(Item(IDC_MAIN_MODE_LIST), LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(MatchesPrintModeRecord(state(), state()->builtInModes[0]));
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(boxes_.asked.empty());
}

// The Features page's Defaults chooses the default print mode away from the
// list; back on the Main page the list shows that mode where the user print
// mode file puts it, and the preset listed first does not take its place.
TEST_F(MainPageTest, FeaturesDefaultsShowTheDefaultModeAtItsListPlace) {
  harness_.files.PutBytes(kUserPrintModeFile,
                          test::UserFile(6, {5, 0, 1, 2, 3, 4}, {test::MakeRecord(u"Alpha", 1)}));
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(state()->printMode->defaultId, 0);
  SelectMode(2);  // Photo
  ASSERT_EQ(state()->printMode->currentId, 1);

  ResetSheetToDefaults(state());  // as the Features page's Defaults button does
  Notify(PSN_SETACTIVE);
  test::MainPageHarness::Pump();
  UpdateWindow(Item(IDC_MAIN_MODE_LIST));

  EXPECT_EQ(SendMessageW(Item(IDC_MAIN_MODE_LIST), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(state()->printMode->currentId, 0);
}

TEST_F(MainPageTest, OkReportsToTheHostAndKeepsTheFlags) {
  ASSERT_NE(Open(), nullptr);
  SelectMode(2);
  SelectMediaType(0);
  Press(PSBTN_OK);

  ASSERT_EQ(HostCalls().size(), 1u);
  EXPECT_EQ(HostCalls()[0].function, static_cast<UINT>(CPSFUNC_SET_RESULT));
  EXPECT_EQ(HostCalls()[0].lParam1, test::kLastPageValue);
  EXPECT_EQ(HostCalls()[0].lParam2, CPSUI_OK);
  EXPECT_EQ(state()->firstPageOnly.saved, 1);  // modified
  EXPECT_EQ(state()->overlayPrompt.saved, 1);  // confirmed
  EXPECT_EQ(state()->printMode->savedId, 2);
  EXPECT_EQ(state()->mediaType->savedId, state()->mediaType->currentId);
  EXPECT_EQ(state()->appliedMarker, 1u);
}

TEST_F(MainPageTest, CancelAsksOnlyAfterAModeWasDeleted) {
  const std::wstring question =
      L"Cannot cancel the settings in effect for an already chosen Print Mode when deleting or "
      L"overwriting the Print Mode.\nDo you want to start over defining the settings?\n\nTo "
      L"leave the Print Mode settings the way they were before you entered changes, click No.";
  struct Case {
    const char* what;
    bool deleted;
    int answer;
    bool stays;
    bool reported;
  };
  const Case cases[] = {
      {"nothing deleted", false, IDYES, false, false},
      {"deleted, start over", true, IDYES, true, false},
      {"deleted, leave", true, IDNO, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(Open(), nullptr);
    HostCalls().clear();
    boxes_.asked.clear();
    boxes_.answer = c.answer;
    SelectMode(2);
    // As the Save page leaves it after deleting the mode in effect, which
    // was mode 3 when the sheet was last confirmed.
    state()->modeSnapshot = state()->builtInModes[3];
    state()->overlayPrompt.saved = 1;
    if (c.deleted) state()->mainPageFlags |= kMainPageDeleted;

    Press(PSBTN_CANCEL);
    EXPECT_EQ(SheetOpen(), c.stays);
    if (c.deleted) {
      ASSERT_EQ(boxes_.asked.size(), 1u);
      EXPECT_EQ(boxes_.asked[0].text, question);
      EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
      EXPECT_EQ(boxes_.asked[0].flags,
                static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_TASKMODAL));
    } else {
      EXPECT_TRUE(boxes_.asked.empty());
    }
    EXPECT_EQ(HostCalls().size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_EQ(HostCalls()[0].lParam2, CPSUI_OK);
      EXPECT_TRUE(MatchesPrintModeRecord(state(), state()->builtInModes[3]));
      EXPECT_EQ(state()->mediaType->savedId, state()->builtInModes[3].PMMediaType);
    } else {
      EXPECT_TRUE(MatchesPrintModeRecord(state(), state()->builtInModes[2]));
    }
    harness_.Close();
  }
}

TEST_F(MainPageTest, ReadOnlySheetGreysAllButAboutAndTheLargePicture) {
  state()->editable = 0;
  ASSERT_NE(Open(), nullptr);
  const int greyed[] = {1507, 1506, 1505, 1502, 1504, 9061, 9062, 1512, 9063, 1513, 9065,
                        1514, 1515, 9064, 9067, 9068, 9069, 9071, 9072, 1516, 1518, 1519};
  for (int id : greyed) {
    ASSERT_NE(Item(id), nullptr) << id;
    EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
  }
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_MAIN_ABOUT)));
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_MAIN_MODE_PICTURE)));
}

TEST_F(MainPageTest, SummaryShowsTheSheetsValues) {
  state()->scaling.current = 250;
  state()->printing->currentId = 2;
  state()->printQuality.current = 2;
  state()->cmykOrRgb->currentId = 1;
  state()->cyan.current = 3;
  state()->matching->currentId = 1;
  state()->paperSize->currentId = 9;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Text(IDC_MAIN_SCALING), L"250");
  EXPECT_EQ(Text(IDC_MAIN_PRINTING), L"Banner Printing");
  EXPECT_EQ(Text(IDC_MAIN_QUALITY), L"Fine");
  EXPECT_EQ(Text(IDC_MAIN_COLOR_ADJUSTMENT), L"CMYK(On)");
  EXPECT_EQ(Text(IDC_MAIN_OUTPUT_STYLE), L"Photographic");
  EXPECT_EQ(Text(IDC_MAIN_PAGE_SIZE), L"A4 (210 x 297 mm)");
  // The settings no longer match the selected mode's record.
  EXPECT_TRUE(Modified());

  // A quality that names none leaves the text as it was.
  state()->printQuality.current = 3;
  state()->cyan.current = 0;
  Notify(PSN_SETACTIVE);
  EXPECT_EQ(Text(IDC_MAIN_QUALITY), L"Fine");
  EXPECT_EQ(Text(IDC_MAIN_COLOR_ADJUSTMENT), L"Off");
}

TEST_F(MainPageTest, ListItemsDrawTheSelectionInTheMixedColourWhileModified) {
  ASSERT_NE(Open(), nullptr);
  HWND list = Item(IDC_MAIN_MODE_LIST);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF mixed = MixedHighlightColor(highlight, GetSysColor(COLOR_WINDOW));
  struct Case {
    bool selected;
    bool modified;
    COLORREF background;
  };
  const Case cases[] = {
      {true, false, highlight},
      {true, true, mixed},
      {false, true, GetSysColor(COLOR_WINDOW)},
  };
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 80, 80);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (const Case& c : cases) {
    SetMainPageModified(state(), c.modified);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_MAIN_MODE_LIST;
    item.itemID = 3;
    item.itemAction = ODA_SELECT;
    item.itemState = c.selected ? ODS_SELECTED : 0;
    item.hwndItem = list;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 64, 70};
    item.itemData = 3;
    SendMessageW(harness_.page(), WM_DRAWITEM, IDC_MAIN_MODE_LIST,
                 reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(GetPixel(dc, 1, 1), c.background) << c.selected << c.modified;
  }
  // Drawing the selection as it moves makes the drawn item the chosen mode.
  EXPECT_EQ(state()->printMode->currentId, 3);
  EXPECT_EQ(state()->printModeListPosition, 3);
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(MainPageTest, ReadOnlyListDrawsItsSelectionGreyed) {
  state()->editable = 0;
  ASSERT_NE(Open(), nullptr);
  HWND list = Item(IDC_MAIN_MODE_LIST);
  ASSERT_FALSE(IsWindowEnabled(list));
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 80, 80);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  for (const bool selected : {true, false}) {
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_MAIN_MODE_LIST;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = ODS_DISABLED | (selected ? ODS_SELECTED : 0);
    item.hwndItem = list;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 64, 70};
    item.itemData = 0;
    SendMessageW(harness_.page(), WM_DRAWITEM, IDC_MAIN_MODE_LIST,
                 reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(selected ? COLOR_BTNFACE : COLOR_WINDOW))
        << selected;
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// Reads the About box's lines and closes it with its OK button, as a user
// would, from a timer running in the box's own message loop.
std::vector<std::wstring> about_lines;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = tqr::test::FindAboutBox();
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  for (int id = IDC_ABOUT_SYSTEMS; id <= IDC_ABOUT_RIGHTS; ++id) {
    wchar_t text[128] = {};
    GetDlgItemTextW(box, id, text, 128);
    about_lines.push_back(text);
  }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_OK, BN_CLICKED), 0);
}

TEST_F(MainPageTest, AboutBoxShowsTheDriverAndClosesWithOk) {
  state()->editable = 0;  // About stays usable on a read-only sheet
  ASSERT_NE(Open(), nullptr);
  about_lines.clear();
  SetTimer(nullptr, 0, 20, CloseAboutBox);
  Command(IDC_MAIN_ABOUT, BN_CLICKED);
  ASSERT_EQ(about_lines.size(), 5u);
  EXPECT_EQ(about_lines[0], L"Microsoft Windows XP/Windows 2000");
  EXPECT_EQ(about_lines[1], L"Orlex Large-Format Printer Driver");
  EXPECT_EQ(about_lines[2], L"Version 2.01");
  EXPECT_FALSE(about_lines[3].empty());
  EXPECT_FALSE(about_lines[4].empty());
}

// The Advanced sheet's caption as it shows once open, read from inside its
// modal loop, which is then cancelled.
HWND advanced_owner = nullptr;
std::wstring advanced_caption;

void CALLBACK ReadAdvancedCaption(HWND, UINT, UINT_PTR timer, DWORD) {
  // The Advanced sheet is the Main sheet's modal popup.
  HWND sheet = GetLastActivePopup(advanced_owner);
  if (sheet == advanced_owner || !IsWindowVisible(sheet)) return;
  KillTimer(nullptr, timer);
  wchar_t caption[128] = {};
  GetWindowTextW(sheet, caption, 128);
  advanced_caption = caption;
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

// The caption names the mode selected in the list, here a user preset
// listed first; settings made by hand are named by the print mode that
// stands for the user's own, as the large picture names them.
TEST_F(MainPageTest, AdvancedSheetCaptionNamesTheSelectedModeOrTheOwnSettings) {
  harness_.files.PutBytes(kUserPrintModeFile,
                          test::UserFile(6, {0, 5, 1, 2, 3, 4}, {test::MakeRecord(u"Alpha", 1)}));
  for (const bool byHand : {false, true}) {
    SCOPED_TRACE(byHand ? "settings made by hand" : "settings of the mode");
    ASSERT_NE(Open(), nullptr);
    SelectMode(1);
    if (byHand) Command(IDC_MAIN_MIRROR, BN_CLICKED);
    ASSERT_EQ(Modified(), byHand);
    advanced_owner = harness_.sheet();
    advanced_caption.clear();
    SetTimer(nullptr, 0, 50, ReadAdvancedCaption);
    Command(IDC_MAIN_ADVANCED, BN_CLICKED);
    EXPECT_EQ(advanced_caption, byHand ? L"[Custom]" : L"[Alpha]Properties");
    harness_.Close();
  }
}

// The check a document sheet makes before its pages are created: a print
// mode the user print mode file no longer lists, or settings never
// confirmed, meet one message and fall back to the standard mode.
TEST_F(MainPageTest, DeletedPrintModeIsReportedOnceAndReplacedByTheStandardMode) {
  const std::wstring message =
      L"The settings of the selected Print Mode have been deleted.\n"
      L"Print Mode will now be restored to the Standard settings. ";
  struct Case {
    const char* what;
    bool hasFile;
    std::uint16_t mode;
    std::int16_t confirmed;
    bool reported;
  };
  const Case cases[] = {
      {"no user print mode file", false, 9, 0, false},
      {"listed and confirmed", true, 6, 1, false},
      {"deleted since", true, 9, 1, true},
      {"never confirmed", true, 1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SheetState* sheet = harness_.Build();
    ASSERT_NE(sheet, nullptr);
    harness_.files.Delete(kUserPrintModeFile);
    if (c.hasFile) harness_.files.PutBytes(kUserPrintModeFile, test::PlainUserFile(3));
    sheet->printMode->currentId = c.mode;
    sheet->printMode->savedId = c.mode;
    sheet->overlayPrompt.current = c.confirmed;
    sheet->firstPageOnly.current = 1;
    boxes_.asked.clear();

    CheckSelectedPrintMode(nullptr, sheet);
    if (c.reported) {
      ASSERT_EQ(boxes_.asked.size(), 1u);
      EXPECT_EQ(boxes_.asked[0].text, message);
      EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
      EXPECT_EQ(boxes_.asked[0].owner, nullptr);
      EXPECT_EQ(boxes_.asked[0].flags,
                static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));
      EXPECT_EQ(sheet->printMode->currentId, 0);
      EXPECT_EQ(sheet->printMode->savedId, 0);
      EXPECT_EQ(sheet->firstPageOnly.current, 0);
      EXPECT_TRUE(MatchesPrintModeRecord(sheet, sheet->builtInModes[0]));
    } else {
      EXPECT_TRUE(boxes_.asked.empty());
      EXPECT_EQ(sheet->printMode->currentId, c.mode);
    }
  }
}

}  // namespace
}  // namespace tqr
