// The user print mode file: its layout, what each reader makes of damaged
// files, and rewrites that never lose the presets already stored.
#include "presets/print_mode_file.h"

#include "presets_fixture.h"

namespace tqr {
namespace {

using test::Bytes;
using test::MakeRecord;
using test::PlainUserFile;
using test::UserFile;

class PrintModeFileTest : public test::PresetFilesTest {
 protected:
  void Put(const Bytes& bytes) { files_.PutBytes(userPath_, bytes); }
};

TEST_F(PrintModeFileTest, FreshMachineGetsTheDefaultFile) {
  UserPrintModes modes;
  EXPECT_EQ(ReadUserPrintModes(&modes), UserFileRead::kNotOpened);
  ASSERT_TRUE(CreateDefaultPrintModeFile());
  EXPECT_EQ(Contents(userPath_), UserFile(5, {0, 1, 2, 3, 4}, {}));
  EXPECT_EQ(Contents(userPath_).size(), 228u);
  ASSERT_EQ(ReadUserPrintModes(&modes), UserFileRead::kRead);
  EXPECT_EQ(modes.count, 5);
  EXPECT_EQ(modes.userCount, 0);
  EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});

  // A file of another program is replaced; nothing of ours was in it.
  Put(Bytes(300, 0x41));
  ASSERT_TRUE(CreateDefaultPrintModeFile());
  EXPECT_EQ(Contents(userPath_), UserFile(5, {0, 1, 2, 3, 4}, {}));

  machine_.systemDirectory.clear();
  EXPECT_EQ(ReadUserPrintModes(&modes), UserFileRead::kNoDirectory);
  EXPECT_FALSE(CreateDefaultPrintModeFile());
}

TEST_F(PrintModeFileTest, MainPageReadsOrderAndRecords) {
  const PrintModeRecord a = MakeRecord(u"Alpha", 1);
  const PrintModeRecord b = MakeRecord(u"Beta", 2);
  Put(UserFile(7, {6, 0, 1, 5, 2, 3, 4}, {a, b}));
  PrintModeRecord builtIn[kBuiltInPrintModes] = {MakeRecord(u"Standard", 9)};
  auto modes = std::make_unique<UserPrintModes>();
  ASSERT_EQ(ReadUserPrintModes(modes.get()), UserFileRead::kRead);
  EXPECT_EQ(modes->count, 7);
  EXPECT_EQ(modes->userCount, 2);
  const PrintModeListView view = modes->View(builtIn);
  EXPECT_EQ(GetTitleAtPosition(view, 0), u"Beta");
  EXPECT_EQ(GetTitleAtPosition(view, 1), u"Standard");
  EXPECT_TRUE(test::SameRecord(*FindPrintModeRecord(view, 5), a));
  EXPECT_EQ(FindPrintModeRecord(view, 7), nullptr);
  EXPECT_EQ(FindPrintModeTitle(view, u"Alpha"), 3);
}

