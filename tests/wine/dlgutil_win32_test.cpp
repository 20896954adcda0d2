// The window half of the dialog utilities, on real controls of a real
// dialog, driven by messages as a user's keystrokes would be.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "support/processes.h"
#include "ui/win32/dlgutil_win32.h"
#include "platform/win32/spooler_strings.h"
#include "wine/support/recorded_messages.h"

namespace tqr {
namespace {

constexpr int kIntegerEdit = 101;
constexpr int kIntegerOrZeroEdit = 102;
constexpr int kDecimalEdit = 103;
constexpr int kSpinEdit = 104;
constexpr int kSpin = 105;
constexpr int kPlainCombo = 110;
constexpr int kCheck = 120;
constexpr int kMissing = 999;

struct TestBlock {
  DialogHeader header;
  int working[4];
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CreateDialogState<TestBlock>(dialog, reinterpret_cast<SheetState*>(lParam));
      return TRUE;
    case WM_DESTROY:
      FreeDialogState(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

// The sheet the page dialog sits in: it only records what the page tells it.
UINT last_sheet_message = 0;
WPARAM last_sheet_wparam = 0;

LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PSM_CHANGED) {
    last_sheet_message = message;
    last_sheet_wparam = wParam;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

std::wstring ComboItem(HWND combo, int index) {
  wchar_t text[256] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// An option list in its own block: entries follow the header.
class OptionListBlock {
 public:
  struct Entry {
    std::uint16_t id;
    const char16_t* name;
    std::uint16_t flags;
  };

  OptionListBlock(std::uint16_t current, std::initializer_list<Entry> entries)
      : bytes_(OptionListSize(entries.size())) {
    list()->currentId = current;
    list()->count = static_cast<std::uint16_t>(entries.size());
    OptionEntry* out = list()->Entries();
    for (const Entry& entry : entries) {
      out->optionId = entry.id;
      out->comboPosition = 0x5A5A;
      std::char_traits<char16_t>::copy(out->name, entry.name,
                                       std::char_traits<char16_t>::length(entry.name) + 1);
      out->flags = entry.flags;
      ++out;
    }
  }
  OptionList* list() { return reinterpret_cast<OptionList*>(bytes_.data()); }

 private:
  std::vector<std::uint64_t> bytes_;  // aligned storage
};

class DialogUtilitiesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSW sheetClass = {};
    sheetClass.lpfnWndProc = SheetProc;
    sheetClass.hInstance = GetModuleHandleW(nullptr);
    sheetClass.lpszClassName = L"TqrTestSheet";
    RegisterClassW(&sheetClass);
  }

  void SetUp() override {
    sheet_ = CreateWindowExW(0, L"TqrTestSheet", L"", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(sheet_, nullptr);
    // A page-like child dialog from an empty template; the controls follow.
    alignas(4) static const struct {
      DLGTEMPLATE dialog;
      WORD menu;
      WORD windowClass;
      WORD title;
    } kTemplate = {{WS_CHILD, 0, 0, 0, 0, 400, 200}, 0, 0, 0};
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &kTemplate.dialog, sheet_,
                                         TestDialogProc, reinterpret_cast<LPARAM>(state_.get()));
    ASSERT_NE(dialog_, nullptr);
    MoveWindow(dialog_, 0, 0, 680, 380, FALSE);
    for (int id : {kIntegerEdit, kIntegerOrZeroEdit, kDecimalEdit, kSpinEdit}) {
      Add(L"Edit", id, ES_AUTOHSCROLL, 80);
    }
    Add(UPDOWN_CLASSW, kSpin, 0, 20);
    for (int id : {kPlainCombo, kPageSizeCombo, kPrinterPaperSizeCombo}) {
      Add(L"ComboBox", id, CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 400, 200);
    }
    Add(L"Button", kCheck, BS_AUTOCHECKBOX, 80);
    Add(L"Button", kPortraitRadio, BS_AUTORADIOBUTTON | WS_GROUP, 80);
    Add(L"Button", kLandscapeRadio, BS_AUTORADIOBUTTON, 80);
    for (int id : {kMarginsPaperSizeLabel, kMainPageSizeLabel}) Add(L"Static", id, 0, 400);
  }

  void TearDown() override {
    if (sheet_ != nullptr) DestroyWindow(sheet_);
  }

  HWND Add(const wchar_t* windowClass, int id, DWORD style, int width, int height = 20) {
    HWND control = CreateWindowExW(
        0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, 0, next_y_, width, height, dialog_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(control, nullptr) << "control " << id;
    next_y_ += 22;
    return control;
  }

  HWND Item(int id) { return GetDlgItem(dialog_, id); }

  std::unique_ptr<SheetState> state_ = std::make_unique<SheetState>();
  HWND sheet_ = nullptr;
  HWND dialog_ = nullptr;
  int next_y_ = 0;
};

TEST_F(DialogUtilitiesTest, StateBlockLivesFromInitToDestroyAndUndoesSubclassing) {
  TestBlock* block = DialogStateOf<TestBlock>(dialog_);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->header.sheet, state_.get());
  EXPECT_STREQ(block->header.caption, L"Orlex TQ-R5400");
  EXPECT_EQ(block->header.helpFile[0], L'\0');
  EXPECT_EQ(block->working[3], 0);
  // Another dialog's block type is never handed out for this one.
  EXPECT_EQ(DialogStateOf<DialogHeader>(dialog_), nullptr);

  const LONG_PTR original = GetWindowLongPtrW(Item(kIntegerEdit), GWLP_WNDPROC);
  ASSERT_TRUE(SubclassNumericEdit(dialog_, kIntegerEdit, IntegerEditProc));
  EXPECT_FALSE(SubclassNumericEdit(dialog_, kIntegerEdit, IntegerEditProc));
  EXPECT_FALSE(SubclassNumericEdit(dialog_, kMissing, IntegerEditProc));
  EXPECT_NE(GetWindowLongPtrW(Item(kIntegerEdit), GWLP_WNDPROC), original);

  FreeDialogState(dialog_);
  EXPECT_EQ(GetDialogHeader(dialog_), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(Item(kIntegerEdit), GWLP_WNDPROC), original);
  // The edit still works once its procedure is back.
  SendMessageW(Item(kIntegerEdit), WM_CHAR, L'7', 0);
  EXPECT_EQ(TextOf(Item(kIntegerEdit)), L"7");
}

TEST_F(DialogUtilitiesTest, SubclassControlSwapsProceduresBothWays) {
  const WNDPROC original = SubclassControl(dialog_, kDecimalEdit, DecimalEditProc);
  ASSERT_NE(original, nullptr);
  EXPECT_EQ(SubclassControl(dialog_, kDecimalEdit, original), DecimalEditProc);
  EXPECT_EQ(SubclassControl(dialog_, kMissing, DecimalEditProc), nullptr);
}

struct TypingCase {
  const char* what;
  int edit;
  const wchar_t* text;
  int selectionStart;  // -1: caret at the end
  int selectionEnd;
  const wchar_t* keys;
  const wchar_t* expected;
};

TEST_F(DialogUtilitiesTest, NumericEditsTakeOnlyWhatTheirFilterAllows) {
  ASSERT_TRUE(SubclassNumericEdit(dialog_, kIntegerEdit, IntegerEditProc));
  ASSERT_TRUE(SubclassNumericEdit(dialog_, kIntegerOrZeroEdit, IntegerOrZeroEditProc));
  ASSERT_TRUE(SubclassNumericEdit(dialog_, kDecimalEdit, DecimalEditProc));
  const TypingCase cases[] = {
      {"lone zero", kIntegerEdit, L"", -1, 0, L"0", L""},
      {"ten", kIntegerEdit, L"", -1, 0, L"10", L"10"},
      {"zero in front", kIntegerEdit, L"10", 0, 0, L"0", L"10"},
      {"fourth digit", kIntegerEdit, L"999", -1, 0, L"1", L"999"},
      {"replace all", kIntegerEdit, L"999", 0, 3, L"5", L"5"},
      {"backspace", kIntegerEdit, L"999", -1, 0, L"\b", L"99"},
      {"letters and signs", kIntegerEdit, L"1", -1, 0, L"a-.", L"1"},
      {"full-width digit", kIntegerEdit, L"1", -1, 0, L"\xFF12", L"1"},
      {"zero alone", kIntegerOrZeroEdit, L"", -1, 0, L"0", L"0"},
      {"digit behind zero", kIntegerOrZeroEdit, L"0", -1, 0, L"5", L"0"},
      {"backspace behind zero", kIntegerOrZeroEdit, L"0", -1, 0, L"\b", L"0"},
      {"zero replaced", kIntegerOrZeroEdit, L"0", 0, 1, L"5", L"5"},
      {"zero in front of digits", kIntegerOrZeroEdit, L"12", 0, 0, L"0", L"12"},
      {"negative decimal", kDecimalEdit, L"", -1, 0, L"-12.5", L"-12.5"},
      {"slash, plus, comma", kDecimalEdit, L"1", -1, 0, L"/+,", L"1"},
  };
  for (const TypingCase& c : cases) {
    HWND edit = Item(c.edit);
    SetWindowTextW(edit, c.text);
    const int end = static_cast<int>(wcslen(c.text));
    SendMessageW(edit, EM_SETSEL, c.selectionStart < 0 ? end : c.selectionStart,
                 c.selectionStart < 0 ? end : c.selectionEnd);
    for (const wchar_t* key = c.keys; *key != L'\0'; ++key) {
      SendMessageW(edit, WM_CHAR, *key, 0);
    }
    EXPECT_EQ(TextOf(edit), c.expected) << c.what;
  }
}

TEST_F(DialogUtilitiesTest, PasteIsConsumedByEveryFilter) {
  if (OpenClipboard(dialog_)) {
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof(L"42"));
    std::memcpy(GlobalLock(text), L"42", sizeof(L"42"));
    GlobalUnlock(text);
    SetClipboardData(CF_UNICODETEXT, text);
    CloseClipboard();
  }
  const struct {
    int edit;
    WNDPROC proc;
  } edits[] = {{kIntegerEdit, IntegerEditProc},
               {kIntegerOrZeroEdit, IntegerOrZeroEditProc},
               {kDecimalEdit, DecimalEditProc}};
  for (const auto& e : edits) {
    ASSERT_TRUE(SubclassNumericEdit(dialog_, e.edit, e.proc));
    SetWindowTextW(Item(e.edit), L"1");
    EXPECT_NE(SendMessageW(Item(e.edit), WM_PASTE, 0, 0), 0) << e.edit;
    // Ctrl+V reaches the edit as a control character and becomes a paste.
    SendMessageW(Item(e.edit), WM_CHAR, 0x16, 0);
    EXPECT_EQ(TextOf(Item(e.edit)), L"1") << e.edit;
  }
}

TEST_F(DialogUtilitiesTest, SpinEditsAreSetUpAndReadBackClamped) {
  InitSpinEdit(dialog_, kSpinEdit, kSpin, 1, 999, 5);
  int low = 0;
  int high = 0;
  SendMessageW(Item(kSpin), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 999);
  EXPECT_EQ(SendMessageW(Item(kSpinEdit), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(TextOf(Item(kSpinEdit)), L"5");

  InitSpinEdit(dialog_, kSpinEdit, kSpin, -50, 50, -3);
  SendMessageW(Item(kSpin), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
               reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, -50);
  EXPECT_EQ(high, 50);
  EXPECT_EQ(TextOf(Item(kSpinEdit)), L"-3");

  const struct {
    const wchar_t* text;
    std::int16_t minimum;
    std::int16_t maximum;
    std::int16_t result;
    const wchar_t* after;
  } cases[] = {
      {L"1200", 1, 999, 999, L"999"}, {L"0", 1, 999, 0, L"0"},     {L"70000", 1, 999, 999, L"999"},
      {L"-20", -50, 50, -20, L"-20"}, {L"60", -50, 50, 50, L"50"}, {L"", 1, 999, 0, L""},
  };
  for (const auto& c : cases) {
    SetWindowTextW(Item(kSpinEdit), c.text);
    EXPECT_EQ(GetEditIntClamped(dialog_, kSpinEdit, c.minimum, c.maximum), c.result) << c.text;
    EXPECT_EQ(TextOf(Item(kSpinEdit)), c.after) << c.text;
  }
}

TEST_F(DialogUtilitiesTest, ChecksRadiosAndEnablingFollowTheirValues) {
  const std::uint16_t two = 2;
  std::int16_t flag = 7;
  SetCheckFromFlag(dialog_, kCheck, &two);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kCheck), BST_CHECKED);
  EXPECT_EQ(ReadCheckToFlag(dialog_, kCheck, &flag), 1);
  EXPECT_EQ(flag, 1);
  SetCheckFromFlag(dialog_, kCheck, static_cast<const std::uint16_t*>(nullptr));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kCheck), BST_CHECKED);
  flag = 0;
  SetCheckFromFlag(dialog_, kCheck, &flag);
  EXPECT_EQ(GetCheckState(dialog_, kCheck, state_.get()), BST_UNCHECKED);
  EXPECT_EQ(GetCheckState(dialog_, kCheck, nullptr), 0xFFFF);
  EXPECT_EQ(ReadCheckToFlag(dialog_, kCheck, static_cast<std::uint16_t*>(nullptr)), 0);

