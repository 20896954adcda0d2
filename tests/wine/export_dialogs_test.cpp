// The Save as and Open dialogs on real files of the Wine prefix, driven as
// a user drives them: a path typed into the file-name combo, OK, and the
// message boxes answered. Every file is checked byte for byte afterwards.
#include "ui/win32/export_dialogs.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "native/presets_fixture.h"
#include "resources/export_dialogs_ids.h"
#include "ui/win32/module_instance.h"
#include "wine/support/dialog_steps.h"
#include "wine/support/recorded_messages.h"
#include "wine/support/scratch_system.h"

namespace tqr {
namespace {

using test::Bytes;
using test::Click;
using test::DialogStep;
using test::ExportFile;
using test::MakeRecord;

constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_TASKMODAL;

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

// Typing into the combo's edit: the text changes and the dialog hears of it.
void Type(HWND dialog, int combo, const std::wstring& text) {
  SetDlgItemTextW(dialog, combo, text.c_str());
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, combo)));
}

class ExportDialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetModuleInstance(GetModuleHandleW(nullptr));
  }

  std::string Path(const std::string& name) const { return scratch_.Path(name); }
  void Put(const std::string& name, const Bytes& bytes) { scratch_.Put(name, bytes); }
  Bytes Read(const std::string& name) const { return scratch_.Read(name); }
  // The user print mode file with `users` presets titled U0, U1...
  void PutUserFile(std::uint16_t users) { Put("Tqr54usr.cfg", test::PlainUserFile(users)); }

  // Types `name` (a path in the test's folder) into the combo and presses OK.
  DialogStep TypeAndOk(int combo, int ok, const std::string& name) {
    return {combo, [this, combo, ok, name](HWND dialog) {
              Type(dialog, combo, Widen(Path(name)));
              Click(dialog, ok);
            }};
  }
  static DialogStep Press(int control, int id) {
    return {control, [id](HWND dialog) { Click(dialog, id); }};
  }

  // Runs RunSaveAsDialog or RunOpenDialog on the working record with
  // `steps` played in it, and gives what it answered.
  INT_PTR Run(INT_PTR (*dialog)(HWND, PrintModeRecord*), std::deque<DialogStep> steps) {
    INT_PTR result = -1;
    EXPECT_TRUE(test::RunWithSteps(std::move(steps), [&] { result = dialog(nullptr, &working_); }))
        << "the dialog closed before its steps ran";
    return result;
  }
  INT_PTR SaveAs(std::deque<DialogStep> steps) { return Run(RunSaveAsDialog, std::move(steps)); }
  INT_PTR Open(std::deque<DialogStep> steps) { return Run(RunOpenDialog, std::move(steps)); }

  // The user print mode file lives in a folder of the test's own, so that
  // nothing of the prefix's system directory is touched.
  test::ScratchSystemDirectory scratch_;
  ScopedPorts ports_{Ports{&scratch_.files, nullptr, &scratch_.machine}};
  test::RecordedMessages boxes_;
  PrintModeRecord working_ = MakeRecord(u"Poster", 9);
};

// Both dialogs start in the root of the Windows directory's drive, wherever
// the process was, and leave the process there.
TEST_F(ExportDialogsTest, DialogsStartInTheWindowsDrivesRoot) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 3u);
  const std::wstring root(windows, 3);
  const struct {
    INT_PTR (*dialog)(HWND, PrintModeRecord*);
    int combo;
    int directory;
  } kDialogs[] = {{RunSaveAsDialog, IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_DIRECTORY},
                  {RunOpenDialog, IDC_OPEN_FILE_NAME, IDC_OPEN_DIRECTORY}};
  for (const auto& d : kDialogs) {
    ASSERT_TRUE(SetCurrentDirectoryA(scratch_.folder().c_str()));
    std::wstring shown;
    EXPECT_EQ(Run(d.dialog, {{d.combo,
                              [&](HWND dialog) {
                                shown = ItemText(dialog, d.directory);
                                Click(dialog, IDCANCEL);
                              }}}),
              0);
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(CompareStringOrdinal(current, -1, root.c_str(), -1, TRUE), CSTR_EQUAL) << current;
    EXPECT_EQ(CompareStringOrdinal(shown.c_str(), -1, root.c_str(), -1, TRUE), CSTR_EQUAL)
        << shown;
  }
}

TEST_F(ExportDialogsTest, SaveAsIntoANewFileThenIntoItAgain) {
  PutUserFile(1);
  EXPECT_EQ(SaveAs({TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "new")}), 1);
  EXPECT_EQ(Read("new.cfg"), ExportFile(1, {working_}));
  EXPECT_TRUE(boxes_.asked.empty());

  // A name ending in a dot gets "cfg" added.
  const PrintModeRecord first = working_;
  working_ = MakeRecord(u"Banner", 3);
  EXPECT_EQ(SaveAs({TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "new.")}), 1);
  EXPECT_EQ(Read("new.cfg"), ExportFile(2, {first, working_}));
  EXPECT_EQ(Read("new.cfg").size(), 1170u);

  // The same title again: asked, and replaced in place on OK.
  working_ = MakeRecord(u"Poster", 5);
  EXPECT_EQ(SaveAs({TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "new.cfg")}), 1);
  EXPECT_EQ(Read("new.cfg"), ExportFile(2, {working_, MakeRecord(u"Banner", 3)}));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, L"Title `Poster` already exists.\nDo you want to overwrite it?");
  EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
  EXPECT_EQ(boxes_.asked[0].flags, MB_OKCANCEL | kWarning);
}