// Each reader on one file. Main: ReadUserPrintModes; order: ReadPrintModeOrder;
// store: LoadPrintModeStore; records: LoadUserPrintModeRecords.
TEST_F(PrintModeFileTest, ReadersOnSignaturesCountsAndShortFiles) {
  const auto twoUsers = [](std::uint16_t count, std::u16string_view signature = u"TQR54VNT") {
    return UserFile(count, {0, 1, 2, 3, 4, 5, 6}, {MakeRecord(u"A"), MakeRecord(u"B")}, signature);
  };
  const auto prefix = [](Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
  };
  Bytes hundredUsers = PlainUserFile(100);
  hundredUsers[16] = 200;  // count 200 over 100 whole records
  const Bytes shortRecords = prefix(twoUsers(7), twoUsers(7).size() - 1);
  const struct Case {
    const char* name;
    Bytes bytes;
    UserFileRead main;
    int mainCount, mainUsers;  // when read
    bool order;
    bool store;
    int records;  // -1: LoadUserPrintModeRecords fails
  } kCases[] = {
      {"sound", twoUsers(7), UserFileRead::kRead, 7, 2, true, true, 2},
      {"letters in other case", twoUsers(7, u"tqr54Vnt"), UserFileRead::kRead, 7, 2, true, true,
       2},
      {"digit differs", twoUsers(7, u"TQR55VNT"), UserFileRead::kUnusable, 0, 0, false, false, -1},
      {"not a letter when folded", twoUsers(7, u"TQR54VN\u0154"), UserFileRead::kUnusable, 0, 0,
       false, false, -1},
      {"empty", {}, UserFileRead::kUnusable, 0, 0, false, false, -1},
      {"signature and count only", prefix(twoUsers(5), 18), UserFileRead::kUnusable, 0, 0, false,
       false, 0},
      // A count that cannot list the built-in modes over exactly whole
      // records is one damaged field: the length says how many there are.
      {"count 4", twoUsers(4), UserFileRead::kRead, 7, 2, true, true, 2},
      {"count 0", twoUsers(0), UserFileRead::kRead, 7, 2, true, true, 2},
      {"count 0, a record cut", prefix(twoUsers(0), twoUsers(0).size() - 1),
       UserFileRead::kUnusable, 0, 0, true, false, 0},
      // The Main page lists only the modes with records.
      {"fewer records than counted", twoUsers(9), UserFileRead::kRead, 7, 2, true, false, -1},
      {"last record cut", shortRecords, UserFileRead::kRead, 6, 1, true, false, -1},
      {"count above 105", hundredUsers, UserFileRead::kRead, 105, 100, true, false, 100},
      {"count 65535", twoUsers(0xFFFF), UserFileRead::kRead, 7, 2, true, false, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Put(c.bytes);
    auto modes = std::make_unique<UserPrintModes>();
    EXPECT_EQ(ReadUserPrintModes(modes.get()), c.main);
    EXPECT_EQ(modes->count, c.mainCount);
    EXPECT_EQ(modes->userCount, c.mainUsers);

    PrintModeOrder order;
    EXPECT_EQ(ReadPrintModeOrder(&order), c.order);
    if (c.order) {
      EXPECT_LE(order.count, kMaxPrintModes);
    }

    PrintModeStore store;
    store.count = 42;
    EXPECT_EQ(LoadPrintModeStore(&store), c.store);
    if (!c.store) {
      EXPECT_EQ(store.count, 42);  // nothing loaded
    }

    std::vector<PrintModeRecord> records(3);
    EXPECT_EQ(LoadUserPrintModeRecords(&records), c.records >= 0);
    EXPECT_EQ(records.size(), static_cast<std::size_t>(c.records >= 0 ? c.records : 0));
  }
  files_.Delete(userPath_);
  PrintModeOrder order;
  std::vector<PrintModeRecord> records;
  PrintModeStore store;
  EXPECT_FALSE(ReadPrintModeOrder(&order));
  EXPECT_FALSE(LoadUserPrintModeRecords(&records));
  EXPECT_FALSE(LoadPrintModeStore(&store));
}

TEST_F(PrintModeFileTest, StoreLoadsOnlyAnOrderOfEveryModeOnce) {
  const std::vector<PrintModeRecord> two = {MakeRecord(u"A"), MakeRecord(u"B")};
  const std::vector<std::uint16_t> kOrders[] = {
      {0, 1, 2, 3, 4, 5, 5},  // a mode twice, one missing
      {0, 1, 2, 3, 4, 5, 7},  // a mode without a record
      {0, 1, 2, 3, 4, 5, 0xFFFF},
  };
  for (const auto& order : kOrders) {
    Put(UserFile(7, order, two));
    PrintModeStore store;
    EXPECT_FALSE(LoadPrintModeStore(&store));
    // The Main page still lists it, repaired: the stray entry gives way to
    // the mode no entry named.
    const std::u16string lastTitle = u"B";
    auto modes = std::make_unique<UserPrintModes>();
    ASSERT_EQ(ReadUserPrintModes(modes.get()), UserFileRead::kRead);
    ASSERT_EQ(modes->count, 7);
    const PrintModeListView view = modes->View(nullptr);
    EXPECT_EQ(GetTitleAtPosition(view, 5), u"A");
    EXPECT_EQ(GetTitleAtPosition(view, 6), lastTitle);
    EXPECT_EQ(modes->userCount, 2);
  }
}

TEST_F(PrintModeFileTest, TextsFromTheFileAreTerminated) {
  PrintModeRecord unterminated = MakeRecord(u"");
  std::fill(std::begin(unterminated.Title), std::end(unterminated.Title), u'T');
  std::fill(std::begin(unterminated.Description), std::end(unterminated.Description), u'D');
  Put(UserFile(6, {0, 1, 2, 3, 4, 5}, {unterminated}));

  const auto check = [](const PrintModeRecord& record) {
    EXPECT_EQ(TitleOf(record), u"TTTTTTTTT");
    EXPECT_EQ(record.Description[kPrintModeDescriptionLength - 1], u'\0');
  };
  auto modes = std::make_unique<UserPrintModes>();
  ASSERT_EQ(ReadUserPrintModes(modes.get()), UserFileRead::kRead);
  check(modes->user[0]);
  PrintModeStore store;
  ASSERT_TRUE(LoadPrintModeStore(&store));
  check(store.user[0]);
  std::vector<PrintModeRecord> records;
  ASSERT_TRUE(LoadUserPrintModeRecords(&records));
  check(records[0]);
}

TEST_F(PrintModeFileTest, PrintModeInEffectIsLookedUpInTheListedEntries) {
  Put(UserFile(6, {0, 1, 2, 3, 4, 5, 9}, {MakeRecord(u"A")}));
  PrintModeOrder order;
  ASSERT_TRUE(ReadPrintModeOrder(&order));
  EXPECT_EQ(order.count, 6);
  EXPECT_TRUE(IsModeListed(order, 5));
  EXPECT_FALSE(IsModeListed(order, 9));  // past the count
  EXPECT_FALSE(IsModeListed(order, 6));
}

// Five user presets in the order 0 .. 9; deleting list position 7 (mode 7).
TEST_F(PrintModeFileTest, DeleteShrinksTheFileAndRenumbers) {
  Put(PlainUserFile(5));
  const Bytes before = Contents(userPath_);
  PrintModeStore store;
  ASSERT_TRUE(LoadPrintModeStore(&store));
  std::uint16_t deleted = 0;
  ASSERT_TRUE(DeletePrintMode(&store, 7, &deleted));
  EXPECT_EQ(deleted, 7);
  ASSERT_TRUE(WritePrintModeStore(store));

  const Bytes& after = Contents(userPath_);
  EXPECT_EQ(after.size(), before.size() - 568);
  std::vector<PrintModeRecord> kept;
  for (std::size_t k : {0, 1, 3, 4}) kept.push_back(test::RecordAt(before, 228 + k * 568));
  EXPECT_EQ(after, UserFile(9, {0, 1, 2, 3, 4, 5, 6, 7, 8}, kept));
  EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});
}