  struct {
    ValueList header;
    ValueEntry entries[2];
  } orientation = {};
  SetOrientationRadio(dialog_, 1);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kPortraitRadio), BST_CHECKED);
  EXPECT_EQ(GetOrientationRadio(dialog_, &orientation.header), 1);
  SetOrientationRadio(dialog_, 2);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kPortraitRadio), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, kLandscapeRadio), BST_CHECKED);
  EXPECT_EQ(GetOrientationRadio(dialog_, &orientation.header), 2);
  EXPECT_EQ(orientation.header.currentId, 2);
  EXPECT_EQ(GetOrientationRadio(dialog_, nullptr), 0);

  EnableControl(dialog_, kCheck, false);
  EXPECT_FALSE(IsWindowEnabled(Item(kCheck)));
  EnableControl(dialog_, kCheck, true);
  EXPECT_TRUE(IsWindowEnabled(Item(kCheck)));
  EnableControl(dialog_, kMissing, false);

  MarkPageChanged(dialog_);
  EXPECT_EQ(last_sheet_message, static_cast<UINT>(PSM_CHANGED));
  EXPECT_EQ(last_sheet_wparam, reinterpret_cast<WPARAM>(dialog_));
}

TEST_F(DialogUtilitiesTest, OptionCombosShowVisibleEntriesAndReportTheChoice) {
  OptionListBlock block(30, {{10, u"Plain", 1},
                             {20, u"Hidden", 1 | kOptionHidden},
                             {30, u"Glossy", 1},
                             {40, u"Film", 1}});
  OptionList* list = block.list();
  HWND combo = Item(kPlainCombo);

  FillOptionCombo(dialog_, kPlainCombo, list);
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ComboItem(combo, 1), L"Hidden");
  EXPECT_EQ(list->Entries()[3].comboPosition, 3);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);

  FillVisibleOptionCombo(dialog_, kPlainCombo, list);
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  const std::uint16_t positions[] = {0, kNoComboPosition, 1, 2};
  const wchar_t* names[] = {L"Plain", L"Glossy", L"Film"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list->Entries()[i].comboPosition, positions[i]) << i;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ComboItem(combo, i), names[i]) << i;
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetSelectedOptionId(dialog_, kPlainCombo, list), 30);

  SendMessageW(combo, CB_SETCURSEL, 2, 0);
  EXPECT_EQ(OnOptionComboChange(dialog_, MAKEWPARAM(kPlainCombo, CBN_DROPDOWN), kPlainCombo, list),
            0);
  EXPECT_EQ(list->currentId, 30);
  EXPECT_EQ(OnOptionComboChange(dialog_, MAKEWPARAM(kPlainCombo, CBN_SELCHANGE), kPlainCombo, list),
            1);
  EXPECT_EQ(list->currentId, 40);
  EXPECT_EQ(list->currentPosition, 2);

  // Nothing selected: no option, and the current one stays.
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(GetSelectedOptionId(dialog_, kPlainCombo, list), -1);
  EXPECT_EQ(OnOptionComboChange(dialog_, MAKEWPARAM(kPlainCombo, CBN_SELCHANGE), kPlainCombo, list),
            0);
  EXPECT_EQ(list->currentId, 40);

  // No list: the combo is left alone.
  FillOptionCombo(dialog_, kPlainCombo, nullptr);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(GetSelectedOptionId(dialog_, kPlainCombo, nullptr), -1);
}

