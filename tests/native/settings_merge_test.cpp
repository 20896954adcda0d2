// Stored settings and the merge of records that come from outside.
#include "support/overlapping_image.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

std::vector<std::uint8_t> BytesOf(const DRVDEVMODE& record) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
  return std::vector<std::uint8_t>(bytes, bytes + sizeof record);
}

class StoredSettingsTest : public SettingsTest {
 protected:
  std::vector<std::uint8_t>& Stored() {
    return spooler_.printers[printer()].data[kStoredSettingsName].bytes;
  }
};

TEST_F(StoredSettingsTest, MissingOrInvalidRecordsAreRebuiltAndWrittenBack) {
  auto good = Defaults();
  good->Cyan = 7;  // tells the stored record from defaults
  const std::vector<std::uint8_t> goodBytes = BytesOf(*good);
  const struct {
    const char* what;
    std::size_t offset;
    std::uint16_t value;
    std::size_t size;
  } cases[] = {
      {"driver version 0x101", 66, 0x101, 1748}, {"spec version", 64, 0x400, 1748},
      {"header size", 68, 188, 1748},            {"private size", 70, 1527, 1748},
      {"too short", 64, 0x401, 1000},            {"too long", 64, 0x401, 2000},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = goodBytes;
    bytes.resize(c.size, 0xee);
    std::memcpy(bytes.data() + c.offset, &c.value, 2);
    Stored() = bytes;
    spooler_.dataWrites = 0;
    auto record = test::ZeroRecord();
    EXPECT_EQ(LoadStoredDefaults(printer(), record.get(), u"Orlex TQ-R5400", ddf()), 1);
    EXPECT_EQ(record->Cyan, 0) << c.what;
    EXPECT_EQ(spooler_.dataWrites, 1) << c.what;
    EXPECT_EQ(Stored(), BytesOf(*record)) << c.what;
    EXPECT_EQ(spooler_.printers[printer()].data[kStoredSettingsName].type, kRegBinary);
  }
  spooler_.printers[printer()].data.clear();
  auto record = test::ZeroRecord();
  LoadStoredDefaults(printer(), record.get(), u"Orlex TQ-R5400", ddf());
  EXPECT_EQ(Stored(), BytesOf(*record));
}

TEST_F(StoredSettingsTest, AValidRecordIsTakenAsItIs) {
  auto good = Defaults();
  good->Cyan = 7;
  Stored() = BytesOf(*good);
  spooler_.dataWrites = 0;
  auto record = test::ZeroRecord();
  LoadStoredDefaults(printer(), record.get(), u"Orlex TQ-R5400", ddf());
  EXPECT_EQ(record->Cyan, 7);
  EXPECT_EQ(spooler_.dataWrites, 0);
  EXPECT_EQ(LoadStoredDefaults(printer(), nullptr, u"x", ddf()), 0);
  spooler_.printers[printer()].failSetData = true;  // the write's result is not checked
  spooler_.printers[printer()].data.clear();
  EXPECT_EQ(LoadStoredDefaults(printer(), record.get(), u"x", ddf()), 1);
  EXPECT_FALSE(WritePrinterData(printer(), kStoredSettingsName, kRegBinary, record.get(), 0));
  EXPECT_FALSE(WritePrinterData(printer(), nullptr, kRegBinary, record.get(), 4));
}

// An application's record: the working defaults changed in the public
// fields, with a private part of its own.
class MergeTest : public SettingsTest {
 protected:
  void SetUp() override {
    working_ = Defaults();
    input_ = Defaults();
    input_->Cyan = 33;
    input_->dm.dmFields = 0;
  }
  void Merge() {
    EXPECT_EQ(MergeSettings(printer(), ddf(), input_.get(), sizeof *input_, working_.get()), 1);
  }

  std::unique_ptr<DRVDEVMODE> working_;
  std::unique_ptr<DRVDEVMODE> input_;
};

