// Loading through the cache, against the in-memory file system: when the
// cache is used, rebuilt or left alone, and what an unsound cache does.
#include <gtest/gtest.h>

#include <algorithm>

#include "devdesc/ddf.h"
#include "devdesc/ddf_needed.h"
#include "support/needed_features_text.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_reader.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "support/image_bytes.h"
#include "support/overlapping_image.h"

namespace tqr {
namespace {

constexpr char kTextPath[] = "C:\\drv\\TQR54GFX.DDF";
constexpr char kCachePath[] = "C:\\drv\\TQR54GFX.BDF";
constexpr char kText[] =
    "*FileVersion: \"1.01\";\n*PrinterID: \"TQ\";\n"
    "*Media: \"Plain\", 1;\n*Media: \"Photo\", 2;\n"
    "*Mode: DDF_STRUCT_ITEM, \"Draft\", 0;\n*Mode: DDF_STRUCT_ITEM, \"Fine\", 1;\n"
    TQR_NEEDED_FEATURES_TEXT;

class DdfLoadTest : public ::testing::Test {
 protected:
  DdfLoadTest() : ports_(Ports{&files_, &spooler_, &machine_}) {}

  void SetUp() override {
    files_.Put(kTextPath, kText);
    ASSERT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(kText),
                                        sizeof kText - 1, &compiled_, nullptr));
  }
  void TearDown() override {
    DdfFree(&handle_);
    // No temporary file of a rebuild is ever left behind.
    for (const auto& path : files_.Paths()) EXPECT_EQ(path.find(".tmp"), std::string::npos) << path;
  }

  // Loads, checks that the answer is the description, and frees it.
  void ExpectLoads() {
    handle_ = DdfLoad(kTextPath);
    ASSERT_NE(handle_, nullptr);
    EXPECT_EQ(DdfQuery(handle_, "Mode", DDFQ_COUNT, nullptr, 0, 0), 2u);
    EXPECT_EQ(std::vector<std::uint8_t>(handle_, handle_ + compiled_.size()), compiled_);
    DdfFree(&handle_);
  }
  std::vector<std::uint8_t>& Cache() { return files_.At(kCachePath).bytes; }

  fake::FakeFileSystem files_;
  fake::FakeSpooler spooler_;
  fake::FakeMachine machine_;
  ScopedPorts ports_;
  std::vector<std::uint8_t> compiled_;
  DdfHandle handle_ = nullptr;
};

TEST_F(DdfLoadTest, FirstLoadWritesTheCacheAndLaterLoadsOnlyReadIt) {
  ExpectLoads();
  ASSERT_TRUE(files_.Exists(kCachePath));
  EXPECT_EQ(Cache(), compiled_);
  const int opens = files_.opens;
  ExpectLoads();
  EXPECT_EQ(files_.opens - opens, 1);  // the cache; the text's time is asked by name
}

// The text's time is asked by its name, so a current cache is used even
// while the text cannot be opened (an installer holding it); a stale one
// still needs the text, and gives nothing without it.
TEST_F(DdfLoadTest, OnlyARebuildNeedsToOpenTheText) {
  ExpectLoads();
  files_.failOpen.insert(kTextPath);
  ExpectLoads();
  files_.Touch(kTextPath);
  handle_ = DdfLoad(kTextPath);
  EXPECT_EQ(handle_, nullptr);
}

TEST_F(DdfLoadTest, ACacheCarryingTheTextsTimeIsUsedAsItIs) {
  ExpectLoads();
  EXPECT_EQ(files_.At(kCachePath).lastWrite, files_.At(kTextPath).lastWrite);
  Cache()[5] = 'X';  // "TX": still sound, so it is taken as current
  handle_ = DdfLoad(kTextPath);
  ASSERT_NE(handle_, nullptr);
  EXPECT_EQ(handle_[5], 'X');
}

