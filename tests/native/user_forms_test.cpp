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

}  // namespace
}  // namespace tqr
