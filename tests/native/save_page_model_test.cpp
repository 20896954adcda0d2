// The Save page's rules: what the title edit lets through and keeps, which
// buttons each state allows, and what overwriting, deleting and applying
// do to the print modes the sheet remembers.
#include <memory>
#include <string>
#include <vector>

#include "presets/print_mode_file.h"
#include "presets_fixture.h"
#include "support/settings_fixture.h"
#include "ui/main_page_model.h"
#include "ui/save_page_model.h"

namespace tqr {
namespace {

using test::MakeRecord;

// 'W' and the ideographic characters stand for double-byte characters.
int TestWidth(char16_t character) {
  return character == u'W' || character >= u'\u3000' ? 2 : 1;
}

TEST(SaveTitleTest, KeyFilterCountsAnsiBytes) {
  const struct Case {
    std::u16string title;
    bool selected;
    char16_t key;
    KeyVerdict verdict;
  } kCases[] = {
      {u"", false, u' ', KeyVerdict::Refuse},
      {u"ab", true, u' ', KeyVerdict::Refuse},  // a space even over a selection
      {u"abcdefg", false, u'h', KeyVerdict::Pass},
      {u"abcdefgh", false, u'i', KeyVerdict::Refuse},
      {u"abcdefgh", true, u'i', KeyVerdict::Pass},  // replaces the selection
      {u"abcdefgh", false, u'\b', KeyVerdict::Pass},
      {u"abcdef", false, u'W', KeyVerdict::Pass},
      {u"abcdefg", false, u'W', KeyVerdict::Refuse},
      {u"WWW", false, u'W', KeyVerdict::Pass},   // 6 bytes
      {u"WWWa", false, u'b', KeyVerdict::Pass},    // 7 bytes held, 1 more fits
      {u"WWWa", false, u'W', KeyVerdict::Refuse},  // 2 more would not
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(DecideTitleKey(c.title, c.selected, c.key, TestWidth), c.verdict)
        << "case " << &c - kCases;
  }
}

TEST(SaveTitleTest, CleanUpDropsSpacesAndCutsAtEightBytes) {
  const struct Case {
    std::u16string pasted;
    std::u16string kept;
  } kCases[] = {
      {u"ab cdefgh", u"abcdefgh"},
      {u"abcdefghijkl", u"abcdefgh"},
      {u"a\u3000b c", u"abc"},
      {u"abcdefgW", u"abcdefgW"},  // starts at byte 7: stays, 9 bytes
      {u"abcdefghW", u"abcdefgh"},
      {u"WWWWx", u"WWWW"},
      {u"   ", u""},
  };
  for (const Case& c : kCases) EXPECT_EQ(CleanTitle(c.pasted, TestWidth), c.kept);
}

class SaveButtonsTest : public ::testing::Test {
 protected:
  SaveButtonsTest() {
    for (int m = 0; m < kBuiltInPrintModes; ++m) {
      builtIn_[m] = MakeRecord(u"B" + std::u16string(1, static_cast<char16_t>(u'0' + m)));
    }
    store_.builtIn = builtIn_;
    // B0 B1 U5 B2 B3 B4 U6
    const std::uint16_t order[] = {0, 1, 5, 2, 3, 4, 6};
    store_.count = 7;
    std::copy(std::begin(order), std::end(order), store_.order);
    store_.user = {MakeRecord(u"U5"), MakeRecord(u"U6")};
  }
  PrintModeRecord builtIn_[kBuiltInPrintModes];
  PrintModeStore store_;
};

TEST_F(SaveButtonsTest, ButtonsFollowSelectionTitleAndIcon) {
  const std::uint16_t none = kPositionNotFound;
  const struct Case {
    const char* name;
    std::uint16_t selection;
    std::u16string title;
    bool icon;
    SaveButtons buttons;  // save, delete, save as, up, down, open
  } kCases[] = {
      {"built-in selected", 1, u"B1", true, {false, false, false, true, true, true}},
      {"first built-in", 0, u"B0", true, {false, false, false, false, true, true}},
      {"user preset selected", 2, u"U5", true, {true, true, true, true, true, true}},
      {"last user preset", 6, u"U6", true, {true, true, true, true, false, true}},
      {"user preset, no icon", 2, u"U5", false, {false, true, false, true, true, true}},
      {"new title", none, u"New", true, {true, false, false, false, false, true}},
      {"new title, no icon", none, u"New", false, {false, false, false, false, false, true}},
      {"empty title", none, u"", true, {false, false, false, false, false, true}},
      {"cleared page", none, u"", false, {false, false, false, false, false, true}},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(DecideSaveButtons(store_, c.selection, c.title, c.icon), c.buttons) << c.name;
  }
}

TEST_F(SaveButtonsTest, AFullListTakesOnlyOverwrites) {
  while (store_.count < kMaxPrintModes) {
    store_.working = MakeRecord(u"F" + std::u16string(1, static_cast<char16_t>(u'0' + store_.count % 10)));
    ASSERT_TRUE(AppendPrintMode(&store_));
  }
  const SaveButtons fresh = DecideSaveButtons(store_, kPositionNotFound, u"New", true);
  EXPECT_FALSE(fresh.save);
  EXPECT_FALSE(fresh.open);
  EXPECT_TRUE(DecideSaveButtons(store_, 2, u"U5", true).save);
}

TEST(SaveQuestionTest, TitlesGoIntoTheQuestions) {
  EXPECT_EQ(OverwriteQuestion(u"Mine"),
            u"Title `Mine` already exists.\nSaving will overwrite this title.\n"
            u"Do you still want to save?");
  EXPECT_EQ(DeleteQuestion(u"Mine"),
            u"This will remove the Print Mode permanently.\nDo you still want to delete title "
            u"`Mine`?");
}

class SavePageSheetTest : public test::SettingsTest {
 protected:
  SavePageSheetTest() {
    record_ = Defaults();
    EXPECT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
    // After deleting mode 6 of the list 0 1 5 2 3 4 6 7: 0 1 5 2 3 4 6.
    const std::uint16_t order[] = {0, 1, 5, 2, 3, 4, 6};
    store_.count = 7;
    std::copy(std::begin(order), std::end(order), store_.order);
  }
  ~SavePageSheetTest() override { FreeSheetState(&state_); }