TEST_F(PrintModeFileTest, WriteStoreKeepsLayoutAndNeedsAValidFile) {
  Put(UserFile(6, {5, 0, 1, 2, 3, 4}, {MakeRecord(u"A", 1)}));
  const Bytes original = Contents(userPath_);
  PrintModeStore store;
  ASSERT_TRUE(LoadPrintModeStore(&store));
  ASSERT_TRUE(WritePrintModeStore(store));
  EXPECT_EQ(Contents(userPath_), original);  // byte for byte

  store.working = MakeRecord(u"New", 2);
  ASSERT_TRUE(AppendPrintMode(&store));
  ASSERT_TRUE(WritePrintModeStore(store));
  EXPECT_EQ(Contents(userPath_),
            UserFile(7, {5, 0, 1, 2, 3, 4, 6}, {MakeRecord(u"A", 1), MakeRecord(u"New", 2)}));
  PrintModeStore again;
  ASSERT_TRUE(LoadPrintModeStore(&again));
  EXPECT_EQ(again.count, 7);

  // A signature differing in letter case only is ours, as every reader
  // takes it, and the rewrite spells it as it should be.
  Put(UserFile(7, {0, 1, 2, 3, 4, 5, 6}, {}, u"tqr54vnt"));
  ASSERT_TRUE(WritePrintModeStore(store));
  EXPECT_EQ(Contents(userPath_),
            UserFile(7, {5, 0, 1, 2, 3, 4, 6}, {MakeRecord(u"A", 1), MakeRecord(u"New", 2)}));

  // Refused, with nothing written: another signature, or no file at all.
  const Bytes foreign = UserFile(7, {0, 1, 2, 3, 4, 5, 6}, {}, u"TQR54GFX");
  Put(foreign);
  EXPECT_FALSE(WritePrintModeStore(store));
  EXPECT_EQ(Contents(userPath_), foreign);
  files_.Delete(userPath_);
  EXPECT_FALSE(WritePrintModeStore(store));
  EXPECT_FALSE(files_.Exists(userPath_));
  EXPECT_TRUE(files_.Paths().empty());
}

