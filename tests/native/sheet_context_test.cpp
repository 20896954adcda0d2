// Opening, confirming and closing a sheet without its windows: what reaches
// the caller's record and the printer's stored settings.
#include <cstring>

#include "sheet/sheet_context.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

class SheetContextTest : public SettingsTest {
 protected:
  void SetUp() override { InstallShippedDescription(); }

  SheetContext* OpenDocument(std::uint32_t mode) {
    std::memset(static_cast<void*>(&output_), 0xAB, sizeof output_);
    return OpenDocumentSheet(
        DocumentSheetRequest{printer(), u"Orlex TQ-R5400", nullptr, &output_, mode});
  }
  bool OutputUntouched() const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&output_);
    for (std::size_t i = 0; i < sizeof output_; ++i) {
      if (bytes[i] != 0xAB) return false;
    }
    return true;
  }
  std::map<std::u16string, fake::FakeSpooler::PrinterData>& Data() {
    return spooler_.printers[printer()].data;
  }

  DRVDEVMODE output_;
};

TEST_F(SheetContextTest, DocumentSheetReturnsTheAppliedRecordOnlyOnOkWithUpdateOrCopy) {
  struct Case {
    std::uint32_t mode;
    std::int32_t result;
    bool written;
  };
  for (const Case c : {Case{kModeCopy | kModePrompt, kSheetResultOk, true},
                       Case{kModeUpdate | kModePrompt, kSheetResultOk, true},
                       Case{kModeCopy | kModePrompt, 2, false},
                       Case{kModePrompt, kSheetResultOk, false}}) {
    SheetContext* context = OpenDocument(c.mode);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->printer, printer());
    EXPECT_NE(context->description, nullptr);
    context->state->copies.saved = 7;
    FinishDocumentSheet(context, c.result);
    if (c.written) {
      EXPECT_EQ(output_.dm.dmCopies, 7) << c.mode;
      EXPECT_EQ(output_.PrivateMarker, context->record.PrivateMarker);
    } else {
      EXPECT_TRUE(OutputUntouched()) << c.mode << " " << c.result;
    }
    CloseDocumentSheet(&context);
    EXPECT_EQ(context, nullptr);
  }
}

// A page's OK writes the caller's record at once, for a host that reports
// no result; the host's OK, when it comes, writes the same bytes.
TEST_F(SheetContextTest, ConfirmingWritesTheOutputAtOnceAndTheHostsOkTheSame) {
  SheetContext* context = OpenDocument(kModeCopy | kModePrompt);
  ASSERT_NE(context, nullptr);
  context->state->copies.saved = 7;
  ConfirmDocumentSheet(context->state);
  EXPECT_EQ(output_.dm.dmCopies, 7);
  const DRVDEVMODE confirmed = output_;
  std::memset(static_cast<void*>(&output_), 0xAB, sizeof output_);
  FinishDocumentSheet(context, kSheetResultOk);
  EXPECT_EQ(std::memcmp(&output_, &confirmed, sizeof output_), 0);
  std::memset(static_cast<void*>(&output_), 0xAB, sizeof output_);
  EndDocumentSheet(&context, true);
  EXPECT_EQ(context, nullptr);
  EXPECT_TRUE(OutputUntouched()) << "nothing more after the confirmed record";
}

// Closed by the user with no result from the host and nothing confirmed: a
// caller that asked for a record gets the one the sheet opened with, not the
// user's unconfirmed changes; a reported result, a sheet never shown, or no
// record asked for, leaves it.
TEST_F(SheetContextTest, UnreportedCloseGivesTheOpenedRecord) {
  struct Case {
    std::uint32_t mode;
    bool cancelReported;
    bool closed;
    bool written;
  };
  for (const Case c : {Case{kModeCopy | kModePrompt, false, true, true},
                       Case{kModeCopy | kModePrompt, true, true, false},
                       Case{kModeCopy | kModePrompt, false, false, false},
                       Case{kModePrompt, false, true, false}}) {
    SCOPED_TRACE(c.mode);
    SheetContext* context = OpenDocument(c.mode);
    ASSERT_NE(context, nullptr);
    const DRVDEVMODE opened = context->record;
    context->state->copies.current = 7;
    context->state->copies.saved = 7;
    if (c.cancelReported) FinishDocumentSheet(context, 2);
    EndDocumentSheet(&context, c.closed);
    EXPECT_EQ(context, nullptr);
    if (c.written) {
      EXPECT_EQ(std::memcmp(&output_, &opened, sizeof output_), 0);
      EXPECT_EQ(output_.dm.dmCopies, 1);
    } else {
      EXPECT_TRUE(OutputUntouched());
    }
  }
}

