// Print mode export files: listing, reading one record, and writing one in
// place or at the end without ever losing the records a file held.
#include "presets/export_file.h"

#include <utility>

#include "presets_fixture.h"

namespace tqr {
namespace {

using test::Bytes;
using test::ExportFile;
using test::MakeRecord;

class ExportFileTest : public test::PresetFilesTest {
 protected:
  std::vector<std::u16string> ListedTitles(const std::string& name) {
    std::vector<std::u16string> titles;
    for (const auto& record : ListExportRecords(name)) titles.emplace_back(TitleOf(record));
    return titles;
  }

  const std::string path_ = "D:\\presets\\photo.cfg";
};

TEST_F(ExportFileTest, WritesCreateAppendAndReplaceByTitle) {
  const PrintModeRecord first = MakeRecord(u"First", 1);
  const PrintModeRecord second = MakeRecord(u"Second", 2);
  ASSERT_TRUE(WriteExportRecord(path_, first));
  EXPECT_EQ(Contents(path_), ExportFile(1, {first}));
  EXPECT_EQ(Contents(path_).size(), 602u);
  ASSERT_TRUE(WriteExportRecord(path_, second));
  EXPECT_EQ(Contents(path_), ExportFile(2, {first, second}));
  EXPECT_EQ(Contents(path_).size(), 1170u);

  // Same title, other content: replaced where it was, count unchanged.
  const PrintModeRecord newer = MakeRecord(u"First", 7);
  ASSERT_TRUE(WriteExportRecord(path_, newer));
  EXPECT_EQ(Contents(path_), ExportFile(2, {newer, second}));
  // Titles compare with their case.
  const PrintModeRecord lower = MakeRecord(u"first", 3);
  ASSERT_TRUE(WriteExportRecord(path_, lower));
  EXPECT_EQ(Contents(path_), ExportFile(3, {newer, second, lower}));
  EXPECT_EQ(files_.Paths(), std::vector<std::string>{path_});
}

TEST_F(ExportFileTest, RewriteKeepsReservedBytesAndPutsTheNewRecordWhereItIsRead) {
  const PrintModeRecord a = MakeRecord(u"A", 1);
  const PrintModeRecord b = MakeRecord(u"B", 2);
  Bytes withTail = ExportFile(1, {a}, 0xAB);
  withTail.insert(withTail.end(), {1, 2, 3});  // bytes after the counted records
  files_.PutBytes(path_, withTail);
  ASSERT_TRUE(WriteExportRecord(path_, b));
  EXPECT_EQ(Contents(path_), ExportFile(2, {a, b}, 0xAB));
  EXPECT_EQ(ListedTitles(path_), (std::vector<std::u16string>{u"A", u"B"}));
}

TEST_F(ExportFileTest, ListingStopsAtWhatTheFileHolds) {
  const PrintModeRecord a = MakeRecord(u"A", 1);
  const PrintModeRecord b = MakeRecord(u"B", 2);
  const auto cut = [](Bytes bytes, std::size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
  };
  constexpr ExportRead kNoRecord = ExportRead::kNoRecord;
  constexpr ExportRead kWrongFormat = ExportRead::kWrongFormat;
  const struct Case {
    const char* name;
    Bytes bytes;
    std::vector<std::u16string> titles;
    ExportRead pastTheTitles;  // what reading a record after them answers
  } kCases[] = {
      {"two records", ExportFile(2, {a, b}), {u"A", u"B"}, kNoRecord},
      {"count below the records", ExportFile(1, {a, b}), {u"A"}, kNoRecord},
      {"count above the records", ExportFile(60000, {a, b}), {u"A", u"B"}, kNoRecord},
      {"last record cut", cut(ExportFile(2, {a, b}), 1), {u"A"}, kNoRecord},
      {"count zero", ExportFile(0, {a}), {}, kNoRecord},
      {"header only", ExportFile(0, {}), {}, kNoRecord},
      {"header one byte short", cut(ExportFile(0, {}), 1), {}, kWrongFormat},
      {"empty file", {}, {}, kWrongFormat},
      {"signature in other case", ExportFile(1, {a}, 0, std::u16string_view(u"tqr54gfx", 9)), {},
       kWrongFormat},
      {"signature without its NUL", ExportFile(1, {a}, 0, u"TQR54GFXX"), {}, kWrongFormat},
      {"user print mode file signature",
       ExportFile(1, {a}, 0, std::u16string_view(u"TQR54VNT", 9)),
       {},
       kWrongFormat},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    files_.PutBytes(path_, c.bytes);
    EXPECT_EQ(ListedTitles(path_), c.titles);
    // Reading single records agrees with the listing, and stops where it
    // does, also for a record that would start past the end of the file.
    for (std::uint16_t j = 0; j < 4; ++j) {
      PrintModeRecord record = MakeRecord(u"untouched");
      const bool listed = j < c.titles.size();
      EXPECT_EQ(ReadExportRecord(path_, j, &record), listed ? ExportRead::kRead : c.pastTheTitles)
          << j;
      EXPECT_EQ(TitleOf(record), listed ? c.titles[j] : u"untouched");
    }
  }
  files_.Delete(path_);
  PrintModeRecord record = MakeRecord(u"untouched");
  EXPECT_EQ(ReadExportRecord(path_, 0, &record), ExportRead::kNotOpened);
  EXPECT_EQ(TitleOf(record), u"untouched");
}

TEST_F(ExportFileTest, NamesAreRetriedWithTheExtension) {
  files_.PutBytes("D:\\p\\a.cfg", ExportFile(1, {MakeRecord(u"A")}));
  const struct {
    const char* name;
    bool listed;
  } kNames[] = {
      {"D:\\p\\a.cfg", true}, {"D:\\p\\a", true},       {"D:\\p\\a.", true},
      {"D:\\p\\a.c", false},  {"D:\\p\\a.cfg.", false}, {"", false},
  };
  for (const auto& name : kNames) {
    EXPECT_EQ(ListExportRecords(name.name).size(), name.listed ? 1u : 0u) << name.name;
  }
}

// No more can be imported than the user print mode file holds: the list
// stops after 100 records and one more that tells there are more, however
// many the file counts and holds.
TEST_F(ExportFileTest, ListingStopsPastWhatCanBeImported) {
  const struct Case {
    std::uint16_t records;
    std::size_t listed;
  } kCases[] = {{100, 100}, {101, 101}, {3000, 101}};
  for (const Case& c : kCases) {
    std::vector<PrintModeRecord> records;
    for (std::uint16_t j = 0; j < c.records; ++j) {
      records.push_back(MakeRecord(u"R" + std::u16string(1, static_cast<char16_t>(u'a' + j % 26)),
                                   static_cast<std::uint16_t>(j + 1)));
    }
    files_.PutBytes(path_, ExportFile(c.records, records));
    const auto listed = ListExportRecords(path_);
    ASSERT_EQ(listed.size(), c.listed) << c.records;
    EXPECT_TRUE(test::SameRecord(listed.back(), records[c.listed - 1])) << c.records;
  }
}

TEST_F(ExportFileTest, TextsFromTheFileAreTerminated) {
  PrintModeRecord unterminated = MakeRecord(u"");
  std::fill(std::begin(unterminated.Title), std::end(unterminated.Title), u'T');
  std::fill(std::begin(unterminated.Description), std::end(unterminated.Description), u'D');
  files_.PutBytes(path_, ExportFile(1, {unterminated}));
  const auto listed = ListExportRecords(path_);
  ASSERT_EQ(listed.size(), 1u);
  PrintModeRecord read;
  ASSERT_EQ(ReadExportRecord(path_, 0, &read), ExportRead::kRead);
  for (const PrintModeRecord* record : {&listed[0], &std::as_const(read)}) {
    EXPECT_EQ(TitleOf(*record), u"TTTTTTTTT");
    EXPECT_EQ(record->Description[kPrintModeDescriptionLength - 1], u'\0');
  }
  // The stored title reads as nine units, so a record of that title replaces it.
  ASSERT_TRUE(WriteExportRecord(path_, MakeRecord(u"TTTTTTTTT", 5)));
  EXPECT_EQ(ListExportRecords(path_).size(), 1u);
}

TEST_F(ExportFileTest, ScanTellsTheDialogWhatAWriteWillDo) {
  const PrintModeRecord a = MakeRecord(u"A", 1);
  OpenFailure failure = OpenFailure::None;
  EXPECT_EQ(ScanExportFile(path_, a, &failure), ExportScan::kNotOpened);
  EXPECT_EQ(failure, OpenFailure::Missing);
  files_.PutBytes(path_, ExportFile(1, {a}));
  EXPECT_EQ(ScanExportFile(path_, a), ExportScan::kTitleFound);
  EXPECT_EQ(ScanExportFile(path_, MakeRecord(u"B")), ExportScan::kTitleNew);
  files_.PutBytes(path_, ExportFile(2, {a}));
  EXPECT_EQ(ScanExportFile(path_, a), ExportScan::kShortRecord);
  files_.PutBytes(path_, Bytes(33, 0));
  EXPECT_EQ(ScanExportFile(path_, a), ExportScan::kWrongFormat);
  files_.denyWrite.insert(path_);
  EXPECT_EQ(ScanExportFile(path_, a, &failure), ExportScan::kNotOpened);
  EXPECT_EQ(failure, OpenFailure::AccessDenied);
}

// Files a write must refuse, and every way a rewrite can fail: the file stays
// byte for byte as it was and no temporary file is left.
TEST_F(ExportFileTest, FailedWritesLeaveTheFileWhole) {
  const PrintModeRecord a = MakeRecord(u"A", 1);
  const PrintModeRecord b = MakeRecord(u"B", 2);
  const Bytes sound = ExportFile(2, {a, b}, 0x5A);
  const std::string temporary = TemporaryFor(path_);
  const struct Fault {
    const char* name;
    Bytes bytes;
    std::size_t budget;
    const std::string* denied;
    const std::string* unopenable;
    const std::string* unreplaceable;
  } kFaults[] = {
      {"short header", Bytes(sound.begin(), sound.begin() + 33), SIZE_MAX, nullptr, nullptr,
       nullptr},
      {"other signature", ExportFile(1, {a}, 0, std::u16string_view(u"TQR54VNT\0", 9)), SIZE_MAX,
       nullptr, nullptr, nullptr},
      {"count beyond the records", ExportFile(3, {a, b}), SIZE_MAX, nullptr, nullptr, nullptr},
      {"nothing written", sound, 0, nullptr, nullptr, nullptr},
      {"inside the header", sound, 20, nullptr, nullptr, nullptr},
      {"inside a record", sound, 34 + 600, nullptr, nullptr, nullptr},
      {"one byte short", sound, 34 + 3 * 568 - 1, nullptr, nullptr, nullptr},
      {"file write-protected", sound, SIZE_MAX, &path_, nullptr, nullptr},
      {"directory write-protected", sound, SIZE_MAX, &temporary, nullptr, nullptr},
      {"file does not open", sound, SIZE_MAX, nullptr, &path_, nullptr},
      {"temporary file does not open", sound, SIZE_MAX, nullptr, &temporary, nullptr},
      {"move refused", sound, SIZE_MAX, nullptr, nullptr, &path_},
  };
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    files_.PutBytes(path_, fault.bytes);
    if (fault.denied != nullptr) files_.denyWrite.insert(*fault.denied);
    if (fault.unopenable != nullptr) files_.failOpen.insert(*fault.unopenable);
    if (fault.unreplaceable != nullptr) files_.failReplace.insert(*fault.unreplaceable);
    // Appending a new title, and replacing an existing one; a budget cuts
    // each write at the same place or just before its end.
    const struct {
      PrintModeRecord record;
      std::size_t size;
    } kWrites[] = {{MakeRecord(u"C", 3), 34 + 3 * 568}, {MakeRecord(u"A", 4), 34 + 2 * 568}};
    for (const auto& [record, size] : kWrites) {
      files_.writeBudget = std::min(fault.budget, fault.budget == SIZE_MAX ? SIZE_MAX : size - 1);
      EXPECT_FALSE(WriteExportRecord(path_, record));
      EXPECT_EQ(Contents(path_), fault.bytes);
      EXPECT_EQ(files_.Paths(), std::vector<std::string>{path_});
    }
    ClearFaults();
  }
}

TEST_F(ExportFileTest, FailedCreateLeavesNoFile) {
  const std::string temporary = TemporaryFor(path_);
  for (std::size_t budget : {std::size_t{0}, std::size_t{33}, std::size_t{601}}) {
    files_.writeBudget = budget;
    EXPECT_FALSE(WriteExportRecord(path_, MakeRecord(u"A")));
    EXPECT_TRUE(files_.Paths().empty()) << budget;
  }
  ClearFaults();
  files_.failOpen.insert(temporary);
  EXPECT_FALSE(WriteExportRecord(path_, MakeRecord(u"A")));
  EXPECT_TRUE(files_.Paths().empty());
}

}  // namespace
}  // namespace tqr
