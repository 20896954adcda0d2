// The Main page's rules on a sheet built from the shipped description: the
// print mode list and its file, choosing modes, OK and Cancel, the summary
// and the pictures.
#include "ui/main_page_model.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "presets_fixture.h"
#include "support/settings_fixture.h"
#include "ui/dlgutil.h"
#include "sheet/print_mode_settings.h"

namespace tqr {
namespace {

using test::Bytes;
using test::MakeRecord;
using test::UserFile;

const std::string kUserFile = "C:\\Windows\\system32\\Tqr54usr.cfg";

class MainPageModelTest : public test::SettingsTest {
 protected:
  MainPageModelTest() : modes_(std::make_unique<UserPrintModes>()) {
    record_ = Defaults();
    EXPECT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
  }
  ~MainPageModelTest() override { FreeSheetState(&state_); }

  // A file listing two user presets, the newest first: modes 6, 0, 1, 5, 2,
  // 3, 4, and an eighth entry (mode 7) whose record the file lacks, which
  // the list leaves out.
  void LoadTwoPresets() {
    files_.PutBytes(kUserFile, UserFile(8, {6, 0, 1, 5, 2, 3, 4, 7}, {alpha_, beta_}));
    ASSERT_TRUE(LoadPrintModeList(modes_.get()));
  }

  SheetState* state_ = nullptr;
  std::unique_ptr<DRVDEVMODE> record_;
  std::unique_ptr<UserPrintModes> modes_;
  const PrintModeRecord alpha_ = MakeRecord(u"Alpha", 1);
  const PrintModeRecord beta_ = MakeRecord(u"Beta", 2);
};

TEST_F(MainPageModelTest, ListComesFromTheUserFileOrTheDefaultFile) {
  const Bytes defaultFile = UserFile(5, {0, 1, 2, 3, 4}, {});
  struct Case {
    const char* what;
    std::optional<Bytes> before;  // none: no file
    bool failOpen;
    bool systemDirectory;
    bool listed;
    std::uint16_t count;
    std::optional<Bytes> after;  // none: no file
  };
  const Bytes foreign(300, 0x41);
  const Bytes presets = UserFile(6, {5, 0, 1, 2, 3, 4}, {alpha_});
  Bytes lowerCase = presets;
  lowerCase[0] = 't';
  Bytes countDamaged = presets;
  countDamaged[16] = 4;
  const Case cases[] = {
      {"fresh machine", std::nullopt, false, true, true, 5, defaultFile},
      {"another signature", foreign, false, true, true, 5, defaultFile},
      {"signature in lower case", lowerCase, false, true, true, 6, lowerCase},
      // A count below 5 over exactly whole records is one damaged field: the
      // presets are listed from the file's length, and the file stays.
      {"count damaged", countDamaged, false, true, true, 6, countDamaged},
      {"header cut short", Bytes(defaultFile.begin(), defaultFile.begin() + 100), false, true,
       true, 5, defaultFile},
      {"user presets", presets, false, true, true, 6, presets},
      // A file that is there but cannot be read is never replaced.
      {"file in use", presets, true, true, false, 0, presets},
      {"no system directory", std::nullopt, false, false, false, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files_.Delete(kUserFile);
    files_.failOpen.clear();
    if (c.before) files_.PutBytes(kUserFile, *c.before);
    if (c.failOpen) files_.failOpen.insert(kUserFile);
    machine_.systemDirectory = c.systemDirectory ? "C:\\Windows\\system32" : "";

    files_.Delete(kUserFile + ".bak");
    files_.PutBytes(kUserFile + ".bak", Bytes{1, 2, 3});  // kept from an earlier time

    EXPECT_EQ(LoadPrintModeList(modes_.get()), c.listed);
    EXPECT_EQ(modes_->count, c.count);
    if (c.count == 5) {
      for (std::uint16_t p = 0; p < 5; ++p) EXPECT_EQ(modes_->order[p], p);
    }
    ASSERT_EQ(files_.Exists(kUserFile), c.after.has_value());
    if (c.after) {
      EXPECT_EQ(files_.At(kUserFile).bytes, *c.after);
    }
    // A file replaced by the default one is kept aside, over the older copy.
    const bool replaced = c.before && c.after && *c.before != *c.after;
    EXPECT_EQ(files_.At(kUserFile + ".bak").bytes, replaced ? *c.before : Bytes({1, 2, 3}));
  }
  // When the file cannot be kept aside it is not replaced either.
  files_.PutBytes(kUserFile, countDamaged);
  files_.failCopy.insert(kUserFile);
  EXPECT_FALSE(LoadPrintModeList(modes_.get()));
  EXPECT_EQ(files_.At(kUserFile).bytes, countDamaged);
}

// An order that does not name each mode of the file once is repaired: the
// list shows every mode with a record once, in the file's order as far as
// that goes, and nothing else.
TEST_F(MainPageModelTest, ADamagedOrderListsEveryModeWithARecordOnce) {
  files_.PutBytes(kUserFile, UserFile(9, {65535, 400, 105, 6, 0, 1, 6, 3, 4}, {alpha_, beta_}));
  ASSERT_TRUE(LoadPrintModeList(modes_.get()));
  ASSERT_EQ(modes_->count, 7);
  const std::uint16_t expected[] = {6, 0, 1, 3, 4, 2, 5};
  for (std::uint16_t p = 0; p < 7; ++p) EXPECT_EQ(modes_->order[p], expected[p]) << p;
  for (std::uint16_t p = 0; p < 7; ++p) {
    ChoosePrintModeAt(state_, modes_.get(), p);
    EXPECT_EQ(state_->printMode->currentId, expected[p]);
    EXPECT_NE(GetPrintModeRecord(state_, modes_.get(), state_->printMode->currentId), nullptr);
  }
  PrintModeOrder order;
  ASSERT_TRUE(ReadPrintModeOrder(&order));
  ASSERT_EQ(order.count, 7);
  EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), order.order));
  EXPECT_FALSE(IsModeListed(order, 400));
}

