// Layout of the compiled description image. It is also the cache file's
// format, which other tools read: every field keeps its width and place.
// All numbers are little-endian; offsets are 16-bit from the image start and
// 0 means none.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tqr::ddf {

static_assert(std::endian::native == std::endian::little,
              "the image is read in place as little-endian");

constexpr std::uint32_t kVersion101 = 0x00010100;
constexpr std::size_t kFixedSlotCount = 15;
constexpr std::size_t kMaxImageSize = 65535;
constexpr std::size_t kPrinterIdSize = 36;
constexpr std::size_t kFeatureNameSize = 16;
constexpr std::size_t kOptionNameSize = 64;

enum FeatureType : std::uint32_t {
  kTypeItem = 100,
  kTypeRange = 101,
  kTypePaper = 102,
};

#pragma pack(push, 1)

struct ImageHeader {
  std::uint32_t version;
  char printerId[kPrinterIdSize];
  std::uint16_t furtherCount;  // N, further feature slots after the fixed ones
  std::uint16_t headerSize;    // H, where the first record starts
  std::uint16_t totalSize;     // T, the whole image
  std::uint16_t fixedSlots[kFixedSlotCount];
  // N further slots follow (one unused slot when N is 0).
};

struct FeatureRecord {
  std::uint32_t type;
  char name[kFeatureNameSize];
  std::uint16_t firstOption;
  std::uint16_t defaultIndex;
};

struct RangeFeatureRecord {
  FeatureRecord feature;
  std::uint16_t maximumIndex;
  std::uint16_t minimumIndex;
  std::uint16_t levelIndex;
};

struct OptionHead {
  std::uint16_t previous;
  std::uint16_t next;
  std::uint16_t index;
  char name[kOptionNameSize];
};

struct ItemOptionRecord {
  OptionHead head;
  std::int32_t value;
};

struct PaperOptionRecord {
  OptionHead head;
  std::uint16_t value;
  std::uint32_t width;
  std::uint32_t length;
  std::uint32_t extras[4];
};

#pragma pack(pop)

static_assert(sizeof(ImageHeader) == 76);
static_assert(offsetof(ImageHeader, printerId) == 4);
static_assert(offsetof(ImageHeader, furtherCount) == 40);
static_assert(offsetof(ImageHeader, headerSize) == 42);
static_assert(offsetof(ImageHeader, totalSize) == 44);
static_assert(offsetof(ImageHeader, fixedSlots) == 46);
static_assert(sizeof(FeatureRecord) == 24);
static_assert(offsetof(FeatureRecord, name) == 4);
static_assert(offsetof(FeatureRecord, firstOption) == 20);
static_assert(offsetof(FeatureRecord, defaultIndex) == 22);
static_assert(sizeof(RangeFeatureRecord) == 30);
static_assert(offsetof(RangeFeatureRecord, maximumIndex) == 24);
static_assert(offsetof(RangeFeatureRecord, minimumIndex) == 26);
static_assert(offsetof(RangeFeatureRecord, levelIndex) == 28);
static_assert(sizeof(OptionHead) == 70);
static_assert(offsetof(OptionHead, next) == 2);
static_assert(offsetof(OptionHead, index) == 4);
static_assert(offsetof(OptionHead, name) == 6);
static_assert(sizeof(ItemOptionRecord) == 74);
static_assert(offsetof(ItemOptionRecord, value) == 70);
static_assert(sizeof(PaperOptionRecord) == 96);
static_assert(offsetof(PaperOptionRecord, value) == 70);
static_assert(offsetof(PaperOptionRecord, width) == 72);
static_assert(offsetof(PaperOptionRecord, length) == 76);
static_assert(offsetof(PaperOptionRecord, extras) == 80);

constexpr std::size_t kFurtherSlotsOffset = sizeof(ImageHeader);

constexpr std::size_t HeaderSizeFor(std::size_t furtherCount) {
  return furtherCount == 0 ? 78 : kFurtherSlotsOffset + 2 * furtherCount;
}

constexpr std::size_t FeatureRecordSize(std::uint32_t type) {
  return type == kTypeRange ? sizeof(RangeFeatureRecord) : sizeof(FeatureRecord);
}

constexpr std::size_t OptionRecordSize(std::uint32_t type) {
  return type == kTypePaper ? sizeof(PaperOptionRecord) : sizeof(ItemOptionRecord);
}

// Bounds-checked reads of an image of `size` bytes: a record that would
// reach past the end is never read.
struct ImageView {
  const std::uint8_t* bytes;
  std::size_t size;

  template <typename Record>
  bool Read(std::size_t offset, Record* out) const {
    if (offset == 0 || offset > size || size - offset < sizeof(Record)) return false;
    std::memcpy(out, bytes + offset, sizeof(Record));
    return true;
  }
  bool ReadU16(std::size_t offset, std::uint16_t* out) const {
    if (offset > size || size - offset < 2) return false;
    std::memcpy(out, bytes + offset, 2);
    return true;
  }
};

}  // namespace tqr::ddf
