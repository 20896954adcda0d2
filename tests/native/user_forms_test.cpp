// Which server forms the driver offers, and how it numbers them.
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

class UserFormsTest : public SettingsTest {
 protected:
  void SetUp() override {
    AddForm(u"A4", 2100, 2970, 1);            // built in: never offered
    AddForm(u"Exact minimum", 2100, 2970);    // 318
    AddForm(u"Too narrow", 2000, 3000);       // skipped, numbers go on
    AddForm(u"Poster 420x594", 4200, 5940);   // 319
    AddForm(u"Longest", 10822, 26670);        // 320
    AddForm(u"Too long", 5000, 26671);
  }
};

TEST_F(UserFormsTest, QualifyingFormsAreNumberedInEnumerationOrder) {
  std::int16_t numbers[3] = {};
  ASSERT_EQ(EnumUserForms(printer(), kFormNumbers, numbers), 3u);
  EXPECT_EQ(numbers[0], 318);
  EXPECT_EQ(numbers[1], 319);
  EXPECT_EQ(numbers[2], 320);
  std::int32_t sizes[6] = {};
  EnumUserForms(printer(), kFormSizes, sizes);
  EXPECT_EQ(sizes[2], 4200);
  EXPECT_EQ(sizes[3], 5940);
  EXPECT_EQ(sizes[5], 26670);
  std::vector<char16_t> names(3 * 64, u'x');
  EnumUserForms(printer(), kFormNames, names.data());
  EXPECT_EQ(std::u16string(names.data() + 64), u"Poster 420x594");
  EXPECT_EQ(names[64 + 63], u'\0');  // the whole slot is written
  EXPECT_EQ(EnumUserForms(printer(), kFormNumbers, nullptr), 3u);
}

TEST_F(UserFormsTest, DeletingAFormRenumbersTheOnesAfterIt) {
  spooler_.forms.erase(spooler_.forms.begin() + 1);
  auto record = Defaults();
  record->dm.dmPaperSize = 318;
  ASSERT_EQ(MatchUserForm(printer(), record.get()), 1);
  EXPECT_EQ(record->dm.dmPaperWidth, 4200);
}

TEST_F(UserFormsTest, CustomSizesAreTiedToAFormOfExactlyThatSize) {
  auto record = Defaults();
  record->dm.dmPaperSize = 256;
  record->dm.dmPaperWidth = 4200;
  record->dm.dmPaperLength = 5940;
  ASSERT_EQ(MatchUserForm(printer(), record.get()), 1);
  EXPECT_EQ(record->dm.dmPaperSize, 319);
  record->dm.dmPaperSize = 256;
  record->dm.dmPaperWidth = 2000;
  record->dm.dmPaperLength = 3000;
  EXPECT_EQ(MatchUserForm(printer(), record.get()), 0);
  EXPECT_EQ(record->dm.dmPaperSize, 256);
  spooler_.failEnumForms = true;
  record->dm.dmPaperSize = 318;
  EXPECT_EQ(MatchUserForm(printer(), record.get()), 0);
  EXPECT_EQ(EnumUserForms(printer(), kFormNumbers, nullptr), 0u);
}

TEST_F(UserFormsTest, FormNamesFollowThePaperNumbers) {
  auto record = Defaults();
  record->PaperSize = 320;
  record->PaperSize2 = 318;
  spooler_.forms[4].name = std::u16string(70, u'L');
  CopyFormNames(printer(), record.get());
  char16_t name[64];
  std::memcpy(name, record->FormName, sizeof name);
  EXPECT_EQ(std::u16string(name), std::u16string(63, u'L'));  // cut to fit
  std::memcpy(name, record->FormName2, sizeof name);
  EXPECT_EQ(std::u16string(name), u"Exact minimum");
}

// Names are told apart as the spooler tells them: each unit uppercased by
// the platform's table over the whole of the plane, not just Latin letters.
TEST(FormNameTest, CaseIsIgnoredInEveryScriptUnitByUnit) {
  struct Case {
    std::u16string a;
    std::u16string b;
    bool same;
  };
  const Case cases[] = {
      {u"Banner 500", u"BANNER 500", true},
      {u"\u00e9t\u00e9", u"\u00c9T\u00c9", true},  // Latin-1
      {u"\u00ff", u"\u0178", true},  // y diaeresis
      {u"\u0151\u017e", u"\u0150\u017d", true},  // Latin Extended-A
      {u"\u03c3\u03c7\u03b5\u03b4\u03b9\u03bf",  // Greek
       u"\u03a3\u03a7\u0395\u0394\u0399\u039f", true},
      {u"\u03c2\u03c3", u"\u03c2\u03a3", true},  // a final sigma stays as it is
      {u"\u03c2", u"\u03a3", false},
      {u"\u043f\u043b\u0430\u043a\u0430\u0442",  // Cyrillic
       u"\u041f\u041b\u0410\u041a\u0410\u0422", true},
      {u"\u0561", u"\u0531", true},  // Armenian
      {u"\u1e01", u"\u1e00", true},  // Latin Extended Additional
      {u"\uff41", u"\uff21", true},  // fullwidth
      {u"\u0131", u"I", false},  // dotless i: I lowercases to i, not to it
      {u"\u0130", u"i", false},  // capital I with dot
      {u"\u01c5", u"\u01c4", false},  // titlecase digraph
      {u"\u00b5", u"\u039c", false},  // micro sign
      {u"\u00df", u"\u1e9e", false},  // sharp s has no simple uppercase
      {u"\u00d7", u"\u00f7", false},  // multiplication and division signs
      {u"\U00010428", u"\U00010400", false},  // beyond the plane: surrogates stay
      {u"Banner 500", u"Banner 50", false},
  };
  for (const Case& c : cases) {
    const auto at = &c - cases;
    EXPECT_EQ(SameFormName(c.a, c.b), c.same) << "case " << at;
    EXPECT_EQ(SameFormName(c.b, c.a), c.same) << "case " << at;
  }
}

}  // namespace
}  // namespace tqr