TEST_F(MainPageModelTest, RecordsByModeNumberAndListPosition) {
  LoadTwoPresets();
  for (std::uint16_t mode = 0; mode < 5; ++mode) {
    EXPECT_EQ(GetPrintModeRecord(state_, modes_.get(), mode), &state_->builtInModes[mode]);
  }
  EXPECT_TRUE(test::SameRecord(*GetPrintModeRecord(state_, modes_.get(), 5), alpha_));
  EXPECT_TRUE(test::SameRecord(*GetPrintModeRecord(state_, modes_.get(), 6), beta_));
  for (std::uint16_t mode : {7, 104, 105, 0xFFFF}) {
    EXPECT_EQ(GetPrintModeRecord(state_, modes_.get(), mode), nullptr) << mode;
  }

  EXPECT_EQ(ModeAtListPosition(modes_.get(), 0), 6);
  EXPECT_EQ(ModeAtListPosition(modes_.get(), 6), 4);
  EXPECT_EQ(ModeAtListPosition(modes_.get(), 7), kNoPrintMode);
  EXPECT_EQ(ListPositionOfMode(modes_.get(), 0), 1);
  EXPECT_EQ(ListPositionOfMode(modes_.get(), 9), kNoPrintMode);

  FillBuiltInModeDescriptions(state_);
  EXPECT_EQ(std::u16string(state_->builtInModes[3].Description),
            u"Selects optimum settings for printing POP ads.");
  EXPECT_EQ(std::u16string(state_->builtInModes[0].Title), u"Standard");
}

