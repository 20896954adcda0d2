// The Paper page in a real property sheet, driven by messages as a user's
// clicks would drive it, over a sheet state of the shipped description.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/paper_ids.h"
#include "ui/paper_page_model.h"
#include "wine/support/main_page_harness.h"
#include "wine/support/recorded_messages.h"

namespace tqr {
namespace {

constexpr UINT kBoxFlags = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL;

class PaperPageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override {
    ASSERT_NE(harness_.Build(), nullptr) << "the shipped description did not build";
  }
  void TearDown() override { harness_.Close(); }

  HWND Open() {
    HWND page = harness_.Open(kPaperPageDialog, PaperPageProc, L"Paper");
    EXPECT_NE(page, nullptr);
    return page;
  }
  SheetState* state() { return harness_.state(); }
  HWND Item(int id) { return GetDlgItem(harness_.page(), id); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  std::wstring Text(int id) {
    wchar_t text[256] = {};
    GetWindowTextW(Item(id), text, 256);
    return text;
  }
  void Select(int combo, int position) {
    SendMessageW(Item(combo), CB_SETCURSEL, position, 0);
    SendMessageW(harness_.page(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(combo)));
  }
  LONG_PTR Notify(UINT code) {
    NMHDR header = {harness_.sheet(), 0, code};
    SendMessageW(harness_.page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    return GetWindowLongPtrW(harness_.page(), DWLP_MSGRESULT);
  }
  int PositionOf(int combo, std::uint16_t number) {
    const PaperComboEntries choices = ListPaperChoices(
        state(), combo == IDC_PAPER_SIZE ? PaperCombo::kPage : PaperCombo::kPrinterPaper, {});
    for (std::size_t i = 0; i < choices.entries.size(); ++i) {
      if (choices.entries[i].number == number) return static_cast<int>(i);
    }
    return -1;
  }

  test::MainPageHarness harness_;
  test::RecordedMessages boxes_;
};

TEST_F(PaperPageTest, OpensOnTheSheetsValuesWithThePrintingTypesControls) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0), 28);
  EXPECT_EQ(Text(IDC_PAPER_SIZE), L"A4 (210 x 297 mm)");
  EXPECT_EQ(Text(IDC_PAPER_PRINTING), L"Normal-Size Printing");
  EXPECT_EQ(Text(IDC_PAPER_SCALING), L"100");
  EXPECT_EQ(Text(IDC_PAPER_VERTICAL), L"0.0");
  EXPECT_EQ(Text(IDC_PAPER_VERTICAL_UNIT), L"mm");
  EXPECT_FALSE(Enabled(IDC_PAPER_OUTPUT));
  EXPECT_FALSE(Enabled(IDC_PAPER_SCALING));
  EXPECT_TRUE(Enabled(IDC_PAPER_MARGINS));
  EXPECT_TRUE(Enabled(IDC_PAPER_OFFSETS));

  // Enlarging onto A2: everything opens up and the ratio fits A4 on it.
  Select(IDC_PAPER_PRINTING, 1);
  EXPECT_TRUE(Enabled(IDC_PAPER_OUTPUT));
  Select(IDC_PAPER_OUTPUT, PositionOf(IDC_PAPER_OUTPUT, 66));
  EXPECT_EQ(state()->paperSize2->currentId, 66);
  EXPECT_EQ(Text(IDC_PAPER_SCALING), L"202");
  EXPECT_TRUE(boxes_.asked.empty());

  // Back to normal size: the printer paper follows the page, once told.
  Select(IDC_PAPER_PRINTING, 0);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"Printer paper size has been changed.\nMake sure the correct size paper is loaded "
            L"in the printer.");
  EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
  EXPECT_EQ(boxes_.asked[0].flags, kBoxFlags);
  EXPECT_EQ(state()->paperSize2->currentId, 9);
}

TEST_F(PaperPageTest, ReadOnlySheetsStayGreyWhenThePageIsShownAgain) {
  state()->editable = 0;
  ASSERT_NE(Open(), nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    for (int id : {IDC_PAPER_OFFSETS, IDC_PAPER_MARGINS, IDC_PAPER_SCALING, IDC_PAPER_OUTPUT,
                   IDC_PAPER_SIZE, IDC_PAPER_FEED, IDC_PAPER_CUTTER}) {
      EXPECT_FALSE(Enabled(id)) << id << " pass " << pass;
    }
    EXPECT_TRUE(Enabled(IDC_PAPER_SAVE_MEDIA));
    EXPECT_TRUE(Enabled(IDC_PAPER_SERVER_FORMS));
    Notify(PSN_SETACTIVE);
  }
}

TEST_F(PaperPageTest, RefusalsTellTheUserAndPutTheChoiceBack) {
  ASSERT_NE(Open(), nullptr);
  // A4 refuses cut sheet: the feed returns to the tray the user had.
  Select(IDC_PAPER_FEED, 1);
  boxes_.asked.clear();
  Select(IDC_PAPER_FEED, 2);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"Cut Sheet cannot be selected with the current Page Size settings.");
  EXPECT_EQ(state()->paperFeed->currentId, 1);
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_FEED), CB_GETCURSEL, 0, 0), 1);

  // A ratio out of range keeps the page.
  Select(IDC_PAPER_PRINTING, 1);
  boxes_.asked.clear();
  SetWindowTextW(Item(IDC_PAPER_SCALING), L"5");
  EXPECT_EQ(Notify(PSN_KILLACTIVE), TRUE);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, L"Enlarge/Reduce range is from 10 to 541.");
  SetWindowTextW(Item(IDC_PAPER_SCALING), L"50");
  EXPECT_EQ(Notify(PSN_KILLACTIVE), FALSE);
  EXPECT_EQ(state()->scaling.current, 50);
}

}  // namespace
}  // namespace tqr