// Only a cache stamped with the text's own time is current: a text touched
// after it, a text replaced by one with an older time of its own (as
// installers copy files) and a cache written later by another tool are all
// rebuilt; a text dated in the future is rebuilt once and then left alone.
TEST_F(DdfLoadTest, ACacheIsCurrentOnlyWithTheTextsOwnTime) {
  const struct {
    const char* what;
    std::int64_t textShift;   // added to the text's time after the first load
    std::int64_t cacheShift;  // and to the cache's
  } kCases[] = {
      {"text touched", 10, 0},
      {"text replaced by an older one", -10, 0},
      {"cache written later", 0, 10},
      {"cache older", 0, -10},
  };
  for (const auto& c : kCases) {
    ExpectLoads();
    Cache()[5] = 'X';
    files_.At(kTextPath).lastWrite += static_cast<std::uint64_t>(c.textShift);
    files_.At(kCachePath).lastWrite += static_cast<std::uint64_t>(c.cacheShift);
    ExpectLoads();
    EXPECT_EQ(Cache(), compiled_) << c.what;
    EXPECT_EQ(files_.At(kCachePath).lastWrite, files_.At(kTextPath).lastWrite) << c.what;
  }
  files_.At(kTextPath).lastWrite = 1ull << 62;  // far in the future
  ExpectLoads();
  const int deletes = files_.deletes;
  const std::size_t paths = files_.Paths().size();
  for (int load = 0; load < 3; ++load) ExpectLoads();
  EXPECT_EQ(files_.deletes, deletes);
  EXPECT_EQ(files_.Paths().size(), paths);
  EXPECT_EQ(files_.At(kCachePath).lastWrite, 1ull << 62);
}

// A stale cache that cannot be deleted (read-only, held open) stays where it
// is, but its answers are never used: the text compiled afresh is.
TEST_F(DdfLoadTest, AStaleCacheThatCannotBeDeletedIsNeverUsed) {
  ExpectLoads();
  Cache()[5] = 'X';
  files_.Touch(kTextPath);
  files_.failDelete.insert(kCachePath);
  ExpectLoads();
  EXPECT_EQ(Cache()[5], 'X');
}

TEST_F(DdfLoadTest, UnreadableTimesRebuild) {
  ExpectLoads();
  Cache()[5] = 'X';
  files_.failTime.insert(kCachePath);
  ExpectLoads();
}

TEST_F(DdfLoadTest, UnsoundCachesAreStaleAndReplaced) {
  using test::PutU16;
  ExpectLoads();
  // Read back once, so that the sound image is the one this process keeps:
  // bytes equal to it skip the check, and none of those below may.
  ExpectLoads();
  const std::vector<std::uint8_t> good = Cache();
  const std::size_t total = good.size();
  const std::uint16_t mediaFeature = test::U16(good, 46 + 2 * 11);
  const std::uint16_t firstOption = test::U16(good, mediaFeature + 20);
  std::vector<std::pair<const char*, std::vector<std::uint8_t>>> damaged;
  auto add = [&](const char* what, auto edit) {
    std::vector<std::uint8_t> bytes = good;
    edit(&bytes);
    damaged.emplace_back(what, bytes);
  };
  add("truncated", [&](auto* b) { b->resize(total - 1); });
  add("half written", [&](auto* b) { b->resize(total / 2); });
  add("longer than its total", [&](auto* b) { b->push_back(0); });
  add("empty", [&](auto* b) { b->clear(); });
  add("header size wrong", [&](auto* b) { PutU16(b, 42, 80); });
  add("slot past the end", [&](auto* b) { PutU16(b, 46 + 2 * 11, static_cast<std::uint16_t>(total - 10)); });
  add("slot inside the header", [&](auto* b) { PutU16(b, 46, 4); });
  add("unknown feature type", [&](auto* b) { (*b)[mediaFeature] = 7; });
  add("option past the end", [&](auto* b) { PutU16(b, mediaFeature + 20, static_cast<std::uint16_t>(total - 20)); });
  add("previous link wrong", [&](auto* b) { PutU16(b, firstOption, firstOption); });
  add("next link back to itself", [&](auto* b) {
    const std::uint16_t second = test::U16(*b, firstOption + 2);
    PutU16(b, second + 2, second);
  });
  add("indexes out of order", [&](auto* b) { PutU16(b, firstOption + 4, 1); });
  add("unterminated name", [&](auto* b) { std::fill(b->begin() + firstOption + 6, b->begin() + firstOption + 70, 'n'); });
  add("unknown version", [&](auto* b) { (*b)[0] = 1; });
  add("two features in one record", [&](auto* b) { PutU16(b, 46 + 2 * 12, mediaFeature); });
  add("records overlap", [&](auto* b) { *b = test::OverlappingPaperImage(880, 74); });
  for (const auto& [what, bytes] : damaged) {
    files_.PutBytes(kCachePath, bytes);
    files_.At(kCachePath).lastWrite = files_.At(kTextPath).lastWrite;  // current
    ExpectLoads();
    EXPECT_EQ(Cache(), compiled_) << what;
  }
}