// Into a file whose bytes run on past its counted records: the new record
// goes where readers look for it, at the count, and the reserved bytes stay.
TEST_F(ExportDialogsTest, SaveAsIntoAnExistingFileAppendsAtTheCount) {
  const PrintModeRecord kept = MakeRecord(u"Kept", 1);
  Bytes before = ExportFile(1, {kept}, 0x5A);
  before.insert(before.end(), {1, 2, 3, 4});
  Put("old.cfg", before);
  EXPECT_EQ(SaveAs({TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "old.cfg")}), 1);
  EXPECT_EQ(Read("old.cfg"), ExportFile(2, {kept, working_}, 0x5A));
}

// Writes that cannot happen leave every file as it was and say why; the
// dialog stays open for another name.
TEST_F(ExportDialogsTest, RefusedWritesLeaveTheFilesAndTellTheUser) {
  const Bytes before = ExportFile(1, {MakeRecord(u"Kept", 1)});
  Put("locked.cfg", before);
  SetFileAttributesA(Path("locked.cfg").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(SaveAs({TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "locked"),
                    TypeAndOk(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_OK, "gone\\x"),
                    Press(IDC_SAVE_AS_FILE_NAME, IDC_SAVE_AS_CANCEL)}),
            0);
  EXPECT_EQ(Read("locked.cfg"), before);
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[0].text, L"locked.cfg\nIllegal filename.\nUse a different name.");
  EXPECT_EQ(boxes_.asked[0].flags, MB_OK | kWarning);
  EXPECT_EQ(boxes_.asked[1].text, L"Path " + Widen(Path("gone\\")) +
                                      L" does not exist.\nCheck the correct path is specified.");
  // Nothing else appeared in the folder: no temporary file, no new one.
  EXPECT_EQ(scratch_.Entries(), std::vector<std::string>{"locked.cfg"});
}

TEST_F(ExportDialogsTest, OpenRefusesATitleClashThenReadsAnotherRecord) {
  PutUserFile(2);  // U0 and U1
  const PrintModeRecord clash = MakeRecord(u"U1", 4);
  const PrintModeRecord fresh = MakeRecord(u"Fresh", 6);
  const Bytes file = ExportFile(2, {clash, fresh});
  Put("in.cfg", file);
  const PrintModeRecord before = working_;
  EXPECT_EQ(Open({TypeAndOk(IDC_OPEN_FILE_NAME, IDC_OPEN_OK, "in.cfg"),
                  {IDC_OPEN_ICONS,
                   [](HWND dialog) {
                     // Refused on its title, the list still shows the file.
                     EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OPEN_ICONS, LB_GETCOUNT, 0, 0), 2);
                     const auto* second = reinterpret_cast<const PrintModeRecord*>(
                         SendDlgItemMessageW(dialog, IDC_OPEN_ICONS, LB_GETITEMDATA, 1, 0));
                     ASSERT_NE(second, nullptr);
                     EXPECT_EQ(TitleOf(*second), u"Fresh");
                     SendDlgItemMessageW(dialog, IDC_OPEN_ICONS, LB_SETCURSEL, 1, 0);
                     Click(dialog, IDC_OPEN_OK);
                   }}}),
            1);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text, L"Title already exists.\nDelete then try to open again.");
  EXPECT_TRUE(test::SameRecord(working_, fresh));
  EXPECT_FALSE(test::SameRecord(working_, before));
  EXPECT_EQ(Read("in.cfg"), file);
  EXPECT_EQ(Read("Tqr54usr.cfg"), test::PlainUserFile(2));
}

// On a double-byte code page the Save page keeps a title of 9 bytes when a
// double-byte character starts at byte 7; its export opens again. Runs on
// code page 932 only (scripts/wine-run with TQR_WINE_KEEP_LOCALE=1 and a
// Japanese LANG).
TEST_F(ExportDialogsTest, OpenTakesANineByteTitleOfADoubleByteCodePage) {
  if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP() << ", not 932";
  const PrintModeRecord kept = MakeRecord(u"ABCDEFG\u65E5", 6);
  Put("wide.cfg", ExportFile(1, {kept}));
  EXPECT_EQ(Open({TypeAndOk(IDC_OPEN_FILE_NAME, IDC_OPEN_OK, "wide.cfg")}), 1);
  EXPECT_TRUE(boxes_.asked.empty());
  EXPECT_TRUE(test::SameRecord(working_, kept));
}

TEST_F(ExportDialogsTest, OpenCancelledLeavesTheWorkingRecord) {
  Put("in.cfg", ExportFile(1, {MakeRecord(u"Fresh", 6)}));
  const PrintModeRecord before = working_;
  EXPECT_EQ(Open({TypeAndOk(IDC_OPEN_FILE_NAME, IDC_OPEN_OK, "missing.cfg"),
                  {IDC_OPEN_FILE_NAME,
                   [](HWND dialog) {
                     // The path went to the directory list; the name stays.
                     EXPECT_EQ(ItemText(dialog, IDC_OPEN_FILE_NAME), L"missing.cfg");
                     Click(dialog, IDCANCEL);
                   }}}),
            0);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"File missing.cfg was not found.\nCheck the correct filename and path are specified.");
  EXPECT_TRUE(test::SameRecord(working_, before));
}

}  // namespace
}  // namespace tqr
