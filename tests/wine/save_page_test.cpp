// The Advanced sheet's Save page in a real property sheet, driven as a user
// drives it (a title typed, an icon and a print mode picked, buttons
// pressed, questions answered) against a real user print mode file in a
// system directory of the test's own. Every change rewrites that file, so
// it is checked byte for byte after each step.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "native/presets_fixture.h"
#include "resources/export_dialogs_ids.h"
#include "resources/feature_pages_ids.h"
#include "sheet/print_mode_settings.h"
#include "ui/win32/advanced_pages.h"
#include "wine/support/dialog_steps.h"
#include "wine/support/page_fixture.h"
#include "wine/support/scratch_system.h"

namespace tqr {
namespace {

using test::Bytes;
using test::MakeRecord;
using test::PlainUserFile;
using test::UserFile;
using Order = std::vector<std::uint16_t>;

constexpr char kUserFile[] = "Tqr54usr.cfg";
constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_TASKMODAL;
constexpr wchar_t kAdministrator[] = L"Administrator privileges are required.";
constexpr wchar_t kWriteFailed[] = L"Error occurred during file creation.";
constexpr wchar_t kUntitledSheet[] = L"Orlex TQ-R5400 Document Properties";

// User preset k of PlainUserFile: mode 5 + k, titled "Uk".
PrintModeRecord User(int k) {
  return MakeRecord(u"U" + std::u16string(1, static_cast<char16_t>(u'0' + k)),
                    static_cast<std::uint16_t>(k + 1));
}

Order Identity(std::uint16_t count) {
  Order order;
  for (std::uint16_t m = 0; m < count; ++m) order.push_back(m);
  return order;
}

// The sheet's settings while the page is open: values no list offers, so
// that each of the sixteen words shows where it went.
const PrintModeRecord kSettings = MakeRecord(u"", 7);

// What Save stores: title, icon and description from the page, settings
// words 1 to 16 from the sheet, and no word 17, which the sheet does not
// keep.
PrintModeRecord Saved(std::u16string_view title, std::uint16_t icon,
                      std::u16string_view description) {
  PrintModeRecord record;
  std::memset(static_cast<void*>(&record), 0, sizeof record);
  record.IconIndex = icon;
  title.copy(record.Title, kPrintModeTitleLength - 1);
  description.copy(record.Description, kPrintModeDescriptionLength - 1);
  for (int n = 1; n <= 16; ++n) record.Word(n) = kSettings.Word(n);
  return record;
}

class SavePageTest : public test::PageFixture {
 protected:
  void SetUp() override {
    scratch_.Put(kUserFile, PlainUserFile(3));
    PageFixture::SetUp();
  }

  // Opens the page over `file` with the mode at list position `position`
  // in effect (it is mode `mode`), a fresh sheet state each time.
  HWND Open(const Bytes& file, std::uint16_t mode = 0, std::uint16_t position = 0) {
    harness_.Close();
    if (harness_.Build() == nullptr) return nullptr;
    scratch_.Put(kUserFile, file);
    ApplyPrintModeRecord(state(), kSettings);
    state()->printMode->currentId = mode;
    state()->printMode->savedId = mode;
    state()->printModeListPosition = position;
    boxes_.asked.clear();
    boxes_.answer = IDOK;
    HWND opened = harness_.Open(kSavePageDialog, SavePageProc, L"Save");
    EXPECT_NE(opened, nullptr);
    return opened;
  }