// Paper records laid `stride` bytes apart: touching or apart they are sound,
// sharing even one byte they are not, wherever the bytes fall.
TEST(DdfImageSoundness, RecordsMayTouchButNeverShareAByte) {
  const struct {
    std::uint16_t stride;
    bool sound;
  } cases[] = {{96, true}, {97, true}, {160, true}, {95, false}, {65, false}, {1, false}};
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> image = test::OverlappingPaperImage(40, c.stride);
    EXPECT_EQ(ddf::IsSoundImage(image.data(), image.size()), c.sound) << "stride " << c.stride;
  }
}

TEST_F(DdfLoadTest, ACurrentCacheThatCannotBeReadStaysAndTheTextIsUsed) {
  ExpectLoads();
  Cache()[5] = 'X';
  files_.failRead.insert(kCachePath);
  ExpectLoads();  // compiled afresh: the old "TX" is not what comes back
  EXPECT_EQ(Cache()[5], 'X');
}

TEST_F(DdfLoadTest, AnUnwritableDirectoryStillYieldsTheDescription) {
  files_.failMove = true;
  ExpectLoads();
  EXPECT_FALSE(files_.Exists(kCachePath));
  files_.failMove = false;
  files_.writeBudget = 100;  // the disk fills up half way
  ExpectLoads();
  EXPECT_FALSE(files_.Exists(kCachePath));
}

TEST_F(DdfLoadTest, FailsWithoutTextOrWithAWrongVersion) {
  EXPECT_EQ(DdfLoad(nullptr), nullptr);
  EXPECT_EQ(DdfLoad("C:\\drv\\MISSING.DDF"), nullptr);
  files_.Put(kTextPath, "*FileVersion: \"1.0\";\n");
  EXPECT_EQ(DdfLoad(kTextPath), nullptr);
  EXPECT_FALSE(files_.Exists(kCachePath));
}

// Empty, cut short, without one feature the answers rest on, or not a
// description at all: the loader refuses the text, writes no cache and
// leaves a last error to show, so no call answers 0 papers with five
// nameless bins, nor -1 with no reason.
TEST_F(DdfLoadTest, RefusesADescriptionLackingANeededFeature) {
  const std::string whole = kText;
  std::vector<std::string> texts = {"", whole.substr(0, whole.find("*PaperFeed")),
                                    "*FileVersion: \"2.00\";\n" + whole,
                                    "*Media: \"" + std::string(200, 'x') + "\", 1;\n" + whole};
  for (const char* feature : kNeededFeatures) {
    std::string text;
    std::size_t start = 0;
    for (std::size_t end; (end = whole.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string line = whole.substr(start, end + 1 - start);
      if (line.rfind(std::string("*") + feature + ":", 0) != 0) text += line;
    }
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    files_.Put(kTextPath, text);
    machine_.lastError = 0;
    EXPECT_EQ(DdfLoad(kTextPath), nullptr);
    EXPECT_EQ(machine_.lastError, kErrorInvalidData);
    EXPECT_FALSE(files_.Exists(kCachePath));
  }
}

// A sound cache without the needed features is no answer either: it goes,
// and the complete text is compiled in its place.
TEST_F(DdfLoadTest, ACurrentCacheLackingANeededFeatureIsReplaced) {
  std::vector<std::uint8_t> incomplete;
  const char text[] = "*FileVersion: \"1.01\";\n*Mode: DDF_STRUCT_ITEM, \"Draft\", 0;\n";
  ASSERT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text), sizeof text - 1,
                                      &incomplete, nullptr));
  files_.PutBytes(kCachePath, incomplete);
  files_.At(kCachePath).lastWrite = files_.At(kTextPath).lastWrite;
  ExpectLoads();
  EXPECT_EQ(Cache(), compiled_);
}

