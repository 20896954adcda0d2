// The printer's status replies, the page's lines for them and the copy kept
// under the driver's key, against a fake spooler and an in-memory key.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "maintenance/printer_info.h"
#include "platform/fake/fake_system.h"
#include "support/memory_key_store.h"

namespace tqr {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::MemoryKeyStore;

// UTF-16 in registry byte order, padded with zero bytes to `size` when given.
Bytes Utf16(const std::u16string& text, std::size_t size = 0) {
  Bytes bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (size > bytes.size()) bytes.resize(size, 0);
  return bytes;
}

MemoryKeyStore::Value Sz(const Bytes& bytes) { return {kRegSz, bytes}; }
MemoryKeyStore::Value Dword(const Bytes& bytes) { return {kRegDword, bytes}; }

Bytes StatusReply(std::uint8_t widthA, std::uint8_t codeA, std::uint8_t widthB,
                  std::uint8_t codeB) {
  Bytes reply(kPrinterStatusSize, 0xEE);  // bytes the page does not read
  reply[0] = reply[1] = reply[2] = reply[3] = 0;
  reply[20] = widthA;
  reply[21] = codeA;
  reply[22] = widthB;
  reply[23] = codeB;
  return reply;
}

Bytes InquiryBytes(const Bytes& firmware) {
  Bytes reply(kInquirySize, 0xEE);
  reply[0] = reply[1] = reply[2] = reply[3] = 0;
  std::copy(firmware.begin(), firmware.end(), reply.begin() + 36);
  return reply;
}

const LocalTime kJuly15 = {2002, 7, 15, 9, 5, 7};

class PrinterInfoTest : public ::testing::Test {
 protected:
  PrinterInfoTest() { spooler_.printers[printer_] = {}; }

  void SetReply(const std::u16string& name, const Bytes& bytes) {
    spooler_.printers[printer_].data[name] = {kRegBinary, bytes};
  }
  std::optional<PrinterInfoLines> Query(const LocalTime& now = kJuly15) {
    return QueryPrinterInfo(spooler_, printer_, store_, now);
  }
  MemoryKeyStore::Value Stored(const std::u16string& name) { return store_.values[name]; }