TEST_F(PrintModeFileTest, StoreIsWritableOnlyWhenTheFileOpensForWriting) {
  EXPECT_FALSE(IsPrintModeStoreWritable());
  Put(PlainUserFile(0));
  EXPECT_TRUE(IsPrintModeStoreWritable());
  files_.denyWrite.insert(userPath_);
  EXPECT_FALSE(IsPrintModeStoreWritable());
  // The rewrite creates its temporary file in the directory: a file this
  // user may change in a directory where he may create nothing is not
  // writable either, and the probe leaves nothing behind.
  files_.denyWrite = {TemporaryFor(userPath_)};
  EXPECT_FALSE(IsPrintModeStoreWritable());
  files_.denyWrite.clear();
  EXPECT_TRUE(IsPrintModeStoreWritable());
  EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});
  machine_.systemDirectory.clear();
  files_.denyWrite.clear();
  EXPECT_FALSE(IsPrintModeStoreWritable());
}

// Every way a rewrite can fail leaves the old file whole and no temporary
// file behind.
TEST_F(PrintModeFileTest, FailedRewritesLeaveTheOldFileWhole) {
  const Bytes original = PlainUserFile(3);
  const std::string temporary = TemporaryFor(userPath_);
  const struct Fault {
    const char* name;
    std::size_t budget;
    const std::string* denied;
    const std::string* unopenable;
    const std::string* unreplaceable;
  } kFaults[] = {
      {"nothing written", 0, nullptr, nullptr, nullptr},
      {"inside the signature", 7, nullptr, nullptr, nullptr},
      {"before the count", 16, nullptr, nullptr, nullptr},
      {"inside the order", 100, nullptr, nullptr, nullptr},
      {"before the records", 228, nullptr, nullptr, nullptr},
      {"inside a record", 228 + 568 + 10, nullptr, nullptr, nullptr},
      {"one byte short", 228 + 4 * 568 - 1, nullptr, nullptr, nullptr},
      {"file write-protected", SIZE_MAX, &userPath_, nullptr, nullptr},
      {"directory write-protected", SIZE_MAX, &temporary, nullptr, nullptr},
      {"temporary file does not open", SIZE_MAX, nullptr, &temporary, nullptr},
      {"move refused", SIZE_MAX, nullptr, nullptr, &userPath_},
  };
  const std::string setAside = userPath_ + ".bak";
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.name);
    files_.Delete(setAside);
    Put(original);
    PrintModeStore store;
    ASSERT_TRUE(LoadPrintModeStore(&store));
    store.working = MakeRecord(u"Fourth", 4);
    ASSERT_TRUE(AppendPrintMode(&store));
    files_.writeBudget = fault.budget;
    if (fault.denied != nullptr) files_.denyWrite.insert(*fault.denied);
    if (fault.unopenable != nullptr) files_.failOpen.insert(*fault.unopenable);
    if (fault.unreplaceable != nullptr) files_.failReplace.insert(*fault.unreplaceable);

    EXPECT_FALSE(WritePrintModeStore(store));
    EXPECT_EQ(Contents(userPath_), original);
    EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});
    // The default file goes the same way over a file it replaces; its 228
    // bytes are cut short at the same place or just before the end.
    if (fault.budget != SIZE_MAX) files_.writeBudget = std::min<std::size_t>(fault.budget, 227);
    EXPECT_FALSE(CreateDefaultPrintModeFile());
    EXPECT_EQ(Contents(userPath_), original);
    // A copy kept aside before the rewrite is a whole copy.
    if (files_.Exists(setAside)) {
      EXPECT_EQ(Contents(setAside), original);
      files_.Delete(setAside);
    }
    EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});
    ClearFaults();
  }
}

