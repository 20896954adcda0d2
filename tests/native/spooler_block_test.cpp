// Records and strings the spooler points at inside the block it filled:
// read only as far as the block reaches, whatever they claim.
#include "platform/spooler_block.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tqr {
namespace {

// A block of `size` bytes with a record header at `at` claiming dmSize and
// dmDriverExtra; the record's bytes count up from 1.
std::vector<std::uint8_t> BlockWithRecord(std::size_t size, std::size_t at,
                                          std::uint16_t dmSize, std::uint16_t extra) {
  std::vector<std::uint8_t> block(size, 0);
  for (std::size_t i = at; i < size; ++i) block[i] = static_cast<std::uint8_t>(i - at + 1);
  if (at + 72 <= size) {
    std::memcpy(&block[at + 68], &dmSize, 2);
    std::memcpy(&block[at + 70], &extra, 2);
  }
  return block;
}

TEST(SpoolerBlockTest, ARecordIsCutWhereTheBlockEnds) {
  const struct {
    const char* what;
    std::size_t size, at;
    std::uint16_t dmSize, extra;
    std::size_t copied;
  } kCases[] = {
      {"whole record inside", 2000, 100, 220, 1528, 1748},
      {"claims more than the block holds", 300, 100, 220, 1528, 200},
      {"claims 0xFFFF + 0xFFFF", 1848, 100, 0xFFFF, 0xFFFF, 1748},
      {"too short to say its sizes", 150, 100, 220, 1528, 0},
      {"claims less than its header", 2000, 100, 20, 0, 20},
  };
  for (const auto& c : kCases) {
    const std::vector<std::uint8_t> block = BlockWithRecord(c.size, c.at, c.dmSize, c.extra);
    const std::vector<std::uint8_t> record =
        CopyRecordInBlock(block.data(), block.size(), block.data() + c.at);
    EXPECT_EQ(record.size(), c.copied) << c.what;
    if (!record.empty()) {
      EXPECT_EQ(std::memcmp(record.data(), block.data() + c.at, record.size()), 0) << c.what;
    }
  }
  const std::vector<std::uint8_t> block = BlockWithRecord(400, 100, 220, 1528);
  EXPECT_TRUE(CopyRecordInBlock(block.data(), block.size(), nullptr).empty());
  EXPECT_TRUE(CopyRecordInBlock(block.data(), 100, block.data() + 100).empty());  // just past it
  EXPECT_TRUE(CopyRecordInBlock(block.data() + 1, 300, block.data()).empty());    // just before
}

TEST(SpoolerBlockTest, AStringMustEndInsideTheBlock) {
  const char16_t block[] = {u'x', u'A', u'B', 0, u'C', u'D'};
  const std::size_t size = sizeof block;
  std::u16string out = u"kept";
  EXPECT_TRUE(CopyStringInBlock(block, size, block + 1, &out));
  EXPECT_EQ(out, u"AB");
  EXPECT_TRUE(CopyStringInBlock(block, size, block + 3, &out));
  EXPECT_EQ(out, u"");
  out = u"kept";
  EXPECT_FALSE(CopyStringInBlock(block, size, block + 4, &out));  // no NUL before the end
  EXPECT_FALSE(CopyStringInBlock(block, size - 1, block + 5, &out));  // half a unit left
  EXPECT_FALSE(CopyStringInBlock(block, size, block + 6, &out));  // past the end
  EXPECT_FALSE(CopyStringInBlock(block, size, nullptr, &out));
  EXPECT_EQ(out, u"kept");
}

}  // namespace
}  // namespace tqr
