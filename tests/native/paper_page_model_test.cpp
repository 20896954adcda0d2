// The Paper page's rules on a sheet built from the shipped description:
// the paper lists under feed, printing type, groups and server forms, the
// printing types, cut sheet, margins, ratios, offsets and Defaults.
#include "ui/paper_page_model.h"

#include <memory>
#include <string>
#include <vector>

#include "support/settings_fixture.h"
#include "sheet/sheet_values.h"

namespace tqr {
namespace {

using Numbers = std::vector<std::uint16_t>;

// The shipped groups, as the default record switches them on: ISO A, ISO B,
// ANSI and ARCH.
const Numbers kIsoA = {257, 258, 259, 260, 66, 264, 8, 9, 76, 77};
const Numbers kIsoB = {261, 262, 263, 265};
const Numbers kAnsi = {26, 25, 24, 3, 1, 75};
const Numbers kArch = {274, 275, 276, 277, 278, 279, 270, 271};
// What cut sheet keeps of them: 420.0 mm and more both ways.
const Numbers kCutSheet = {257, 258, 259, 260, 66, 261, 262, 263, 26,
                           25,  24,  274, 275, 276, 277, 278, 279};

Numbers Join(std::initializer_list<Numbers> parts) {
  Numbers all;
  for (const Numbers& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class PaperPageModelTest : public test::SettingsTest {
 protected:
  PaperPageModelTest() {
    record_ = Defaults();
    EXPECT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
  }
  ~PaperPageModelTest() override { FreeSheetState(&state_); }

  std::vector<OfferedForm> Forms() {
    std::vector<OfferedForm> forms;
    ListOfferedForms(printer(), &forms);
    return forms;
  }
  static Numbers NumbersOf(const PaperComboEntries& choices) {
    Numbers numbers;
    for (const PaperChoice& choice : choices.entries) numbers.push_back(choice.number);
    return numbers;
  }
  void Choose(std::uint16_t printing, std::uint16_t feed, std::uint16_t page,
              std::uint16_t paper) {
    state_->printing->currentId = printing;
    state_->paperFeed->currentId = feed;
    state_->paperSize->currentId = page;
    state_->paperSize2->currentId = paper;
  }
  // The page size becomes a server form of that size.
  void PageForm(std::uint32_t width, std::uint32_t length) {
    state_->paperSize->currentId = kFirstServerForm;
    state_->formSizes[0] = width;
    state_->formSizes[1] = length;
  }

  std::unique_ptr<DRVDEVMODE> record_;
  SheetState* state_ = nullptr;
};

TEST_F(PaperPageModelTest, PaperListsUnderFeedPrintingTypeGroupsAndForms) {
  const struct {
    const char* what;
    PaperCombo combo;
    std::uint16_t printing;
    std::uint16_t feed;
    bool jisInsteadOfIsoA;
    bool forms;
    Numbers want;
  } cases[] = {
      {"roll, normal size", PaperCombo::kPage, 0, 0, false, false, Join({kIsoA, kIsoB, kAnsi, kArch})},
      {"cut sheet, normal size", PaperCombo::kPage, 0, 2, false, false, kCutSheet},
      {"cut sheet, banner", PaperCombo::kPage, 2, 2, false, false, kCutSheet},
      {"cut sheet, enlarging: the page takes any size", PaperCombo::kPage, 1, 2, false, false,
       Join({kIsoA, kIsoB, kAnsi, kArch})},
      {"cut sheet, enlarging: the printer paper does not", PaperCombo::kPrinterPaper, 1, 2, false,
       false, kCutSheet},
      {"groups switched", PaperCombo::kPage, 0, 1, true, false,
       Join({kIsoB, {267, 268, 269, 266, 12}, kAnsi, kArch})},
      {"forms follow, on any feed", PaperCombo::kPrinterPaper, 0, 2, false, true,
       Join({kCutSheet, {318, 319}})},
  };
  AddForm(u"Too narrow", 2000, 3000);
  AddForm(u"Banner 500", 5000, 8000);
  AddForm(u"Postcard", 1000, 1480);
  AddForm(u"A0 sheet", 8409, 11890);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state_->isoA.current = c.jisInsteadOfIsoA ? 0 : 1;
    state_->jis.current = c.jisInsteadOfIsoA ? 1 : 0;
    const std::vector<OfferedForm> forms = c.forms ? Forms() : std::vector<OfferedForm>{};
    const PaperComboEntries choices =
        ListPaperChoices(state_, c.combo, c.printing, c.feed, 0, forms);
    EXPECT_EQ(NumbersOf(choices), c.want);
    EXPECT_EQ(choices.standardCount, c.want.size() - forms.size());
  }
  // The printer paper's width limit leaves out wider sizes.
  const PaperComboEntries narrow = ListPaperChoices(state_, PaperCombo::kPrinterPaper, 0, 0, 4200, {});
  EXPECT_EQ(NumbersOf(narrow), Join({{66, 264, 8, 9, 76, 77}, {265}, {3, 1, 75}, {270, 271}}));
}

TEST_F(PaperPageModelTest, OfferedSizesAndCutSheet) {
  const struct {
    std::uint16_t number;
    std::uint16_t printing;
    std::uint16_t feed;
    bool want;
  } offered[] = {
      {8, 0, 2, false}, {8, 1, 2, true},  {8, 0, 0, true},   {258, 0, 2, true},
      {66, 2, 2, true}, {12, 1, 0, false},  // JIS is off
      {256, 1, 0, false},  // the custom group is never listed
  };
  for (const auto& c : offered) {
    EXPECT_EQ(IsPageSizeOffered(state_, c.number, c.printing, c.feed), c.want)
        << c.number << " " << c.printing << " " << c.feed;
  }
  const struct {
    std::uint16_t printing;
    std::uint16_t feed;
    std::uint16_t page;
    std::uint16_t paper;
    bool want;
  } cutSheet[] = {
      {0, 0, 8, 8, true},     {0, 2, 8, 8, false},     {1, 2, 8, 258, true},
      {1, 2, 258, 9, false},  {0, 2, 258, 258, true},  {2, 2, 307, 258, false},
      {1, 2, 320, 320, true},
  };
  for (const auto& c : cutSheet) {
    Choose(c.printing, c.feed, c.page, c.paper);
    EXPECT_EQ(CheckCutSheet(state_), c.want) << c.printing << " " << c.page << " " << c.paper;
  }
  // A server form page on cut sheet: 420.0 mm both ways or enlarging.
  Choose(0, 2, 0, 0);
  PageForm(4200, 4200);
  EXPECT_TRUE(PageSizeAllowsPrinting(state_, 0, 2));
  PageForm(4199, 5000);
  EXPECT_FALSE(PageSizeAllowsPrinting(state_, 2, 2));
  EXPECT_TRUE(PageSizeAllowsPrinting(state_, 1, 2));
  EXPECT_TRUE(PageSizeAllowsPrinting(state_, 0, 0));
}

TEST_F(PaperPageModelTest, PrintingTypeControls) {
  const struct {
    std::uint16_t printing;
    std::vector<int> enabled;
  } cases[] = {
      {0, {2001, 1009, 2025, 2026, 2020, 2027, 2021, 2019, 2018}},
      {1, {2022, 2011, 2017, 2024, 2008, 2001, 1009, 2025, 2026, 2020, 2027, 2021, 2019, 2018}},
      {2, {1009}},
  };
  for (const auto& c : cases) {
    std::vector<int> enabled;
    for (int i = 0; i < kPrintingTypeControlCount; ++i) {
      if (IsEnabledForPrintingType(c.printing, i)) enabled.push_back(kPrintingTypeControls[i]);
    }
    EXPECT_EQ(enabled, c.enabled) << c.printing;
  }
}

TEST_F(PaperPageModelTest, MarginRows) {
  const struct {
    bool cutSheet;
    bool noMargin;
    bool upperMargin;
    Margins want;
  } rows[] = {
      {false, false, false, {150, 30, 30}}, {false, false, true, {30, 30, 30}},
      {false, true, false, {0, 0, 0}},      {false, true, true, {0, 0, 0}},
      {true, false, false, {150, 200, 30}}, {true, false, true, {30, 30, 30}},
      {true, true, false, {0, 0, 0}},       {true, true, true, {0, 0, 0}},
  };
  for (const auto& r : rows) {
    const Margins m = GetMargins(state_, r.noMargin, r.upperMargin, r.cutSheet ? 2 : 0);
    EXPECT_EQ(m.top, r.want.top) << r.cutSheet << r.noMargin << r.upperMargin;
    EXPECT_EQ(m.bottom, r.want.bottom) << r.cutSheet << r.noMargin << r.upperMargin;
    EXPECT_EQ(m.side, r.want.side) << r.cutSheet << r.noMargin << r.upperMargin;
  }
}

TEST_F(PaperPageModelTest, FitScalingStaysWithinTheRange) {
  Choose(1, 0, 258, 66);  // A0 onto A2, roll margins 15/3/3 mm
  EXPECT_EQ(FitScaling(state_), 49);
  state_->noMargin.current = 1;
  EXPECT_EQ(FitScaling(state_), 49);  // 4200/8410 and 5940/11890
  state_->noMargin.current = 0;
  // The largest form on A4 rotated would be 7 %: below the range, so 10.
  PageForm(10822, 26670);
  state_->paperSize2->currentId = 77;
  EXPECT_EQ(FitScaling(state_), 10);
  state_->scaling.minimum = 25;
  EXPECT_EQ(RefitScaling(state_), 25);
  EXPECT_EQ(state_->scaling.current, 25);
  // A page with no printable area divides by nothing: the ratio stays.
  PageForm(60, 180);
  state_->scaling.current = 100;
  EXPECT_EQ(FitScaling(state_), 100);
  // A small page on a large sheet stops at the maximum.
  Choose(1, 0, 77, 258);
  state_->paperSize->currentId = 9;
  EXPECT_EQ(FitScaling(state_), 409);
  state_->scaling.maximum = 300;
  EXPECT_EQ(FitScaling(state_), 300);
}

TEST_F(PaperPageModelTest, AreaSearchAndScalingCheck) {
  EXPECT_EQ(MaxScalingForArea(10000, 10000, 600), 138);
  EXPECT_EQ(MaxScalingForArea(2100, 2970, 300), 541);
  // At 2400 dpi not even 100 % fits 2667.0 mm: the search goes on below it.
  EXPECT_EQ(MaxScalingForArea(2100, 26670, 2400), 13);

  const struct {
    const char* what;
    std::uint16_t printing;
    std::uint16_t resolution;
    std::uint32_t page;  // a square form page, 0.1 mm; the printer paper the same
    std::int32_t typed;
    ScalingVerdict want;
    std::int16_t wantScaling;
  } cases[] = {
      {"below the range", 1, 300, 10000, 9, ScalingVerdict::kOutOfRange, 9},
      {"above the range", 0, 300, 10000, 542, ScalingVerdict::kOutOfRange, 542},
      {"normal size is not checked further", 0, 600, 10000, 200, ScalingVerdict::kAccepted, 200},
      {"beyond the system area", 1, 600, 10000, 200, ScalingVerdict::kAreaExceeded, 138},
      {"within it, larger than the paper", 1, 600, 10000, 138, ScalingVerdict::kMayNotFit, 138},
      {"exactly 32767 dots is accepted", 1, 300, 27743, 100, ScalingVerdict::kAccepted, 100},
      {"one dot more is not", 1, 300, 27744, 100, ScalingVerdict::kAreaExceeded, 99},
      {"smaller than the paper", 1, 300, 10000, 50, ScalingVerdict::kAccepted, 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Choose(c.printing, 0, kFirstServerForm, kFirstServerForm);
    state_->resolution->currentId = c.resolution;
    state_->formSizes[0] = state_->formSizes[1] = state_->formSizes[2] = state_->formSizes[3] =
        c.page;
    EXPECT_EQ(CheckScaling(state_, c.typed), c.want);
    EXPECT_EQ(state_->scaling.current, c.wantScaling);
  }
  EXPECT_EQ(ScalingRangeMessage(state_), u"Enlarge/Reduce range is from 10 to 541.");
}

TEST_F(PaperPageModelTest, SelectingFallsBackToA4AndFindsRenumberedForms) {
  AddForm(u"Banner 500", 5000, 8000);
  AddForm(u"A0 sheet", 8409, 11890);
  // A3 on cut sheet: neither it nor A4 is offered. The first size offered
  // takes its place, size and all, rather than an A4 the combo cannot show.
  Choose(0, 2, 8, 8);
  PaperComboEntries choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  EXPECT_EQ(SelectPaperChoice(state_, PaperCombo::kPage, choices), 0u);
  EXPECT_EQ(state_->paperSize->currentId, kCutSheet[0]);
  EXPECT_TRUE(IsPageSizeOffered(state_, state_->paperSize->currentId, 0, 2));
  EXPECT_EQ(state_->pageWidth.current, choices.entries[0].width);
  EXPECT_EQ(state_->pageLength.current, choices.entries[0].length);
  // On roll paper A3 is there.
  Choose(0, 0, 8, 8);
  choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  EXPECT_EQ(choices.entries[SelectPaperChoice(state_, PaperCombo::kPage, choices)].number, 8);

  // The user picks the second form.
  const std::size_t second = choices.standardCount + 1;
  SyncPaperChoice(state_, PaperCombo::kPage, choices, second, u"A0 sheet 840.9 x 1189.0 mm");
  EXPECT_EQ(state_->paperSize->currentId, 319);
  EXPECT_EQ(std::u16string(state_->formName), u"A0 sheet");
  EXPECT_EQ(std::u16string(state_->pageSizeDisplayText), u"A0 sheet 840.9 x 1189.0 mm");
  EXPECT_EQ(state_->formSizes[0], 8409u);
  EXPECT_EQ(state_->formSizes[1], 11890u);
  CopyPageSizeToPrinterPaper(state_);
  EXPECT_EQ(state_->paperSize2->currentId, 319);
  EXPECT_EQ(std::u16string(state_->formName2), u"A0 sheet");
  EXPECT_EQ(state_->formSizes[3], 11890u);

  // Deleting the first form renumbers the second: found by its name, it
  // takes its new number.
  spooler_.forms.erase(spooler_.forms.begin());
  choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  EXPECT_EQ(SelectPaperChoice(state_, PaperCombo::kPage, choices), choices.standardCount);
  EXPECT_EQ(state_->paperSize->currentId, 318);
  // A form the server no longer has: A4.
  spooler_.forms.clear();
  choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  EXPECT_EQ(choices.entries[SelectPaperChoice(state_, PaperCombo::kPage, choices)].number, 9);
  EXPECT_EQ(state_->paperSize->currentId, kA4Paper);

  // With every group off only forms are offered: the first one it is.
  AddForm(u"Banner 500", 5000, 8000);
  for (int g = 0; g < kSizeGroupCount; ++g) SizeGroupFlag(state_, g)->current = 0;
  state_->paperSize->currentId = 8;
  choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  ASSERT_EQ(choices.standardCount, 0u);
  EXPECT_EQ(SelectPaperChoice(state_, PaperCombo::kPage, choices), 0u);
  EXPECT_EQ(state_->paperSize->currentId, kFirstServerForm);
  EXPECT_EQ(std::u16string(state_->formName), u"Banner 500");
  EXPECT_EQ(state_->formSizes[0], 5000u);
}

// Name fields hold 63 units: a longer form name is found by what they hold,
// even when the cut falls inside a surrogate pair.
TEST_F(PaperPageModelTest, FormsAreFoundByTheirNameAsAFieldHoldsIt) {
  const std::u16string name = std::u16string(62, u'L') + u"\U0001F4C4 and on";
  const std::u16string held = name.substr(0, 63);
  struct Case {
    std::u16string stored;
    bool names;
  };
  const Case cases[] = {
      {held, true},
      {name, true},
      {held.substr(0, 62), false},
      {u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsStoredFormName(c.stored, name), c.names) << c.stored.size();
  }
  EXPECT_TRUE(IsStoredFormName(u"banner 500", u"Banner 500"));
  EXPECT_FALSE(IsStoredFormName(u"", u""));

  AddForm(u"Banner 500", 5000, 8000);
  AddForm(name.c_str(), 8409, 11890);
  Choose(0, 0, 9, 9);
  const PaperComboEntries choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  SyncPaperChoice(state_, PaperCombo::kPage, choices, choices.standardCount + 1, u"shown");
  EXPECT_EQ(std::u16string(state_->formName), held);
  EXPECT_EQ(SelectPaperChoice(state_, PaperCombo::kPage, choices), choices.standardCount + 1);
  EXPECT_EQ(state_->paperSize->currentId, 319);
}

TEST_F(PaperPageModelTest, ChosenSizesReachTheRecord) {
  // Enlarging A3 onto A2: both sizes travel with their numbers.
  Choose(1, 0, 9, 9);
  PaperComboEntries page = ListPaperChoices(state_, PaperCombo::kPage, {});
  PaperComboEntries paper = ListPaperChoices(state_, PaperCombo::kPrinterPaper, {});
  SyncPaperChoice(state_, PaperCombo::kPage, page, 6, u"A3 (297 x 420 mm)");
  SyncPaperChoice(state_, PaperCombo::kPrinterPaper, paper, 4, u"A2 (420 x 594 mm)");
  SnapshotSheetState(state_);
  ApplySheetState(state_, record_.get());
  EXPECT_EQ(record_->dm.dmPaperSize, 8);
  EXPECT_EQ(record_->dm.dmPaperWidth, 2970);
  EXPECT_EQ(record_->dm.dmPaperLength, 4200);
  EXPECT_EQ(record_->PaperSize2, 66);
  EXPECT_EQ(record_->PageWidth2, 4200);
  EXPECT_EQ(record_->PageLength2, 5940);
  // Normal size: the printer paper becomes the page, size and all.
  CopyPageSizeToPrinterPaper(state_);
  SnapshotSheetState(state_);
  ApplySheetState(state_, record_.get());
  EXPECT_EQ(record_->PaperSize2, 8);
  EXPECT_EQ(record_->PageWidth2, 2970);
}

TEST_F(PaperPageModelTest, AChosenFormReachesTheRecord) {
  AddForm(u"Banner 500", 5000, 8000);
  Choose(0, 0, 9, 9);
  const PaperComboEntries choices = ListPaperChoices(state_, PaperCombo::kPage, Forms());
  SyncPaperChoice(state_, PaperCombo::kPage, choices, choices.standardCount, u"Banner 500");
  CopyPageSizeToPrinterPaper(state_);
  SnapshotSheetState(state_);
  ApplySheetState(state_, record_.get());
  EXPECT_EQ(record_->dm.dmPaperSize, 318);
  EXPECT_EQ(record_->dm.dmPaperWidth, 5000);
  EXPECT_EQ(record_->dm.dmPaperLength, 8000);
  EXPECT_EQ(record_->PageWidth2, 5000);
  EXPECT_EQ(std::u16string(record_->FormName), u"Banner 500");
  FinalizeSettings(ddf(), record_.get(), printer());
  EXPECT_EQ(record_->dm.dmPaperSize, 318);
  EXPECT_EQ(record_->dm.dmPaperLength, 8000);
}

TEST_F(PaperPageModelTest, OffsetsMarginsGroupsAndDefaults) {
  state_->vertOffset.current = -5;
  state_->horzOffset.current = 50;
  state_->vertOffsetI.current = 20;
  state_->horzOffsetI.current = -3;
  OffsetTexts offsets = DescribeOffsets(state_);
  EXPECT_EQ(offsets.vertical, u"-0.5");
  EXPECT_EQ(offsets.horizontal, u"5.0");
  EXPECT_EQ(std::u16string(offsets.unit), u"mm");
  state_->offsetUnit->currentId = 1;
  offsets = DescribeOffsets(state_);
  EXPECT_EQ(offsets.vertical, u"0.20");
  EXPECT_EQ(offsets.horizontal, u"-0.03");
  EXPECT_EQ(std::u16string(offsets.unit), u"in");

  const struct {
    const char* what;
    std::uint16_t printing;
    std::uint16_t paper;
    bool noMargin;
    MarginsDisplay want;
  } margins[] = {
      {"A0 on roll", 1, 258, false, {false, u"15.0", u"3.0", u"3.0", u"1171.0", u"835.0"}},
      {"without margins", 1, 258, true, {false, u"0.0", u"0.0", u"0.0", u"1189.0", u"841.0"}},
      {"ANSI E in inches", 1, 26, false, {true, u"0.59", u"0.12", u"0.12", u"43.29", u"33.76"}},
      {"banner drops top and bottom", 2, 26, false,
       {true, u"0.00", u"0.00", u"0.12", u"44.00", u"33.76"}},
  };
  for (const auto& c : margins) {
    SCOPED_TRACE(c.what);
    Choose(c.printing, 0, 9, c.paper);
    state_->noMargin.current = c.noMargin ? 1 : 0;
    const MarginsDisplay shown = DescribeMargins(state_);
    EXPECT_EQ(shown.inches, c.want.inches);
    EXPECT_EQ(shown.top, c.want.top);
    EXPECT_EQ(shown.bottom, c.want.bottom);
    EXPECT_EQ(shown.side, c.want.side);
    EXPECT_EQ(shown.height, c.want.height);
    EXPECT_EQ(shown.width, c.want.width);
  }

  const std::uint16_t none[kSizeGroupCount] = {};
  StoreSizeGroups(state_, none);
  EXPECT_EQ(state_->isoA.current, 1);
  const std::uint16_t some[kSizeGroupCount] = {0, 0, 1, 0, 0, 1, 0};
  StoreSizeGroups(state_, some);
  EXPECT_EQ(state_->isoA.current, 0);
  EXPECT_EQ(state_->euroDin.current, 1);

  Choose(2, 2, 8, 258);
  state_->scaling.current = 300;
  state_->noMargin.current = 1;
  state_->paperSave.current = 1;
  const std::uint16_t savedPrinting = state_->printing->savedId;
  ResetPaperPageToDefaults(state_);
  EXPECT_EQ(state_->printing->currentId, 0);
  EXPECT_EQ(state_->printing->savedId, savedPrinting);  // Cancel still undoes it
  EXPECT_EQ(state_->paperFeed->currentId, 0);
  EXPECT_EQ(state_->paperSize->currentId, 9);
  EXPECT_EQ(state_->paperSize2->currentId, 9);
  EXPECT_EQ(state_->scaling.current, 100);
  EXPECT_EQ(state_->noMargin.current, 0);
  EXPECT_EQ(state_->paperSave.current, 0);
  EXPECT_EQ(state_->isoA.current, 1);
  EXPECT_EQ(state_->jis.current, 0);
  EXPECT_EQ(state_->offsetUnit->currentId, 0);
}

}  // namespace
}  // namespace tqr