// The Features page's Defaults chooses the default print mode away from the
// list: its place in the list comes from the file's order, while the option
// list keeps counting its own options.
TEST_F(MainPageModelTest, FeaturesDefaultsPlaceTheDefaultModeInTheList) {
  LoadTwoPresets();
  ChoosePrintModeAt(state_, modes_.get(), 0);  // Beta, a user preset
  state_->printMode->defaultId = 2;
  ResetSheetToDefaults(state_);
  EXPECT_EQ(state_->printMode->currentId, 2);
  EXPECT_EQ(state_->printModeListPosition, 4);
  EXPECT_EQ(ModeAtListPosition(modes_.get(), state_->printModeListPosition), 2);
  EXPECT_EQ(state_->printMode->currentPosition, 2);
}

TEST_F(MainPageModelTest, ChoosingAModeAppliesItAndClearsTheModifiedBit) {
  LoadTwoPresets();
  state_->firstPageOnly.current = 1;
  state_->mainPageFlags = kMainPageDeleted | 1;
  StartMainPage(state_);
  EXPECT_EQ(state_->mainPageFlags, kMainPageModified | 1);

  ChoosePrintModeAt(state_, modes_.get(), 0);
  EXPECT_TRUE(MatchesPrintModeRecord(state_, beta_));
  EXPECT_EQ(state_->printMode->currentId, 6);
  EXPECT_EQ(state_->printModeListPosition, 0);
  EXPECT_FALSE(IsMainPageModified(state_));

  // A changed media type no longer matches; choosing the same mode again
  // clears the bit again.
  state_->mediaType->currentId = 11;
  NoteModeMismatch(state_, modes_.get());
  EXPECT_TRUE(IsMainPageModified(state_));
  ChoosePrintModeAt(state_, modes_.get(), 0);
  EXPECT_FALSE(IsMainPageModified(state_));
  EXPECT_EQ(state_->mediaType->currentId, beta_.PMMediaType);

  // A position without a record selects nothing and applies nothing, even
  // when the page's list was filled by hand with a mode the file lacks.
  state_->mediaType->currentId = 11;
  SetMainPageModified(state_, true);
  modes_->order[7] = 7;
  modes_->count = 8;
  for (std::uint16_t position : {7, 8, 0xFFFF}) {
    ChoosePrintModeAt(state_, modes_.get(), position);
    EXPECT_EQ(state_->printMode->currentId, 6) << position;
    EXPECT_EQ(state_->printModeListPosition, 0) << position;
    EXPECT_EQ(state_->mediaType->currentId, 11) << position;
    EXPECT_TRUE(IsMainPageModified(state_)) << position;
  }
  ChoosePrintModeAt(state_, modes_.get(), 0);

  // Defaults: the default mode at its list position, with its settings.
  state_->printMode->defaultId = 2;
  SetMainPageModified(state_, true);
  ChooseDefaultPrintMode(state_, modes_.get());
  EXPECT_EQ(state_->printMode->currentId, 2);
  EXPECT_EQ(state_->printModeListPosition, 4);
  EXPECT_TRUE(MatchesPrintModeRecord(state_, state_->builtInModes[2]));
  EXPECT_FALSE(IsMainPageModified(state_));

  // The mirror box still shows the value before the click.
  ToggleMirror(state_, false);
  EXPECT_EQ(state_->mirror.current, 1);
  ToggleMirror(state_, true);
  EXPECT_EQ(state_->mirror.current, 0);
}

TEST_F(MainPageModelTest, OkStoresTheFlagsAndSnapshots) {
  for (bool modified : {true, false}) {
    SCOPED_TRACE(modified);
    state_->printMode->currentId = 3;
    state_->overlayPrompt.current = 0;
    state_->appliedMarker = 0;
    SetMainPageModified(state_, modified);
    ConfirmMainPage(state_);
    EXPECT_EQ(state_->firstPageOnly.current, modified ? 1 : 0);
    EXPECT_EQ(state_->firstPageOnly.saved, modified ? 1 : 0);
    EXPECT_EQ(state_->overlayPrompt.current, 1);
    EXPECT_EQ(state_->printMode->savedId, 3);
    EXPECT_EQ(state_->appliedMarker, 1u);
  }
}

