// The Save as and Open dialogs without windows: the name rules as tables,
// and OK run against fake files and a window that answers from a script
// and writes down what the dialog did to it.
#include "ui/export_dialog_model.h"

#include <string>
#include <vector>

#include "presets_fixture.h"
#include "ui/save_page_model.h"

namespace tqr {
namespace {

using test::Bytes;
using test::ExportFile;
using test::MakeRecord;

constexpr ExportDialogKind kSaveAs = ExportDialogKind::kSaveAs;
constexpr ExportDialogKind kOpen = ExportDialogKind::kOpen;

std::u16string Illegal(std::u16string_view part) {
  return std::u16string(part) + u"\nIllegal filename.";
}

TEST(ExportFileNameTest, RulesInTheirOrder) {
  const std::u16string kDevice =
      u"This file name is reserved for a device name.\nUse another file name.";
  const std::u16string kExtension = u"Use file extension .CFG.";
  const struct Case {
    std::u16string_view part;
    std::u16string saveAs;  // the name, or the message
    std::u16string open;
  } kCases[] = {
      {u"con", kDevice, kDevice},
      {u"CON.cfg", kDevice, kDevice},
      {u"clock", kDevice, kDevice},
      {u"Aux.txt", kDevice, kDevice},
      {u"nul.", kDevice, kDevice},
      {u"console.cfg", u"console.cfg", u"console.cfg"},
      {u"prnt", u"prnt.cfg", u"prnt.cfg"},
      {u"my mode", Illegal(u"my mode"), Illegal(u"my mode")},
      {u"a*.cfg", Illegal(u"a*.cfg"), Illegal(u"a*.cfg")},
      {u"a\"b", Illegal(u"a\"b"), Illegal(u"a\"b")},
      {u"a;b", Illegal(u"a;b"), Illegal(u"a;b")},
      {u"abcdefghi", Illegal(u"abcdefghi"), Illegal(u"abcdefghi")},
      {u"abcdefgh", u"abcdefgh.cfg", u"abcdefgh.cfg"},
      {u".cfg", Illegal(u".cfg"), Illegal(u".cfg")},
      // Latin-1 letters take a byte each, others two.
      {u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9",
       u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.cfg",
       u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.cfg"},
      {u"\u3042\u3042\u3042\u3042", u"\u3042\u3042\u3042\u3042.cfg",
       u"\u3042\u3042\u3042\u3042.cfg"},
      {u"\u3042\u3042\u3042\u3042a", Illegal(u"\u3042\u3042\u3042\u3042a"),
       Illegal(u"\u3042\u3042\u3042\u3042a")},
      {u"mode.txt", kExtension, kExtension},
      {u"mode.", u"mode.cfg", u"mode.cfg"},
      {u"mode.CfG", u"mode.CfG", u"mode.CfG"},
      {u"mode.cfgx", kExtension, kExtension},
      // Save as judges after the first dot, Open after the last.
      {u"a.b.cfg", kExtension, u"a.b.cfg"},
      {u"a.cfg.txt", kExtension, kExtension},
      {u"a.b.", u"a.b.cfg", u"a.b.cfg"},
      // Longer than the 15 units kept: refused, also where the other rules
      // would let it pass, and so is a name its extension makes too long.
      {u"a.bbbbbbbbb.cfg", kExtension, u"a.bbbbbbbbb.cfg"},
      {u"a.bbbbbbbbbb.cfg", Illegal(u"a.bbbbbbbbbb.cfg"), Illegal(u"a.bbbbbbbbbb.cfg")},
      {u"a.bbbbbbbbbbb.", Illegal(u"a.bbbbbbbbbbb."), Illegal(u"a.bbbbbbbbbbb.")},
      {u"a.bbbbbbbb.", u"a.bbbbbbbb.cfg", u"a.bbbbbbbb.cfg"},
      {u"con.aaaaaaaaaaaaaaaaaaaaa", kDevice, kDevice},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.part.begin(), c.part.end()));
    for (const auto& [kind, expected] : {std::pair{kSaveAs, c.saveAs}, std::pair{kOpen, c.open}}) {
      const NameCheck check = CheckExportFileName(kind, c.part);
      EXPECT_EQ(check.message.empty() ? check.name : check.message, expected);
      EXPECT_TRUE(check.message.empty() || check.name.empty());
      EXPECT_LT(check.name.size(), kExportFileNameUnits);
    }
  }
}

TEST(ExportFileNameTest, SplitsPathsAndBuildsPatterns) {
  const struct {
    std::u16string_view text, path, part;
  } kSplits[] = {
      {u"mode.cfg", u"", u"mode.cfg"},
      {u"D:mode", u"D:", u"mode"},
      {u"D:\\dir\\mode", u"D:\\dir\\", u"mode"},
      {u"dir\\", u"dir\\", u""},
      {u"\\\\server\\share\\x.cfg", u"\\\\server\\share\\", u"x.cfg"},
  };
  for (const auto& split : kSplits) {
    const SplitName got = SplitExportName(split.text);
    EXPECT_EQ(got.path, split.path);
    EXPECT_EQ(got.part, split.part);
  }
  EXPECT_EQ(StartingDirectoryPattern(u"E:\\WINDOWS"), u"E:\\*.cfg");
  EXPECT_EQ(StartingDirectoryPattern(u""), u"C:\\*.cfg");
  EXPECT_EQ(DirectoryPattern(u"sub\\", true), u"sub\\*.cfg");
  EXPECT_EQ(DirectoryPattern(u"d:", true), u"d:*.cfg");
  EXPECT_EQ(DirectoryPattern(u"mode.cfg", false), u"*.cfg");
  // A root is made current before its pattern is listed.
  const struct {
    std::u16string_view pattern, root;
  } kRoots[] = {
      {u"C:\\*.cfg", u"C:\\"}, {u"\\*.cfg", u"\\"},  {u"C:\\dir\\*.cfg", u""},
      {u"d:*.cfg", u""},        {u"*.cfg", u""},      {u"sub\\*.cfg", u""},
      {u"\\\\server\\share\\*.cfg", u""},
  };
  for (const auto& c : kRoots) {
    EXPECT_EQ(RootOfPattern(c.pattern), c.root) << std::string(c.pattern.begin(), c.pattern.end());
  }
}

TEST(ExportFileNameTest, FreeSpaceWithoutOverflow) {
  const struct {
    DiskSpace space;
    bool room;
  } kCases[] = {
      {{0, 0, 0}, false},
      {{1, 796, 1}, false},
      {{1, 797, 1}, true},
      {{2, 2, 199}, false},
      {{2, 2, 200}, true},
      // Each product of two would wrap a 32-bit count to 0.
      {{65536, 65536, 1}, true},
      {{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, true},
      {{0xFFFFFFFF, 0xFFFFFFFF, 0}, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(HasRoomForExport(c.space), c.room)
        << c.space.sectorsPerCluster << " " << c.space.bytesPerSector << " "
        << c.space.freeClusters;
  }
}

// A record with `title` filling its field, up to all ten units.
PrintModeRecord Titled(std::u16string_view title, std::uint16_t icon) {
  PrintModeRecord record = MakeRecord(u"");
  std::fill(std::begin(record.Title), std::end(record.Title), u'\0');
  title.copy(record.Title, std::min<std::size_t>(title.size(), kPrintModeTitleLength));
  record.IconIndex = icon;
  return record;
}

TEST(ExportFileNameTest, RecordsFitToImport) {
  fake::FakeMachine machine;
  const ScopedPorts ports(Ports{nullptr, nullptr, &machine});
  const struct {
    PrintModeRecord record;
    bool importable;
  } kCases[] = {
      {Titled(u"Photo", 0), true},
      {Titled(u"abcdefgh", 46), true},
      {Titled(u"Photo", 47), false},
      {Titled(u"Photo", 0xFFFF), false},
      {Titled(u"", 3), false},
      {Titled(u"my mode", 3), false},
      {Titled(u"my\u3000mode", 3), false},
      {Titled(u"abcdefghi", 3), false},
      {Titled(u"abcdefghij", 3), false},  // no NUL in the field
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsImportableRecord(c.record), c.importable)
        << std::string(c.record.Title, c.record.Title + 3) << " " << c.record.IconIndex;
  }
}

// A double-byte code page such as 932: every character beyond ASCII takes
// two bytes.
class DoubleByteMachine : public fake::FakeMachine {
 public:
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override {
    std::string bytes;
    for (char16_t c : text) {
      if (c < 0x80) {
        bytes.push_back(static_cast<char>(c));
      } else {
        bytes.append("\x93\xfa");
      }
    }
    if (bytes.size() + 1 > capacity) return false;
    *out = bytes;
    return true;
  }
};

// A title the Save page keeps opens again, the 9 bytes of a double-byte
// character that starts at byte 7 included; one the page would cut does not.
TEST(ExportFileNameTest, RecordsFitToImportOnADoubleByteCodePage) {
  DoubleByteMachine machine;
  const ScopedPorts ports(Ports{nullptr, nullptr, &machine});
  const struct {
    std::u16string_view title;
    bool importable;
  } kCases[] = {
      {u"ABCDEFG\u65E5", true},              // 9 bytes
      {u"\u65E5\u672C\u8A9E\u7248", true},    // 8 bytes
      {u"ABCDEF\u65E5", true},               // 8 bytes
      {u"ABCDEFGH\u65E5", false},            // the last starts at byte 8
      {u"ABCDEF\u65E5\u672C", false},         // the last starts at byte 8
      {u"\u65E5\u672C\u8A9E\u7248\u3042", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(IsImportableRecord(Titled(c.title, 3)), c.importable) << c.title.size();
    // The page keeps exactly the titles that open again.
    EXPECT_EQ(CleanTitle(c.title) == c.title, c.importable) << c.title.size();
  }
}

// A dialog window that answers from a script and logs what it was told.
class ScriptedWindow : public ExportDialogWindow {
 public:
  std::u16string ComboText() override { return combo; }
  void SetComboText(const std::u16string& text) override {
    combo = text;
    log.push_back(u"combo " + text);
  }
  void FocusCombo() override { log.push_back(u"focus"); }
  void ListRecords(const std::u16string& name) override {
    listed = ListExportRecordsNamed(name);
    log.push_back(u"list " + name);
  }
  int SelectedRecord() override { return selection; }
  bool OpensAsDevice(const std::u16string& name) override { return name == device; }
  bool ListDirectory(const std::u16string& pattern, bool keepTypedName) override {
    log.push_back(u"dir " + pattern + (keepTypedName ? u" keep" : u""));
    if (unlistable-- > 0) return false;
    for (const auto& directory : directories) {
      if (pattern == directory) return true;
    }
    return false;
  }
  bool FreeSpace(DiskSpace* space) override {
    *space = disk;
    return true;
  }
  void Warn(const std::u16string& text) override { log.push_back(u"warn " + text); }
  bool Ask(const std::u16string& text, bool retry) override {
    log.push_back((retry ? u"retry? " : u"ok? ") + text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  std::u16string combo;
  std::u16string device;
  int selection = 0;
  int unlistable = 0;  // how many listings fail before the next
  std::vector<std::u16string> directories;
  DiskSpace disk{8, 512, 1000};
  std::vector<bool> answers;  // OK or Retry for true; Cancel once they run out
  std::vector<PrintModeRecord> listed;
  std::vector<std::u16string> log;
};

using Log = std::vector<std::u16string>;

class ExportDialogTest : public test::PresetFilesTest {
 protected:
  // A user print mode file with `users` presets titled U0, U1...
  void PutUserFile(std::uint16_t users) { files_.PutBytes(userPath_, test::PlainUserFile(users)); }

  bool PressOk(ExportDialogKind kind, const std::u16string& typed) {
    model_ = StartExportDialog(kind, &working_);
    window_.combo = typed;
    window_.log.clear();
    return PressExportOk(&model_, window_);
  }

  PrintModeRecord working_ = MakeRecord(u"Poster", 9);
  ExportDialogModel model_;
  ScriptedWindow window_;
};

TEST_F(ExportDialogTest, SaveAsCreatesThenAppendsAtTheCount) {
  ASSERT_TRUE(PressOk(kSaveAs, u"new"));
  EXPECT_EQ(window_.log, (Log{u"dir new\\*.cfg", u"combo new"}));
  EXPECT_EQ(Contents("new.cfg"), ExportFile(1, {working_}));
  EXPECT_EQ(Contents("new.cfg").size(), 602u);

  // Bytes after the counted records are not taken for records: the next
  // one goes where a reader looks for it.
  Contents("new.cfg").insert(Contents("new.cfg").end(), {9, 9, 9});
  const PrintModeRecord first = working_;
  working_ = MakeRecord(u"Banner", 4);
  ASSERT_TRUE(PressOk(kSaveAs, u"new."));
  EXPECT_EQ(Contents("new.cfg"), ExportFile(2, {first, working_}));
  EXPECT_EQ(Contents("new.cfg").size(), 1170u);
  EXPECT_EQ(std::u16string(model_.fileName), u"new.cfg");
}

TEST_F(ExportDialogTest, SaveAsAsksBeforeOverwritingATitle) {
  const PrintModeRecord other = MakeRecord(u"Other", 2);
  const Bytes before = ExportFile(2, {MakeRecord(u"Poster", 1), other}, 0x77);
  files_.PutBytes("set.cfg", before);

  window_.answers = {false};
  EXPECT_FALSE(PressOk(kSaveAs, u"set."));
  EXPECT_EQ(Contents("set.cfg"), before);
  EXPECT_EQ(window_.log, (Log{u"dir set.\\*.cfg", u"combo set.",
                              u"ok? Title `Poster` already exists.\nDo you want to overwrite it?",
                              u"focus", u"list "}));
  EXPECT_EQ(model_.fileName[0], u'\0');

  window_.answers = {true};
  ASSERT_TRUE(PressOk(kSaveAs, u"set."));
  EXPECT_EQ(Contents("set.cfg"), ExportFile(2, {working_, other}, 0x77));
}

// Every refusal of Save as, in the order of the checks: the file stays as it
// was, the user reads why, and the combo gets the focus back.
TEST_F(ExportDialogTest, SaveAsRefusals) {
  const Bytes sound = ExportFile(1, {MakeRecord(u"A", 1)});
  constexpr DiskSpace kRoom{8, 512, 1000};
  const std::u16string kLong = u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";
  const struct Case {
    const char* name;
    std::u16string typed;
    Bytes file;  // at "x.cfg"
    DiskSpace disk;
    bool readOnly;
    std::u16string message;
  } kCases[] = {
      // clang-format off
      {"device", u"con.cfg", sound, kRoom, false,
       u"This file name is reserved for a device name.\nUse another file name."},
      {"illegal", u"x y", sound, kRoom, false, u"x y\nIllegal filename."},
      {"too long to keep", kLong, sound, kRoom, false, kLong + u"\nIllegal filename."},
      {"extension", u"x.txt", sound, kRoom, false, u"Use file extension .CFG."},
      {"disk full", u"x", sound, {1, 512, 1}, false, u"Error occurred during file creation."},
      {"not ours", u"x", ExportFile(1, {}, 0, std::u16string_view(u"TQR54VNT", 9)), kRoom, false,
       u"File format does not match."},
      {"short header", u"x", Bytes(20, 0), kRoom, false, u"File format does not match."},
      {"records missing", u"x", ExportFile(3, {MakeRecord(u"A", 1)}), kRoom, false,
       u"Error occurred during file creation."},
      {"read-only", u"x", sound, kRoom, true, u"x.cfg\nIllegal filename.\nUse a different name."},
      // clang-format on
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    files_.PutBytes("x.cfg", c.file);
    if (c.readOnly) files_.denyWrite.insert("x.cfg");
    window_.disk = c.disk;
    EXPECT_FALSE(PressOk(kSaveAs, c.typed));
    EXPECT_EQ(Contents("x.cfg"), c.file);
    EXPECT_EQ(files_.Paths(), std::vector<std::string>{"x.cfg"});
    ASSERT_GE(window_.log.size(), 3u);
    EXPECT_EQ(window_.log[window_.log.size() - 3], u"warn " + c.message);
    EXPECT_EQ(window_.log[window_.log.size() - 2], u"focus");
    EXPECT_EQ(window_.log.back(), u"list ");  // the kept name is cleared
    for (char16_t unit : model_.fileName) EXPECT_EQ(unit, u'\0');
    ClearFaults();
  }
}

// A write that fails after the checks leaves the old file whole, says so,
// and lists the file again under the name kept.
TEST_F(ExportDialogTest, FailedWriteKeepsTheFileAndTheName) {
  const Bytes before = ExportFile(1, {MakeRecord(u"A", 1)});
  for (std::size_t budget : {std::size_t{0}, std::size_t{40}, std::size_t{34 + 2 * 568 - 1}}) {
    files_.PutBytes("x.cfg", before);
    files_.writeBudget = budget;
    EXPECT_FALSE(PressOk(kSaveAs, u"x"));
    EXPECT_EQ(Contents("x.cfg"), before);
    EXPECT_EQ(files_.Paths(), std::vector<std::string>{"x.cfg"});
    EXPECT_EQ(window_.log, (Log{u"dir x\\*.cfg", u"combo x",
                                u"warn Error occurred during file creation.", u"list x.cfg"}));
    ASSERT_EQ(window_.listed.size(), 1u);
    EXPECT_EQ(TitleOf(window_.listed[0]), u"A");
  }
  ClearFaults();
  files_.failReplace.insert("x.cfg");
  EXPECT_FALSE(PressOk(kSaveAs, u"x"));
  EXPECT_EQ(Contents("x.cfg"), before);
}

TEST_F(ExportDialogTest, PathsAndDrivesBeforeTheName) {
  const struct Case {
    const char* name;
    std::u16string typed;
    std::vector<bool> answers;
    Log log;
  } kCases[] = {
      {"a directory is entered", u"D:\\sub", {}, {u"dir D:\\sub\\*.cfg"}},
      {"a path is listed, keeping the name",
       u"D:\\new\\..\\m",
       {},
       {u"dir D:\\new\\..\\m\\*.cfg", u"dir D:\\new\\..\\*.cfg keep", u"combo m",
        u"warn File m.cfg was not found.\nCheck the correct filename and path are specified.",
        u"focus", u"list "}},
      {"an empty name empties the list", u"", {}, {u"list "}},
      {"a device",
       u"COM1",
       {},
       {u"warn This file name is reserved for a device name.\nUse another file name."}},
      {"a missing path",
       u"D:\\gone\\m",
       {},
       {u"dir D:\\gone\\m\\*.cfg", u"dir D:\\gone\\*.cfg keep",
        u"warn Path D:\\gone\\ does not exist.\nCheck the correct path is specified.", u"focus"}},
      {"a missing drive",
       u"q:m",
       {},
       {u"dir q:m\\*.cfg", u"dir q:*.cfg keep",
        u"warn Drive q: is not available.\nCheck the correct drive letter is specified.",
        u"focus"}},
      {"a floppy drive is retried",
       u"b:m",
       {true},
       {u"dir b:m\\*.cfg", u"dir b:*.cfg keep", u"retry? Cannot set up this drive.",
        u"dir b:*.cfg keep", u"retry? Cannot set up this drive.", u"focus"}},
      {"a path alone", u"D:\\new\\", {}, {u"dir D:\\new\\\\*.cfg", u"dir D:\\new\\*.cfg keep"}},
  };
  window_.device = u"COM1";
  window_.directories = {u"D:\\sub\\*.cfg", u"D:\\new\\..\\*.cfg", u"D:\\new\\*.cfg"};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    window_.answers = c.answers;
    EXPECT_FALSE(PressOk(kOpen, c.typed));
    EXPECT_EQ(window_.log, c.log);
  }
  // Nothing was read or written on the way.
  EXPECT_EQ(TitleOf(working_), u"Poster");
  EXPECT_TRUE(files_.Paths().empty());
}

TEST_F(ExportDialogTest, OpenReadsTheSelectedRecordIntoTheWorkingOne) {
  PutUserFile(2);
  const PrintModeRecord a = MakeRecord(u"A", 1);
  const PrintModeRecord b = MakeRecord(u"B", 2);
  const Bytes file = ExportFile(2, {a, b});
  files_.PutBytes("modes.cfg", file);
  window_.selection = 1;
  ASSERT_TRUE(PressOk(kOpen, u"modes"));
  EXPECT_TRUE(test::SameRecord(working_, b));
  EXPECT_EQ(Contents("modes.cfg"), file);
  // Open judges the extension after the last dot.
  files_.PutBytes("a.b.cfg", file);
  window_.selection = 0;
  ASSERT_TRUE(PressOk(kOpen, u"a.b.cfg"));
  EXPECT_TRUE(test::SameRecord(working_, a));
}

// Every refusal of Open, in the order of the checks: the working record is
// untouched and the user reads why.
TEST_F(ExportDialogTest, OpenRefusals) {
  const auto record = [](std::u16string_view title, std::uint16_t icon) {
    PrintModeRecord made = MakeRecord(title, 1);
    made.IconIndex = icon;
    return made;
  };
  PrintModeRecord unterminated = record(u"", 1);
  std::fill(std::begin(unterminated.Title), std::end(unterminated.Title), u'T');
  const Bytes sound = ExportFile(1, {record(u"New", 1)});
  const struct Case {
    const char* name;
    std::uint16_t users;
    Bytes file;
    int selection;
    std::u16string message;  // empty: refused without one
  } kCases[] = {
      {"too many presets", 100, sound, 0, u"Cannot save more than 100 Print Mode icons."},
      {"no such file",
       0,
       {},
       0,
       u"File in.cfg was not found.\nCheck the correct filename and path are specified."},
      {"not ours", 0, ExportFile(1, {}, 0, std::u16string_view(u"TQR54vnt", 9)), 0,
       u"File format does not match."},
      {"no selection", 0, sound, -1, u""},
      {"no selection in a foreign file", 0, Bytes(33, 0), -1, u"File format does not match."},
      {"record past the file", 0, ExportFile(3, {record(u"New", 1)}), 2,
       u"Error occurred during file creation."},
      {"record past the count", 0, ExportFile(1, {record(u"New", 1), record(u"More", 1)}), 1,
       u"Error occurred during file creation."},
      {"icon the driver lacks", 0, ExportFile(1, {record(u"New", 47)}), 0,
       u"File format does not match."},
      {"title with a space", 0, ExportFile(1, {record(u"New one", 3)}), 0,
       u"File format does not match."},
      {"title without its end", 0, ExportFile(1, {unterminated}), 0,
       u"File format does not match."},
      {"empty title", 0, ExportFile(1, {record(u"", 3)}), 0, u"File format does not match."},
      {"title of a user preset", 3, ExportFile(1, {record(u"U2", 5)}), 0,
       u"Title already exists.\nDelete then try to open again."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    PutUserFile(c.users);
    files_.Delete("in.cfg");
    if (!c.file.empty()) files_.PutBytes("in.cfg", c.file);
    window_.selection = c.selection;
    const PrintModeRecord before = working_;
    EXPECT_FALSE(PressOk(kOpen, u"in"));
    EXPECT_TRUE(test::SameRecord(working_, before));
    Log expected = {u"dir in\\*.cfg", u"combo in"};
    if (!c.message.empty()) expected.insert(expected.end(), {u"warn " + c.message, u"focus"});
    // After a title clash the list keeps the file's records.
    if (model_.titleClash != kTitleClashFlag) expected.push_back(u"list ");
    EXPECT_EQ(window_.log, expected);
  }
  EXPECT_EQ(model_.titleClash, kTitleClashFlag);
}

// A typed name longer than the kept part is refused whole; it is never cut
// to fit, and nothing lands past the field.
TEST_F(ExportDialogTest, OverLongNamesAreRefusedNotCut) {
  files_.PutBytes("a.bbbbbbbbb.cfg", ExportFile(1, {MakeRecord(u"A", 1)}));
  for (const std::u16string typed : {u"a.bbbbbbbbb.cfgx", u"a.bbbbbbbbbbbbbbbbbbbbbbbbbb.cfg"}) {
    SCOPED_TRACE(std::string(typed.begin(), typed.end()));
    for (ExportDialogKind kind : {kSaveAs, kOpen}) {
      EXPECT_FALSE(PressOk(kind, typed));
      EXPECT_EQ(window_.log[2], u"warn " + Illegal(typed));
      for (char16_t unit : model_.fileName) EXPECT_EQ(unit, u'\0');
    }
  }
  EXPECT_EQ(files_.Paths(), std::vector<std::string>{"a.bbbbbbbbb.cfg"});
  EXPECT_EQ(TitleOf(working_), u"Poster");
}

TEST_F(ExportDialogTest, DoubleClickRetriesADriveUntilCancel) {
  window_.unlistable = 2;
  window_.directories = {u"a:*.cfg"};
  window_.answers = {true, true};
  EXPECT_TRUE(EnterDirectory(window_, u"a:*.cfg", false));
  EXPECT_EQ(window_.log, (Log{u"dir a:*.cfg", u"retry? Cannot set up this drive.", u"dir a:*.cfg",
                              u"retry? Cannot set up this drive.", u"dir a:*.cfg"}));
  window_.log.clear();
  window_.unlistable = 1;
  EXPECT_FALSE(EnterDirectory(window_, u"a:*.cfg", false));
  EXPECT_EQ(window_.log, (Log{u"dir a:*.cfg", u"retry? Cannot set up this drive.", u"focus"}));
}

}  // namespace
}  // namespace tqr