TEST_F(SheetContextTest, ReadOnlyAndPermissionFlags) {
  SheetContext* context = OpenDocument(kModeCopy | kModePrompt);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->state->editable, 1u);
  EXPECT_EQ(context->state->mayWritePrinterData, 1u);
  EXPECT_EQ(context->state->callerFlags, kModeCopy | kModePrompt);
  CloseDocumentSheet(&context);

  context = OpenDocument(kModeCopy | kModePrompt | kModeNoPermission);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->state->editable, 0u);
  CloseDocumentSheet(&context);
}

TEST_F(SheetContextTest, PermissionProbeLeavesNothingBehind) {
  const std::vector<std::uint8_t> stored(1748, 0x5A);
  Data()[kStoredSettingsName] = {kRegBinary, stored};
  EXPECT_EQ(ProbePermission(printer()), 1);
  ASSERT_EQ(Data().size(), 1u);
  EXPECT_EQ(Data()[kStoredSettingsName].bytes, stored);

  spooler_.printers[printer()].failSetData = true;
  EXPECT_EQ(ProbePermission(printer()), 0);
  EXPECT_EQ(Data()[kStoredSettingsName].bytes, stored);
}

TEST_F(SheetContextTest, DeviceSheetStoresTheSettingsOnlyOnOk) {
  SheetContext* context = OpenDeviceSheet(printer(), u"Orlex TQ-R5400", 0);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->state->editable, 1u);
  EXPECT_EQ(context->output, nullptr);
  const auto before = Data()[kStoredSettingsName].bytes;
  context->state->copies.saved = 9;
  FinishDeviceSheet(context, 2);
  EXPECT_EQ(Data()[kStoredSettingsName].bytes, before);
  FinishDeviceSheet(context, kSheetResultOk);
  DRVDEVMODE stored;
  ASSERT_EQ(Data()[kStoredSettingsName].bytes.size(), sizeof stored);
  std::memcpy(&stored, Data()[kStoredSettingsName].bytes.data(), sizeof stored);
  EXPECT_EQ(stored.dm.dmCopies, 9);
  CloseDeviceSheet(context);
  EXPECT_EQ(context->state, nullptr);
  EXPECT_EQ(context->description, nullptr);

  context = OpenDeviceSheet(printer(), u"Orlex TQ-R5400", kDeviceNoPermission);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->state->editable, 0u);
  CloseDeviceSheet(context);
}

// The host never destroyed the last device sheet before the next INIT: the
// one device context is reused, and what the old sheet held is freed (the
// sanitizer's leak check sees whether it is).
TEST_F(SheetContextTest, ADeviceSheetNeverDestroyedIsFreedByTheNextOne) {
  SheetContext* first = OpenDeviceSheet(printer(), u"Orlex TQ-R5400", 0);
  ASSERT_NE(first, nullptr);
  SheetContext* second = OpenDeviceSheet(printer(), u"Orlex TQ-R5400", 0);
  ASSERT_EQ(second, first);
  EXPECT_NE(second->state, nullptr);
  CloseDeviceSheet(second);
}

// A record that cannot be built stops the sheet after the description was
// loaded; the sanitizer's leak check sees whether that failure frees it.
TEST_F(SheetContextTest, DocumentSheetWithoutThePrinterDefaultDoesNotOpen) {
  spooler_.printers[printer()].hasPrinterInfo = false;
  EXPECT_EQ(OpenDocument(kModeCopy | kModePrompt), nullptr);
  EXPECT_TRUE(OutputUntouched());
}

TEST_F(SheetContextTest, SheetsWithoutADescriptionDoNotOpen) {
  spooler_.printers[printer()].dataFile = u"C:\\missing\\TQR54GFX.DDF";
  EXPECT_EQ(OpenDocument(kModeCopy | kModePrompt), nullptr);
  EXPECT_EQ(OpenDeviceSheet(printer(), u"Orlex TQ-R5400", 0), nullptr);
}

}  // namespace
}  // namespace tqr
