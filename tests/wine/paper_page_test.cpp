// The Paper page in a real property sheet, driven by messages as a user's
// clicks would drive it, over a sheet state of the shipped description.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "resources/paper_ids.h"
#include "sheet/sheet_values.h"
#include "ui/paper_page_model.h"
#include "wine/support/dialog_steps.h"
#include "wine/support/main_page_harness.h"
#include "wine/support/page_fixture.h"
#include "wine/support/recorded_messages.h"

namespace tqr {
namespace {

constexpr UINT kBoxFlags = MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL;

using test::Click;
using test::DialogStep;

void Choose(HWND dialog, int combo, int position) {
  SendDlgItemMessageW(dialog, combo, CB_SETCURSEL, position, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, combo)));
}

void Toggle(HWND dialog, int box) {
  const LRESULT checked = SendDlgItemMessageW(dialog, box, BM_GETCHECK, 0, 0);
  SendDlgItemMessageW(dialog, box, BM_SETCHECK, checked == BST_CHECKED ? 0 : 1, 0);
  Click(dialog, box);
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

class PaperPageTest : public test::PageFixture {
 protected:
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

  // Presses `button` on the page; `steps` run in the dialog it opens.
  void OpenDialog(int button, std::deque<DialogStep> steps) {
    EXPECT_TRUE(test::RunWithSteps(std::move(steps), [&] { Click(harness_.page(), button); }))
        << "the dialog of " << button << " missed steps";
  }
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

TEST_F(PaperPageTest, OffsetSettingTakesTypedValuesOnOkOnly) {
  ASSERT_NE(Open(), nullptr);
  // Inches with a value out of their range: the message, and millimetres stay.
  OpenDialog(IDC_PAPER_OFFSETS,
             {{IDC_OFFSET_VERTICAL, [](HWND dialog) {
                 EXPECT_EQ(ItemText(dialog, IDC_OFFSET_VERTICAL_RANGE), L"(-5.0 to 5.0 mm)");
                 SetDlgItemTextW(dialog, IDC_OFFSET_VERTICAL, L"9");
                 Choose(dialog, IDC_OFFSET_UNIT, 1);
                 EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OFFSET_UNIT, CB_GETCURSEL, 0, 0), 0);
                 Click(dialog, IDC_OFFSET_CANCEL);
               }}});
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"Set the offset \nvertical from -5.0 mm (-0.20 in) to 5.0 mm (0.20 in) and the "
            L"\nhorizontal from -5.0 mm (-0.20 in) to 5.0 mm (0.20 in).");
  EXPECT_EQ(boxes_.asked[0].flags, kBoxFlags);
  EXPECT_EQ(state()->vertOffset.current, 0);

  // Typed, switched to inches and confirmed.
  OpenDialog(IDC_PAPER_OFFSETS,
             {{IDC_OFFSET_VERTICAL, [](HWND dialog) {
                 SetDlgItemTextW(dialog, IDC_OFFSET_VERTICAL, L"-1.5");
                 SetDlgItemTextW(dialog, IDC_OFFSET_HORIZONTAL, L"5");
                 Choose(dialog, IDC_OFFSET_UNIT, 1);
                 EXPECT_EQ(ItemText(dialog, IDC_OFFSET_VERTICAL), L"-0.05");
                 EXPECT_EQ(ItemText(dialog, IDC_OFFSET_HORIZONTAL), L"0.20");
                 EXPECT_EQ(ItemText(dialog, IDC_OFFSET_HORIZONTAL_RANGE), L"(-0.20 to 0.20 in)");
                 Click(dialog, IDC_OFFSET_OK);
               }}});
  EXPECT_EQ(state()->vertOffset.current, -15);
  EXPECT_EQ(state()->vertOffsetI.current, -5);
  EXPECT_EQ(state()->horzOffset.current, 50);
  EXPECT_EQ(state()->horzOffsetI.current, 20);
  EXPECT_EQ(state()->offsetUnit->currentId, 1);
  EXPECT_EQ(Text(IDC_PAPER_VERTICAL), L"-0.05");
  EXPECT_EQ(Text(IDC_PAPER_HORIZONTAL_UNIT), L"in");
}

