// Which sheet values a print mode carries, and the check that the print
// mode in effect still exists when a sheet opens.
#include "sheet/sheetstate.h"
#include "presets_fixture.h"
#include "support/settings_fixture.h"
#include "sheet/print_mode_settings.h"

namespace tqr {
namespace {

using test::SettingsTest;

class PrintModeSettingsTest : public SettingsTest {
 protected:
  void SetUp() override {
    record_ = Defaults();
    ASSERT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()),
              1);
  }
  ~PrintModeSettingsTest() override { FreeSheetState(&state_); }

  void PutUserFile(const test::Bytes& bytes) {
    files_.PutBytes("C:\\Windows\\system32\\Tqr54usr.cfg", bytes);
  }

  std::unique_ptr<DRVDEVMODE> record_;
  SheetState* state_ = nullptr;
};

TEST_F(PrintModeSettingsTest, SixteenWordsGoToTheirEntriesAndBack) {
  PrintModeRecord mode = state_->builtInModes[1];  // Photo
  mode.PMDataMode = 77;
  ApplyPrintModeRecord(state_, mode);
  EXPECT_TRUE(MatchesPrintModeRecord(state_, mode));
  EXPECT_EQ(state_->matching->currentId, mode.PMMatching);
  EXPECT_EQ(state_->gamma->currentId, mode.PMGamma);
  EXPECT_EQ(state_->mediaType->currentId, mode.PMMediaType);
  EXPECT_EQ(state_->mediaType->Entries()[state_->mediaType->currentPosition].optionId,
            mode.PMMediaType);

  // Each word on its own tells the modes apart.
  for (int n = 1; n <= 16; ++n) {
    PrintModeRecord other = mode;
    other.Word(n) = static_cast<std::uint16_t>(other.Word(n) + 1);
    EXPECT_FALSE(MatchesPrintModeRecord(state_, other)) << n;
  }
  PrintModeRecord captured{};
  CapturePrintModeRecord(state_, &captured);
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(captured.Word(n), mode.Word(n)) << n;
  EXPECT_EQ(captured.PMDataMode, 0);  // never taken from the sheet
}

TEST_F(PrintModeSettingsTest, LostPrintModeIsJudgedByTheUserFileAndTheConfirmedFlag) {
  struct Case {
    const char* name;
    bool hasFile;
    std::uint16_t mode;
    std::int16_t confirmed;
    bool lost;
  };
  const Case cases[] = {
      {"no file, never confirmed", false, 6, 0, false},
      {"listed and confirmed", true, 6, 1, false},
      {"deleted since", true, 9, 1, true},
      {"never confirmed", true, 0, 0, true},
  };
  for (const Case& c : cases) {
    files_ = fake::FakeFileSystem();
    if (c.hasFile) PutUserFile(test::PlainUserFile(3));  // modes 0 to 7
    state_->printMode->currentId = c.mode;
    state_->overlayPrompt.current = c.confirmed;
    EXPECT_EQ(SelectedPrintModeIsLost(state_), c.lost) << c.name;
  }
}

TEST_F(PrintModeSettingsTest, StandardModeComesBackUnmodified) {
  state_->printMode->currentId = 9;
  state_->printMode->savedId = 9;
  state_->firstPageOnly.current = 1;
  state_->cyan.current = 33;
  RestoreStandardPrintMode(state_);
  EXPECT_EQ(state_->printMode->currentId, 0);
  EXPECT_EQ(state_->printMode->savedId, 0);
  EXPECT_EQ(state_->firstPageOnly.current, 0);
  EXPECT_TRUE(MatchesPrintModeRecord(state_, state_->builtInModes[0]));
}

}  // namespace
}  // namespace tqr
