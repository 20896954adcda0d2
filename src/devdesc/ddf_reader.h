// Walks a description image: finds features by name and options by index,
// never reading past the image's total size.
#pragma once

#include <cstdint>
#include <string_view>

#include "devdesc/ddf_image.h"

namespace tqr::ddf {

struct FeatureInfo {
  char name[kFeatureNameSize] = {};
  std::uint32_t type = 0;
  std::uint16_t firstOption = 0;
  std::uint16_t defaultIndex = 0;
  std::uint16_t maximumIndex = 0;
  std::uint16_t minimumIndex = 0;
  std::uint16_t levelIndex = 0;
  std::uint32_t optionCount = 0;  // index of the last option + 1
};

// One option as read from its record, whatever the feature's type.
struct OptionInfo {
  std::uint16_t next = 0;
  std::uint16_t index = 0;
  const char* name = nullptr;  // points into the image; at most 63 characters
  std::uint32_t nameLength = 0;
  std::uint32_t value = 0;  // item and range: signed 32 bits; paper: 16 bits widened
  std::uint32_t size[2] = {};
  std::uint32_t extras[4] = {};
};

class DescriptionReader {
 public:
  // Trusts the header's total size; the loader has checked it against the
  // block it read.
  explicit DescriptionReader(const std::uint8_t* image);

  bool FindFeature(const char* name, FeatureInfo* feature) const;
  // Calls visit(feature) for every feature, fixed slots first, then the
  // further ones in the order the text introduced them.
  template <typename Visit>
  void ForEachFeature(Visit visit) const {
    for (std::size_t slot = 0; slot < kFixedSlotCount + furtherCount_; ++slot) {
      const std::uint16_t offset = Slot(slot);
      FeatureInfo feature;
      if (offset == 0 && slot >= kFixedSlotCount) return;
      if (offset != 0 && ReadFeature(offset, nullptr, &feature)) visit(feature);
    }
  }
  bool ReadOption(const FeatureInfo& feature, std::uint16_t offset, OptionInfo* option) const;
  bool FindOption(const FeatureInfo& feature, std::uint16_t index, OptionInfo* option) const;

  // Calls visit(option) for every option in list order; false when a record
  // cannot be read.
  template <typename Visit>
  bool ForEachOption(const FeatureInfo& feature, Visit visit) const {
    std::uint16_t offset = feature.firstOption;
    for (std::uint32_t step = 0; step < feature.optionCount; ++step) {
      OptionInfo option;
      if (!ReadOption(feature, offset, &option)) return false;
      visit(option);
      offset = option.next;
    }
    return true;
  }

 private:
  // Reads the feature at `offset` when its name is `name`, or whatever its
  // name when `name` is null.
  bool ReadFeature(std::uint16_t offset, const std::string_view* name,
                   FeatureInfo* feature) const;
  std::uint16_t Slot(std::size_t slot) const;

  ImageView view_;
  std::uint16_t furtherCount_ = 0;
};

// Checks a block read from a cache file before it becomes a description
// handle: sizes agree, every slot and link points at a whole record inside
// the image, every list closes on itself with indexes in order, every name
// is terminated, and no two records share a byte.
bool IsSoundImage(const std::uint8_t* bytes, std::size_t size);

}  // namespace tqr::ddf