// A current cache whose paper size had a bit flipped past what a settings
// record can carry (A3 Rotated's width 42000 became 566288, which a record
// took as -8908 mm) is refused and made again from the text; a text with
// such a paper is refused as one lacking a feature is.
TEST_F(DdfLoadTest, APaperNoRecordCanCarryIsNeverTrusted) {
  ExpectLoads();
  const std::vector<std::uint8_t> good = Cache();
  const std::string name = "A4";
  const auto at = std::search(good.begin(), good.end(), name.begin(), name.end());
  ASSERT_NE(at, good.end());
  const std::size_t paper = static_cast<std::size_t>(at - good.begin()) - 6;  // the option's head
  const struct Flip {
    const char* what;
    std::size_t field;  // width 72, length 76
    int bit;
  } kFlips[] = {{"width, bit 19", 72, 19}, {"length, bit 31", 76, 31}, {"width, bit 22", 72, 22}};
  for (const Flip& flip : kFlips) {
    SCOPED_TRACE(flip.what);
    std::vector<std::uint8_t> damaged = good;
    damaged[paper + flip.field + flip.bit / 8] ^= static_cast<std::uint8_t>(1u << (flip.bit % 8));
    files_.PutBytes(kCachePath, damaged);
    files_.At(kCachePath).lastWrite = files_.At(kTextPath).lastWrite;  // current
    ExpectLoads();
    EXPECT_EQ(Cache(), compiled_);
  }
  for (const char* size : {"(327680, 29700)", "(21000, 4294967295)"}) {
    std::string text = kText;
    text.replace(text.find("(21000, 29700)"), 14, size);
    files_.Put(kTextPath, text);
    files_.Delete(kCachePath);
    EXPECT_EQ(DdfLoad(kTextPath), nullptr) << size;
    EXPECT_FALSE(files_.Exists(kCachePath)) << size;
  }
  std::string largest = kText;
  largest.replace(largest.find("(21000, 29700)"), 14, "(327679, 327679)");
  files_.Put(kTextPath, largest);
  handle_ = DdfLoad(kTextPath);
  EXPECT_NE(handle_, nullptr);
}

TEST_F(DdfLoadTest, CachePathReplacesTheLastExtension) {
  files_.Put("C:\\a.b\\DESC", kText);
  files_.Put("C:\\a.b\\desc.txt", kText);
  handle_ = DdfLoad("C:\\a.b\\DESC");
  DdfFree(&handle_);
  handle_ = DdfLoad("C:\\a.b\\desc.txt");
  EXPECT_TRUE(files_.Exists("C:\\a.b\\DESC.BDF"));
  EXPECT_TRUE(files_.Exists("C:\\a.b\\desc.BDF"));
}

TEST_F(DdfLoadTest, FreeNullsTheHandleAndLeavesNullAlone) {
  handle_ = DdfLoad(kTextPath);
  ASSERT_NE(handle_, nullptr);
  DdfFree(&handle_);
  EXPECT_EQ(handle_, nullptr);
  DdfFree(&handle_);
  DdfFree(nullptr);
}

TEST_F(DdfLoadTest, PathComesFromTheDriverDataFile) {
  int printer = 0;
  spooler_.printers[&printer].dataFile = u"C:\\windows\\system32\\spool\\drivers\\x64\\3\\TQR54GFX.DDF";
  auto path = DdfGetPath(&printer);
  ASSERT_NE(path, nullptr);
  EXPECT_STREQ(path.get(), "C:\\windows\\system32\\spool\\drivers\\x64\\3\\TQR54GFX.DDF");
  spooler_.printers[&printer].dataFile = u"D:\\x\\OTHER.DAT";
  EXPECT_STREQ(DdfGetPath(&printer).get(), "D:\\x\\TQR54GFX.DDF");
  spooler_.printers[&printer].dataFile = u"NOSLASH";
  EXPECT_STREQ(DdfGetPath(&printer).get(), "TQR54GFX.DDF");
  spooler_.printers[&printer].dataFile = u"C:\\" + std::u16string(250, u'd') + u"\\X";
  EXPECT_EQ(DdfGetPath(&printer), nullptr);  // does not fit 260 bytes
  EXPECT_EQ(DdfGetPath(nullptr), nullptr);   // the spooler does not know it
}

}  // namespace
}  // namespace tqr
