// Fake files and byte builders for the tests of the print mode files. The
// builders lay the formats out by hand, independently of the code under
// test, so a layout mistake on either side shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "presets/print_mode_record.h"

namespace tqr::test {

using Bytes = std::vector<std::uint8_t>;

inline void AppendUnits(Bytes* bytes, std::u16string_view text) {
  for (char16_t unit : text) {
    bytes->push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes->push_back(static_cast<std::uint8_t>(unit >> 8));
  }
}

inline void AppendWord(Bytes* bytes, std::uint16_t word) {
  bytes->push_back(static_cast<std::uint8_t>(word & 0xFF));
  bytes->push_back(static_cast<std::uint8_t>(word >> 8));
}

inline std::uint16_t WordAt(const Bytes& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

// A record whose every field tells it apart: icon, title, description and
// all seventeen words.
inline PrintModeRecord MakeRecord(std::u16string_view title, std::uint16_t seed = 1) {
  PrintModeRecord record;
  std::memset(static_cast<void*>(&record), 0, sizeof record);
  record.IconIndex = static_cast<std::uint16_t>(seed % kPrintModeIconCount);
  title.copy(record.Title, kPrintModeTitleLength - 1);
  const std::u16string description = u"Preset " + std::u16string(title);
  description.copy(record.Description, kPrintModeDescriptionLength - 1);
  for (int n = 1; n <= kPrintModeSettingsWords; ++n) {
    record.Word(n) = static_cast<std::uint16_t>(seed * 100 + n);
  }
  return record;
}

inline void AppendRecord(Bytes* bytes, const PrintModeRecord& record) {
  const auto* raw = reinterpret_cast<const std::uint8_t*>(&record);
  bytes->insert(bytes->end(), raw, raw + sizeof record);
}

inline PrintModeRecord RecordAt(const Bytes& bytes, std::size_t offset) {
  PrintModeRecord record;
  std::memcpy(static_cast<void*>(&record), &bytes.at(offset), sizeof record);
  return record;
}

inline bool SameRecord(const PrintModeRecord& a, const PrintModeRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The user print mode file: signature, count, 105 order entries, records.
inline Bytes UserFile(std::uint16_t count, const std::vector<std::uint16_t>& order,
                      const std::vector<PrintModeRecord>& records,
                      std::u16string_view signature = u"TQR54VNT") {
  Bytes bytes;
  AppendUnits(&bytes, signature);
  AppendWord(&bytes, count);
  for (std::size_t p = 0; p < kMaxPrintModes; ++p) {
    AppendWord(&bytes, p < order.size() ? order[p] : 0);
  }
  for (const auto& record : records) AppendRecord(&bytes, record);
  return bytes;
}

// The identity order 0 .. count - 1 with `users` user records titled U0, U1...
inline Bytes PlainUserFile(std::uint16_t users) {
  std::vector<std::uint16_t> order;
  std::vector<PrintModeRecord> records;
  for (std::uint16_t m = 0; m < kBuiltInPrintModes + users; ++m) order.push_back(m);
  for (std::uint16_t k = 0; k < users; ++k) {
    records.push_back(MakeRecord(u"U" + std::u16string(1, static_cast<char16_t>(u'0' + k % 10)),
                                 static_cast<std::uint16_t>(k + 1)));
  }
  return UserFile(static_cast<std::uint16_t>(kBuiltInPrintModes + users), order, records);
}

// An export file: signature with its NUL, 14 reserved bytes, count, records.
inline Bytes ExportFile(std::uint16_t count, const std::vector<PrintModeRecord>& records,
                        std::uint8_t reserved = 0,
                        std::u16string_view signature = std::u16string_view(u"TQR54GFX", 9)) {
  Bytes bytes;
  AppendUnits(&bytes, signature);
  bytes.insert(bytes.end(), 14, reserved);
  AppendWord(&bytes, count);
  for (const auto& record : records) AppendRecord(&bytes, record);
  return bytes;
}

class PresetFilesTest : public ::testing::Test {
 protected:
  PresetFilesTest() : ports_(Ports{&files_, nullptr, &machine_}) {}

  Bytes& Contents(const std::string& path) { return files_.At(path).bytes; }
  // Fault switches go back to normal between the cases of a table.
  void ClearFaults() {
    files_.failOpen.clear();
    files_.failRead.clear();
    files_.denyWrite.clear();
    files_.failReplace.clear();
    files_.writeBudget = static_cast<std::size_t>(-1);
  }

  const std::string userPath_ = "C:\\Windows\\system32\\Tqr54usr.cfg";
  // Where this process puts a file's new content before it moves it in place.
  std::string TemporaryFor(const std::string& path) const {
    return path + "." + std::to_string(machine_.processId) + ".tmp";
  }

  fake::FakeFileSystem files_;
  fake::FakeMachine machine_;
  ScopedPorts ports_;
};

}  // namespace tqr::test