TEST_F(PaperPageTest, SizeGroupsAndMarginsDialogs) {
  ASSERT_NE(Open(), nullptr);
  // Every group off: ISO A stays, and the lists shrink to it.
  OpenDialog(IDC_PAPER_SIZE_GROUPS, {{IDC_GROUP_ISO_A, [](HWND dialog) {
                                        for (int box : {IDC_GROUP_ISO_A, IDC_GROUP_ISO_B,
                                                        IDC_GROUP_ANSI, IDC_GROUP_ARCH}) {
                                          Toggle(dialog, box);
                                        }
                                        Click(dialog, IDC_GROUPS_OK);
                                      }}});
  EXPECT_EQ(state()->isoA.current, 1);
  EXPECT_EQ(state()->ansi.current, 0);
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0), 10);

  // Without Margins shows the panel, greys the margins and prints the whole
  // sheet; Cancel takes it back.
  OpenDialog(IDC_PAPER_MARGINS, {{IDC_MARGINS_NONE, [this](HWND dialog) {
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_FEED),
                                              L"Roll Paper (Tray A)");
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_TOP), L"15.0");
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_HEIGHT), L"279.0");
                                    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_MARGINS_PANEL)));
                                    Toggle(dialog, IDC_MARGINS_NONE);
                                    EXPECT_EQ(state()->noMargin.current, 1);
                                    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_MARGINS_PANEL)));
                                    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_MARGINS_TOP)));
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_HEIGHT), L"297.0");
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_WIDTH), L"210.0");
                                    EXPECT_EQ(ItemText(dialog, IDC_MARGINS_WIDTH_UNIT), L"mm");
                                    Click(dialog, IDC_MARGINS_CANCEL);
                                  }}});
  EXPECT_EQ(state()->noMargin.current, 0);
  EXPECT_TRUE(boxes_.asked.empty());
}

TEST_F(PaperPageTest, BannerPrintingShowsItsNotice) {
  ASSERT_NE(Open(), nullptr);
  state()->paperSave.current = 1;
  const std::deque<DialogStep> notice = {
      {IDC_BANNER_TEXT, [](HWND dialog) {
         EXPECT_EQ(ItemText(dialog, IDC_BANNER_TEXT),
                   L"You selected Banner Printing.\nFor best results, click [Help] button "
                   L"for Banner Print instructions.");
         wchar_t caption[64] = {};
         GetWindowTextW(dialog, caption, 64);
         EXPECT_EQ(std::wstring(caption), L"Orlex TQ-R5400");
         Click(dialog, IDOK);
       }}};
  EXPECT_TRUE(test::RunWithSteps(notice, [&] { Select(IDC_PAPER_PRINTING, 2); }));
  EXPECT_EQ(state()->printing->currentId, 2);
  EXPECT_EQ(state()->paperSave.current, 0);
  EXPECT_FALSE(Enabled(IDC_PAPER_SAVE_MEDIA));
  EXPECT_TRUE(Enabled(IDC_PAPER_MARGINS));
  EXPECT_FALSE(Enabled(IDC_PAPER_OFFSETS));
}

