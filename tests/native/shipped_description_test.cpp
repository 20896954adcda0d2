// The description the driver ships with: it compiles cleanly and carries
// what the settings, pages and capabilities rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <numeric>

#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"

namespace tqr {
namespace {

class ShippedDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream file(TQR_SHIPPED_DDF, std::ios::binary);
    ASSERT_TRUE(file) << TQR_SHIPPED_DDF;
    const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    ASSERT_TRUE(ddf::CompileDescription(text.data(), text.size(), &image_, &report_))
        << report_.error.line << ": " << report_.error.message;
  }
  std::uint32_t Ask(const char* feature, std::uint16_t kind, std::uint16_t index = 0) {
    std::uint8_t buffer[64];
    return DdfQuery(image_.data(), feature, kind, buffer, index, 64);
  }
  std::vector<std::int32_t> Values(const char* feature) {
    std::vector<std::int32_t> values(Ask(feature, DDFQ_COUNT));
    DdfQuery(image_.data(), feature, DDFQ_VALUES, values.data(), 0, 4);
    return values;
  }

  std::vector<std::uint8_t> image_;
  ddf::CompileReport report_;
};

TEST_F(ShippedDescriptionTest, CompilesWithoutWarningsWellBelowTheLimit) {
  for (const auto& warning : report_.warnings) ADD_FAILURE() << warning.line << ": " << warning.message;
  EXPECT_LT(image_.size(), 56u * 1024);
}

TEST_F(ShippedDescriptionTest, PaperSizesAreGroupedWithA4AtPositionSeven) {
  const std::vector<std::int32_t> papers = Values("PaperSize");
  ASSERT_GT(papers.size(), 8u);
  EXPECT_LE(papers.size(), 64u);
  EXPECT_EQ(papers[7], 9);
  const std::vector<std::int32_t> groups = Values("PaperSetting");
  EXPECT_EQ(groups.size(), 8u);
  EXPECT_EQ(std::accumulate(groups.begin(), groups.end(), 0), static_cast<int>(papers.size()));
  EXPECT_EQ(Ask("PaperName", DDFQ_COUNT), papers.size());
  std::vector<std::uint32_t> sizes(2 * papers.size());
  ASSERT_EQ(DdfQuery(image_.data(), "PaperSize", DDFQ_PAPER_SIZES, sizes.data(), 0, 0), papers.size());
  for (std::size_t i = 0; i < sizes.size(); i += 2) {
    EXPECT_LE(sizes[i], 108220u) << "width of paper " << i / 2;  // the 42-inch head
  }
  for (const std::int32_t number : papers) {
    // The platform's numbers, 256 for the custom size, or the device's own.
    EXPECT_TRUE(number > 0 && number <= 317) << number;
  }
}

TEST_F(ShippedDescriptionTest, FeaturesThePagesDependOn) {
  EXPECT_EQ(Ask("PrintMode", DDFQ_COUNT), 6u);
  EXPECT_EQ(Values("Printing"), (std::vector<std::int32_t>{0, 1, 2}));
  const std::vector<std::int32_t> feeds = Values("PaperFeed");
  EXPECT_EQ(feeds.size(), 5u);
  EXPECT_NE(std::find(feeds.begin(), feeds.end(), 2), feeds.end());
  const struct {
    const char* feature;
    std::int32_t minimum;
    std::int32_t maximum;
  } ranges[] = {{"Copies", 1, 999}, {"Intensity", -50, 50}, {"PrintQuality", 0, 2}};
  for (const auto& range : ranges) {
    EXPECT_EQ(static_cast<std::int32_t>(Ask(range.feature, DDFQ_RANGE_MIN)), range.minimum)
        << range.feature;
    EXPECT_EQ(static_cast<std::int32_t>(Ask(range.feature, DDFQ_RANGE_MAX)), range.maximum)
        << range.feature;
  }
}

}  // namespace
}  // namespace tqr
