// The Features page and the Advanced sheet's Quality and Color pages in real
// property sheets, driven by messages as a user's clicks and keys would
// drive them, over a sheet state of the shipped description.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <compstui.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "resources/feature_pages_ids.h"
#include "resources/resource_ids.h"
#include "ui/advanced_sheet_model.h"
#include "ui/features_model.h"
#include "ui/main_page_model.h"
#include "ui/win32/advanced_pages.h"
#include "ui/win32/pages.h"
#include "wine/support/main_page_harness.h"
#include "wine/support/page_fixture.h"
#include "wine/support/recorded_messages.h"

namespace tqr {
namespace {

using test::HostCalls;

// A control's client area drawn into memory, to read back what the user
// would see.
class ClientPicture {
 public:
  explicit ClientPicture(HWND control) {
    GetClientRect(control, &client_);
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, client_.right, client_.bottom);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~ClientPicture() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  ClientPicture(const ClientPicture&) = delete;
  ClientPicture& operator=(const ClientPicture&) = delete;
  HDC dc() const { return dc_; }
  int width() const { return client_.right; }
  int height() const { return client_.bottom; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  RECT client_ = {};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

class PageTest : public test::PageFixture {
 protected:
  HWND page() const { return harness_.page(); }
  SheetState* state() { return harness_.state(); }
  HWND Item(int id) { return GetDlgItem(page(), id); }
  std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
  }
  std::wstring Text(int id) { return Text(Item(id)); }
  void Command(int id, WORD code) {
    SendMessageW(page(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
  }
  LONG_PTR Notify(UINT code) {
    NMHDR header = {harness_.sheet(), 0, code};
    SendMessageW(page(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    return GetWindowLongPtrW(page(), DWLP_MSGRESULT);
  }
  void Key(int id, WPARAM key) { SendMessageW(Item(id), WM_KEYDOWN, key, 0); }
  bool Enabled(int id) { return IsWindowEnabled(Item(id)) != FALSE; }
  bool Visible(int id) { return IsWindowVisible(Item(id)) != FALSE; }
  bool ApplyEnabled() {
    constexpr int kApplyButton = 0x3021;
    return IsWindowEnabled(GetDlgItem(harness_.sheet(), kApplyButton)) != FALSE;
  }

  // --- a step slider as the user sees and uses it
  HWND Slider(int id) { return Item(id); }
  int Position(int id) { return static_cast<int>(SendMessageW(Slider(id), TBM_GETPOS, 0, 0)); }
  int ClientWidth(int id) {
    RECT client = {};
    GetClientRect(Slider(id), &client);
    return client.right;
  }
  void Press(int id, int x) {
    SendMessageW(Slider(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(Slider(id), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  // Gives the slider another width, as another font or display scale would.
  void Resize(int id, int width) {
    RECT window = {};
    GetWindowRect(Slider(id), &window);
    SetWindowPos(Slider(id), nullptr, 0, 0, width, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // What the slider shows: the x of each tick mark, and the columns of the
  // thumb's top edge (the first row below the marks with anything drawn).
  struct Drawn {
    std::vector<int> ticks;
    std::vector<int> thumb;
    int thumbX() const { return thumb.empty() ? -1 : thumb.front() + kThumbWidth / 2; }
  };
  static constexpr int kTickRows = 4;
  static constexpr int kThumbWidth = 8;
  Drawn Draw(int id) {
    // Away from the slider: its focus rectangle would run along its edges.
    SetFocus(page());
    ClientPicture picture(Slider(id));
    SendMessageW(Slider(id), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()), PRF_CLIENT);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Drawn drawn;
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.At(x, 0) != face) drawn.ticks.push_back(x);
    }
    for (int y = kTickRows; y < picture.height() && drawn.thumb.empty(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (picture.At(x, y) != face) drawn.thumb.push_back(x);
      }
    }
    return drawn;
  }

  // At each width the whole scale is drawn inside the slider, both ends
  // with their whole thumb, and a press anywhere reaches the position drawn
  // nearest: the client's edges reach 0 and the last position.
  void ExpectScaleFitsAtWidths(int id, int last, std::initializer_list<int> widths) {
    for (const int width : widths) {
      Resize(id, width);
      const int w = ClientWidth(id);
      SCOPED_TRACE(testing::Message() << "client width " << w);
      Key(id, VK_HOME);
      const Drawn home = Draw(id);
      ASSERT_EQ(home.ticks.size(), 3u) << "ticks at both ends and half way";
      EXPECT_GE(home.ticks.front(), 0);
      EXPECT_LT(home.ticks.back(), w);
      EXPECT_EQ(home.thumb.size(), static_cast<std::size_t>(kThumbWidth));
      EXPECT_GE(home.thumb.front(), 0);
      EXPECT_EQ(home.thumbX(), home.ticks.front());
      Key(id, VK_END);
      const Drawn end = Draw(id);
      EXPECT_EQ(end.thumb.size(), static_cast<std::size_t>(kThumbWidth));
      EXPECT_LT(end.thumb.back(), w);
      EXPECT_EQ(end.thumbX(), home.ticks.back());
      struct Click {
        int x;
        int position;
      };
      const Click clicks[] = {{0, 0},
                              {w - 1, last},
                              {home.ticks[1], last / 2},
                              {home.ticks[0], 0},
                              {home.ticks[2], last}};
      for (const Click& c : clicks) {
        Press(id, c.x);
        EXPECT_EQ(Position(id), c.position) << "x " << c.x;
      }
    }
  }
};

// --- Features -------------------------------------------------------------------------

class FeaturesPageTest : public PageTest {
 protected:
  HWND Open() {
    HWND opened = harness_.Open(kFeaturesPageDialog, FeaturesPageProc, L"Features");
    EXPECT_NE(opened, nullptr);
    return opened;
  }
  void Type(int id, const wchar_t* text) { SetDlgItemTextW(page(), id, text); }
};

TEST_F(FeaturesPageTest, ShowsTheValuesWithSpinsOverTheirLimits) {
  state()->copies.current = 1200;  // above the limit: shown and kept clamped
  state()->dryInkScan.current = 4;
  state()->headManagement->currentId = 0;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Text(IDC_COPIES_EDIT), L"999");
  EXPECT_EQ(state()->copies.current, 999);
  EXPECT_EQ(Text(IDC_DRY_SCAN_EDIT), L"4");
  EXPECT_EQ(Text(IDC_DRY_PAGE_EDIT), L"0");
  EXPECT_EQ(IsDlgButtonChecked(page(), IDC_HEAD_NO), BST_CHECKED);
  struct Spin {
    int spin;
    int edit;
    int low;
    int high;
    int digits;
  };
  const Spin spins[] = {{IDC_COPIES_SPIN, IDC_COPIES_EDIT, 1, 999, 3},
                        {IDC_DRY_SCAN_SPIN, IDC_DRY_SCAN_EDIT, 0, 10, 2},
                        {IDC_DRY_PAGE_SPIN, IDC_DRY_PAGE_EDIT, 0, 60, 2}};
  for (const Spin& s : spins) {
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(Item(s.spin), UDM_GETBUDDY, 0, 0)), Item(s.edit));
    const LRESULT range = SendMessageW(Item(s.spin), UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), s.high) << s.spin;
    EXPECT_EQ(HIWORD(range), s.low) << s.spin;
    EXPECT_EQ(SendMessageW(Item(s.edit), EM_GETLIMITTEXT, 0, 0), s.digits) << s.edit;
  }
}

TEST_F(FeaturesPageTest, EditsStoreTheirValuesAndSpinsStepWithinLimits) {
  ASSERT_NE(Open(), nullptr);
  Type(IDC_DRY_SCAN_EDIT, L"7");
  EXPECT_EQ(state()->dryInkScan.current, 7);
  Type(IDC_DRY_PAGE_EDIT, L"75");  // above 60: replaced while typing
  EXPECT_EQ(Text(IDC_DRY_PAGE_EDIT), L"60");
  EXPECT_EQ(state()->dryInkPage.current, 60);
  Type(IDC_COPIES_EDIT, L"998");
  struct Step {
    int spin;
    WORD code;
    int edit;
    const wchar_t* shown;
  };
  const Step steps[] = {{IDC_COPIES_SPIN, SB_LINEUP, IDC_COPIES_EDIT, L"999"},
                        {IDC_COPIES_SPIN, SB_LINEUP, IDC_COPIES_EDIT, L"999"},
                        {IDC_DRY_PAGE_SPIN, SB_LINEUP, IDC_DRY_PAGE_EDIT, L"60"},
                        {IDC_DRY_SCAN_SPIN, SB_LINEDOWN, IDC_DRY_SCAN_EDIT, L"6"}};
  for (const Step& s : steps) {
    SendMessageW(page(), WM_VSCROLL, MAKEWPARAM(s.code, 0), reinterpret_cast<LPARAM>(Item(s.spin)));
    EXPECT_EQ(Text(s.edit), s.shown) << s.spin;
  }
  EXPECT_EQ(state()->copies.current, 999);
  EXPECT_EQ(state()->dryInkScan.current, 6);

  Command(IDC_HEAD_NO, BN_CLICKED);
  EXPECT_EQ(state()->headManagement->currentId, 0);
  EXPECT_EQ(IsDlgButtonChecked(page(), IDC_HEAD_NO), BST_CHECKED);
  Command(IDC_HEAD_AUTOMATIC, BN_CLICKED);
  EXPECT_EQ(state()->headManagement->currentId, 1);

  Command(IDC_FEATURES_DEFAULTS, BN_CLICKED);
  EXPECT_EQ(Text(IDC_COPIES_EDIT), L"1");
  EXPECT_EQ(Text(IDC_DRY_SCAN_EDIT), L"0");
  EXPECT_EQ(state()->copies.current, 1);
}

TEST_F(FeaturesPageTest, BannerAndNoCutResetAndGreyOnActivation) {
  ASSERT_NE(Open(), nullptr);
  Type(IDC_COPIES_EDIT, L"5");
  Type(IDC_DRY_PAGE_EDIT, L"30");
  struct Case {
    std::uint16_t printing;
    std::uint16_t cutter;
    const wchar_t* copies;
    const wchar_t* byPage;
  };
  const Case cases[] = {{0, 1, L"5", L"30"}, {2, 1, L"1", L"30"}, {0, 0, L"1", L"0"}};
  for (const Case& c : cases) {
    state()->printing->currentId = c.printing;
    state()->cutter->currentId = c.cutter;
    Notify(PSN_SETACTIVE);
    EXPECT_EQ(Text(IDC_COPIES_EDIT), c.copies) << c.printing << c.cutter;
    EXPECT_EQ(Text(IDC_DRY_PAGE_EDIT), c.byPage) << c.printing << c.cutter;
    for (int id : {IDC_COPIES_LABEL, IDC_COPIES_EDIT, IDC_COPIES_SPIN}) {
      EXPECT_EQ(Enabled(id), c.printing != 2) << id;
    }
    for (int id : {IDC_DRY_PAGE_EDIT, IDC_DRY_PAGE_SPIN}) EXPECT_EQ(Enabled(id), c.cutter != 0) << id;
  }
}

TEST_F(FeaturesPageTest, CopiesOutsideTheirLimitsKeepTheUserOnThePage) {
  ASSERT_NE(Open(), nullptr);
  Type(IDC_COPIES_EDIT, L"");
  EXPECT_EQ(Notify(PSN_KILLACTIVE), TRUE);
  EXPECT_EQ(Notify(PSN_APPLY), PSNRET_INVALID);
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[0].text, L"You can set the number of copies from 1 to 999.");
  EXPECT_EQ(boxes_.asked[0].caption, L"Orlex TQ-R5400");
  EXPECT_EQ(boxes_.asked[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));
  EXPECT_EQ(GetFocus(), Item(IDC_COPIES_EDIT));
  EXPECT_TRUE(HostCalls().empty());

  Type(IDC_COPIES_EDIT, L"12");
  EXPECT_EQ(Notify(PSN_KILLACTIVE), FALSE);
  Type(IDC_DRY_SCAN_EDIT, L"3");
  Command(IDC_HEAD_NO, BN_CLICKED);
  EXPECT_EQ(Notify(PSN_APPLY), PSNRET_NOERROR);
  ASSERT_EQ(HostCalls().size(), 1u);
  EXPECT_EQ(HostCalls()[0].function, static_cast<UINT>(CPSFUNC_SET_RESULT));
  EXPECT_EQ(HostCalls()[0].lParam2, CPSUI_OK);
  EXPECT_EQ(state()->copies.saved, 12);
  EXPECT_EQ(state()->dryInkScan.saved, 3);
  EXPECT_EQ(state()->headManagement->savedId, 0);
  EXPECT_EQ(state()->overlayPrompt.saved, 1);
  EXPECT_EQ(boxes_.asked.size(), 2u);
}

TEST_F(FeaturesPageTest, ReadOnlySheetGreysThePage) {
  state()->editable = 0;
  ASSERT_NE(Open(), nullptr);
  Notify(PSN_SETACTIVE);
  for (int id : {IDC_COPIES_LABEL, IDC_COPIES_EDIT, IDC_COPIES_SPIN, IDC_FEATURES_DEFAULTS,
                 IDC_HEAD_AUTOMATIC, IDC_HEAD_NO, IDC_DRY_SCAN_EDIT, IDC_DRY_PAGE_EDIT}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
}

// --- Quality --------------------------------------------------------------------------

class QualityPageTest : public PageTest {
 protected:
  HWND Open() {
    HWND opened = harness_.Open(kQualityPageDialog, QualityPageProc, L"Quality");
    EXPECT_NE(opened, nullptr);
    return opened;
  }
  int Position() { return PageTest::Position(IDC_QUALITY_SLIDER); }
};

TEST_F(QualityPageTest, SliderTakesClicksAndKeysAndShowsTheMode) {
  state()->printQuality.current = 1;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Position(), 1);
  EXPECT_EQ(Text(IDC_QUALITY_MODE), L"Normal");
  EXPECT_EQ(Text(harness_.sheet()), L"Orlex TQ-R5400 Document Properties");

  // Where the slider draws its three positions.
  const std::vector<int> ticks = Draw(IDC_QUALITY_SLIDER).ticks;
  ASSERT_EQ(ticks.size(), 3u);
  const int spacing = ticks[1] - ticks[0];
  ASSERT_GT(spacing, 2);
  struct Click {
    int x;
    int position;
  };
  // The nearest position wins; exactly half way, the higher one.
  const Click clicks[] = {{ticks[2] + 2, 2},
                          {ticks[0] - 3, 0},
                          {ticks[0] + (spacing - 1) / 2, 0},
                          {ticks[0] + spacing - spacing / 2, 1},
                          {ticks[1] + (ticks[2] - ticks[1]) / 2 + 1, 2}};
  for (const Click& c : clicks) {
    Press(IDC_QUALITY_SLIDER, c.x);
    EXPECT_EQ(Position(), c.position) << c.x;
    EXPECT_EQ(state()->printQuality.current, c.position) << c.x;
  }
  EXPECT_EQ(Text(IDC_QUALITY_MODE), L"Fine");
  EXPECT_TRUE(IsAdvancedModified(state()));
  EXPECT_EQ(Text(harness_.sheet()), L"[Custom]");
}

TEST_F(QualityPageTest, KeysKeepTheValueWithinTheFeatureAndWhatTheSliderShows) {
  ASSERT_NE(Open(), nullptr);
  struct Keystroke {
    WPARAM key;
    int position;
  };
  struct Case {
    std::int16_t minimum;
    std::int16_t maximum;
    std::vector<Keystroke> keys;
  };
  const Case cases[] = {
      // A description that offers no "Fine": the arrows stop at 1, End does not.
      {0, 1, {{VK_HOME, 0}, {VK_RIGHT, 1}, {VK_RIGHT, 1}, {VK_NEXT, 1}, {VK_END, 2},
              {VK_LEFT, 1}, {VK_PRIOR, 0}, {VK_UP, 0}}},
      // A description wider than the slider: the arrows stop at its ends.
      {-1, 3, {{VK_END, 2}, {VK_RIGHT, 2}, {VK_DOWN, 2}, {VK_HOME, 0}, {VK_LEFT, 0},
               {VK_PRIOR, 0}}},
  };
  for (const Case& c : cases) {
    state()->printQuality.minimum = c.minimum;
    state()->printQuality.maximum = c.maximum;
    for (const Keystroke& k : c.keys) {
      Key(IDC_QUALITY_SLIDER, k.key);
      EXPECT_EQ(Position(), k.position) << c.maximum << " key " << k.key;
      EXPECT_EQ(state()->printQuality.current, k.position) << c.maximum << " key " << k.key;
    }
  }
  EXPECT_EQ(Text(IDC_QUALITY_MODE), L"Fast");
}

TEST_F(QualityPageTest, ScaleFitsTheSliderAtEveryWidth) {
  ASSERT_NE(Open(), nullptr);
  ExpectScaleFitsAtWidths(IDC_QUALITY_SLIDER, 2, {ClientWidth(IDC_QUALITY_SLIDER), 40, 90, 280, 600});
}

TEST_F(QualityPageTest, TrackbarTooNarrowForAScaleStillStoresItsMoves) {
  ASSERT_NE(Open(), nullptr);
  Resize(IDC_QUALITY_SLIDER, 12);
  state()->printQuality.maximum = 1;  // which the trackbar's own keys do not know
  const struct {
    WPARAM key;
    int position;
    const wchar_t* mode;
  } keys[] = {{VK_HOME, 0, L"Fast"}, {VK_RIGHT, 1, L"Normal"}, {VK_RIGHT, 2, L"Fine"}};
  for (const auto& k : keys) {
    Key(IDC_QUALITY_SLIDER, k.key);
    EXPECT_EQ(Position(), k.position) << k.key;
    EXPECT_EQ(state()->printQuality.current, k.position) << k.key;
    EXPECT_EQ(Text(IDC_QUALITY_MODE), k.mode) << k.key;
  }
  EXPECT_TRUE(IsAdvancedModified(state()));
}

TEST_F(QualityPageTest, PaintingChangesNothing) {
  ASSERT_NE(Open(), nullptr);
  HWND media = Item(IDC_QUALITY_MEDIA_TYPE);
  const LRESULT shown = SendMessageW(media, CB_GETCURSEL, 0, 0) == 0 ? 1 : 0;
  // The user browses the list; nothing is chosen yet.
  SendMessageW(media, CB_SETCURSEL, shown, 0);
  state()->printQuality.current = 0;  // as another page may set it
  ASSERT_TRUE(IsWindowVisible(Slider(IDC_QUALITY_SLIDER)));
  RedrawWindow(Slider(IDC_QUALITY_SLIDER), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(SendMessageW(media, CB_GETCURSEL, 0, 0), shown);
  EXPECT_EQ(state()->printQuality.current, 0);
  // Coming back to the page shows it.
  Notify(PSN_SETACTIVE);
  EXPECT_EQ(Position(), 0);
  EXPECT_EQ(Text(IDC_QUALITY_MODE), L"Fast");
}

TEST_F(QualityPageTest, CombosMirrorAndDefaults) {
  ASSERT_NE(Open(), nullptr);
  const std::int16_t mirror = state()->mirror.current;
  Command(IDC_QUALITY_MIRROR, BN_CLICKED);
  EXPECT_NE(state()->mirror.current, mirror);
  Command(IDC_QUALITY_MIRROR, BN_CLICKED);
  EXPECT_EQ(state()->mirror.current, mirror);
  EXPECT_TRUE(IsAdvancedModified(state()));

  SendMessageW(Item(IDC_QUALITY_CARTRIDGE), CB_SETCURSEL, 1, 0);
  Command(IDC_QUALITY_CARTRIDGE, CBN_SELCHANGE);
  EXPECT_EQ(state()->cartridge->currentId, 1);
  SendMessageW(Item(IDC_QUALITY_MEDIA_TYPE), CB_SETCURSEL, 2, 0);
  Command(IDC_QUALITY_MEDIA_TYPE, CBN_SELCHANGE);
  EXPECT_EQ(state()->mediaType->currentPosition, 2);

  state()->grayScale.current = 1;
  state()->halftoning->currentId = 1;
  Key(IDC_QUALITY_SLIDER, VK_HOME);
  Command(IDC_QUALITY_DEFAULTS, BN_CLICKED);
  EXPECT_EQ(state()->cartridge->currentId, state()->cartridge->defaultId);
  EXPECT_EQ(state()->mediaType->currentId, state()->mediaType->defaultId);
  EXPECT_EQ(state()->grayScale.current, state()->grayScale.defaultValue);
  EXPECT_EQ(state()->halftoning->currentId, state()->halftoning->defaultId);
  EXPECT_EQ(state()->printQuality.current, state()->printQuality.defaultValue);
  EXPECT_EQ(Position(), state()->printQuality.defaultValue);

  // OK hands the pages' flags to the Main page.
  state()->mainPageFlags = 0;
  Notify(PSN_APPLY);
  EXPECT_TRUE(IsMainPageModified(state()));
}

// --- Color ----------------------------------------------------------------------------

class ColorPageTest : public PageTest {
 protected:
  HWND Open() {
    HWND opened = harness_.Open(kColorPageDialog, ColorPageProc, L"Color");
    EXPECT_NE(opened, nullptr);
    return opened;
  }
  void Scroll(int bar, int code, int thumb = 0) {
    SendMessageW(page(), WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(Item(bar)));
  }
};

TEST_F(ColorPageTest, ScrollCodesMoveTheBarsWithinTheirEnds) {
  state()->cyan.current = 45;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(GetScrollPos(Item(IDC_CYAN_BAR), SB_CTL), 95);
  struct Case {
    int bar;
    int code;
    int thumb;
    NumericSetting SheetState::*setting;
    int value;
    const wchar_t* shown;
    int valueId;
  };
  const Case cases[] = {
      {IDC_CYAN_BAR, SB_PAGERIGHT, 0, &SheetState::cyan, 50, L"50", IDC_CYAN_VALUE},
      {IDC_CYAN_BAR, SB_LINERIGHT, 0, &SheetState::cyan, 50, L"50", IDC_CYAN_VALUE},
      {IDC_CYAN_BAR, SB_PAGELEFT, 0, &SheetState::cyan, 40, L"40", IDC_CYAN_VALUE},
      {IDC_MAGENTA_BAR, SB_LEFT, 0, &SheetState::magenta, -50, L"-50", IDC_MAGENTA_VALUE},
      {IDC_MAGENTA_BAR, SB_LINELEFT, 0, &SheetState::magenta, -50, L"-50", IDC_MAGENTA_VALUE},
      {IDC_YELLOW_BAR, SB_THUMBTRACK, 70, &SheetState::yellow, 20, L"20", IDC_YELLOW_VALUE},
      {IDC_BLACK_BAR, SB_THUMBPOSITION, 3, &SheetState::black, -47, L"-47", IDC_BLACK_VALUE},
      {IDC_RED_BAR, SB_RIGHT, 0, &SheetState::red, 50, L"50", IDC_RED_VALUE},
      {IDC_BLUE_BAR, SB_PAGELEFT, 0, &SheetState::blue, -10, L"-10", IDC_BLUE_VALUE},
  };
  for (const Case& c : cases) {
    Scroll(c.bar, c.code, c.thumb);
    EXPECT_EQ((state()->*c.setting).current, c.value) << c.bar << " " << c.code;
    EXPECT_EQ(GetScrollPos(Item(c.bar), SB_CTL), c.value + 50);
    EXPECT_EQ(Text(c.valueId), c.shown);
  }
  EXPECT_TRUE(IsAdvancedModified(state()));
}

TEST_F(ColorPageTest, SetsShareTheirPlaceAndTheCartridgeTurnsColoursOff) {
  ASSERT_NE(Open(), nullptr);
  ASSERT_EQ(state()->cmykOrRgb->currentId, 1);
  EXPECT_TRUE(Visible(IDC_CYAN_BAR));
  EXPECT_FALSE(Visible(IDC_RED_BAR));
  EXPECT_FALSE(ApplyEnabled());
  Command(IDC_BALANCE_RGB, BN_CLICKED);
  EXPECT_EQ(state()->cmykOrRgb->currentId, 2);
  // Not a change of the print mode's settings, but one the sheet applies.
  EXPECT_TRUE(ApplyEnabled());
  for (int id : {IDC_CYAN_BAR, IDC_BLACK_BAR, IDC_CYAN_VALUE, IDC_BLACK_LABEL}) {
    EXPECT_FALSE(Visible(id)) << id;
  }
  for (int id : {IDC_RED_BAR, IDC_BLUE_BAR, IDC_RED_VALUE, IDC_GREEN_LABEL}) {
    EXPECT_TRUE(Visible(id)) << id;
  }
  EXPECT_FALSE(IsAdvancedModified(state()));

  // An enabled bar paints its gradient through a hollow brush.
  const auto hollow = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  HDC dc = GetDC(Item(IDC_RED_BAR));
  EXPECT_EQ(SendMessageW(page(), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(Item(IDC_RED_BAR))),
            hollow);

  state()->cartridge->currentId = 1;
  Notify(PSN_SETACTIVE);
  for (int id : {IDC_BALANCE_LABEL, IDC_BALANCE_CMYK, IDC_BALANCE_RGB, IDC_RED_BAR, IDC_RED_LABEL,
                 IDC_RED_VALUE, IDC_CYAN_BAR, IDC_MATCHING_LABEL, IDC_COLOR_MATCHING}) {
    EXPECT_FALSE(Enabled(id)) << id;
  }
  for (int id : {IDC_GAMMA_LABEL, IDC_COLOR_GAMMA, IDC_INTENSITY_LABEL, IDC_INTENSITY_VALUE,
                 IDC_INTENSITY_SLIDER}) {
    EXPECT_TRUE(Enabled(id)) << id;
  }
  // The system paints a disabled bar.
  EXPECT_NE(SendMessageW(page(), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(Item(IDC_RED_BAR))),
            hollow);
  ReleaseDC(Item(IDC_RED_BAR), dc);
}

TEST_F(ColorPageTest, BarsShowAGradientFromWhiteToTheInk) {
  ASSERT_NE(Open(), nullptr);
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  // The last of at least 100 columns is at 99 % of the ink: a channel of 0
  // becomes 255 - 99 * 255 / 100 = 3.
  const struct {
    int bar;
    COLORREF last;
  } bars[] = {{IDC_CYAN_BAR, RGB(3, 255, 255)},  {IDC_MAGENTA_BAR, RGB(255, 3, 255)},
              {IDC_YELLOW_BAR, RGB(255, 255, 3)}, {IDC_BLACK_BAR, RGB(3, 3, 3)},
              {IDC_RED_BAR, RGB(255, 3, 3)},     {IDC_GREEN_BAR, RGB(3, 255, 3)},
              {IDC_BLUE_BAR, RGB(3, 3, 255)}};
  for (const auto& b : bars) {
    ClientPicture picture(Item(b.bar));
    // Between the arrows, inside a frame of two pixels a side.
    const int first = arrow + 2;
    const int last = picture.width() - arrow - 3;
    ASSERT_GE(last - first + 1, 100) << b.bar;
    SendMessageW(page(), WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(picture.dc()),
                 reinterpret_cast<LPARAM>(Item(b.bar)));
    const int y = picture.height() / 2;
    EXPECT_EQ(picture.At(first, y), RGB(255, 255, 255)) << b.bar;
    EXPECT_EQ(picture.At(last, y), b.last) << b.bar;
  }
}

TEST_F(ColorPageTest, IntensityScaleFitsTheSliderAtEveryWidth) {
  ASSERT_NE(Open(), nullptr);
  // Among them widths at which the trackbar's rounded ticks ask for more
  // than the slider has: 3 pixels apart from 280 to 290, 4 from 380 to 390,
  // and 2 at 200, which leaves no room for the thumb at either end.
  ExpectScaleFitsAtWidths(IDC_INTENSITY_SLIDER, 100,
                          {ClientWidth(IDC_INTENSITY_SLIDER), 110, 200, 270, 275, 280, 285, 290,
                           375, 380, 385, 390, 640});
}

TEST_F(ColorPageTest, TrackbarTooNarrowForAScaleStillStoresItsMoves) {
  state()->intensity.current = 0;
  ASSERT_NE(Open(), nullptr);
  Resize(IDC_INTENSITY_SLIDER, 100);
  // The trackbar's own page step is a fifth of its range.
  Key(IDC_INTENSITY_SLIDER, VK_NEXT);
  EXPECT_EQ(Position(IDC_INTENSITY_SLIDER), 70);
  EXPECT_EQ(state()->intensity.current, 20);
  EXPECT_EQ(Text(IDC_INTENSITY_VALUE), L"20");
  Key(IDC_INTENSITY_SLIDER, VK_HOME);
  EXPECT_EQ(state()->intensity.current, -50);
  EXPECT_TRUE(IsAdvancedModified(state()));
}

TEST_F(ColorPageTest, PaintingChangesNothingAndTheSliderShowsTheValueOnActivation) {
  ASSERT_NE(Open(), nullptr);
  HWND slider = Slider(IDC_INTENSITY_SLIDER);
  HWND matching = Item(IDC_COLOR_MATCHING);
  const LRESULT shown = SendMessageW(matching, CB_GETCURSEL, 0, 0) == 0 ? 1 : 0;
  SendMessageW(matching, CB_SETCURSEL, shown, 0);  // the user browses the list
  MarkAdvancedModified(state());
  SetWindowTextW(harness_.sheet(), L"Untouched");
  state()->intensity.current = 20;  // as another page may set it
  ASSERT_TRUE(IsWindowVisible(slider));
  RedrawWindow(slider, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(state()->intensity.current, 20);
  EXPECT_EQ(SendMessageW(matching, CB_GETCURSEL, 0, 0), shown);
  EXPECT_EQ(Text(harness_.sheet()), L"Untouched");

  // Coming back to the page shows the value; one beyond the slider's end
  // becomes the end it shows.
  const struct {
    std::int16_t stored;
    int position;
    std::int16_t kept;
  } cases[] = {{20, 70, 20}, {70, 100, 50}, {-90, 0, -50}};
  for (const auto& c : cases) {
    state()->intensity.current = c.stored;
    Notify(PSN_SETACTIVE);
    EXPECT_EQ(Position(IDC_INTENSITY_SLIDER), c.position) << c.stored;
    EXPECT_EQ(state()->intensity.current, c.kept) << c.stored;
    EXPECT_EQ(Text(IDC_INTENSITY_VALUE), std::to_wstring(c.kept)) << c.stored;
  }
}

TEST_F(ColorPageTest, IntensitySliderCombosAndDefaults) {
  ASSERT_NE(Open(), nullptr);
  HWND slider = Item(IDC_INTENSITY_SLIDER);
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 50 + state()->intensity.current);
  struct Keystroke {
    WPARAM key;
    int value;
  };
  const Keystroke keys[] = {{VK_HOME, -50}, {VK_NEXT, -45}, {VK_RIGHT, -44},
                            {VK_END, 50},   {VK_NEXT, 50},  {VK_PRIOR, 45}, {VK_LEFT, 44}};
  for (const Keystroke& k : keys) {
    Key(IDC_INTENSITY_SLIDER, k.key);
    EXPECT_EQ(state()->intensity.current, k.value) << k.key;
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), k.value + 50) << k.key;
  }

  SendMessageW(Item(IDC_COLOR_GAMMA), CB_SETCURSEL, 0, 0);
  Command(IDC_COLOR_GAMMA, CBN_SELCHANGE);
  EXPECT_EQ(state()->gamma->currentPosition, 0);
  Command(IDC_BALANCE_RGB, BN_CLICKED);
  SendMessageW(page(), WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0),
               reinterpret_cast<LPARAM>(Item(IDC_GREEN_BAR)));

  Command(IDC_COLOR_DEFAULTS, BN_CLICKED);
  EXPECT_EQ(state()->cmykOrRgb->currentId, state()->cmykOrRgb->defaultId);
  EXPECT_TRUE(Visible(IDC_CYAN_BAR));
  EXPECT_FALSE(Visible(IDC_GREEN_BAR));
  EXPECT_EQ(state()->green.current, state()->green.defaultValue);
  EXPECT_EQ(GetScrollPos(Item(IDC_GREEN_BAR), SB_CTL), state()->green.defaultValue + 50);
  EXPECT_EQ(state()->gamma->currentId, state()->gamma->defaultId);
  EXPECT_EQ(state()->intensity.current, state()->intensity.defaultValue);
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), state()->intensity.defaultValue + 50);
  EXPECT_EQ(Text(IDC_INTENSITY_VALUE), std::to_wstring(state()->intensity.defaultValue));
}

// --- the Advanced sheet over the Main page ---------------------------------------------

// A user in the Advanced sheet: changes a value on each page, then presses
// `press`. Runs on a thread timer inside the sheet's modal loop.
struct AdvancedUser {
  HWND mainSheet = nullptr;
  int press = PSBTN_CANCEL;
  bool onlyColourSet = false;  // only switches from CMYK to RGB
  bool done = false;
  std::wstring caption;
};
AdvancedUser g_user;

BOOL CALLBACK FindAdvancedSheet(HWND window, LPARAM found) {
  if (window == g_user.mainSheet || !IsWindowVisible(window) ||
      FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) == nullptr) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK UseAdvancedSheet(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND sheet = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindAdvancedSheet, reinterpret_cast<LPARAM>(&sheet));
  if (sheet == nullptr || g_user.done) return;
  KillTimer(nullptr, timer);
  g_user.done = true;
  wchar_t caption[128] = {};
  GetWindowTextW(sheet, caption, 128);
  g_user.caption = caption;
  HWND quality = PropSheet_GetCurrentPageHwnd(sheet);
  if (g_user.onlyColourSet) {
    PropSheet_SetCurSel(sheet, nullptr, 1);
    SendDlgItemMessageW(PropSheet_GetCurrentPageHwnd(sheet), IDC_BALANCE_RGB, BM_CLICK, 0, 0);
    PostMessageW(sheet, PSM_PRESSBUTTON, g_user.press, 0);
    return;
  }
  SendDlgItemMessageW(quality, IDC_QUALITY_SLIDER, WM_KEYDOWN, VK_HOME, 0);
  SendDlgItemMessageW(quality, IDC_QUALITY_MIRROR, BM_CLICK, 0, 0);
  PropSheet_SetCurSel(sheet, nullptr, 1);
  HWND color = PropSheet_GetCurrentPageHwnd(sheet);
  SendMessageW(color, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0),
               reinterpret_cast<LPARAM>(GetDlgItem(color, IDC_CYAN_BAR)));
  SendDlgItemMessageW(color, IDC_BALANCE_RGB, BM_CLICK, 0, 0);
  SendDlgItemMessageW(color, IDC_INTENSITY_SLIDER, WM_KEYDOWN, VK_END, 0);
  PostMessageW(sheet, PSM_PRESSBUTTON, g_user.press, 0);
}