TEST_F(MainPageModelTest, CancelRestoresOnlyAfterADeletedMode) {
  ApplyPrintModeRecord(state_, state_->builtInModes[1]);
  SnapshotSheetState(state_);
  state_->modeSnapshot = alpha_;

  // Nothing was deleted: the sheet simply drops its changes.
  state_->mediaType->currentId = 11;
  EXPECT_FALSE(CancelMainPage(state_));
  EXPECT_EQ(state_->mediaType->currentId, 11);
  EXPECT_EQ(state_->appliedMarker, 0u);

  struct Case {
    std::int16_t confirmed;
    const PrintModeRecord* expected;
  };
  const Case cases[] = {{0, &state_->builtInModes[1]}, {1, &alpha_}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.confirmed);
    state_->overlayPrompt.saved = c.confirmed;
    state_->mediaType->currentId = 11;
    state_->mainPageFlags = kMainPageDeleted | kMainPageModified;
    EXPECT_TRUE(CancelMainPage(state_));
    EXPECT_TRUE(MatchesPrintModeRecord(state_, *c.expected));
    EXPECT_EQ(state_->mediaType->savedId, c.expected->PMMediaType);
    EXPECT_EQ(state_->firstPageOnly.saved, 1);
    EXPECT_EQ(state_->overlayPrompt.saved, c.confirmed);
    EXPECT_EQ(state_->appliedMarker, 1u);
  }
}

TEST_F(MainPageModelTest, SummaryTexts) {
  state_->scaling.current = 250;
  state_->printing->currentId = 1;
  state_->matching->currentId = 4;
  MainPageSummary summary = DescribeMainPage(state_);
  EXPECT_EQ(summary.scaling, u"250");
  EXPECT_EQ(summary.printing, u"Enlarge/Reduce Printing");
  EXPECT_EQ(summary.matching, u"No Color Adjustment");
  state_->printing->currentId = 9;
  EXPECT_EQ(DescribeMainPage(state_).printing, u"");

  const std::pair<std::int16_t, std::optional<std::u16string>> qualities[] = {
      {0, u"Fast"}, {1, u"Normal"}, {2, u"Fine"}, {3, std::nullopt}, {-1, std::nullopt}};
  for (const auto& [value, text] : qualities) {
    state_->printQuality.current = value;
    EXPECT_EQ(DescribeMainPage(state_).quality, text) << value;
  }

  ASSERT_NE(state_->gamma->defaultId, 15);
  struct Colour {
    std::uint16_t cmykOrRgb;
    NumericSetting SheetState::*level;  // set to 5, or null
    std::uint16_t gamma;                // 0: the default
    std::int16_t intensity;
    const char16_t* text;
  };
  const Colour colours[] = {
      {1, nullptr, 0, 0, u"Off"},
      {1, &SheetState::black, 0, 0, u"CMYK(On)"},
      {1, &SheetState::red, 0, 0, u"Off"},
      {1, nullptr, 15, 0, u"CMYK(On)"},
      {2, nullptr, 0, 0, u"Off"},
      {2, &SheetState::blue, 0, 0, u"RGB(On)"},
      {2, &SheetState::cyan, 0, 0, u"Off"},
      {2, nullptr, 0, -3, u"RGB(On)"},
      {0, &SheetState::green, 0, 0, u"RGB(On)"},
  };
  for (const Colour& c : colours) {
    for (auto level : {&SheetState::cyan, &SheetState::magenta, &SheetState::yellow,
                       &SheetState::black, &SheetState::red, &SheetState::green,
                       &SheetState::blue}) {
      (state_->*level).current = 0;
    }
    if (c.level != nullptr) (state_->*c.level).current = 5;
    state_->cmykOrRgb->currentId = c.cmykOrRgb;
    state_->gamma->currentId = c.gamma != 0 ? c.gamma : state_->gamma->defaultId;
    state_->intensity.current = c.intensity;
    EXPECT_EQ(DescribeMainPage(state_).colorAdjustment, c.text)
        << c.cmykOrRgb << " gamma " << c.gamma << " intensity " << c.intensity;
  }
}

