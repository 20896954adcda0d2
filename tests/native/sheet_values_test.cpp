// Snapshot, restore and defaults of the sheet's values, on a hand-built
// sheet state in which every entry is present.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "ui/dlgutil.h"

namespace tqr {
namespace {

// The entries by what the Features page's Defaults button does with them.
struct Entries {
  std::vector<OptionList* SheetState::*> optionLists;
  std::vector<ValueList* SheetState::*> valueLists;
  std::vector<NumericSetting SheetState::*> numerics;
  std::vector<ValueSetting SheetState::*> values;
  std::vector<PlainSetting SheetState::*> plains;
};

using S = SheetState;

// Layout entries the pages do not offer, printer-side entries and every
// entry of the Paper page.
const Entries kKeptByDefaults = {
    {&S::pageLayout, &S::adjustPage, &S::borderForm, &S::posterLayout, &S::wtmView,
     &S::errReport, &S::paperSize, &S::printing, &S::paperSize2, &S::paperFeed, &S::cutter,
     &S::unit, &S::unit2, &S::offsetUnit, &S::dryness, &S::autoLayout, &S::nestingTimer,
     &S::lineOverlap, &S::lineShade, &S::eopTimer, &S::automatic, &S::feed, &S::paperSetting,
     &S::paperName, &S::margin, &S::marginInch},
    {},
    {&S::posterOverlap, &S::scaling, &S::paperWidth, &S::paperLength, &S::paperWidth2,
     &S::paperLength2, &S::vertOffset, &S::horzOffset, &S::horzOffsetI, &S::pageWidth,
     &S::pageLength, &S::pageWidth2, &S::pageLength2, &S::paperWidth2Range,
     &S::paperWidthI2Range, &S::paperLength2Range, &S::paperWidthI, &S::paperLengthI,
     &S::paperWidthI2, &S::paperLengthI2, &S::paperLengthI2Range, &S::vertOffsetI},
    {&S::traySetting, &S::noMargin, &S::upperMargin, &S::isoA, &S::isoB, &S::jis, &S::ansi,
     &S::arch, &S::euroDin, &S::special, &S::custom, &S::paperSave},
    {},
};

const Entries kResetByDefaults = {
    {&S::mediaSize, &S::pageBorder, &S::layout, &S::printOrder, &S::bindingPos,
     &S::printQualityLevel, &S::printMode, &S::mediaType, &S::cartridge, &S::matching, &S::gamma,
     &S::resolution},
    {&S::duplex, &S::bindingUnit, &S::color, &S::orientation, &S::printToFile, &S::overlay,
     &S::halftoning, &S::cmykOrRgb, &S::headManagement},
    {&S::repeat, &S::bindWidth, &S::bindWidthInch, &S::copies, &S::printQuality, &S::cyan,
     &S::magenta, &S::yellow, &S::black, &S::red, &S::green, &S::blue, &S::intensity,
     &S::dryInkScan, &S::dryInkPage},
    {&S::firstPageOnly, &S::internalFont, &S::printAsRaster, &S::scalePatterns,
     &S::allTextToBlack, &S::rotate, &S::overlayPrompt, &S::duplexUnit, &S::mirror,
     &S::grayScale},
    {&S::waterMark, &S::overlayState, &S::modeSelect},
};

// Uniform access to the three copies of any entry kind.
struct Copies {
  int current;
  int saved;
  int defaultValue;
};

template <typename List>
Copies ListCopies(const List* list) {
  return {list->currentId, list->savedId, list->defaultId};
}
template <typename Setting>
Copies SettingCopies(const Setting& setting) {
  return {setting.current, setting.saved, setting.defaultValue};
}

template <typename Fn>
void ForEachEntry(SheetState* state, const Entries& entries, Fn fn) {
  for (auto member : entries.optionLists) fn(ListCopies(state->*member), state->*member);
  for (auto member : entries.valueLists) fn(ListCopies(state->*member), state->*member);
  for (auto member : entries.numerics) fn(SettingCopies(state->*member), nullptr);
  for (auto member : entries.values) fn(SettingCopies(state->*member), nullptr);
  for (auto member : entries.plains) fn(SettingCopies(state->*member), nullptr);
}

template <typename Fn>
void ForEachEntry(SheetState* state, Fn fn) {
  ForEachEntry(state, kKeptByDefaults, fn);
  ForEachEntry(state, kResetByDefaults, fn);
}

constexpr std::uint16_t kCurrent = 1;
constexpr std::uint16_t kDefault = 2;
constexpr std::uint16_t kSaved = 3;

// A zeroed state with every list in the block after it. Each list offers
// ids 1, 2, 3 at positions 0, 1, 2; every entry holds current 1, default 2
// and saved 3.
class SheetValuesTest : public ::testing::Test {
 protected:
  SheetValuesTest() : ports_(Ports{&files_, nullptr, &machine_}) {
    storage_.resize((sizeof(SheetState) + 64 * OptionListSize(3)) / 8 + 1);
    next_ = reinterpret_cast<std::uint8_t*>(storage_.data()) + sizeof(SheetState);
    state_ = new (storage_.data()) SheetState();
    for (const Entries* entries : {&kKeptByDefaults, &kResetByDefaults}) {
      for (auto member : entries->optionLists) state_->*member = AddList<OptionList>();
      for (auto member : entries->valueLists) state_->*member = AddList<ValueList>();
      for (auto member : entries->numerics) Fill(&(state_->*member));
      for (auto member : entries->values) Fill(&(state_->*member));
      for (auto member : entries->plains) Fill(&(state_->*member));
    }
    SetPath(state_->descriptionIniPath, u"C:\\drv\\TQR54GFX.ini");
    SetPath(state_->baseIniPath, u"C:\\drv\\tqr54bas.ini");
    SetPath(state_->workIniPath, u"C:\\drv\\tqr54wrk.ini");
    files_.Put("C:\\drv\\TQR54GFX.ini", "description");
    files_.Put("C:\\drv\\tqr54bas.ini", "base");
    files_.Put("C:\\drv\\tqr54wrk.ini", "work");
  }

