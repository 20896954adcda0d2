// Taking settings from records that applications and the spooler hand in:
// of this driver's own records the public fields the description lists and
// the private part; of another driver's, or an application's, only those
// public fields, and only from a header the platform defines.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "settings/feature_table.h"
#include "settings/settings.h"

namespace tqr {
namespace {

constexpr std::size_t kMarkerInPrivate = offsetof(DRVDEVMODE, PrivateMarker) - kPublicSize;
// A record must at least reach the last public field the merge reads.
constexpr std::size_t kMergedPublicEnd = offsetof(PublicDevMode, dmDuplex) + 2;
// Bytes a record needs before its size words can be read at all.
constexpr std::size_t kSizeWordsEnd = offsetof(PublicDevMode, dmDriverExtra) + 2;

// The public header sizes of the platform's record versions. A record of
// another driver whose size is none of them is not read at all.
constexpr std::uint16_t kPlatformHeaderSizes[] = {156, 188, 212, kPublicSize};

struct RecordExtent {
  std::uint16_t size;
  std::uint16_t driverExtra;
};

RecordExtent ExtentOf(const void* input) {
  RecordExtent extent;
  const auto* bytes = static_cast<const std::uint8_t*>(input);
  std::memcpy(&extent.size, bytes + offsetof(PublicDevMode, dmSize), 2);
  std::memcpy(&extent.driverExtra, bytes + offsetof(PublicDevMode, dmDriverExtra), 2);
  return extent;
}

struct FreeBlock {
  void operator()(std::uint8_t* block) const { std::free(block); }
};

std::uint32_t OptionCount(DdfHandle ddf, const char* feature) {
  return DdfQuery(ddf, feature, DDFQ_COUNT, nullptr, 0, 0);
}

// Reads the feature's whole list of values (4 bytes each) or paper sizes
// (8 bytes each) into the scratch block and answers how many it holds. The
// query writes every option the description claims, so the count decides
// before the query whether the list fits; a list that does not is not read
// at all and answers 0.
std::uint32_t ReadScratchList(DdfHandle ddf, const char* feature, std::uint16_t kind,
                              std::uint8_t* scratch) {
  const std::size_t elementSize = kind == DDFQ_PAPER_SIZES ? 8 : 4;
  const std::uint32_t count = OptionCount(ddf, feature);
  if (count == 0 || count > kScratchListSize / elementSize) return 0;
  return DdfQuery(ddf, feature, kind, scratch, 0, 4) == count ? count : 0;
}

// Paper number of the first listed size equal to width x length either way
// round; false when none is.
bool FindPaperBySize(DdfHandle ddf, std::uint8_t* scratch, std::int16_t width,
                     std::int16_t length, std::int16_t* number) {
  const std::uint32_t count = ReadScratchList(ddf, "PaperSize", DDFQ_PAPER_SIZES, scratch);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t size[2];
    std::memcpy(size, scratch + 8 * i, sizeof size);
    const auto listWidth = static_cast<std::int32_t>(size[0] / 10);
    const auto listLength = static_cast<std::int32_t>(size[1] / 10);
    if ((listWidth == length && listLength == width) ||
        (listWidth == width && listLength == length)) {
      *number = static_cast<std::int16_t>(
          DdfQuery(ddf, "PaperSize", DDFQ_VALUE, nullptr, static_cast<std::uint16_t>(i), 0));
      return true;
    }
  }
  return false;
}

// Minimum <= value <= maximum of the range feature (both 0 when the
// description lacks it).
bool IsWithinRange(DdfHandle ddf, const char* feature, std::int32_t value) {
  const auto minimum = static_cast<std::int32_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MIN, nullptr, 0, 0));
  const auto maximum = static_cast<std::int32_t>(DdfQuery(ddf, feature, DDFQ_RANGE_MAX, nullptr, 0, 0));
  return value >= minimum && value <= maximum;
}

