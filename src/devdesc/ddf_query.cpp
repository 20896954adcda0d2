#include <cstring>

#include "devdesc/ddf.h"
#include "devdesc/ddf_reader.h"

namespace tqr {
namespace {

using ddf::DescriptionReader;
using ddf::FeatureInfo;
using ddf::OptionInfo;

bool BufferIsOptional(std::uint16_t kind) {
  return kind == DDFQ_COUNT || (kind >= DDFQ_VALUE && kind <= DDFQ_RANGE_LEVEL);
}

// The option index a request of this kind is about.
std::uint16_t TargetIndex(const FeatureInfo& feature, std::uint16_t kind, std::uint16_t index) {
  switch (kind) {
    case DDFQ_DEFAULT_NAME:
    case DDFQ_DEFAULT_VALUE:
    case DDFQ_DEFAULT_PAPER_SIZE:
    case DDFQ_DEFAULT_PAPER_EXTRA:
      return feature.defaultIndex;
    case DDFQ_RANGE_MIN:
    case DDFQ_RANGE_MIN_NAME:
      return feature.minimumIndex;
    case DDFQ_RANGE_MAX:
    case DDFQ_RANGE_MAX_NAME:
      return feature.maximumIndex;
    case DDFQ_RANGE_LEVEL:
    case DDFQ_RANGE_LEVEL_NAME:
      return feature.levelIndex;
    default:
      return index;
  }
}

// The whole stored name with its terminator; the caller's buffer holds the
// longest name there is, `size` only caps the answer.
std::uint32_t CopyName(const OptionInfo& option, void* buffer, std::uint16_t size) {
  auto* out = static_cast<char*>(buffer);
  std::memcpy(out, option.name, option.nameLength);
  out[option.nameLength] = '\0';
  return option.nameLength < size ? option.nameLength : size;
}

std::uint32_t AnswerOne(const DescriptionReader& reader, const FeatureInfo& feature,
                        std::uint16_t kind, void* buffer, std::uint16_t index,
                        std::uint16_t size) {
  const bool rangeKind = kind >= DDFQ_RANGE_MIN && kind <= DDFQ_RANGE_LEVEL_NAME;
  const bool paperKind = kind >= DDFQ_PAPER_SIZE;
  if ((rangeKind && feature.type != ddf::kTypeRange) ||
      (paperKind && feature.type != ddf::kTypePaper)) {
    return 0;
  }
  const std::uint16_t target = TargetIndex(feature, kind, index);
  OptionInfo option;
  if (!reader.FindOption(feature, target, &option)) return 0;
  switch (kind) {
    case DDFQ_NAME:
    case DDFQ_DEFAULT_NAME:
      return CopyName(option, buffer, size);
    case DDFQ_RANGE_MIN_NAME:
    case DDFQ_RANGE_MAX_NAME:
    case DDFQ_RANGE_LEVEL_NAME:
      CopyName(option, buffer, size);
      return target;
    case DDFQ_PAPER_SIZE:
    case DDFQ_DEFAULT_PAPER_SIZE:
      std::memcpy(buffer, option.size, sizeof option.size);
      return target;
    case DDFQ_PAPER_EXTRA:
    case DDFQ_DEFAULT_PAPER_EXTRA:
      std::memcpy(buffer, option.extras, sizeof option.extras);
      return target;
    default:  // the value kinds
      if (buffer != nullptr) std::memcpy(buffer, &option.value, sizeof option.value);
      return option.value;
  }
}

std::uint32_t AnswerAll(const DescriptionReader& reader, const FeatureInfo& feature,
                        std::uint16_t kind, void* buffer, std::uint16_t size) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  bool read = true;
  switch (kind) {
    case DDFQ_COUNT:
      return feature.optionCount;
    case DDFQ_NAMES:
      if (feature.optionCount != 0) std::memset(out, 0, size);
      if (feature.type == ddf::kTypeRange) return 0;
      read = reader.ForEachOption(feature, [&](const OptionInfo& option) {
        std::memset(out, 0, size);
        std::memcpy(out, option.name, option.nameLength < size ? option.nameLength : size);
        out += size;
      });
      return read ? feature.optionCount * size : 0;
    case DDFQ_VALUES:
      read = reader.ForEachOption(feature, [&](const OptionInfo& option) {
        if (size == 2) {
          const auto low = static_cast<std::uint16_t>(option.value);
          std::memcpy(out, &low, sizeof low);
          out += sizeof low;
        } else {
          std::memcpy(out, &option.value, sizeof option.value);
          out += sizeof option.value;
        }
      });
      break;
    case DDFQ_PAPER_SIZES:
    case DDFQ_PAPER_EXTRAS:
      if (feature.type != ddf::kTypePaper) return 0;
      read = reader.ForEachOption(feature, [&](const OptionInfo& option) {
        const bool sizes = kind == DDFQ_PAPER_SIZES;
        const std::size_t bytes = sizes ? sizeof option.size : sizeof option.extras;
        std::memcpy(out, sizes ? option.size : option.extras, bytes);
        out += bytes;
      });
      break;
    default:
      return 0;
  }
  return read ? feature.optionCount : 0;
}

bool AsksForAll(std::uint16_t kind) {
  return kind == DDFQ_COUNT || kind == DDFQ_NAMES || kind == DDFQ_VALUES ||
         kind == DDFQ_PAPER_SIZES || kind == DDFQ_PAPER_EXTRAS;
}

}  // namespace

std::uint32_t DdfQuery(DdfHandle handle, const char* feature, std::uint16_t kind, void* buffer,
                       std::uint16_t index, std::uint16_t size) {
  if (handle == nullptr || feature == nullptr) return 0;
  if (kind < DDFQ_COUNT || kind > DDFQ_DEFAULT_PAPER_EXTRA) return 0;
  if (buffer == nullptr && !BufferIsOptional(kind)) return 0;
  const DescriptionReader reader(handle);
  FeatureInfo info;
  if (!reader.FindFeature(feature, &info)) return 0;
  if (AsksForAll(kind)) return AnswerAll(reader, info, kind, buffer, size);
  return AnswerOne(reader, info, kind, buffer, index, size);
}

}  // namespace tqr