  template <typename List>
  List* AddList() {
    auto* list = new (next_) List();
    list->currentId = kCurrent;
    list->savedId = kSaved;
    list->defaultId = kDefault;
    list->built = 1;
    list->count = 3;
    for (std::uint16_t i = 0; i < 3; ++i) {
      list->Entries()[i].optionId = static_cast<std::uint16_t>(i + 1);
      list->Entries()[i].flags = 1;
      if constexpr (std::is_same_v<List, OptionList>) list->Entries()[i].comboPosition = i;
    }
    next_ += std::is_same_v<List, OptionList> ? OptionListSize(3) : ValueListSize(3);
    return list;
  }

  template <typename Setting>
  static void Fill(Setting* setting) {
    setting->current = kCurrent;
    setting->saved = kSaved;
    setting->defaultValue = kDefault;
  }

  static void SetPath(char16_t* path, const std::u16string& text) {
    std::memcpy(path, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  }

  std::string FileText(const std::string& path) {
    const auto& bytes = files_.At(path).bytes;
    return std::string(bytes.begin(), bytes.end());
  }

  fake::FakeFileSystem files_;
  fake::FakeMachine machine_;
  ScopedPorts ports_;
  std::vector<std::uint64_t> storage_;
  std::uint8_t* next_ = nullptr;
  SheetState* state_ = nullptr;
};

TEST_F(SheetValuesTest, SnapshotSavesEveryEntryAndClampsCopiesAndDryingTimes) {
  state_->copies = {1500, 1, 1, 1, 1, 999};
  state_->dryInkScan = {-5, 0, 0, 1, 0, 99};
  state_->dryInkPage = {50, 0, 0, 1, 0, 99};
  std::memcpy(state_->formName, u"Poster", sizeof u"Poster");
  state_->formSizes[3] = 5940;

  SnapshotSheetState(state_);

  EXPECT_EQ(state_->copies.current, 999);
  EXPECT_EQ(state_->copies.saved, 999);
  EXPECT_EQ(state_->dryInkScan.saved, 0);
  EXPECT_EQ(state_->dryInkPage.saved, 50);
  int entries = 0;
  ForEachEntry(state_, [&](Copies copies, auto) {
    ++entries;
    EXPECT_EQ(copies.saved, copies.current) << "entry " << entries;
  });
  EXPECT_EQ(entries, 109);
  EXPECT_EQ(std::u16string(state_->savedFormName), u"Poster");
  EXPECT_EQ(state_->savedFormSizes[3], 5940u);
  EXPECT_EQ(FileText("C:\\drv\\TQR54GFX.ini"), "base");
  EXPECT_EQ(files_.copies, 1);
}

TEST_F(SheetValuesTest, RestoreBringsBackEverySavedValueWithItsPosition) {
  // A visible-only combo: id 1 hidden, so id 3 shows at position 1.
  OptionEntry* mode = state_->printMode->Entries();
  mode[0].comboPosition = kNoComboPosition;
  mode[1].comboPosition = 0;
  mode[2].comboPosition = 1;
  std::memcpy(state_->savedFormName2, u"Banner", sizeof u"Banner");
  state_->savedFormSizes[0] = 4200;

  RestoreSheetState(state_);

  ForEachEntry(state_, [&](Copies copies, auto list) {
    EXPECT_EQ(copies.current, kSaved);
    if constexpr (!std::is_same_v<decltype(list), std::nullptr_t>) {
      const bool hiddenFirst = static_cast<const void*>(list) == state_->printMode;
      EXPECT_EQ(list->currentPosition, hiddenFirst ? 1 : 2);
    }
  });
  EXPECT_EQ(std::u16string(state_->formName2), u"Banner");
  EXPECT_EQ(state_->formSizes[0], 4200u);
  EXPECT_EQ(FileText("C:\\drv\\TQR54GFX.ini"), "base");
}

TEST_F(SheetValuesTest, DefaultsResetAllButThePaperLayoutAndPrinterEntries) {
  ResetSheetToDefaults(state_);

  ForEachEntry(state_, kKeptByDefaults, [](Copies copies, auto) {
    EXPECT_EQ(copies.current, kCurrent);
  });
  ForEachEntry(state_, kResetByDefaults, [](Copies copies, auto list) {
    EXPECT_EQ(copies.current, kDefault);
    EXPECT_EQ(copies.saved, kSaved);
    if constexpr (!std::is_same_v<decltype(list), std::nullptr_t>) {
      EXPECT_EQ(list->currentPosition, 1);
    }
  });
  EXPECT_EQ(FileText("C:\\drv\\tqr54bas.ini"), "description");
  EXPECT_EQ(FileText("C:\\drv\\tqr54wrk.ini"), "description");
  EXPECT_EQ(FileText("C:\\drv\\TQR54GFX.ini"), "description");
}

TEST(SheetValuesNullTest, NoStateTouchesNoFile) {
  fake::FakeFileSystem files;
  fake::FakeMachine machine;
  ScopedPorts ports(Ports{&files, nullptr, &machine});
  SnapshotSheetState(nullptr);
  RestoreSheetState(nullptr);
  ResetSheetToDefaults(nullptr);
  EXPECT_EQ(files.copies, 0);
}

}  // namespace
}  // namespace tqr