  fake::FakeSpooler spooler_;
  PrinterHandle printer_ = reinterpret_cast<PrinterHandle>(0x42);
  MemoryKeyStore store_;
};

TEST(PrinterInfoReplyTest, ReadsOnlyWhatArrivedAndZeroFillsTheRest) {
  struct Case {
    Bytes bytes;
    bool ok;
    TrayMedia a, b;
  };
  const Bytes full = StatusReply(36, 1, 44, 5);
  const Case cases[] = {
      {full, true, {36, 1}, {44, 5}},
      {Bytes(full.begin(), full.begin() + 22), true, {36, 1}, {0, 0}},
      {Bytes(full.begin(), full.begin() + 21), true, {36, 0}, {0, 0}},
      {{}, true, {0, 0}, {0, 0}},
      // The status word is all four bytes, whichever is set.
      {{0, 0, 0, 1}, false, {0, 0}, {0, 0}},
      {{0, 0, 2}, false, {0, 0}, {0, 0}},
      {{1}, false, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bytes.size() << " bytes");
    const PrinterStatusReply reply = ParsePrinterStatus(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(reply.ok, c.ok);
    EXPECT_EQ(reply.trays[0].width, c.a.width);
    EXPECT_EQ(reply.trays[0].code, c.a.code);
    EXPECT_EQ(reply.trays[1].width, c.b.width);
    EXPECT_EQ(reply.trays[1].code, c.b.code);
  }

  const Bytes inquiry = InquiryBytes({'1', '.', '0', '5'});
  const Bytes shortInquiry(inquiry.begin(), inquiry.begin() + 38);
  const InquiryReply cut = ParseInquiry(shortInquiry.data(), shortInquiry.size());
  EXPECT_TRUE(cut.ok);
  EXPECT_EQ(Bytes(cut.firmware, cut.firmware + 4), (Bytes{'1', '.', 0, 0}));
  EXPECT_FALSE(ParseInquiry(Bytes{0, 1}.data(), 2).ok);
}

TEST(PrinterInfoReplyTest, NamesEveryMediaCodeOfTheTableAndNoOther) {
  const std::map<int, std::u16string> named = {
      {0, u"Plain Papers"},       {1, u"Coated Paper"},     {3, u"BPF"},
      {4, u"Canvas"},             {5, u"Glossy Paper"},     {6, u"Glossy Film"},
      {7, u"High Quality Paper"}, {8, u"Semi-Gloss Paper"}, {9, u"Semi-Gloss Film"},
      {10, u"Hyper Media"},       {11, u"Heavywight Coated Paper"}, {32, u"Other Media"},
  };
  for (int code = 0; code < 256; ++code) {
    const char16_t* name = MediaName(static_cast<std::uint8_t>(code));
    const auto expected = named.find(code);
    if (expected == named.end()) {
      EXPECT_EQ(name, nullptr) << code;
    } else {
      ASSERT_NE(name, nullptr) << code;
      EXPECT_EQ(std::u16string(name), expected->second) << code;
    }
  }
}

TEST(PrinterInfoReplyTest, FirmwareBytesAreCodePage1252) {
  const std::uint8_t bytes[] = {'A', 0x80, 0x8D, 0x9F, 0xA0, 0xE9, 0xFF, 0x00};
  EXPECT_EQ(TextFromCodePage1252(bytes, sizeof bytes),
            (std::u16string{u'A', 0x20AC, 0x008D, 0x0178, 0x00A0, 0x00E9, 0x00FF, 0}));
}

TEST(PrinterInfoReplyTest, ListRowsPutBlankRowsAroundTheTrays) {
  PrinterInfoLines lines;
  lines.trays[0] = u"a";
  lines.trays[1] = u"b";
  lines.firmware = u"f";
  EXPECT_EQ(ListRows(lines), (std::vector<std::u16string>{u" ", u"a", u"b", u" ", u" ", u"f"}));
  lines.time = u"t";
  EXPECT_EQ(ListRows(lines),
            (std::vector<std::u16string>{u"t", u" ", u"a", u"b", u" ", u" ", u"f"}));
}

TEST(PrinterInfoReplyTest, TimeHasTwoDigitMinutesAndSeconds) {
  EXPECT_EQ(TimeText(kJuly15), u"2002/7/15 9:05:07");
  EXPECT_EQ(TimeText({2023, 12, 31, 23, 59, 10}), u"2023/12/31 23:59:10");
  EXPECT_EQ(TimeText({2000, 1, 1, 0, 0, 0}), u"2000/1/1 0:00:00");
}

TEST_F(PrinterInfoTest, AnAnswerIsShownAndStoredAsTheTableSays) {
  SetReply(kPrinterStatusValue, StatusReply(36, 0, 0, 0));
  SetReply(kInquiryValue, InquiryBytes({'1', '.', '0', '5'}));

  const auto lines = Query();
  ASSERT_TRUE(lines);
  EXPECT_FALSE(lines->time);
  EXPECT_EQ(lines->trays[0], u"Media Tray A: 36in Plain Papers");
  EXPECT_EQ(lines->trays[1], u"Media Tray B: No media");
  EXPECT_EQ(lines->firmware, u"Firmware version: 1.05");

  // One byte of DWORD for a width, names and version without their NUL, the
  // time in 65 bytes with its NUL.
  EXPECT_EQ(Stored(u"MediaSizeA"), Dword({36}));
  EXPECT_EQ(Stored(u"MediaA"), Sz(Utf16(u"Plain Papers")));
  EXPECT_EQ(Stored(u"MediaSizeB"), Dword({0}));
  EXPECT_EQ(Stored(u"MediaB"), Sz(Utf16(u"No media")));
  EXPECT_EQ(Stored(u"FarmVersion"), Sz(Utf16(u"1.05")));
  EXPECT_EQ(Stored(u"GetTime"), Sz(Utf16(u"2002/7/15 9:05:07", 65)));

  const PrinterInfoLines view = ReadStoredPrinterInfo(store_);
  EXPECT_EQ(view.time, u"Time obtained: 2002/7/15 9:05:07");
  EXPECT_EQ(view.trays[0], u"Media Tray A: 36in Plain Papers");
  EXPECT_EQ(view.trays[1], u"Media Tray B: No media");
  EXPECT_EQ(view.firmware, u"Firmware version: 1.05");
}

TEST_F(PrinterInfoTest, TraysAndFirmwareOfEveryKind) {
  struct Case {
    TrayMedia a, b;
    Bytes firmware;  // empty: no "Inquiry" value
    std::u16string lineA, lineB, firmwareLine;
    std::u16string storedA, storedB;
    Bytes storedFirmware;
    std::u16string viewA;
  };
  const Case cases[] = {
      // A media type without a name: the line ends after "in ", the stored
      // name is "No media" and so is the stored view.
      {{24, 2}, {44, 11}, {'V', '2', 0xE9, 0x80},
       u"Media Tray A: 24in ", u"Media Tray B: 44in Heavywight Coated Paper",
       u"Firmware version: V2\u00E9\u20AC", u"No media", u"Heavywight Coated Paper",
       Utf16(u"V2\u00E9\u20AC"), u"Media Tray A: No media"},
      // A width of 0 is no media whatever the code; a NUL ends the version
      // on the page, the stored value keeps four characters.
      {{0, 5}, {17, 32}, {'1', '.', '0', 0},
       u"Media Tray A: No media", u"Media Tray B: 17in Other Media", u"Firmware version: 1.0",
       u"No media", u"Other Media", Utf16(std::u16string(u"1.0\0", 4)),
       u"Media Tray A: No media"},
      // No "Inquiry" value reads as an empty reply: the line ends after its
      // prefix and the stored version is four NULs.
      {{36, 10}, {0, 0}, {}, u"Media Tray A: 36in Hyper Media", u"Media Tray B: No media",
       u"Firmware version: ", u"Hyper Media", u"No media", Bytes(8, 0),
       u"Media Tray A: 36in Hyper Media"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lineA.begin(), c.lineA.end()));
    spooler_.printers[printer_].data.clear();
    SetReply(kPrinterStatusValue, StatusReply(c.a.width, c.a.code, c.b.width, c.b.code));
    if (!c.firmware.empty()) SetReply(kInquiryValue, InquiryBytes(c.firmware));

    const auto lines = Query();
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->trays[0], c.lineA);
    EXPECT_EQ(lines->trays[1], c.lineB);
    EXPECT_EQ(lines->firmware, c.firmwareLine);
    EXPECT_EQ(Stored(u"MediaSizeA"), Dword({c.a.width}));
    EXPECT_EQ(Stored(u"MediaA"), Sz(Utf16(c.storedA)));
    EXPECT_EQ(Stored(u"MediaB"), Sz(Utf16(c.storedB)));
    EXPECT_EQ(Stored(u"FarmVersion"), Sz(c.storedFirmware));
    EXPECT_EQ(ReadStoredPrinterInfo(store_).trays[0], c.viewA);
  }
}