TEST_F(DialogUtilitiesTest, PaperSizeTextsFitTheirControls) {
  std::char_traits<char16_t>::copy(state_->formName, u"my roll", 8);
  std::char_traits<char16_t>::copy(state_->formName2, u"Banner 24", 10);

  ShowPaperNameWithSize(dialog_, state_.get(), kPageSizeCombo, u"A4", 2100, 2970);
  ShowPaperNameWithSize(dialog_, state_.get(), kPageSizeCombo, u"My Roll", 6100, 10000);
  EXPECT_EQ(ComboItem(Item(kPageSizeCombo), 0), L"A4  210.0 x 297.0 mm");
  EXPECT_EQ(ComboItem(Item(kPageSizeCombo), 1), L"My Roll  610.0 x 1000.0 mm");
  EXPECT_EQ(Wide(state_->pageSizeDisplayText), L"My Roll  610.0 x 1000.0 mm");
  EXPECT_EQ(state_->paperSizeDisplayText[0], u'\0');

  state_->formUnit = FormUnit::Inches;
  ShowPaperNameWithSize(dialog_, state_.get(), kPrinterPaperSizeCombo, u"BANNER 24", 2159, 2794);
  EXPECT_EQ(ComboItem(Item(kPrinterPaperSizeCombo), 0), L"BANNER 24  8.50 x 11.00 in");
  EXPECT_EQ(Wide(state_->paperSizeDisplayText), L"BANNER 24  8.50 x 11.00 in");

  ShowPaperNameWithSize(dialog_, state_.get(), kMarginsPaperSizeLabel, u"Letter", 2159, 2794);
  EXPECT_EQ(TextOf(Item(kMarginsPaperSizeLabel)), L"Letter  8.50 x 11.00 in");
  ShowPaperNameWithSize(dialog_, state_.get(), kMainPageSizeLabel, u"Letter", 2159, 2794);
  EXPECT_EQ(TextOf(Item(kMainPageSizeLabel)), L"Letter");

  // Too long for a narrow combo: the unit loses its last letter, then the
  // name gives way.
  state_->formUnit = FormUnit::Millimetres;
  SetWindowPos(Item(kPrinterPaperSizeCombo), nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
  const std::u16string longName = u"A very long paper name that cannot fit at all";
  ShowPaperNameWithSize(dialog_, state_.get(), kPrinterPaperSizeCombo, longName.c_str(), 9144,
                        15240);
  const std::wstring shown = ComboItem(Item(kPrinterPaperSizeCombo), 1);
  const std::wstring size = L"  914.4 x 1524.0 m";
  ASSERT_GT(shown.size(), size.size());
  EXPECT_EQ(shown.substr(shown.size() - size.size()), size);
  const std::wstring name = shown.substr(0, shown.size() - size.size());
  EXPECT_LT(name.size(), longName.size());
  EXPECT_EQ(Wide(longName.c_str()).substr(0, name.size()), name);

  // No sheet state: nothing is shown.
  ShowPaperNameWithSize(dialog_, nullptr, kMainPageSizeLabel, u"A3", 2970, 4200);
  EXPECT_EQ(TextOf(Item(kMainPageSizeLabel)), L"Letter");
}

TEST(CenterWindowOverTest, CentresOverTheOwnerAndStaysOnScreen) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const struct {
    const char* what;
    RECT owner;
    SIZE window;
    POINT expected;
  } cases[] = {
      {"centred", {100, 100, 500, 400}, {200, 100}, {200, 200}},
      {"as large as the screen", {100, 100, 500, 400}, {screenWidth, screenHeight}, {0, 0}},
      {"left of the screen", {-300, 10, 0, 210}, {400, 100}, {0, 60}},
      {"past the right and bottom",
       {screenWidth - 100, screenHeight - 50, screenWidth + 100, screenHeight + 50},
       {300, 200},
       {screenWidth - 300, screenHeight - 200}},
  };
  for (const auto& c : cases) {
    HWND owner = CreateWindowExW(0, L"Static", L"", WS_POPUP, c.owner.left, c.owner.top,
                                 c.owner.right - c.owner.left, c.owner.bottom - c.owner.top,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 5, 5, c.window.cx, c.window.cy,
                                  owner, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CenterWindowOver(window, owner);
    RECT placed = {};
    GetWindowRect(window, &placed);
    EXPECT_EQ(placed.left, c.expected.x) << c.what;
    EXPECT_EQ(placed.top, c.expected.y) << c.what;
    EXPECT_EQ(placed.right - placed.left, c.window.cx) << c.what;
    DestroyWindow(window);
    DestroyWindow(owner);
  }
}

TEST(DrawDoubleFocusRectTest, DrawsTwoNestedRectangles) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill(pixels, pixels + 16 * 16, 0xFFFFFFu);

  ASSERT_TRUE(DrawDoubleFocusRect(dc, RECT{2, 2, 14, 14}));
  GdiFlush();
  auto changedInRow = [&](int y, int from, int to) {
    int changed = 0;
    for (int x = from; x < to; ++x) changed += pixels[y * 16 + x] != 0xFFFFFFu;
    return changed;
  };
  EXPECT_GT(changedInRow(2, 2, 14), 0);  // outer rectangle's top edge
  EXPECT_GT(changedInRow(3, 3, 13), 0);  // inner rectangle's top edge
  for (int y = 5; y < 11; ++y) EXPECT_EQ(changedInRow(y, 5, 11), 0) << y;
  EXPECT_EQ(changedInRow(0, 0, 16), 0);

  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(ShowDriverMessageTest, HookAnswersWithTheBoxesTextCaptionAndFlags) {
  test::RecordedMessages hook(IDNO);
  HWND owner = GetDesktopWindow();
  EXPECT_EQ(ShowDriverMessage(owner, L"Delete the print mode?", MB_YESNO), IDNO);
  ShowDriverMessage(nullptr, L"Done.", MB_OK, L"Save", MB_ICONINFORMATION);
  ASSERT_EQ(hook.asked.size(), 2u);
  EXPECT_EQ(hook.asked[0].owner, owner);
  EXPECT_EQ(hook.asked[0].text, L"Delete the print mode?");
  EXPECT_EQ(hook.asked[0].caption, L"Orlex TQ-R5400");
  EXPECT_EQ(hook.asked[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_TASKMODAL));
  EXPECT_EQ(hook.asked[1].caption, L"Save");
  EXPECT_EQ(hook.asked[1].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION | MB_TASKMODAL));
  // Installing returns the hook in place.
  EXPECT_EQ(SetMessageBoxHook(&hook), &hook);
}

