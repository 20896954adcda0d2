// Conversion between header layouts: what is copied, what each side keeps,
// and the sizes and errors the spooler is told.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_system.h"
#include "settings/convert.h"

namespace tqr {
namespace {

// A record of the given layout whose bytes count up, so copies show.
std::vector<std::uint8_t> Record(std::uint16_t size, std::uint16_t extra, std::uint16_t spec,
                                 std::uint16_t driverVersion, std::uint8_t seed) {
  std::vector<std::uint8_t> bytes(size + extra);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed + i);
  const std::uint16_t words[4] = {spec, driverVersion, size, extra};
  std::memcpy(bytes.data() + 64, words, sizeof words);
  return bytes;
}

std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint16_t value;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

TEST(ConvertTest, CurrentRecordIntoAnOlderHeader) {
  const auto input = Record(220, 1528, 0x401, 0x102, 1);
  auto output = Record(212, 0, 0, 0x77, 100);
  std::uint32_t size = 212;
  std::uint32_t error = 0;
  ASSERT_EQ(ConvertDevModeCore(input.data(), output.data(), &size, kConvertCurrent,
                               kConversionConstants, &error),
            kConvertDone);
  EXPECT_EQ(size, 212u);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(Word(output, 64), 0x400);
  EXPECT_EQ(Word(output, 66), 0x77);
  EXPECT_EQ(Word(output, 68), 212);
  EXPECT_EQ(Word(output, 70), 0);
  EXPECT_EQ(std::vector<std::uint8_t>(output.begin(), output.begin() + 64),
            std::vector<std::uint8_t>(input.begin(), input.begin() + 64));
  EXPECT_EQ(output[211], input[211]);
}

TEST(ConvertTest, ForeignOldRecordIntoACurrentOne) {
  const auto input = Record(188, 0, 0x320, 0x1, 1);
  auto output = Record(220, 1528, 0x401, 0x102, 100);
  const auto before = output;
  std::uint32_t size = 1748;
  std::uint32_t error = 0;
  EXPECT_EQ(ConvertRecord(input.data(), output.data()), 188);
  EXPECT_EQ(output[187], input[187]);
  EXPECT_EQ(output[188], before[188]);  // the rest of the header stays
  EXPECT_EQ(std::vector<std::uint8_t>(output.begin() + 220, output.end()),
            std::vector<std::uint8_t>(before.begin() + 220, before.end()));
  EXPECT_EQ(Word(output, 64), 0x401);
  EXPECT_EQ(ConvertDevModeCore(input.data(), output.data(), &size, kConvertCurrent,
                               kConversionConstants, &error),
            kConvertDone);
  EXPECT_EQ(size, 1748u);
}

TEST(ConvertTest, SizesAndErrorsPerMode) {
  fake::FakeTrace trace;
  ScopedPorts ports(Ports{nullptr, nullptr, nullptr, &trace});
  const auto input = Record(220, 1528, 0x401, 0x102, 1);
  auto output = Record(220, 1528, 0x401, 0x102, 100);
  const struct {
    const char* what;
    std::uint32_t mode;
    bool withOutput;
    std::uint32_t size;
    int outcome;
    std::uint32_t size2;
    std::uint32_t error;
  } cases[] = {
      {"351, buffer 100", kConvert351, true, 100, kConvertFailed, 188, kErrorInsufficientBuffer},
      {"351, no output", kConvert351, false, 500, kConvertFailed, 188, kErrorInsufficientBuffer},
      {"default, small", kDriverDefault, true, 1747, kConvertFailed, 1748, kErrorInsufficientBuffer},
      {"default", kDriverDefault, true, 1748, kConvertLeftToCaller, 1748, 0},
      {"convert, small", kConvertCurrent, true, 1747, kConvertFailed, 1747, kErrorInvalidParameter},
      {"mode 3", 3, true, 5, kConvertLeftToCaller, 5, 0},
  };
  for (const auto& c : cases) {
    std::uint32_t size = c.size;
    std::uint32_t error = 0;
    EXPECT_EQ(ConvertDevModeCore(input.data(), c.withOutput ? output.data() : nullptr, &size,
                                 c.mode, kConversionConstants, &error),
              c.outcome)
        << c.what;
    EXPECT_EQ(size, c.size2) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
  // Only the mode the driver does not know is reported.
  EXPECT_EQ(trace.lines, std::vector<std::string>{"DrvConvertDevMode: unhandled mode 3"});
  std::uint32_t error = 0;
  EXPECT_EQ(ConvertDevModeCore(input.data(), output.data(), nullptr, kConvertCurrent,
                               kConversionConstants, &error),
            kConvertFailed);
  EXPECT_EQ(error, kErrorInvalidParameter);
}

TEST(ConvertTest, To351KeepsOnlyTheOldestHeader) {
  const auto input = Record(220, 1528, 0x401, 0x102, 1);
  std::vector<std::uint8_t> output(300, 0xee);
  std::uint32_t size = 300;
  std::uint32_t error = 0;
  ASSERT_EQ(ConvertDevModeCore(input.data(), output.data(), &size, kConvert351,
                               kConversionConstants, &error),
            kConvertDone);
  EXPECT_EQ(size, 188u);
  EXPECT_EQ(Word(output, 64), 0x320);
  EXPECT_EQ(Word(output, 66), 0x351);
  EXPECT_EQ(Word(output, 68), 188);
  EXPECT_EQ(Word(output, 70), 0);
  EXPECT_EQ(output[188], 0xee);  // nothing past the header
}

TEST(ConvertTest, RecordsOfUnknownVersionAreRefused) {
  auto unknown = Record(200, 0, 0, 0, 1);
  auto output = Record(220, 1528, 0x401, 0x102, 100);
  EXPECT_EQ(RecordSpecVersion(unknown.data()), 0);
  EXPECT_EQ(RecordSpecVersion(nullptr), 0);
  EXPECT_EQ(ConvertRecord(unknown.data(), output.data()), -1);
  unknown = Record(200, 0, 0x350, 0, 1);
  EXPECT_EQ(RecordSpecVersion(unknown.data()), 0x350);
  EXPECT_EQ(ConvertRecord(output.data(), unknown.data()), 200);
  EXPECT_EQ(Word(unknown, 64), 0x401);  // its own size decides nothing: the copied version stays
}

}  // namespace
}  // namespace tqr
