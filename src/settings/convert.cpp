#include "settings/convert.h"

#include <algorithm>
#include <cstring>

#include "platform/ports.h"
#include "settings/devmode.h"

namespace tqr {
namespace {

constexpr std::uint16_t kOldestHeaderSize = 188;

struct HeaderWords {
  std::uint16_t specVersion;
  std::uint16_t driverVersion;
  std::uint16_t size;
  std::uint16_t driverExtra;
};
static_assert(offsetof(PublicDevMode, dmSpecVersion) == 64);
constexpr std::size_t kHeaderWordsOffset = offsetof(PublicDevMode, dmSpecVersion);

HeaderWords ReadWords(const void* record) {
  HeaderWords words;
  std::memcpy(&words, static_cast<const std::uint8_t*>(record) + kHeaderWordsOffset, sizeof words);
  return words;
}

void WriteWords(void* record, const HeaderWords& words) {
  std::memcpy(static_cast<std::uint8_t*>(record) + kHeaderWordsOffset, &words, sizeof words);
}

}  // namespace

std::uint16_t RecordSpecVersion(const void* record) {
  if (record == nullptr) return 0;
  const HeaderWords words = ReadWords(record);
  switch (words.size) {
    case 188:
      return 0x320;
    case 212:
      return 0x400;
    case 220:
      return 0x401;
    default:
      return words.specVersion;
  }
}

int ConvertRecord(const void* input, void* output) {
  if (RecordSpecVersion(input) == 0 || RecordSpecVersion(output) == 0) return -1;
  const HeaderWords in = ReadWords(input);
  HeaderWords kept = ReadWords(output);
  const std::size_t header = std::min(in.size, kept.size);
  std::memmove(output, input, header);
  // The copied dmSpecVersion stays only where the output's own
  // header size does not decide it.
  kept.specVersion = ReadWords(output).specVersion;
  WriteWords(output, kept);
  kept.specVersion = RecordSpecVersion(output);
  WriteWords(output, kept);
  const std::size_t extra = std::min(in.driverExtra, kept.driverExtra);
  std::memmove(static_cast<std::uint8_t*>(output) + kept.size,
               static_cast<const std::uint8_t*>(input) + in.size, extra);
  return static_cast<int>(header + extra);
}

int ConvertDevModeCore(const void* input, void* output, std::uint32_t* size, std::uint32_t mode,
                       const ConversionConstants& constants, std::uint32_t* lastError) {
  if (size == nullptr) {
    *lastError = kErrorInvalidParameter;
    return kConvertFailed;
  }
  switch (mode) {
    case kConvertCurrent: {
      if (output != nullptr && input != nullptr) {
        const HeaderWords out = ReadWords(output);
        const std::uint32_t needed = std::uint32_t{out.size} + out.driverExtra;
        if (*size >= needed) {
          const int copied = ConvertRecord(input, output);
          if (copied > 0) {
            *size = needed;
            return kConvertDone;
          }
        }
      }
      *lastError = kErrorInvalidParameter;
      return kConvertFailed;
    }
    case kConvert351: {
      if (output == nullptr || *size < kOldestHeaderSize) {
        *size = kOldestHeaderSize;
        *lastError = kErrorInsufficientBuffer;
        return kConvertFailed;
      }
      WriteWords(output, HeaderWords{0x320, constants.oldestDriverVersion, kOldestHeaderSize,
                                     constants.oldestPrivateSize});
      if (input == nullptr || ConvertRecord(input, output) < 1) {
        *lastError = kErrorInvalidParameter;
        return kConvertFailed;
      }
      *size = kOldestHeaderSize;
      return kConvertDone;
    }
    case kDriverDefault: {
      const std::uint32_t needed = std::uint32_t{kPublicSize} + constants.currentPrivateSize;
      const std::uint32_t given = *size;
      *size = needed;
      if (output == nullptr || given < needed) {
        *lastError = kErrorInsufficientBuffer;
        return kConvertFailed;
      }
      return kConvertLeftToCaller;
    }
    default:
      TraceUnhandled("DrvConvertDevMode", "mode", mode);
      return kConvertLeftToCaller;
  }
}

}  // namespace tqr