// The custom page and output sizes travel in the private part, which comes
// over whole, but they are sizes like any other: one outside the range of
// the feature it is made from keeps the working record's value. Finalizing
// hands a custom size out as the page size, so an unchecked one would reach
// applications as a paper of -1 x 0.
void KeepCustomSizesInRange(DdfHandle ddf, const DRVDEVMODE& before, DRVDEVMODE* working) {
  static constexpr RecordField kCustomSizes[] = {
      TQR_RECORD_FIELD(PaperWidth), TQR_RECORD_FIELD(PaperLength),
      TQR_RECORD_FIELD(PaperWidth2), TQR_RECORD_FIELD(PaperLength2)};
  auto* bytes = reinterpret_cast<std::uint8_t*>(working);
  for (const RecordField& field : kCustomSizes) {
    static_assert(sizeof(working->PaperWidth) == 2);
    std::uint16_t value;
    std::memcpy(&value, bytes + field.offset, sizeof value);
    if (IsWithinRange(ddf, feature::DefaultKeyOf(field), value)) continue;
    std::memcpy(bytes + field.offset, reinterpret_cast<const std::uint8_t*>(&before) + field.offset,
                sizeof value);
  }
}

}  // namespace

std::uint16_t FindOptionIndex(DdfHandle ddf, std::uint8_t* scratch, const char* feature,
                              std::uint32_t value, void* output, int width) {
  if (width == 0) width = 2;
  if (width < 1 || width > 3) return kNotFound;
  const std::uint32_t count = ReadScratchList(ddf, feature, DDFQ_VALUES, scratch);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t option;
    std::memcpy(&option, scratch + 4 * i, sizeof option);
    bool same = false;
    if (width == 1) same = static_cast<std::uint16_t>(option) == static_cast<std::uint16_t>(value);
    if (width == 2) same = option == value;
    if (width == 3) same = static_cast<std::uint8_t>(option) == static_cast<std::uint8_t>(value);
    if (!same) continue;
    if (width == 1) {
      const auto narrow = static_cast<std::uint16_t>(value);
      std::memcpy(output, &narrow, sizeof narrow);
    } else if (width == 2) {
      std::memcpy(output, &value, sizeof value);
    } else {
      const auto narrow = static_cast<std::uint8_t>(value);
      std::memcpy(output, &narrow, sizeof narrow);
    }
    return static_cast<std::uint16_t>(i);
  }
  return kNotFound;
}

int CheckRangeValue(DdfHandle ddf, std::uint8_t*, const char* feature, std::int16_t value,
                    std::int16_t* output) {
  if (!IsWithinRange(ddf, feature, value)) return 0;
  std::memcpy(output, &value, sizeof value);
  return 1;
}

bool HoldsWholeRecord(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kSizeWordsEnd) return false;
  const RecordExtent extent = ExtentOf(bytes.data());
  return std::size_t{extent.size} + extent.driverExtra <= bytes.size();
}

std::size_t ClaimedRecordSize(const void* input) {
  if (input == nullptr) return 0;
  const RecordExtent extent = ExtentOf(input);
  return std::size_t{extent.size} + extent.driverExtra;
}

bool IsOwnRecord(const void* input, std::size_t size) {
  if (input == nullptr || size < kSizeWordsEnd) return false;
  const RecordExtent extent = ExtentOf(input);
  // The marker must lie inside the record as its own sizes describe it, and
  // inside the bytes actually handed over; a shorter record is somebody
  // else's, whatever bytes follow it in memory. No layout of the platform's
  // header is longer than ours, so a longer one is not a record of ours
  // either, and would only move the marker read away from the record.
  if (extent.size < kMergedPublicEnd || extent.size > kPublicSize) return false;
  if (extent.driverExtra < kMarkerInPrivate + 4) return false;
  if (size < std::size_t{extent.size} + kMarkerInPrivate + 4) return false;
  std::uint32_t marker;
  std::memcpy(&marker, static_cast<const std::uint8_t*>(input) + extent.size + kMarkerInPrivate,
              sizeof marker);
  return marker == kPrivateMarker;
}

bool IsSoundForeignRecord(const void* input, std::size_t size) {
  if (input == nullptr || size < kSizeWordsEnd) return false;
  const RecordExtent extent = ExtentOf(input);
  return std::find(std::begin(kPlatformHeaderSizes), std::end(kPlatformHeaderSizes),
                   extent.size) != std::end(kPlatformHeaderSizes) &&
         std::size_t{extent.size} + extent.driverExtra <= size;
}

std::size_t MergedRecordBytes(const void* input, std::size_t size) {
  if (IsOwnRecord(input, size)) {
    const RecordExtent extent = ExtentOf(input);
    return std::min(std::size_t{extent.size} + std::min<std::size_t>(extent.driverExtra, kPrivateSize),
                    size);
  }
  return IsSoundForeignRecord(input, size) ? ExtentOf(input).size : 0;
}