TEST_F(PaperPageTest, ServerFormsRoundTripThroughTheSpoolerPort) {
  harness_.spooler.forms = {{1, u"A4", 210000, 297000}, {0, u"Banner 500", 500000, 800000}};
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0), 29);
  OpenDialog(
      IDC_PAPER_SERVER_FORMS,
      {{IDC_FORMS_LIST, [this](HWND dialog) {
          EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCOUNT, 0, 0), 1);
          EXPECT_EQ(ItemText(dialog, IDC_FORMS_NAME), L"Banner 500");
          EXPECT_EQ(ItemText(dialog, IDC_FORMS_SET), L"&Replace");
          Choose(dialog, IDC_FORMS_UNIT, 0);
          EXPECT_EQ(ItemText(dialog, IDC_FORMS_WIDTH), L"500.0");
          EXPECT_EQ(ItemText(dialog, IDC_FORMS_WIDTH_RANGE), L"(210.0 to 1082.2 mm)");
          // A new form.
          SetDlgItemTextW(dialog, IDC_FORMS_NAME, L"Poster 600");
          EXPECT_EQ(ItemText(dialog, IDC_FORMS_SET), L"&Set");
          SetDlgItemTextW(dialog, IDC_FORMS_WIDTH, L"600");
          SetDlgItemTextW(dialog, IDC_FORMS_HEIGHT, L"900.5");
          Click(dialog, IDC_FORMS_SET);
          EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCOUNT, 0, 0), 2);
          // A built-in name, then a size out of range.
          SetDlgItemTextW(dialog, IDC_FORMS_NAME, L"a4");
          Click(dialog, IDC_FORMS_SET);
          SetDlgItemTextW(dialog, IDC_FORMS_NAME, L"Tiny");
          SetDlgItemTextW(dialog, IDC_FORMS_WIDTH, L"200");
          Click(dialog, IDC_FORMS_SET);
          // No rights to delete.
          harness_.spooler.formChangeError = kErrorAccessDenied;
          SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_SETCURSEL, 0, 0);
          Click(dialog, IDC_FORMS_DELETE);
          harness_.spooler.formChangeError = kErrorSuccess;
          Click(dialog, IDC_FORMS_CLOSE);
        }}});
  ASSERT_EQ(harness_.spooler.forms.size(), 3u);
  EXPECT_EQ(harness_.spooler.forms[2].name, u"Poster 600");
  EXPECT_EQ(harness_.spooler.forms[2].width, 600000);
  EXPECT_EQ(harness_.spooler.forms[2].length, 900500);
  ASSERT_EQ(boxes_.asked.size(), 3u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"The name entered for the media size is reserved by the system and cannot be "
            L"used.\nPlease use another name.");
  EXPECT_EQ(boxes_.asked[1].text,
            L"Form Size\nWidth: 210.0 to 1082.2 mm (8.27 to 42.60 in)\nHeight: 297.0 to 2667.0 "
            L"mm (11.69 to 105.00 in)\nSet within these ranges.");
  EXPECT_EQ(boxes_.asked[2].text, L"Administrator privileges are required.");
  for (const auto& box : boxes_.asked) {
    EXPECT_EQ(box.caption, L"Orlex TQ-R5400");
    EXPECT_EQ(box.flags, kBoxFlags);
  }
  // The page offers the new form after the old one.
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0), 30);
  EXPECT_EQ(state()->formUnit, FormUnit::Millimetres);
}

// Greek names in two cases: the same form to the spooler, so to the page
// and the dialog too.
constexpr char16_t kGreekName[] = u"\u03c3\u03c7\u03b5\u03b4\u03b9\u03bf";
constexpr wchar_t kGreekNameUpper[] = L"\u03a3\u03a7\u0395\u0394\u0399\u039f";

TEST_F(PaperPageTest, StoredFormNamesAreFoundIgnoringCaseInAnyScript) {
  harness_.spooler.forms = {{0, kGreekName, 500000, 800000}};
  state()->paperSize->currentId = kFirstServerForm;
  std::memcpy(state()->formName, kGreekNameUpper, sizeof kGreekNameUpper);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(state()->paperSize->currentId, kFirstServerForm);
  const LRESULT shown = SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCURSEL, 0, 0);
  EXPECT_EQ(shown, SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0) - 1);
  EXPECT_EQ(Text(IDC_PAPER_SIZE).substr(0, 6), std::wstring(kGreekName, kGreekName + 6));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(state()->pageSizeDisplayText)),
            Text(IDC_PAPER_SIZE));
}

TEST_F(PaperPageTest, ServerFormsReplacesAListedFormTypedInAnotherCase) {
  harness_.spooler.forms = {{0, kGreekName, 500000, 800000}};
  ASSERT_NE(Open(), nullptr);
  OpenDialog(IDC_PAPER_SERVER_FORMS,
             {{IDC_FORMS_LIST, [](HWND dialog) {
                 SetDlgItemTextW(dialog, IDC_FORMS_NAME, kGreekNameUpper);
                 EXPECT_EQ(ItemText(dialog, IDC_FORMS_SET), L"&Replace");
                 EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_FORMS_LIST, LB_GETCURSEL, 0, 0), 0);
                 Choose(dialog, IDC_FORMS_UNIT, 0);
                 SetDlgItemTextW(dialog, IDC_FORMS_WIDTH, L"600");
                 Click(dialog, IDC_FORMS_SET);
                 Click(dialog, IDC_FORMS_CLOSE);
               }}});
  ASSERT_EQ(harness_.spooler.forms.size(), 1u);
  EXPECT_EQ(harness_.spooler.forms[0].name, kGreekName);
  EXPECT_EQ(harness_.spooler.forms[0].width, 600000);
  EXPECT_EQ(harness_.spooler.forms[0].length, 800000);
  EXPECT_TRUE(boxes_.asked.empty());
}

