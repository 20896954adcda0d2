// The Features page beside the Paper page in one real property sheet, driven
// by messages as a user's clicks and keys would drive them: what the Paper
// page's choices leave in the record that OK hands back, whichever page the
// user pressed OK on and whether the Features page was ever shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "resources/feature_pages_ids.h"
#include "resources/paper_ids.h"
#include "sheet/sheet_values.h"
#include "ui/win32/pages.h"
#include "wine/support/dialog_steps.h"
#include "wine/support/main_page_harness.h"
#include "wine/support/page_fixture.h"

namespace tqr {
namespace {

constexpr int kPaperTab = 0;
constexpr int kFeaturesTab = 1;
constexpr std::uint16_t kBannerPrinting = 2;
constexpr std::uint16_t kNoCut = 0;

// The document sheet's Paper and Features pages, opened on one of them.
class PaperAndFeaturesTest : public test::PageFixture {
 protected:
  void TearDown() override {
    Close();
    PageFixture::TearDown();
  }
  void Close() {
    if (sheet_ != nullptr) DestroyWindow(sheet_);
    sheet_ = nullptr;
  }

  SheetState* state() { return harness_.state(); }

  bool Open(int firstTab) {
    sheetSlot_ = harness_.state();
    HPROPSHEETPAGE pages[2] = {MakePage(kPaperPageDialog, PaperPageProc, L"Paper"),
                               MakePage(kFeaturesPageDialog, FeaturesPageProc, L"Features")};
    if (pages[0] == nullptr || pages[1] == nullptr) return false;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"Orlex TQ-R5400 Document Properties";
    header.nPages = 2;
    header.nStartPage = static_cast<UINT>(firstTab);
    header.phpage = pages;
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
    test::MainPageHarness::Pump();
    return sheet_ != nullptr;
  }

  HWND Page(int tab) {
    return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_INDEXTOHWND, tab, 0));
  }
  void ShowTab(int tab) {
    SendMessageW(sheet_, PSM_SETCURSEL, tab, 0);
    test::MainPageHarness::Pump();
  }
  // Picks `position` in one of the Paper page's combos, as a click would.
  void Choose(int combo, int position) {
    HWND paper = Page(kPaperTab);
    SendDlgItemMessageW(paper, combo, CB_SETCURSEL, position, 0);
    SendMessageW(paper, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(paper, combo)));
  }
  // Banner printing, with its notice read and closed.
  void ChooseBanner() {
    const std::deque<test::DialogStep> notice = {
        {IDC_BANNER_TEXT, [](HWND dialog) { test::Click(dialog, IDOK); }}};
    EXPECT_TRUE(test::RunWithSteps(notice, [&] { Choose(IDC_PAPER_PRINTING, kBannerPrinting); }));
  }
  void PressOk() {
    SendMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_OK, 0);
    test::MainPageHarness::Pump();
  }
  // The record the host is handed back after OK.
  DRVDEVMODE ConfirmedRecord() {
    DRVDEVMODE record;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    ApplySheetState(state(), &record);
    return record;
  }
  std::wstring Text(int tab, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(Page(tab), id, text, 64);
    return text;
  }

 private:
  HPROPSHEETPAGE MakePage(int dialogId, DLGPROC procedure, const wchar_t* title) {
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(dialogId);
    page.pszTitle = title;
    page.pfnDlgProc = procedure;
    page.lParam = reinterpret_cast<LPARAM>(&sheetSlot_);
    return CreatePropertySheetPageW(&page);
  }

  SheetState* sheetSlot_ = nullptr;
  HWND sheet_ = nullptr;
};

// Copies typed on the Features page, then banner printing chosen on the
// Paper page and OK pressed there: the Features page applies the reset to
// its edit before it reads the copies back.
TEST_F(PaperAndFeaturesTest, BannerChosenAfterTypingCopiesPrintsOneCopy) {
  ASSERT_TRUE(Open(kFeaturesTab));
  SetDlgItemTextW(Page(kFeaturesTab), IDC_COPIES_EDIT, L"5");
  ASSERT_EQ(state()->copies.current, 5);
  ShowTab(kPaperTab);
  ChooseBanner();
  PressOk();

  EXPECT_EQ(Text(kFeaturesTab, IDC_COPIES_EDIT), L"1");
  EXPECT_EQ(state()->copies.saved, 1);
  EXPECT_EQ(ConfirmedRecord().dm.dmCopies, 1);
}

// A stored copy count and by-page drying time, the Features page never
// shown, and banner printing or no cut chosen on the Paper page: the record
// is the one the Features page would have left.
TEST_F(PaperAndFeaturesTest, PaperChoicesResetUnusedValuesWithoutTheFeaturesPage) {
  struct Case {
    const char* what;
    bool banner;
    int copies;
    int byPage;
  };
  const Case cases[] = {{"banner", true, 1, 30}, {"no cut", false, 5, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NE(harness_.Build(), nullptr);
    state()->copies.current = state()->copies.saved = 5;
    state()->dryInkPage.current = state()->dryInkPage.saved = 30;
    ASSERT_TRUE(Open(kPaperTab));
    if (c.banner) {
      ChooseBanner();
    } else {
      Choose(IDC_PAPER_CUTTER, OptionComboPosition(state()->cutter, kNoCut));
      ASSERT_EQ(state()->cutter->currentId, kNoCut);
    }
    PressOk();

    const DRVDEVMODE record = ConfirmedRecord();
    EXPECT_EQ(static_cast<int>(record.dm.dmCopies), c.copies);
    EXPECT_EQ(static_cast<int>(record.DryInkPage), c.byPage);
    Close();
  }
}

}  // namespace
}  // namespace tqr