// A help file that is not there is said at once; the help viewer would look
// for it for half a minute while the dialog waits.
TEST(OpenHelpTopicTest, SaysAtOnceWhenTheHelpFileIsMissing) {
  test::RecordedMessages hook(IDOK);
  HWND owner = GetDesktopWindow();
  const std::wstring missing =
      L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\TQR54-missing.HLP";
  const ULONGLONG start = GetTickCount64();
  OpenHelpTopic(owner, missing.c_str(), 100);
  EXPECT_LT(GetTickCount64() - start, 5000u);
  ASSERT_EQ(hook.asked.size(), 1u);
  EXPECT_EQ(hook.asked[0].text,
            L"The help file \"" + missing + L"\" is not installed on this computer.");
  EXPECT_EQ(hook.asked[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION | MB_TASKMODAL));
  // No path: no help, and nothing to say.
  OpenHelpTopic(owner, L"", 100);
  OpenHelpTopic(owner, nullptr, 100);
  EXPECT_EQ(hook.asked.size(), 1u);
}

// The spooler packs the strings of a Get... answer into the block it fills;
// one is copied only when it lies whole inside the block and fits.
TEST(CopySpoolerStringTest, CopiesOnlyWholeStringsInsideTheBlock) {
  const wchar_t block[8] = {0, 0, 0, L'a', L'b', L'c', L'd', 0};
  const wchar_t elsewhere[] = L"x";
  const struct {
    const char* what;
    const wchar_t* text;
    std::size_t size;
    std::size_t capacity;
    const wchar_t* expected;  // null: refused, the destination untouched
  } cases[] = {
      {"whole string", block + 3, sizeof block, 8, L"abcd"},
      {"just fits", block + 3, sizeof block, 5, L"abcd"},
      {"one unit short of room", block + 3, sizeof block, 4, nullptr},
      {"no NUL before the block ends", block + 3, sizeof block - sizeof(wchar_t), 8, nullptr},
      {"at the block's end", block + 8, sizeof block, 8, nullptr},
      {"outside the block", elsewhere, sizeof block, 8, nullptr},
      {"no string", nullptr, sizeof block, 8, nullptr},
  };
  for (const auto& c : cases) {
    wchar_t out[8] = L"kept";
    EXPECT_EQ(CopySpoolerString(block, c.size, c.text, out, c.capacity), c.expected != nullptr)
        << c.what;
    EXPECT_STREQ(out, c.expected != nullptr ? c.expected : L"kept") << c.what;
  }
}

