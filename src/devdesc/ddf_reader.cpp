#include "devdesc/ddf_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace tqr::ddf {
namespace {

std::size_t TotalSizeOf(const std::uint8_t* image) {
  std::uint16_t total = 0;
  std::memcpy(&total, image + offsetof(ImageHeader, totalSize), 2);
  return total;
}

}  // namespace

DescriptionReader::DescriptionReader(const std::uint8_t* image)
    : view_{image, TotalSizeOf(image)} {
  view_.ReadU16(offsetof(ImageHeader, furtherCount), &furtherCount_);
}

std::uint16_t DescriptionReader::Slot(std::size_t slot) const {
  std::uint16_t offset = 0;
  view_.ReadU16(offsetof(ImageHeader, fixedSlots) + 2 * slot, &offset);
  return offset;
}

bool DescriptionReader::ReadFeature(std::uint16_t offset, const std::string_view* name,
                                    FeatureInfo* feature) const {
  FeatureRecord record;
  if (!view_.Read(offset, &record)) return false;
  // The terminator takes part in the comparison, so "Paper" never matches
  // "PaperSize".
  if (name != nullptr && std::memcmp(record.name, name->data(), name->size() + 1) != 0) {
    return false;
  }
  *feature = FeatureInfo{};
  std::memcpy(feature->name, record.name, kFeatureNameSize - 1);
  feature->type = record.type;
  feature->firstOption = record.firstOption;
  feature->defaultIndex = record.defaultIndex;
  if (record.type == kTypeRange) {
    RangeFeatureRecord range;
    if (!view_.Read(offset, &range)) return false;
    feature->maximumIndex = range.maximumIndex;
    feature->minimumIndex = range.minimumIndex;
    feature->levelIndex = range.levelIndex;
  }
  if (feature->firstOption != 0) {
    OptionHead first;
    OptionHead last;
    if (view_.Read(feature->firstOption, &first) && view_.Read(first.previous, &last)) {
      feature->optionCount = static_cast<std::uint32_t>(last.index) + 1;
    }
  }
  return true;
}

bool DescriptionReader::FindFeature(const char* text, FeatureInfo* feature) const {
  const std::string_view name(text);
  if (name.size() >= kFeatureNameSize) return false;
  for (std::size_t slot = 0; slot < kFixedSlotCount; ++slot) {
    const std::uint16_t offset = Slot(slot);
    if (offset != 0 && ReadFeature(offset, &name, feature)) return true;
  }
  for (std::size_t slot = 0; slot < furtherCount_; ++slot) {
    const std::uint16_t offset = Slot(kFixedSlotCount + slot);
    if (offset == 0) return false;
    if (ReadFeature(offset, &name, feature)) return true;
  }
  return false;
}

bool DescriptionReader::ReadOption(const FeatureInfo& feature, std::uint16_t offset,
                                   OptionInfo* option) const {
  OptionHead head;
  if (feature.type == kTypePaper) {
    PaperOptionRecord paper;
    if (!view_.Read(offset, &paper)) return false;
    head = paper.head;
    option->value = paper.value;
    option->size[0] = paper.width;
    option->size[1] = paper.length;
    std::memcpy(option->extras, paper.extras, sizeof option->extras);
  } else {
    ItemOptionRecord item;
    if (!view_.Read(offset, &item)) return false;
    head = item.head;
    option->value = static_cast<std::uint32_t>(item.value);
  }
  option->next = head.next;
  option->index = head.index;
  option->name = reinterpret_cast<const char*>(view_.bytes + offset + offsetof(OptionHead, name));
  option->nameLength = static_cast<std::uint32_t>(strnlen(head.name, kOptionNameSize - 1));
  return true;
}

bool DescriptionReader::FindOption(const FeatureInfo& feature, std::uint16_t index,
                                   OptionInfo* option) const {
  std::uint16_t offset = feature.firstOption;
  for (std::uint32_t visited = 0; visited < feature.optionCount; ++visited) {
    if (!ReadOption(feature, offset, option)) return false;
    if (option->index == index) return true;
    offset = option->next;
  }
  return false;
}

