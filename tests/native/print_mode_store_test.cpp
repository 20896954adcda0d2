// The Save page's edits of the print mode list: lookups through the display
// order, append, overwrite, delete with renumbering, and reordering.
#include "presets/print_mode_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presets_fixture.h"

namespace tqr {
namespace {

using test::MakeRecord;

class PrintModeStoreTest : public ::testing::Test {
 protected:
  PrintModeStoreTest() {
    for (int m = 0; m < kBuiltInPrintModes; ++m) {
      builtIn_[m] = MakeRecord(u"Builtin" + std::u16string(1, static_cast<char16_t>(u'0' + m)));
    }
    store_.builtIn = builtIn_;
  }

  // A loaded store: `order` over user presets titled by their mode number.
  void Fill(const std::vector<std::uint16_t>& order) {
    store_.count = static_cast<std::uint16_t>(order.size());
    std::copy(order.begin(), order.end(), store_.order);
    store_.user.clear();
    for (std::size_t m = kBuiltInPrintModes; m < order.size(); ++m) {
      store_.user.push_back(MakeRecord(u"M" + std::u16string(1, static_cast<char16_t>(u'0' + m))));
    }
  }
  std::vector<std::uint16_t> Order() const {
    return std::vector<std::uint16_t>(store_.order, store_.order + store_.count);
  }
  std::vector<std::u16string> Titles() const {
    std::vector<std::u16string> titles;
    for (std::uint16_t p = 0; p < store_.count; ++p) {
      titles.emplace_back(GetTitleAtPosition(store_.View(), p));
    }
    return titles;
  }