// The help file path comes from the driver information of a printer made
// for the run from Wine's own PostScript driver.
TEST(GetDriverHelpFileTest, CopiesThePrintersHelpFilePath) {
  wchar_t path[kHelpPathLength] = L"untouched";
  EXPECT_FALSE(GetDriverHelpFile(nullptr, path));
  EXPECT_STREQ(path, L"untouched");

  const std::wstring tag =
      std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64());
  std::wstring driverName = L"TQR help test driver " + tag;
  std::wstring printerName = L"TQR help test printer " + tag;
  const std::wstring dataName = L"tqrhelp-" + tag + L".ppd";
  const std::wstring helpName = L"tqrhelp-" + tag + L".hlp";
  const std::string directory = test::MakeScratchDirectory();
  const std::wstring wideDirectory(directory.begin(), directory.end());
  std::wstring dataPath = wideDirectory + dataName;
  std::wstring helpPath = wideDirectory + helpName;
  ASSERT_TRUE(
      test::WriteWholeFile(std::string(dataPath.begin(), dataPath.end()), "*PPD-Adobe: \"4.3\"\n"));
  ASSERT_TRUE(test::WriteWholeFile(std::string(helpPath.begin(), helpPath.end()), "help"));

  DRIVER_INFO_3W driver = {};
  driver.cVersion = 3;
  driver.pName = driverName.data();
  driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
  driver.pDataFile = dataPath.data();
  driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
  driver.pHelpFile = helpPath.data();
  driver.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
  ASSERT_TRUE(AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver),
                                  APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
      << "AddPrinterDriverExW: error " << GetLastError();
  PRINTER_INFO_2W info = {};
  info.pPrinterName = printerName.data();
  info.pPortName = const_cast<LPWSTR>(L"FILE:");
  info.pDriverName = driverName.data();
  info.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
  info.pDatatype = const_cast<LPWSTR>(L"RAW");
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  EXPECT_NE(printer, nullptr) << "AddPrinterW: error " << GetLastError();
  if (printer != nullptr) {
    EXPECT_TRUE(GetDriverHelpFile(printer, path));
    const std::wstring found = path;
    ASSERT_GT(found.size(), helpName.size()) << found;
    EXPECT_EQ(found.substr(found.size() - helpName.size()), helpName);
    // The spooler's copies of our two files; Wine's own stay for others.
    if (found != helpPath) {
      DeleteFileW(found.c_str());
      DeleteFileW((found.substr(0, found.size() - helpName.size()) + dataName).c_str());
    }
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverExW(nullptr, nullptr, driverName.data(), 0, 0);
}

}  // namespace
}  // namespace tqr