// A document's settings made for another printer: from a header of a size
// the platform defines, whose size words stay inside the bytes handed over,
// the listed public fields come over and never the private part; any other
// header gives nothing.
TEST_F(MergeTest, ForeignRecordsGiveOnlyTheirListedPublicFields) {
  const struct {
    const char* what;
    std::uint16_t size;
    std::uint16_t driverExtra;
    std::uint32_t marker;
    std::size_t handed;
    bool merged;
  } cases[] = {
      {"another driver's whole record", 220, 1528, 0x54515045, 1748, true},
      {"public header only, 220", 220, 0, 0, 220, true},
      {"public header only, 156", 156, 0, 0, 156, true},
      {"an older header, 188", 188, 0, 0, 188, true},
      // Our marker beyond the record's own sizes: not ours, yet a sound header.
      {"sizes ending before the marker", 220, 920, 0x54515044, 1748, true},
      {"a size the platform never defined", 200, 0, 0, 220, false},
      {"a header longer than any", 240, 0, 0, 1748, false},
      {"size words past the bytes handed over", 220, 100, 0, 300, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    input_->PrivateMarker = c.marker;
    input_->dm.dmSize = c.size;
    input_->dm.dmDriverExtra = c.driverExtra;
    input_->dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES;
    input_->dm.dmPaperSize = 8;  // A3
    input_->dm.dmOrientation = 2;
    input_->dm.dmCopies = 3;
    DRVDEVMODE expected = *working_;
    if (c.merged) {
      expected.dm.dmPaperSize = 8;
      expected.dm.dmPaperWidth = 2970;
      expected.dm.dmPaperLength = 4200;
      expected.dm.dmOrientation = 2;
      expected.dm.dmCopies = 3;
    }
    EXPECT_EQ(MergeSettings(printer(), ddf(), input_.get(), c.handed, working_.get()), 1);
    EXPECT_EQ(BytesOf(*working_), BytesOf(expected));
    EXPECT_EQ(working_->Cyan, 0) << "the private part stays the working record's";
  }
  EXPECT_EQ(MergeSettings(printer(), nullptr, input_.get(), sizeof *input_, working_.get()), 0);
  EXPECT_EQ(MergeSettings(printer(), ddf(), nullptr, 0, working_.get()), 0);
}

TEST_F(MergeTest, OwnRecordsGiveTheirPrivatePartAndListedPublicFields) {
  input_->dm.dmFields = DM_COPIES | DM_ORIENTATION | DM_DUPLEX | DM_PRINTQUALITY | DM_DEFAULTSOURCE;
  input_->dm.dmCopies = 12;
  input_->dm.dmOrientation = 2;
  input_->dm.dmDuplex = 3;
  input_->dm.dmPrintQuality = 300;
  input_->dm.dmYResolution = 77;
  input_->dm.dmDefaultSource = 258;
  input_->dm.dmScale = 50;  // never taken
  Merge();
  EXPECT_EQ(working_->Cyan, 33);
  EXPECT_EQ(working_->dm.dmCopies, 12);
  EXPECT_EQ(working_->dm.dmOrientation, 2);
  EXPECT_EQ(working_->dm.dmDuplex, 3);
  EXPECT_EQ(working_->dm.dmYResolution, 300);
  EXPECT_EQ(working_->dm.dmDefaultSource, 258);
  EXPECT_EQ(working_->dm.dmScale, 100);
}

TEST_F(MergeTest, ValuesTheDescriptionDoesNotListAreRefused) {
  input_->dm.dmFields = DM_COPIES | DM_ORIENTATION | DM_DUPLEX | DM_PRINTQUALITY |
                        DM_DEFAULTSOURCE | DM_PAPERSIZE;
  input_->dm.dmCopies = 1000;
  input_->dm.dmOrientation = 3;
  input_->dm.dmDuplex = 4;
  input_->dm.dmPrintQuality = 600;
  input_->dm.dmDefaultSource = 261;
  input_->dm.dmPaperSize = 5;  // Legal is not listed
  Merge();
  EXPECT_EQ(working_->dm.dmCopies, 1);
  EXPECT_EQ(working_->dm.dmOrientation, 1);
  EXPECT_EQ(working_->dm.dmDuplex, 1);
  EXPECT_EQ(working_->dm.dmPrintQuality, 300);
  EXPECT_EQ(working_->dm.dmDefaultSource, 256);
  EXPECT_EQ(working_->dm.dmPaperSize, 9);
  input_->dm.dmDuplex = 0;
  Merge();
  EXPECT_EQ(working_->dm.dmDuplex, 1);
}

TEST_F(MergeTest, PaperByNumberOrBySize) {
  input_->dm.dmFields = DM_PAPERSIZE;
  input_->dm.dmPaperSize = 66;
  Merge();
  EXPECT_EQ(working_->dm.dmPaperSize, 66);
  EXPECT_EQ(working_->dm.dmPaperWidth, 4200);  // from the list
  EXPECT_EQ(working_->dm.dmPaperLength, 5940);

  input_->dm.dmFields = DM_PAPERWIDTH;  // A3 turned sideways, no number
  input_->dm.dmPaperSize = 1;
  input_->dm.dmPaperWidth = 4200;
  input_->dm.dmPaperLength = 2970;
  Merge();
  EXPECT_EQ(working_->dm.dmPaperSize, 8);  // A3, listed before A3 rotated
  EXPECT_EQ(working_->dm.dmPaperWidth, 4200);
  EXPECT_EQ(working_->dm.dmPaperLength, 2970);

  input_->dm.dmFields = DM_PAPERLENGTH;
  input_->dm.dmPaperWidth = 1234;
  Merge();
  EXPECT_EQ(working_->dm.dmPaperSize, 8);  // no size matched: the number stays
  EXPECT_EQ(working_->dm.dmPaperWidth, 1234);
}

TEST_F(MergeTest, OlderHeadersPlaceThePrivatePartAtTheirOwnSize) {
  // A record with a 188-byte header: its private part starts at byte 188.
  std::vector<std::uint8_t> old(188 + 1528, 0);
  std::memcpy(old.data(), input_.get(), 188);
  std::memcpy(old.data() + 188, reinterpret_cast<std::uint8_t*>(input_.get()) + 220, 1528);
  const std::uint16_t size = 188;
  std::memcpy(old.data() + 68, &size, 2);
  input_->dm.dmFields = 0;
  ASSERT_TRUE(IsOwnRecord(old.data(), old.size()));
  EXPECT_EQ(MergeSettings(printer(), ddf(), old.data(), old.size(), working_.get()), 1);
  EXPECT_EQ(working_->Cyan, 33);
}

// Records from applications are read only as far as both their own size
// words and the bytes handed over reach; each case's buffer is exactly as
// long as given, so AddressSanitizer sees any read past it.
TEST_F(MergeTest, HostileSizeWordsReadNothingPastTheRecord) {
  constexpr std::size_t kMarkerEnd = offsetof(DRVDEVMODE, PrivateMarker) + 4;
  input_->OverlayState = 1;  // lies before the marker
  input_->ModeSelect = 512;  // and this after it
  const struct Case {
    const char* what;
    std::uint16_t dmSize;
    std::uint16_t dmDriverExtra;
    std::size_t buffer;
    bool own;
  } kCases[] = {
      {"header claims 64 KB", 0xFFFF, 1528, sizeof(DRVDEVMODE), false},
      {"header longer than any layout", 224, 1528, sizeof(DRVDEVMODE) + 4, false},
      {"buffer ends after the marker", 220, 1528, kMarkerEnd, true},
      {"buffer ends inside the marker", 220, 1528, kMarkerEnd - 1, false},
      {"buffer ends before the size words", 220, 1528, 70, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> bytes = BytesOf(*input_);
    bytes.resize(std::max(bytes.size(), c.buffer));
    if (c.dmSize == 224) {  // the private part moved along with the header
      bytes.insert(bytes.begin() + 220, 4, 0);
      bytes.resize(c.buffer);
    }
    std::memcpy(&bytes[68], &c.dmSize, 2);
    std::memcpy(&bytes[70], &c.dmDriverExtra, 2);
    bytes.resize(c.buffer);
    bytes.shrink_to_fit();
    auto working = Defaults();
    const std::vector<std::uint8_t> before = BytesOf(*working);
    EXPECT_EQ(IsOwnRecord(bytes.data(), bytes.size()), c.own);
    EXPECT_EQ(MergeSettings(printer(), ddf(), bytes.data(), bytes.size(), working.get()), 1);
    EXPECT_EQ(working->OverlayState, c.own ? 1 : 0);
    EXPECT_EQ(working->ModeSelect, 266);  // never handed over
    if (!c.own) {
      EXPECT_EQ(BytesOf(*working), before);
    }
  }
}

// Custom sizes come with the private part but are checked like every other
// size: with every paper group off, finalizing hands the custom size out as
// the page, which must never be a paper of -1 x 0.
TEST_F(MergeTest, CustomSizesOutsideTheirRangesAreNotTaken) {
  input_->IsoA = input_->IsoB = input_->Jis = input_->Ansi = 0;
  input_->Arch = input_->EuroDin = input_->Special = input_->Custom = 0;
  const struct {
    std::uint16_t width, length, width2, length2;
    std::int16_t dmWidth, dmLength;
  } kCases[] = {
      {65535, 0, 0, 65535, 2100, 2970},
      {2099, 26671, 10823, 2969, 2100, 2970},
      {3000, 4000, 10822, 26670, 3000, 4000},
      {2100, 2970, 2100, 2970, 2100, 2970},
  };
  for (const auto& c : kCases) {
    input_->PaperWidth = c.width;
    input_->PaperLength = c.length;
    input_->PaperWidth2 = c.width2;
    input_->PaperLength2 = c.length2;
    working_ = Defaults();
    Merge();
    FinalizeSettings(ddf(), working_.get(), printer());
    EXPECT_EQ(working_->dm.dmPaperSize, 256);
    EXPECT_EQ(working_->dm.dmPaperWidth, c.dmWidth) << c.width;
    EXPECT_EQ(working_->dm.dmPaperLength, c.dmLength) << c.length;
    const bool outputInRange = c.width2 <= 10822 && c.width2 >= 2100;
    EXPECT_EQ(working_->PaperWidth2, outputInRange ? c.width2 : 2100) << c.width2;
    EXPECT_GE(working_->PaperLength2, 2970) << c.length2;
  }
}

// An image that claims more paper sizes than its bytes can hold (its option
// records overlap) is refused by the loader; a description handed in some
// other way still never makes a list query write past the scratch block.
TEST_F(MergeTest, ListsLongerThanTheScratchBlockAreNotRead) {
  const std::vector<std::uint8_t> image = test::OverlappingPaperImage(880, 74);
  ASSERT_EQ(image.size(), 65244u);
  ASSERT_EQ(DdfQuery(image.data(), "PaperSize", DDFQ_COUNT, nullptr, 0, 0), 880u);
  input_->dm.dmFields = DM_PAPERWIDTH;
  input_->dm.dmPaperWidth = 2100;
  input_->dm.dmPaperLength = 2970;
  const std::int16_t number = working_->dm.dmPaperSize;
  EXPECT_EQ(MergeSettings(printer(), image.data(), input_.get(), sizeof *input_, working_.get()), 1);
  EXPECT_EQ(working_->dm.dmPaperSize, number);
}

TEST_F(SettingsTest, FindOptionIndexComparesAtItsWidth) {
  std::uint8_t scratch[kScratchListSize];
  std::uint32_t out = 0xdeadbeef;
  // PaperFeed values 0..4: 0x10002 matches 2 only when compared at 16 bits.
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "PaperFeed", 0x10002, &out, 1), 2);
  EXPECT_EQ(out, 0xdead0002u);
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "PaperFeed", 0x10002, &out, 2), kNotFound);
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "PaperFeed", 0x10002, &out, 0), kNotFound);
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "PaperFeed", 0x104, &out, 3), 4);
  EXPECT_EQ(out, 0xdead0004u);
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "PaperFeed", 2, &out, 4), kNotFound);
  EXPECT_EQ(FindOptionIndex(ddf(), scratch, "Missing", 2, &out, 1), kNotFound);
  std::int16_t copies = 5;
  EXPECT_EQ(CheckRangeValue(ddf(), scratch, "Copies", 999, &copies), 1);
  EXPECT_EQ(copies, 999);
  EXPECT_EQ(CheckRangeValue(ddf(), scratch, "Copies", 0, &copies), 0);
  EXPECT_EQ(copies, 999);
}

}  // namespace
}  // namespace tqr