class AdvancedSheetTest : public PageTest {};

TEST_F(AdvancedSheetTest, CancelPutsBackWhatTheSheetChangedAndOkKeepsIt) {
  for (const int press : {PSBTN_CANCEL, PSBTN_OK}) {
    SCOPED_TRACE(press == PSBTN_OK ? "OK" : "Cancel");
    ASSERT_NE(harness_.Open(), nullptr);
    SheetState* sheet = state();
    const AdvancedValues before = RememberAdvancedValues(sheet);
    const std::int16_t mirror = sheet->mirror.current;
    ASSERT_NE(sheet->printQuality.current, 0);
    g_user = AdvancedUser{};
    g_user.mainSheet = harness_.sheet();
    g_user.press = press;
    SetTimer(nullptr, 0, 50, UseAdvancedSheet);
    Command(IDC_MAIN_ADVANCED, BN_CLICKED);
    ASSERT_TRUE(g_user.done);
    EXPECT_EQ(g_user.caption, L"[Standard]Properties");
    const AdvancedValues after = RememberAdvancedValues(sheet);
    if (press == PSBTN_CANCEL) {
      EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
      EXPECT_FALSE(IsMainPageModified(sheet));
      EXPECT_FALSE(ApplyEnabled());
    } else {
      EXPECT_EQ(sheet->printQuality.current, 0);
      EXPECT_NE(sheet->mirror.current, mirror);
      EXPECT_EQ(sheet->cyan.current, 50);
      EXPECT_EQ(sheet->cmykOrRgb->currentId, 2);
      EXPECT_EQ(sheet->intensity.current, 50);
      EXPECT_TRUE(IsMainPageModified(sheet));
      EXPECT_TRUE(ApplyEnabled());
      // The summary follows.
      EXPECT_EQ(Text(IDC_MAIN_QUALITY), L"Fast");
      EXPECT_EQ(Text(IDC_MAIN_COLOR_ADJUSTMENT), L"RGB(On)");
    }
    harness_.Close();
  }
}

// The choice of CMYK or RGB follows no print mode and leaves the settings
// unmarked, but it is a change all the same: the sheet offers to apply it.
TEST_F(AdvancedSheetTest, ColourSetAloneIsAChangeToApply) {
  ASSERT_NE(harness_.Open(), nullptr);
  ASSERT_EQ(state()->cmykOrRgb->currentId, 1);
  ASSERT_FALSE(ApplyEnabled());
  g_user = AdvancedUser{};
  g_user.mainSheet = harness_.sheet();
  g_user.press = PSBTN_OK;
  g_user.onlyColourSet = true;
  SetTimer(nullptr, 0, 50, UseAdvancedSheet);
  Command(IDC_MAIN_ADVANCED, BN_CLICKED);
  ASSERT_TRUE(g_user.done);
  EXPECT_EQ(state()->cmykOrRgb->currentId, 2);
  EXPECT_FALSE(IsMainPageModified(state()));
  EXPECT_TRUE(ApplyEnabled());
}

}  // namespace
}  // namespace tqr