TEST_F(MainPageModelTest, PaperLabelsAndPictures) {
  std::u16string_view a4 = u"A4 (210 x 297 mm)";
  state_->paperSize->currentId = 9;
  state_->paperSize2->currentId = 9;
  PaperLabel label = DescribePaperLabel(state_, PaperRole::kOutput);
  EXPECT_EQ(std::u16string_view(label.name), a4);
  EXPECT_EQ(label.width, 2100);
  EXPECT_EQ(label.length, 2970);

  std::u16string(u"Poster wide").copy(state_->formName, kFormNameLength - 1);
  std::u16string(u"Roll tall").copy(state_->formName2, kFormNameLength - 1);
  const std::uint32_t forms[4] = {6000, 4000, 6100, 9000};
  std::copy(std::begin(forms), std::end(forms), state_->formSizes);
  state_->paperSize->currentId = 318;
  label = DescribePaperLabel(state_, PaperRole::kPage);
  EXPECT_EQ(std::u16string_view(label.name), u"Poster wide");
  EXPECT_EQ(label.width, 6000);
  EXPECT_EQ(label.length, 4000);
  state_->paperSize2->currentId = 319;
  label = DescribePaperLabel(state_, PaperRole::kOutput);
  EXPECT_EQ(std::u16string_view(label.name), u"Roll tall");
  EXPECT_EQ(label.length, 9000);
  state_->paperSize2->currentId = 200;  // no such paper
  EXPECT_EQ(DescribePaperLabel(state_, PaperRole::kOutput).name, nullptr);

  struct Picture {
    std::uint16_t paper;  // page and output alike
    std::uint16_t orientation;
    int page;
    int output;
  };
  const Picture pictures[] = {
      {9, 1, 101, 104},      // A4: width <= length
      {9, 2, 103, 105},
      {318, 1, 9056, 9058},  // the page form is wide, the output form too
      {318, 2, 9055, 9057},
  };
  state_->formSizes[2] = 9000;
  state_->formSizes[3] = 6100;
  for (const Picture& p : pictures) {
    state_->paperSize->currentId = p.paper;
    state_->paperSize2->currentId = p.paper;
    state_->orientation->currentId = p.orientation;
    EXPECT_EQ(MainPictureBitmap(state_, MainPicture::kPage), p.page);
    EXPECT_EQ(MainPictureBitmap(state_, MainPicture::kOutput), p.output);
    EXPECT_EQ(MainPictureBitmap(state_, MainPicture::kArrow), 9046);
  }
}

TEST_F(MainPageModelTest, LargePictureAndColours) {
  LoadTwoPresets();
  state_->printModeListPosition = 0;  // Beta
  LargePicture picture = DescribeLargePicture(state_, modes_.get());
  EXPECT_TRUE(picture.shown);
  EXPECT_EQ(picture.iconId, 4700 + beta_.IconIndex);
  EXPECT_EQ(picture.text, u"Beta");

  SetMainPageModified(state_, true);
  picture = DescribeLargePicture(state_, modes_.get());
  EXPECT_TRUE(picture.shown);
  EXPECT_EQ(picture.iconId, 0);
  EXPECT_EQ(picture.text, u"Custom");

  for (std::uint16_t position : {7, 8}) {  // past the list
    state_->printModeListPosition = position;
    EXPECT_FALSE(DescribeLargePicture(state_, modes_.get()).shown) << position;
  }

  PrintModeRecord record = alpha_;
  record.IconIndex = 46;
  EXPECT_EQ(PrintModeIconId(record), 4746);
  record.IconIndex = 47;
  EXPECT_EQ(PrintModeIconId(record), 0);

  // Each channel halved before adding: 1 and 1 give 0, not 1.
  EXPECT_EQ(MixedHighlightColor(0x00D77800, 0x00FFFFFF), 0x00EABB7Fu);
  EXPECT_EQ(MixedHighlightColor(0x00010101, 0x00010101), 0u);
}

}  // namespace
}  // namespace tqr