  void Remember(std::uint16_t current, std::uint16_t saved) {
    state_->printMode->currentId = current;
    state_->printMode->savedId = saved;
    state_->overlayPrompt.current = 1;
    state_->advancedMainPageFlags = 0;
  }

  SheetState* state_ = nullptr;
  std::unique_ptr<DRVDEVMODE> record_;
  PrintModeStore store_;
};

TEST_F(SavePageSheetTest, DeleteRedirectsEveryModeThatNamedTheDeletedOne) {
  const struct Case {
    const char* name;
    std::uint16_t current, saved, toApply;
    std::uint16_t currentAfter, savedAfter, toApplyAfter, positionAfter;
    bool cancelShut, modified, deletedBit, confirmed;
  } kCases[] = {
      {"others above fall by one", 7, 7, 7, 6, 6, 6, 6, false, false, false, true},
      {"others below stay", 5, 5, 2, 5, 5, 2, 2, false, false, false, true},
      {"the one in effect", 6, 5, 5, 0, 5, 5, 0, true, true, false, true},
      {"the saved one", 5, 6, 5, 5, 0, 5, 2, false, false, true, false},
      {"the one to apply", 5, 5, 6, 5, 5, 0, 2, false, true, false, true},
  };
  for (const Case& c : kCases) {
    Remember(c.current, c.saved);
    std::uint16_t toApply = c.toApply;
    EXPECT_EQ(NotePrintModeDeleted(state_, store_, 6, &toApply), c.cancelShut) << c.name;
    EXPECT_EQ(state_->printMode->currentId, c.currentAfter) << c.name;
    EXPECT_EQ(state_->printMode->savedId, c.savedAfter) << c.name;
    EXPECT_EQ(toApply, c.toApplyAfter) << c.name;
    EXPECT_EQ(state_->printModeListPosition, c.positionAfter) << c.name;
    EXPECT_EQ((state_->advancedMainPageFlags & kMainPageModified) != 0, c.modified) << c.name;
    EXPECT_EQ((state_->advancedMainPageFlags & kMainPageDeleted) != 0, c.deletedBit) << c.name;
    EXPECT_EQ(state_->overlayPrompt.current != 0, c.confirmed) << c.name;
  }
}

TEST_F(SavePageSheetTest, OverwriteOfTheSavedModeKeepsItsSnapshot) {
  const PrintModeRecord saved = MakeRecord(u"Mine", 3);
  Remember(5, 6);
  state_->advancedMainPageFlags = kMainPageModified;
  EXPECT_FALSE(NotePrintModeOverwritten(state_, 2, saved));
  EXPECT_EQ(state_->advancedMainPageFlags, 0u);

  EXPECT_TRUE(NotePrintModeOverwritten(state_, 5, saved));
  EXPECT_EQ(state_->advancedMainPageFlags & kMainPageDeleted, 0u);

  EXPECT_FALSE(NotePrintModeOverwritten(state_, 6, saved));
  EXPECT_EQ(state_->advancedMainPageFlags, kMainPageDeleted);
  EXPECT_TRUE(test::SameRecord(state_->modeSnapshot, saved));
}

TEST_F(SavePageSheetTest, ApplyMakesTheModeToApplyCurrent) {
  Remember(0, 0);
  state_->advancedMainPageFlags = kMainPageDeleted;
  ApplySavePage(state_, store_, 6);
  EXPECT_EQ(state_->printMode->currentId, 6);
  EXPECT_EQ(state_->printModeListPosition, 6);
  EXPECT_EQ(state_->mainPageFlags & kMainPageDeleted, kMainPageDeleted);

  ApplySavePage(state_, store_, kNoPrintMode);
  EXPECT_EQ(state_->printMode->currentId, 6);
  ApplySavePage(state_, store_, 9);  // not listed: position 0
  EXPECT_EQ(state_->printModeListPosition, 0);
}

class StoreAccessTest : public test::SettingsTest {};

TEST_F(StoreAccessTest, AFileInUseIsNoMatterOfRights) {
  ASSERT_TRUE(CreateDefaultPrintModeFile());
  const std::string path = UserPrintModeFilePath();
  EXPECT_EQ(CheckPrintModeStoreAccess(), StoreAccess::kWritable);
  files_.failOpen.insert(path);
  EXPECT_EQ(CheckPrintModeStoreAccess(), StoreAccess::kInUse);
  EXPECT_FALSE(IsPrintModeStoreWritable());
  files_.failOpen.clear();
  files_.denyWrite.insert(path);
  EXPECT_EQ(CheckPrintModeStoreAccess(), StoreAccess::kDenied);
}

}  // namespace
}  // namespace tqr
