// The maintenance jobs byte for byte, as the printer receives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <cstdint>
#include <cstring>
#include <vector>

#include "maintenance/maintenance_command.h"

namespace tqr {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const MaintenanceJob& job) {
  Bytes bytes(job.Length());
  std::memcpy(bytes.data(), job.Bytes(), bytes.size());
  return bytes;
}

// One block as it must look: the fixed head, the operand and operation
// bytes, and zeros to 68 bytes.
Bytes Block(std::uint8_t operand, std::uint8_t operation) {
  // Sized first and then filled: GCC 12 at -O3 takes a resize of a short
  // initialised vector for a read past its end (-Warray-bounds).
  Bytes block(68, 0);
  const std::uint8_t head[] = {0x00, 0x10, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, operand, operation};
  std::copy(std::begin(head), std::end(head), block.begin());
  return block;
}

Bytes Concat(const std::vector<Bytes>& blocks) {
  Bytes all;
  for (const Bytes& block : blocks) all.insert(all.end(), block.begin(), block.end());
  return all;
}

TEST(MaintenanceJobTest, SingleBlockJobs) {
  const struct {
    const char* name;
    MaintenanceJob job;
    std::uint8_t operand;
    std::uint8_t operation;
  } cases[] = {
      {"cleaning, black only", CleaningJob(kInkBlack), 0x04, 0x10},
      {"cleaning, all inks", CleaningJob(kAllInks), 0x3F, 0x10},
      {"cleaning, bits beyond the inks", CleaningJob(0xC1), 0x01, 0x10},
      {"nozzle check", NozzleCheckJob(), 0x00, 0x81},
      {"auto align", AutoAlignJob(), 0x00, 0x40},
      {"test pattern", TestPatternJob(), 0x00, 0x80},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.job.Length(), 68u) << c.name;
    EXPECT_EQ(BytesOf(c.job), Block(c.operand, c.operation)) << c.name;
  }
}

TEST(MaintenanceJobTest, AlignmentValuesAreSevenBlocksAToG) {
  const int fives[kAlignmentValueCount] = {4, 4, 4, 4, 4, 4, 4};
  std::vector<Bytes> expected;
  for (std::uint8_t i = 0; i < kAlignmentValueCount; ++i) expected.push_back(Block(5, 0x20 + i));
  const MaintenanceJob job = AlignmentValuesJob(fives);
  EXPECT_EQ(job.Length(), 476u);
  EXPECT_EQ(BytesOf(job), Concat(expected));

  // Each letter its own value; a value is kept to its byte and never reaches
  // the operation byte.
  const int mixed[kAlignmentValueCount] = {0, 8, 2, 254, 255, -1, 511};
  const std::uint8_t values[kAlignmentValueCount] = {1, 9, 3, 255, 0, 0, 0};
  expected.clear();
  for (std::uint8_t i = 0; i < kAlignmentValueCount; ++i) {
    expected.push_back(Block(values[i], 0x20 + i));
  }
  EXPECT_EQ(BytesOf(AlignmentValuesJob(mixed)), Concat(expected));
}

TEST(MaintenanceJobTest, EachBoxCleansItsOwnInk) {
  // Boxes in the dialog's order: cyan, magenta, yellow, photo cyan, photo
  // magenta, black.
  const std::uint8_t bits[kInkCount] = {0x08, 0x10, 0x20, 0x01, 0x02, 0x04};
  for (int i = 0; i < kInkCount; ++i) {
    bool checked[kInkCount] = {};
    checked[i] = true;
    EXPECT_EQ(InkMaskFromChecks(checked), bits[i]) << "box " << i;
  }
  const bool none[kInkCount] = {};
  const bool all[kInkCount] = {true, true, true, true, true, true};
  const bool cyans[kInkCount] = {true, false, false, true, false, false};
  EXPECT_EQ(InkMaskFromChecks(none), 0);
  EXPECT_EQ(InkMaskFromChecks(all), 0x3F);
  EXPECT_EQ(InkMaskFromChecks(cyans), 0x09);
}

}  // namespace
}  // namespace tqr