void MergePublicFields(DdfHandle ddf, const PublicDevMode& input, DRVDEVMODE* working) {
  std::unique_ptr<std::uint8_t, FreeBlock> block(
      static_cast<std::uint8_t*>(std::malloc(kScratchListSize)));
  if (block == nullptr) return;
  std::uint8_t* scratch = block.get();
  PublicDevMode& dm = working->dm;
  const std::uint32_t fields = input.dmFields;
  // Work on aligned copies; the record's fields may sit unaligned.
  std::int16_t value = 0;

  std::uint16_t position = kNotFound;
  if (fields & DM_PAPERSIZE) {
    value = dm.dmPaperSize;
    position = FindOptionIndex(ddf, scratch, "PaperSize",
                               static_cast<std::uint16_t>(input.dmPaperSize), &value, 1);
    dm.dmPaperSize = value;
  }
  if (fields & (DM_PAPERLENGTH | DM_PAPERWIDTH)) {
    dm.dmPaperLength = input.dmPaperLength;
    dm.dmPaperWidth = input.dmPaperWidth;
    if (!(fields & DM_PAPERSIZE)) {
      std::int16_t number = 0;
      if (FindPaperBySize(ddf, scratch, input.dmPaperWidth, input.dmPaperLength, &number)) {
        dm.dmPaperSize = number;
      }
    }
  } else if (position != kNotFound) {
    std::uint32_t size[2] = {0, 0};
    DdfQuery(ddf, "PaperSize", DDFQ_PAPER_SIZE, size, position, 0);
    dm.dmPaperWidth = static_cast<std::int16_t>(size[0] / 10);
    dm.dmPaperLength = static_cast<std::int16_t>(size[1] / 10);
  }
  if (fields & DM_DEFAULTSOURCE) {
    const std::uint32_t count = ReadScratchList(ddf, "PaperFeed", DDFQ_VALUES, scratch);
    for (std::uint32_t i = count; i-- > 0;) {
      std::uint32_t feed;
      std::memcpy(&feed, scratch + 4 * i, sizeof feed);
      if (static_cast<std::int16_t>(feed) + DMBIN_USER == input.dmDefaultSource) {
        dm.dmDefaultSource = input.dmDefaultSource;
        break;
      }
    }
  }
  if (fields & DM_PRINTQUALITY) {
    value = dm.dmPrintQuality;
    if (FindOptionIndex(ddf, scratch, "Resolution", static_cast<std::uint16_t>(input.dmPrintQuality),
                        &value, 1) != kNotFound) {
      dm.dmPrintQuality = value;
      dm.dmYResolution = value;
    }
  }
  if (fields & DM_ORIENTATION) {
    value = dm.dmOrientation;
    FindOptionIndex(ddf, scratch, "Orientation", static_cast<std::uint16_t>(input.dmOrientation),
                    &value, 1);
    dm.dmOrientation = value;
  }
  if (fields & DM_COPIES) {
    value = dm.dmCopies;
    CheckRangeValue(ddf, scratch, "Copies", input.dmCopies, &value);
    dm.dmCopies = value;
  }
  if ((fields & DM_DUPLEX) && input.dmDuplex >= 1 && input.dmDuplex <= 3) {
    dm.dmDuplex = input.dmDuplex;
  }
}

int MergeSettings(PrinterHandle, DdfHandle ddf, const void* input, std::size_t size,
                  DRVDEVMODE* working) {
  if (ddf == nullptr || input == nullptr || working == nullptr) return 0;
  const bool own = IsOwnRecord(input, size);
  // A document made for another printer keeps its paper, orientation and
  // copies here too, as far as the description lists them; its private part
  // means nothing to this driver.
  if (!own && !IsSoundForeignRecord(input, size)) return 1;
  const auto* bytes = static_cast<const std::uint8_t*>(input);
  const RecordExtent extent = ExtentOf(input);
  // Older layouts have shorter headers: take what there is, the rest stays 0.
  PublicDevMode header{};
  std::memcpy(&header, bytes, extent.size);
  MergePublicFields(ddf, header, working);
  if (!own) return 1;
  // The private part as far as the record claims one and the bytes handed
  // over hold it.
  const std::size_t privateBytes =
      std::min({std::size_t{extent.driverExtra}, std::size_t{kPrivateSize}, size - extent.size});
  const DRVDEVMODE before = *working;
  std::memcpy(reinterpret_cast<std::uint8_t*>(working) + kPublicSize, bytes + extent.size,
              privateBytes);
  KeepCustomSizesInRange(ddf, before, working);
  return 1;
}

}  // namespace tqr