namespace {

bool IsTerminated(const char* text, std::size_t room) { return strnlen(text, room) < room; }

// The bytes one record occupies: [offset, offset + size).
struct Extent {
  std::size_t offset;
  std::size_t size;
};

// One bit per byte offset of the largest image there can be.
using OffsetBits = std::array<std::uint64_t, (kMaxImageSize + 64) / 64>;

bool AnyBitIn(const OffsetBits& bits, std::size_t from, std::size_t to) {
  while (from < to) {
    const std::size_t shift = from % 64;
    const std::size_t span = std::min<std::size_t>(64 - shift, to - from);
    const std::uint64_t mask =
        (span == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << span) - 1) << shift;
    if ((bits[from / 64] & mask) != 0) return true;
    from += span;
  }
  return false;
}

// Every record has bytes of its own. Records laid over one another read as
// sound one by one, yet let an image claim more options than its bytes can
// hold, and every reader that sizes a buffer by the image's true capacity
// would then be overrun. Two records overlap exactly when one begins within
// the other, so with every beginning marked it is enough that no record
// holds another's beginning: linear in the image, where sorting the records
// cost more than all the rest of a load. Every extent lies inside the image.
bool AreDisjoint(const std::vector<Extent>& extents) {
  OffsetBits starts{};
  for (const Extent& extent : extents) {
    std::uint64_t& word = starts[extent.offset / 64];
    const std::uint64_t bit = std::uint64_t{1} << (extent.offset % 64);
    if ((word & bit) != 0) return false;  // two records begin at one offset
    word |= bit;
  }
  for (const Extent& extent : extents) {
    if (AnyBitIn(starts, extent.offset + 1, extent.offset + extent.size)) return false;
  }
  return true;
}

bool IsSoundFeature(const ImageView& view, std::size_t headerSize, std::uint16_t offset,
                    std::vector<Extent>* extents) {
  FeatureRecord feature;
  if (offset < headerSize || !view.Read(offset, &feature)) return false;
  if (feature.type != kTypeItem && feature.type != kTypeRange && feature.type != kTypePaper) {
    return false;
  }
  RangeFeatureRecord range;
  if (feature.type == kTypeRange && !view.Read(offset, &range)) return false;
  if (!IsTerminated(feature.name, kFeatureNameSize)) return false;
  extents->push_back(Extent{offset, FeatureRecordSize(feature.type)});
  const std::uint16_t first = feature.firstOption;
  if (first == 0) return true;
  // Records are at least 74 bytes, so a list longer than this loops.
  const std::size_t most = (view.size - headerSize) / sizeof(ItemOptionRecord);
  const std::size_t recordSize = OptionRecordSize(feature.type);
  std::uint16_t previous = 0;
  std::uint16_t current = first;
  for (std::size_t index = 0; index < most; ++index) {
    OptionHead head;
    if (current < headerSize || !view.Read(current, &head)) return false;
    if (view.size - current < recordSize) return false;
    if (head.index != index || !IsTerminated(head.name, kOptionNameSize)) return false;
    if (index > 0 && head.previous != previous) return false;
    extents->push_back(Extent{current, recordSize});
    if (head.next == first) {
      OptionHead firstHead;
      return view.Read(first, &firstHead) && firstHead.previous == current;
    }
    previous = current;
    current = head.next;
  }
  return false;
}

}  // namespace

bool IsSoundImage(const std::uint8_t* bytes, std::size_t size) {
  ImageHeader header;
  if (size < HeaderSizeFor(0) || size > kMaxImageSize) return false;
  std::memcpy(&header, bytes, sizeof header);
  if (header.totalSize != size) return false;
  if (header.version != 0 && header.version != kVersion101) return false;
  if (!IsTerminated(header.printerId, kPrinterIdSize)) return false;
  const std::size_t headerSize = HeaderSizeFor(header.furtherCount);
  if (header.headerSize != headerSize || headerSize > size) return false;
  const ImageView view{bytes, size};
  std::vector<Extent> extents;
  // No record is shorter than a feature record: room for all at once.
  extents.reserve((size - headerSize) / sizeof(FeatureRecord) + 1);
  for (std::size_t slot = 0; slot < kFixedSlotCount + header.furtherCount; ++slot) {
    std::uint16_t offset = 0;
    view.ReadU16(offsetof(ImageHeader, fixedSlots) + 2 * slot, &offset);
    if (offset != 0 && !IsSoundFeature(view, headerSize, offset, &extents)) return false;
  }
  return AreDisjoint(extents);
}

}  // namespace tqr::ddf