TEST_F(PrinterInfoTest, AnInquiryFailureLeavesOnlyTheVersionOut) {
  SetReply(kPrinterStatusValue, StatusReply(36, 1, 0, 0));
  Bytes failed = InquiryBytes({'1', '.', '0', '5'});
  failed[2] = 1;
  SetReply(kInquiryValue, failed);
  const auto lines = Query();
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->trays[0], u"Media Tray A: 36in Coated Paper");
  EXPECT_EQ(lines->firmware, u"");
  EXPECT_EQ(Stored(u"FarmVersion"), Sz({}));
}

TEST_F(PrinterInfoTest, APrinterThatDoesNotAnswerChangesNothing) {
  SetReply(kPrinterStatusValue, StatusReply(36, 0, 0, 0));
  SetReply(kInquiryValue, InquiryBytes({'1', '.', '0', '5'}));
  ASSERT_TRUE(Query(kJuly15));
  const auto before = store_.values;

  Bytes failing = StatusReply(44, 1, 44, 1);
  failing[3] = 0x80;
  SetReply(kPrinterStatusValue, failing);
  EXPECT_FALSE(Query({2003, 1, 1, 1, 1, 1}));
  EXPECT_EQ(store_.values, before);

  // No reply at all is no news either: the last answer stays.
  spooler_.printers[printer_].data.erase(kPrinterStatusValue);
  EXPECT_FALSE(Query({2003, 1, 1, 1, 1, 1}));
  EXPECT_EQ(store_.values, before);
  EXPECT_FALSE(QueryPrinterInfo(spooler_, reinterpret_cast<PrinterHandle>(7), store_, kJuly15));
  EXPECT_EQ(store_.values, before);
}