// The form in use deleted on cut sheet with normal-size printing, where A4
// is not offered: the page takes a size the combo offers, and shows it.
TEST_F(PaperPageTest, DeletingTheCurrentFormLeavesASizeTheFeedAccepts) {
  harness_.spooler.forms = {{0, u"Poster 500", 500000, 800000}};
  ASSERT_NE(Open(), nullptr);
  Select(IDC_PAPER_SIZE,
         static_cast<int>(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0)) - 1);
  ASSERT_EQ(state()->paperSize->currentId, kFirstServerForm);
  const std::deque<DialogStep> margins = {
      {IDC_MARGINS_NONE, [](HWND dialog) { Click(dialog, IDC_MARGINS_CANCEL); }}};
  EXPECT_TRUE(test::RunWithSteps(margins, [&] {
    Select(IDC_PAPER_FEED, OptionComboPosition(state()->paperFeed, kCutSheetFeed));
  }));
  ASSERT_EQ(state()->paperFeed->currentId, kCutSheetFeed);

  OpenDialog(IDC_PAPER_SERVER_FORMS, {{IDC_FORMS_LIST, [](HWND dialog) {
                                         Click(dialog, IDC_FORMS_DELETE);
                                         Click(dialog, IDC_FORMS_CLOSE);
                                       }}});
  ASSERT_TRUE(harness_.spooler.forms.empty());
  struct Combo {
    int id;
    const OptionList* list;
  };
  for (const Combo& combo : {Combo{IDC_PAPER_SIZE, state()->paperSize},
                             Combo{IDC_PAPER_OUTPUT, state()->paperSize2}}) {
    const std::uint16_t held = combo.list->currentId;
    EXPECT_TRUE(IsPageSizeOffered(state(), held, kNormalSizePrinting, kCutSheetFeed))
        << combo.id << " holds " << held;
    EXPECT_EQ(SendMessageW(Item(combo.id), CB_GETCURSEL, 0, 0), PositionOf(combo.id, held))
        << combo.id;
  }
  EXPECT_TRUE(CheckCutSheet(state()));
}

// A form whose name is longer than a name field holds: 62 letters, a
// surrogate pair the field cuts in half, and more.
const std::u16string kLongFormName = std::u16string(62, u'L') + u"\U0001F4C4 and on";

TEST_F(PaperPageTest, AFormWithALongNameStaysChosen) {
  harness_.spooler.forms = {{0, kLongFormName, 500000, 800000}};
  ASSERT_NE(Open(), nullptr);
  const int last = static_cast<int>(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCOUNT, 0, 0)) - 1;
  Select(IDC_PAPER_SIZE, last);
  // Shown again, as after a visit to another page.
  Notify(PSN_SETACTIVE);
  EXPECT_EQ(state()->paperSize->currentId, kFirstServerForm);
  EXPECT_EQ(state()->paperSize2->currentId, kFirstServerForm);
  EXPECT_EQ(SendMessageW(Item(IDC_PAPER_SIZE), CB_GETCURSEL, 0, 0), last);
  EXPECT_EQ(std::u16string(state()->formName2), kLongFormName.substr(0, 63));
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(state()->paperSizeDisplayText)),
            Text(IDC_PAPER_OUTPUT));
  EXPECT_EQ(Notify(PSN_KILLACTIVE), FALSE);
  EXPECT_EQ(Notify(PSN_APPLY), PSNRET_NOERROR);
  EXPECT_EQ(state()->paperSize->savedId, kFirstServerForm);
  EXPECT_EQ(state()->paperSize2->savedId, kFirstServerForm);
}

}  // namespace
}  // namespace tqr