  PrintModeRecord builtIn_[kBuiltInPrintModes];
  PrintModeStore store_;
};

TEST_F(PrintModeStoreTest, LookupsGoThroughTheDisplayOrder) {
  Fill({6, 0, 1, 2, 3, 4, 5});
  EXPECT_EQ(FindPrintModeRecord(store_.View(), 2), &builtIn_[2]);
  EXPECT_EQ(FindPrintModeRecord(store_.View(), 6), &store_.user[1]);
  EXPECT_EQ(FindPrintModeRecord(store_.View(), 7), nullptr);
  EXPECT_EQ(GetTitleAtPosition(store_.View(), 0), u"M6");
  EXPECT_EQ(GetTitleAtPosition(store_.View(), 7), u"");

  const struct {
    const char16_t* title;
    std::uint16_t position;
  } kSearches[] = {
      {u"M6", 0},       {u"Builtin0", 1}, {u"M5", 6},  {u"m5", kPositionNotFound},
      {u"M", kPositionNotFound},          {u"M55", kPositionNotFound},
  };
  for (const auto& search : kSearches) {
    EXPECT_EQ(FindPrintModeTitle(store_.View(), search.title), search.position)
        << "search " << &search - kSearches;
  }
  // The first match wins when titles repeat.
  store_.user[0] = MakeRecord(u"M6");
  EXPECT_EQ(FindPrintModeTitle(store_.View(), u"M6"), 0);
  store_.count = 0;
  EXPECT_EQ(FindPrintModeTitle(store_.View(), u"Builtin0"), kPositionNotFound);
}

TEST_F(PrintModeStoreTest, AppendAddsTheNextModeAtTheEndUntilTheListIsFull) {
  Fill({2, 0, 1, 3, 4, 5});
  store_.working = MakeRecord(u"New");
  ASSERT_TRUE(AppendPrintMode(&store_));
  EXPECT_EQ(Order(), (std::vector<std::uint16_t>{2, 0, 1, 3, 4, 5, 6}));
  EXPECT_EQ(GetTitleAtPosition(store_.View(), 6), u"New");

  while (store_.count < kMaxPrintModes) ASSERT_TRUE(AppendPrintMode(&store_));
  EXPECT_EQ(store_.user.size(), 100u);
  EXPECT_FALSE(AppendPrintMode(&store_));
  EXPECT_EQ(store_.count, kMaxPrintModes);

  PrintModeStore empty;  // never loaded
  EXPECT_FALSE(AppendPrintMode(&empty));
}

TEST_F(PrintModeStoreTest, OverwriteChangesOnlyUserPresets) {
  Fill({5, 0, 1, 2, 3, 4, 6});
  store_.working = MakeRecord(u"Over", 9);
  ASSERT_TRUE(OverwritePrintMode(&store_, 6));
  EXPECT_TRUE(test::SameRecord(store_.user[1], store_.working));
  EXPECT_EQ(Order(), (std::vector<std::uint16_t>{5, 0, 1, 2, 3, 4, 6}));
  EXPECT_FALSE(OverwritePrintMode(&store_, 1));  // built-in mode 0
  EXPECT_FALSE(OverwritePrintMode(&store_, 7));  // past the list
  EXPECT_EQ(TitleOf(builtIn_[0]), u"Builtin0");
}

TEST_F(PrintModeStoreTest, DeleteRenumbersTheModesAboveTheDeletedOne) {
  const struct Case {
    const char* name;
    std::vector<std::uint16_t> order;
    std::uint16_t position;
    std::vector<std::uint16_t> after;  // empty: refused, nothing changes
    std::vector<std::u16string> titles;
  } kCases[] = {
      {"mode 7 at position 7 of 0..9", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 7,
       {0, 1, 2, 3, 4, 5, 6, 7, 8},
       {u"Builtin0", u"Builtin1", u"Builtin2", u"Builtin3", u"Builtin4", u"M5", u"M6", u"M8",
        u"M9"}},
      {"reordered list", {8, 0, 5, 1, 2, 7, 3, 4, 6}, 2, {7, 0, 1, 2, 6, 3, 4, 5},
       {u"M8", u"Builtin0", u"Builtin1", u"Builtin2", u"M7", u"Builtin3", u"Builtin4", u"M6"}},
      {"last position", {0, 1, 2, 3, 4, 6, 5}, 6, {0, 1, 2, 3, 4, 5},
       {u"Builtin0", u"Builtin1", u"Builtin2", u"Builtin3", u"Builtin4", u"M6"}},
      {"built-in mode", {0, 1, 2, 3, 4, 5}, 3, {}, {}},
      {"past the list", {0, 1, 2, 3, 4, 5}, 6, {}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    Fill(c.order);
    std::uint16_t deleted = 0xAAAA;
    const bool done = DeletePrintMode(&store_, c.position, &deleted);
    ASSERT_EQ(done, !c.after.empty());
    if (!done) {
      EXPECT_EQ(Order(), c.order);
      EXPECT_EQ(deleted, 0xAAAA);
      continue;
    }
    EXPECT_EQ(deleted, c.order[c.position]);
    EXPECT_EQ(Order(), c.after);
    EXPECT_EQ(store_.order[store_.count], 0);  // the vacated entry
    EXPECT_EQ(store_.user.size(), store_.count - 5u);
    EXPECT_EQ(Titles(), c.titles);
  }
  EXPECT_EQ(ModeAfterDelete(9, 7), 8);
  EXPECT_EQ(ModeAfterDelete(6, 7), 6);
  EXPECT_EQ(ModeAfterDelete(7, 7), 7);
}

TEST_F(PrintModeStoreTest, MovesSwapNeighboursButNotPastTheEnds) {
  const struct Case {
    bool up;
    std::uint16_t position;
    std::vector<std::uint16_t> after;  // empty: refused
  } kCases[] = {
      {true, 0, {}},
      {false, 5, {}},
      {false, 6, {}},
      {true, 1, {1, 0, 2, 3, 4, 5}},  // built-in modes move too
      {false, 4, {0, 1, 2, 3, 5, 4}},
      {true, 5, {0, 1, 2, 3, 5, 4}},
  };
  for (const Case& c : kCases) {
    Fill({0, 1, 2, 3, 4, 5});
    const bool done =
        c.up ? MovePrintModeUp(&store_, c.position) : MovePrintModeDown(&store_, c.position);
    EXPECT_EQ(done, !c.after.empty()) << c.up << " " << c.position;
    const std::vector<std::uint16_t> unchanged = {0, 1, 2, 3, 4, 5};
    EXPECT_EQ(Order(), done ? c.after : unchanged);
  }
}

}  // namespace
}  // namespace tqr