TEST_F(PrinterInfoTest, ShortAndLongRepliesAreReadForWhatTheyHold) {
  const Bytes status = StatusReply(36, 4, 0, 0);
  SetReply(kPrinterStatusValue, Bytes(status.begin(), status.begin() + 22));
  SetReply(kInquiryValue, Bytes(4, 0));
  auto lines = Query();
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->trays[0], u"Media Tray A: 36in Canvas");
  EXPECT_EQ(lines->firmware, u"Firmware version: ");

  // More than asked for: the first bytes are the reply.
  Bytes longer = StatusReply(36, 6, 42, 7);
  longer.resize(64, 0x55);
  SetReply(kPrinterStatusValue, longer);
  lines = Query();
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->trays[1], u"Media Tray B: 42in High Quality Paper");
}

TEST_F(PrinterInfoTest, InitialValuesAreWrittenOncePerSettingsRecord) {
  std::uint32_t initialized = 0;
  store_.exists = false;
  EnsureInitialPrinterInfo(store_, &initialized);
  EXPECT_EQ(initialized, 0u) << "tried again by the next sheet";
  store_.exists = true;
  store_.readOnly = true;
  EnsureInitialPrinterInfo(store_, &initialized);
  EXPECT_EQ(initialized, 0u);
  EXPECT_TRUE(store_.values.empty());

  store_.readOnly = false;
  EnsureInitialPrinterInfo(store_, &initialized);
  EXPECT_EQ(initialized, 1u);
  const std::map<std::u16string, MemoryKeyStore::Value> initial = {
      {u"MediaSizeA", Dword({0, 0, 0, 0})},
      {u"MediaSizeB", Dword({0, 0, 0, 0})},
      {u"MediaA", Sz(Utf16(u"No media", 48))},
      {u"MediaB", Sz(Utf16(u"No media", 48))},
      {u"FarmVersion", Sz(Bytes(8, 0))},
      {u"GetTime", Sz(Bytes(8, 0))},
  };
  EXPECT_EQ(store_.values, initial);

  const PrinterInfoLines view = ReadStoredPrinterInfo(store_);
  EXPECT_EQ(ListRows(view),
            (std::vector<std::u16string>{u"Time obtained: ", u" ", u"Media Tray A: No media",
                                         u"Media Tray B: No media", u" ", u" ",
                                         u"Firmware version: "}));

  store_.values[u"MediaA"] = Sz(Utf16(u"kept"));
  EnsureInitialPrinterInfo(store_, &initialized);
  EXPECT_EQ(Stored(u"MediaA"), Sz(Utf16(u"kept")));
}

TEST_F(PrinterInfoTest, StoredViewReadsNoMoreThanItsBuffers) {
  // A key that cannot be read: every line is empty, the time line too.
  store_.exists = false;
  EXPECT_EQ(ListRows(ReadStoredPrinterInfo(store_)),
            (std::vector<std::u16string>{u"", u" ", u"", u"", u" ", u" ", u""}));
  store_.exists = true;

  // 64 characters without a NUL fill the buffer exactly; one more does not fit.
  const std::u16string longest(64, u'x');
  store_.values[u"MediaA"] = Sz(Utf16(longest));
  store_.values[u"MediaSizeA"] = Dword({3, 1});  // two bytes: 259
  store_.values[u"MediaSizeB"] = Dword({0xFF, 0xFF, 0xFF, 0xFF});  // reads as signed
  store_.values[u"MediaB"] = Sz(Utf16(longest + u"y"));
  store_.values[u"FarmVersion"] = Sz({'1', 0, '2'});  // an odd byte is half a character
  store_.values[u"GetTime"] = Sz(Utf16(std::u16string(u"2002/7/15\0junk", 14)));
  const PrinterInfoLines view = ReadStoredPrinterInfo(store_);
  EXPECT_EQ(view.trays[0], u"Media Tray A: 259in " + longest);
  EXPECT_EQ(view.trays[1], u"Media Tray B: -1in ");
  EXPECT_EQ(view.firmware, u"Firmware version: 1");
  EXPECT_EQ(view.time, u"Time obtained: 2002/7/15");
}

}  // namespace
}  // namespace tqr