  HWND page() const { return harness_.page(); }
  SheetState* state() { return harness_.state(); }
  HWND Item(int id) { return GetDlgItem(page(), id); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  Bytes File() const { return scratch_.Read(kUserFile); }

  std::wstring Text(HWND window) {
    wchar_t text[300] = {};
    GetWindowTextW(window, text, 300);
    return text;
  }
  std::wstring SheetTitle() { return Text(harness_.sheet()); }

  void Command(int id, WORD code) {
    SendMessageW(page(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  // Keys typed over the whole title, through the edit's filter.
  void TypeTitle(const std::wstring& text) {
    SendMessageW(Item(IDC_SAVE_TITLE), EM_SETSEL, 0, -1);
    for (wchar_t character : text) SendMessageW(Item(IDC_SAVE_TITLE), WM_CHAR, character, 0);
  }
  // A click on an entry of one of the two lists.
  void Pick(int list, int index) {
    SendMessageW(Item(list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(list, LBN_SELCHANGE);
  }
  int Selected(int list) { return static_cast<int>(SendMessageW(Item(list), LB_GETCURSEL, 0, 0)); }
  // A click reaches only a button that is not greyed.
  void Press(int id) {
    ASSERT_TRUE(Enabled(id)) << "button " << id << " is greyed";
    Command(id, BN_CLICKED);
  }
  // The mode numbers the list shows, in its order.
  Order Listed() {
    Order modes;
    const auto count = static_cast<int>(SendMessageW(Item(IDC_SAVE_MODES), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      modes.push_back(static_cast<std::uint16_t>(
          SendMessageW(Item(IDC_SAVE_MODES), LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
    }
    return modes;
  }
  // Whether the sheet still offers Cancel, by its button and by Close.
  bool CancelOffered() {
    const bool button = IsWindowEnabled(GetDlgItem(harness_.sheet(), IDCANCEL)) != FALSE;
    HMENU menu = GetSystemMenu(harness_.sheet(), FALSE);
    EXPECT_NE(menu, nullptr);
    const bool close = menu != nullptr &&
                       (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) == 0;
    EXPECT_EQ(button, close) << "Cancel and Close disagree";
    return button;
  }
  // Open..., an export file of the folder named in the dialog, OK; `beforeOk`
  // runs in the dialog first.
  void Import(const std::string& name, const std::function<void()>& beforeOk = nullptr) {
    const std::string path = scratch_.Path(name);
    const bool followed = test::RunWithSteps(
        {{IDC_OPEN_FILE_NAME,
          [&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_OPEN_FILE_NAME, path.c_str());
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPEN_FILE_NAME, CBN_EDITCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_OPEN_FILE_NAME)));
            if (beforeOk) beforeOk();
            test::Click(dialog, IDC_OPEN_OK);
          }}},
        [this] { Press(IDC_SAVE_OPEN); });
    EXPECT_TRUE(followed) << "the Open dialog closed before its steps ran";
  }
  LONG_PTR Notify(UINT code) {
    NMHDR header = {harness_.sheet(), 0, code};
    SendMessageW(page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    return GetWindowLongPtrW(page(), DWLP_MSGRESULT);
  }

  test::ScratchSystemDirectory scratch_;
  ScopedPorts ports_{Ports{&scratch_.files, &harness_.spooler, &scratch_.machine}};
};

TEST_F(SavePageTest, SavingANewTitleAppendsItsRecord) {
  ASSERT_NE(Open(PlainUserFile(3)), nullptr);
  EXPECT_EQ(Listed(), Identity(8));
  EXPECT_FALSE(Enabled(IDC_SAVE_DELETE));  // a built-in mode is shown

  TypeTitle(L"Poster");
  EXPECT_EQ(Text(Item(IDC_SAVE_TITLE)), L"Poster");
  EXPECT_EQ(Selected(IDC_SAVE_MODES), LB_ERR);  // no mode has that title
  Pick(IDC_SAVE_ICONS, 9);
  SetDlgItemTextW(page(), IDC_SAVE_DESCRIPTION, L"Large sheets");
  Press(IDC_SAVE_SAVE);

  EXPECT_TRUE(boxes_.asked.empty());
  const PrintModeRecord poster = Saved(u"Poster", 9, u"Large sheets");
  EXPECT_EQ(File(), UserFile(9, Identity(9), {User(0), User(1), User(2), poster}));
  EXPECT_EQ(Listed(), Identity(9));
  EXPECT_EQ(Selected(IDC_SAVE_MODES), 8);
  EXPECT_EQ(SheetTitle(), L"[Poster]Properties");
  EXPECT_TRUE(CancelOffered());

  // OK makes the new preset the print mode in effect.
  Notify(PSN_APPLY);
  EXPECT_EQ(state()->printMode->currentId, 8);
  EXPECT_EQ(state()->printModeListPosition, 8);
}

// Saving under a user preset's title asks first; Cancel leaves the file, OK
// rewrites the record in its place. Cancel of the sheet can no longer undo
// an overwrite of the print mode in effect.
TEST_F(SavePageTest, SavingOverAUserTitleAsksThenRewritesInPlace) {
  const struct Case {
    std::uint16_t modeInEffect;
    std::uint16_t positionInEffect;
    bool cancelOffered;
  } kCases[] = {{0, 0, true}, {6, 6, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.modeInEffect);
    ASSERT_NE(Open(PlainUserFile(3), c.modeInEffect, c.positionInEffect), nullptr);
    Pick(IDC_SAVE_MODES, 6);
    EXPECT_EQ(Text(Item(IDC_SAVE_TITLE)), L"U1");
    EXPECT_EQ(Selected(IDC_SAVE_ICONS), User(1).IconIndex);
    Pick(IDC_SAVE_ICONS, 11);

    boxes_.answer = IDCANCEL;
    Press(IDC_SAVE_SAVE);
    ASSERT_EQ(boxes_.asked.size(), 1u);
    EXPECT_EQ(boxes_.asked[0].text,
              L"Title `U1` already exists.\nSaving will overwrite this title.\n"
              L"Do you still want to save?");
    EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
    EXPECT_EQ(boxes_.asked[0].flags, MB_OKCANCEL | kWarning);
    EXPECT_EQ(File(), PlainUserFile(3));
    EXPECT_EQ(SheetTitle(), kUntitledSheet);

    boxes_.answer = IDOK;
    Press(IDC_SAVE_SAVE);
    EXPECT_EQ(boxes_.asked.size(), 2u);
    EXPECT_EQ(File(), UserFile(8, Identity(8), {User(0), Saved(u"U1", 11, u"Preset U1"), User(2)}));
    EXPECT_EQ(Listed(), Identity(8));
    EXPECT_EQ(SheetTitle(), L"[U1]Properties");
    EXPECT_EQ(CancelOffered(), c.cancelOffered);
  }
}

// Deleting a user preset asks, removes its record and renumbers the modes
// above it, in the file's order and in the sheet's print mode. Deleting the
// print mode in effect cannot be undone by Cancel.
TEST_F(SavePageTest, DeletingRenumbersTheModesAbove) {
  // U2 first, then the built-in modes, then U0 and U1.
  const Order order = {7, 0, 1, 2, 3, 4, 5, 6};
  const struct Case {
    const wchar_t* title;
    std::uint16_t position;
    std::uint16_t modeInEffect;
    std::uint16_t positionInEffect;
    int answer;
    Order orderAfter;
    std::vector<PrintModeRecord> recordsAfter;
    std::uint16_t modeAfter;
    bool cancelOffered;
  } kCases[] = {
      // U0 goes: U1 and U2 fall to 5 and 6, and U2 stays in effect.
      {L"U0", 6, 7, 0, IDOK, {6, 0, 1, 2, 3, 4, 5}, {User(1), User(2)}, 6, true},
      // U1, the last record, goes.
      {L"U1", 7, 0, 1, IDOK, {6, 0, 1, 2, 3, 4, 5}, {User(0), User(2)}, 0, true},
      // The mode in effect goes: the standard mode takes its place.
      {L"U2", 0, 7, 0, IDOK, {0, 1, 2, 3, 4, 5, 6}, {User(0), User(1)}, 0, false},
      {L"U2", 0, 7, 0, IDCANCEL, order, {User(0), User(1), User(2)}, 7, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "deleting " << c.position << " answered " << c.answer);
    ASSERT_NE(Open(UserFile(8, order, {User(0), User(1), User(2)}), c.modeInEffect,
                   c.positionInEffect),
              nullptr);
    Pick(IDC_SAVE_MODES, c.position);
    EXPECT_EQ(Text(Item(IDC_SAVE_TITLE)), c.title);
    boxes_.answer = c.answer;
    Press(IDC_SAVE_DELETE);
    ASSERT_EQ(boxes_.asked.size(), 1u);
    EXPECT_EQ(boxes_.asked[0].text,
              std::wstring(L"This will remove the Print Mode permanently.\n"
                           L"Do you still want to delete title `") +
                  c.title + L"`?");
    EXPECT_EQ(boxes_.asked[0].flags, MB_OKCANCEL | kWarning);
    EXPECT_EQ(File(), UserFile(static_cast<std::uint16_t>(c.orderAfter.size()), c.orderAfter,
                               c.recordsAfter));
    EXPECT_EQ(Listed(), c.orderAfter);
    EXPECT_EQ(state()->printMode->currentId, c.modeAfter);
    EXPECT_EQ(CancelOffered(), c.cancelOffered);
    EXPECT_EQ(SheetTitle(), c.cancelOffered ? kUntitledSheet : L"[Custom]");
  }
}

// A typed title that names a print mode selects it for the buttons too:
// Delete and Save as reach the preset the title names, never the one
// picked before.
TEST_F(SavePageTest, ButtonsActOnThePresetTheTypedTitleNames) {
  ASSERT_NE(Open(PlainUserFile(3)), nullptr);
  Pick(IDC_SAVE_MODES, 5);  // U0
  TypeTitle(L"U2");
  EXPECT_EQ(Selected(IDC_SAVE_MODES), 7);
  Press(IDC_SAVE_DELETE);
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].text,
            L"This will remove the Print Mode permanently.\nDo you still want to delete title "
            L"`U2`?");
  EXPECT_EQ(File(), UserFile(7, Identity(7), {User(0), User(1)}));

  // The standard mode is in effect and shown; the title typed names U1.
  ASSERT_NE(Open(PlainUserFile(3)), nullptr);
  TypeTitle(L"U1");
  const std::string exported = scratch_.Path("out.cfg");
  const bool followed = test::RunWithSteps(
      {{IDC_SAVE_AS_FILE_NAME,
        [&](HWND dialog) {
          SetDlgItemTextA(dialog, IDC_SAVE_AS_FILE_NAME, exported.c_str());
          test::Click(dialog, IDC_SAVE_AS_OK);
        }}},
      [this] { Press(IDC_SAVE_SAVE_AS); });
  EXPECT_TRUE(followed) << "the Save as dialog closed before its steps ran";
  EXPECT_EQ(scratch_.Read("out.cfg"), test::ExportFile(1, {User(1)}));
}

TEST_F(SavePageTest, OpeningAnExportFileAppendsItsRecord) {
  const PrintModeRecord fresh = MakeRecord(u"Fresh", 6);
  scratch_.Put("in.cfg", test::ExportFile(1, {fresh}));
  ASSERT_NE(Open(PlainUserFile(3)), nullptr);
  Import("in.cfg");
  EXPECT_TRUE(boxes_.asked.empty());
  EXPECT_EQ(File(), UserFile(9, Identity(9), {User(0), User(1), User(2), fresh}));
  EXPECT_EQ(Listed(), Identity(9));
  EXPECT_EQ(Selected(IDC_SAVE_MODES), 8);
  EXPECT_EQ(Text(Item(IDC_SAVE_TITLE)), L"Fresh");
}

// The arrows swap the selected mode with its neighbour in the file's order;
// each is greyed at its end of the list, and the focus goes to the other.
TEST_F(SavePageTest, ArrowsReorderTheFile) {
  ASSERT_NE(Open(PlainUserFile(3)), nullptr);
  const struct Step {
    int pick;  // list position clicked first; -1 for none
    int arrow;
    Order order;
    int selected;
    bool up;
    bool down;
  } kSteps[] = {
      {7, IDC_SAVE_UP, {0, 1, 2, 3, 4, 5, 7, 6}, 6, true, true},
      {-1, IDC_SAVE_DOWN, {0, 1, 2, 3, 4, 5, 6, 7}, 7, true, false},
      {1, IDC_SAVE_UP, {1, 0, 2, 3, 4, 5, 6, 7}, 0, false, true},
      {6, IDC_SAVE_DOWN, {1, 0, 2, 3, 4, 5, 7, 6}, 7, true, false},
  };
  for (const Step& s : kSteps) {
    SCOPED_TRACE(&s - kSteps);
    if (s.pick >= 0) Pick(IDC_SAVE_MODES, s.pick);
    Press(s.arrow);
    EXPECT_EQ(File(), UserFile(8, s.order, {User(0), User(1), User(2)}));
    EXPECT_EQ(Listed(), s.order);
    EXPECT_EQ(Selected(IDC_SAVE_MODES), s.selected);
    EXPECT_EQ(Enabled(IDC_SAVE_UP), s.up);
    EXPECT_EQ(Enabled(IDC_SAVE_DOWN), s.down);
    if (!Enabled(s.arrow)) {
      EXPECT_EQ(GetFocus(), Item(s.arrow == IDC_SAVE_UP ? IDC_SAVE_DOWN : IDC_SAVE_UP));
    }
  }
  EXPECT_TRUE(boxes_.asked.empty());
}

// A change that cannot be written leaves the file as it was, and no
// temporary file beside it, and the user is told why. Neither the page nor
// the sheet shows it: after a delete the file never saw, a renumbered mode
// in effect would name another preset.
TEST_F(SavePageTest, RefusedWritesLeaveTheFileAndTellTheUser) {
  // kReadOnlyAfterCheck: the page found the file writable, and it turns
  // read-only while the question or the Open dialog is up.
  enum class Fault { kReadOnly, kHeldOpen, kFolderGone, kReadOnlyAfterCheck };
  enum class Action { kSaveNew, kOverwrite, kDelete, kMoveUp, kImport };
  const struct Case {
    Fault fault;
    Action action;
    const wchar_t* message;
  } kCases[] = {
      {Fault::kReadOnly, Action::kSaveNew, kAdministrator},
      {Fault::kReadOnly, Action::kDelete, kAdministrator},
      {Fault::kReadOnly, Action::kMoveUp, kWriteFailed},
      {Fault::kHeldOpen, Action::kSaveNew, kWriteFailed},
      {Fault::kHeldOpen, Action::kMoveUp, kWriteFailed},
      {Fault::kFolderGone, Action::kSaveNew, kAdministrator},
      {Fault::kFolderGone, Action::kMoveUp, kWriteFailed},
      {Fault::kReadOnlyAfterCheck, Action::kOverwrite, kWriteFailed},
      {Fault::kReadOnlyAfterCheck, Action::kDelete, kWriteFailed},
      {Fault::kReadOnlyAfterCheck, Action::kImport, kWriteFailed},
  };
  const Bytes before = PlainUserFile(3);
  const std::string path = scratch_.Path(kUserFile);
  const auto makeReadOnly = [&path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(c.fault) << " action "
                                    << static_cast<int>(c.action));
    scratch_.Put("in.cfg", test::ExportFile(1, {MakeRecord(u"Fresh", 6)}));
    ASSERT_NE(Open(before, 7, 7), nullptr);  // U2 in effect
    Pick(IDC_SAVE_MODES, 6);                 // U1
    if (c.action == Action::kSaveNew) TypeTitle(L"Poster");

    HANDLE held = INVALID_HANDLE_VALUE;
    switch (c.fault) {
      case Fault::kReadOnly:
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        break;
      case Fault::kHeldOpen:
        held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        break;
      case Fault::kFolderGone:
        for (const std::string& name : scratch_.Entries()) DeleteFileA(scratch_.Path(name).c_str());
        ASSERT_TRUE(RemoveDirectoryA(scratch_.folder().c_str()));
        break;
      case Fault::kReadOnlyAfterCheck:
        boxes_.whileAsked = makeReadOnly;
        break;
    }
    switch (c.action) {
      case Action::kSaveNew:
      case Action::kOverwrite:
        Press(IDC_SAVE_SAVE);
        break;
      case Action::kDelete:
        Press(IDC_SAVE_DELETE);
        break;
      case Action::kMoveUp:
        Press(IDC_SAVE_UP);
        break;
      case Action::kImport:
        Import("in.cfg", makeReadOnly);
        break;
    }
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    boxes_.whileAsked = nullptr;

    ASSERT_FALSE(boxes_.asked.empty());
    EXPECT_EQ(boxes_.asked.back().text, c.message);
    EXPECT_EQ(boxes_.asked.back().flags, MB_OK | kWarning);
    EXPECT_EQ(Listed(), Identity(8));
    EXPECT_EQ(SheetTitle(), kUntitledSheet);
    EXPECT_TRUE(CancelOffered());
    Notify(PSN_APPLY);
    EXPECT_EQ(state()->printMode->currentId, 7);
    if (c.fault == Fault::kFolderGone) {
      EXPECT_EQ(GetFileAttributesA(scratch_.folder().c_str()), INVALID_FILE_ATTRIBUTES);
      ASSERT_TRUE(CreateDirectoryA(scratch_.folder().c_str(), nullptr));
    } else {
      EXPECT_EQ(File(), before);
      EXPECT_EQ(scratch_.Entries(), (std::vector<std::string>{kUserFile, "in.cfg"}));
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
  }
}

}  // namespace
}  // namespace tqr
