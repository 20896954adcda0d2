// One print mode: an icon, a title, a description and the seventeen job
// settings it selects. The same 568 bytes in memory, in the user print mode
// file and in export files, so the layout is fixed and asserted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tqr {

constexpr int kPrintModeTitleLength = 10;         // UTF-16 units, NUL included
constexpr int kPrintModeDescriptionLength = 256;  // UTF-16 units, NUL included
constexpr int kPrintModeSettingsWords = 17;
constexpr int kBuiltInPrintModes = 5;             // mode numbers 0 to 4
constexpr int kMaxUserPrintModes = 100;           // mode numbers 5 to 104
constexpr int kMaxPrintModes = kBuiltInPrintModes + kMaxUserPrintModes;
constexpr int kPrintModeIconCount = 47;           // icons 4700 to 4746
constexpr int kFirstPrintModeIcon = 4700;

struct PrintModeRecord {
  std::uint16_t IconIndex;
  char16_t Title[kPrintModeTitleLength];
  char16_t Description[kPrintModeDescriptionLength];
  // Settings words 1 to 17, named after the description keys that fill them
  // in a built-in record.
  std::uint16_t PMCartridge;
  std::uint16_t PMGrayScale;
  std::uint16_t PMMediaType;
  std::uint16_t PMMirror;
  std::uint16_t PMPrintQuality;
  std::uint16_t PMHalftoning;
  std::uint16_t Cyan;
  std::uint16_t Magenta;
  std::uint16_t Yellow;
  std::uint16_t Black;
  std::uint16_t Red;
  std::uint16_t Green;
  std::uint16_t Blue;
  std::uint16_t PMMatching;
  std::uint16_t PMGamma;
  std::uint16_t Intensity;
  std::uint16_t PMDataMode;

  // Word n (1 to 17) in file order.
  std::uint16_t& Word(int n);
  std::uint16_t Word(int n) const;
};

inline constexpr std::uint16_t PrintModeRecord::* kPrintModeWords[kPrintModeSettingsWords] = {
    &PrintModeRecord::PMCartridge, &PrintModeRecord::PMGrayScale,
    &PrintModeRecord::PMMediaType, &PrintModeRecord::PMMirror,
    &PrintModeRecord::PMPrintQuality, &PrintModeRecord::PMHalftoning,
    &PrintModeRecord::Cyan, &PrintModeRecord::Magenta,
    &PrintModeRecord::Yellow, &PrintModeRecord::Black,
    &PrintModeRecord::Red, &PrintModeRecord::Green,
    &PrintModeRecord::Blue, &PrintModeRecord::PMMatching,
    &PrintModeRecord::PMGamma, &PrintModeRecord::Intensity,
    &PrintModeRecord::PMDataMode,
};

inline std::uint16_t& PrintModeRecord::Word(int n) { return this->*kPrintModeWords[n - 1]; }
inline std::uint16_t PrintModeRecord::Word(int n) const {
  return this->*kPrintModeWords[n - 1];
}

// Files are outside input: a record read from one may carry text without its
// NUL. Ending both fields at their last unit keeps every later reader inside
// the record.
inline void TerminateTexts(PrintModeRecord* record) {
  record->Title[kPrintModeTitleLength - 1] = u'\0';
  record->Description[kPrintModeDescriptionLength - 1] = u'\0';
}

// The title up to its NUL, and never past the field.
inline std::u16string_view TitleOf(const PrintModeRecord& record) {
  std::size_t length = 0;
  while (length < kPrintModeTitleLength && record.Title[length] != u'\0') ++length;
  return std::u16string_view(record.Title, length);
}

static_assert(sizeof(PrintModeRecord) == 568);
static_assert(offsetof(PrintModeRecord, Title) == 2);
static_assert(offsetof(PrintModeRecord, Description) == 22);
static_assert(offsetof(PrintModeRecord, PMCartridge) == 534);
static_assert(offsetof(PrintModeRecord, Cyan) == 546);
static_assert(offsetof(PrintModeRecord, PMMatching) == 560);
static_assert(offsetof(PrintModeRecord, PMDataMode) == 566);

}  // namespace tqr
