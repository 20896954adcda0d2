// Capability answers as applications get them, against the shipped
// description behind a fake spooler.
#include <string>

#include "caps/capabilities.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

class CapabilitiesTest : public test::SettingsTest {
 protected:
  void SetUp() override { InstallShippedDescription(); }

  std::int32_t Ask(std::uint16_t index, void* output = nullptr, const void* input = nullptr) {
    return AnswerDeviceCapability(printer(), u"Orlex TQ-R5400", index, output, input);
  }
  // The three paper lists, checked against each other.
  std::vector<std::uint16_t> Papers(const void* input = nullptr) {
    const std::int32_t count = Ask(kCapPapers, nullptr, input);
    std::vector<std::uint16_t> numbers(count);
    std::vector<std::int32_t> sizes(2 * count);
    std::vector<char16_t> names(64 * count);
    EXPECT_EQ(Ask(kCapPapers, numbers.data(), input), count);
    EXPECT_EQ(Ask(kCapPaperSize, sizes.data(), input), count);
    EXPECT_EQ(Ask(kCapPaperNames, names.data(), input), count);
    for (std::int32_t i = 0; i < count; ++i) {
      const std::u16string name(names.data() + 64 * i);
      if (numbers[i] == 9) {
        EXPECT_EQ(name, u"A4 (210 x 297 mm)");
        EXPECT_EQ(sizes[2 * i], 2100);
        EXPECT_EQ(sizes[2 * i + 1], 2970);
      }
      EXPECT_FALSE(name.empty()) << i;
    }
    return numbers;
  }
};

TEST_F(CapabilitiesTest, FixedAnswersNeedNoDescription) {
  files_.Delete("C:\\drv\\TQR54GFX.DDF");
  const struct {
    std::uint16_t index;
    std::int32_t answer;
  } cases[] = {{kCapSize, 220},        {kCapExtra, 1528},        {kCapVersion, 0x401},
               {kCapDriver, 0x102},    {kCapFileDependencies, 0}, {kCapOrientation, 90},
               {kCapPrinterMem, 4096}, {kCapStaple, 0},          {kCapColorDevice, 1},
               {kCapPapers, -1},       {kCapFields, -1}};
  for (const auto& c : cases) EXPECT_EQ(Ask(c.index), c.answer) << c.index;
  char16_t personality[8] = {};
  EXPECT_EQ(Ask(kCapPersonality, personality), 1);
  EXPECT_EQ(std::u16string(personality), u"Orlex");
}

TEST_F(CapabilitiesTest, UnsupportedIndicesAnswerMinusOne) {
  for (const std::uint16_t index : {0, 19, 20, 21, 22, 23, 24, 26, 27, 29, 31, 33, 34, 500}) {
    EXPECT_EQ(Ask(index), -1) << index;
  }
}

// An index the driver has no answer for is reported, not only refused; the
// indices it answers, supported or not, are not.
TEST_F(CapabilitiesTest, OnlyUnknownIndicesAreTraced) {
  for (const std::uint16_t index : {kCapSize, kCapPapers, kCapNup, kCapCopies}) Ask(index);
  EXPECT_TRUE(trace_.lines.empty());
  Ask(19);
  Ask(500);
  EXPECT_EQ(trace_.lines, (std::vector<std::string>{"DrvDeviceCapabilities: unhandled index 19",
                                                    "DrvDeviceCapabilities: unhandled index 500"}));
}

TEST_F(CapabilitiesTest, AnswersFromTheDescription) {
  EXPECT_EQ(Ask(kCapFields), 0x10B0F);
  EXPECT_EQ(Ask(kCapMinExtent), 2100 | (2970 << 16));
  EXPECT_EQ(Ask(kCapMaxExtent), 10822 | (26670 << 16));
  EXPECT_EQ(Ask(kCapDuplex), 0);
  EXPECT_EQ(Ask(kCapTrueType), 1);
  EXPECT_EQ(Ask(kCapCopies), 999);
  std::uint16_t bins[5] = {};
  EXPECT_EQ(Ask(kCapBins, bins), 5);
  EXPECT_EQ(bins[0], 256);
  EXPECT_EQ(bins[4], 260);
  std::vector<char16_t> binNames(5 * 24, u'x');
  EXPECT_EQ(Ask(kCapBinNames, binNames.data()), 5);
  EXPECT_EQ(std::u16string(binNames.data() + 2 * 24), u"Cut Sheet");
  std::int32_t resolution[2] = {};
  EXPECT_EQ(Ask(kCapEnumResolutions, resolution), 1);
  EXPECT_EQ(resolution[0], 300);
  EXPECT_EQ(resolution[1], 300);
}

TEST_F(CapabilitiesTest, PaperListsFollowGroupsFeedAndForms) {
  const std::vector<std::uint16_t> all = Papers();
  ASSERT_EQ(all.size(), 28u);  // ISO A 10, ISO B 4, ANSI 6, ARCH 8 switched on
  EXPECT_EQ(all[0], 257);
  EXPECT_EQ(all[7], 9);
  EXPECT_EQ(all[10], 261);  // ISO B follows ISO A

  auto own = Defaults();
  own->IsoA = 0;
  EXPECT_EQ(Papers(own.get()).front(), 261);  // later groups keep their positions

  own = Defaults();
  own->PaperFeed = 2;  // cut sheet, normal size: nothing under 420 x 420 mm
  const std::vector<std::uint16_t> cut = Papers(own.get());
  for (const std::uint16_t number : {1, 3, 8, 9, 12, 75, 76, 77, 264, 265, 270, 271}) {
    EXPECT_EQ(std::count(cut.begin(), cut.end(), number), 0) << number;
  }
  EXPECT_EQ(std::count(cut.begin(), cut.end(), 66), 1);  // A2 stays
  own->Printing = 1;
  EXPECT_EQ(Papers(own.get()).size(), all.size());  // enlarging takes them all

  AddForm(u"Banner 500", 5000, 8000);
  const std::vector<std::uint16_t> withForm = Papers();
  ASSERT_EQ(withForm.size(), all.size() + 1);
  EXPECT_EQ(withForm.back(), 318);
}

}  // namespace
}  // namespace tqr