// A save that died left the file missing (earlier versions renamed the old
// file away before moving the new one in): the next reader puts the newest
// whole content a dead save left back under the name, rather than letting
// the Main page make the default file; and every save cleans up after the
// dead ones. A process still running may be writing its own: left alone.
TEST_F(PrintModeFileTest, MissingFileComesBackFromWhatADeadSaveLeft) {
  const std::string dead = userPath_ + ".77.tmp";
  const std::string running = userPath_ + ".79.tmp";
  machine_.otherProcesses.insert(79);
  const struct Case {
    const char* name;
    std::vector<std::pair<std::string, Bytes>> left;  // oldest first
    int users;  // -1: nothing to recover
  } kCases[] = {
      {"old content set aside", {{dead + ".old", PlainUserFile(100)}}, 100},
      {"new content whole, old set aside",
       {{dead + ".old", PlainUserFile(3)}, {dead, PlainUserFile(4)}}, 4},
      {"new content cut short",
       {{dead + ".old", PlainUserFile(3)}, {dead, [] {
          Bytes cut = PlainUserFile(4);
          cut.pop_back();
          return cut;
        }()}},
       3},
      {"count of the new content wrong", {{dead, UserFile(6, {0, 1, 2, 3, 4, 5}, {})}}, -1},
      {"of a running process only", {{running, PlainUserFile(2)}}, -1},
      {"of another file", {{userPath_ + "x.78.tmp", PlainUserFile(2)}}, -1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    for (const std::string& path : files_.Paths()) files_.Delete(path);
    for (const auto& [path, bytes] : c.left) files_.PutBytes(path, bytes);
    auto modes = std::make_unique<UserPrintModes>();
    if (c.users < 0) {
      EXPECT_EQ(ReadUserPrintModes(modes.get()), UserFileRead::kNotOpened);
      continue;
    }
    ASSERT_EQ(ReadUserPrintModes(modes.get()), UserFileRead::kRead);
    EXPECT_EQ(modes->userCount, c.users);
    EXPECT_EQ(Contents(userPath_), PlainUserFile(static_cast<std::uint16_t>(c.users)));
    EXPECT_EQ(files_.Paths(), std::vector<std::string>{userPath_});
  }

  // A save removes what dead saves left, and nothing a running one may use.
  for (const std::string& path : files_.Paths()) files_.Delete(path);
  ASSERT_TRUE(CreateDefaultPrintModeFile());
  files_.PutBytes(dead, Bytes(10, 1));
  files_.PutBytes(running, Bytes(10, 2));
  files_.PutBytes(TemporaryFor(userPath_) + ".old", Bytes(10, 3));
  PrintModeStore store;
  ASSERT_TRUE(LoadPrintModeStore(&store));
  store.working = MakeRecord(u"New");
  ASSERT_TRUE(AppendPrintMode(&store));
  ASSERT_TRUE(WritePrintModeStore(store));
  EXPECT_EQ(files_.Paths(), (std::vector<std::string>{userPath_, running}));
}

}  // namespace
}  // namespace tqr
