// Moving settings records between the header layouts of different system
// versions without interpreting their fields.
#pragma once

#include <cstdint>

namespace tqr {

// The platform's conversion modes.
constexpr std::uint32_t kConvertCurrent = 1;   // CDM_CONVERT
constexpr std::uint32_t kConvert351 = 2;       // CDM_CONVERT351
constexpr std::uint32_t kDriverDefault = 4;    // CDM_DRIVER_DEFAULT

constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;

struct ConversionConstants {
  std::uint16_t currentDriverVersion;
  std::uint16_t currentPrivateSize;
  std::uint16_t oldestDriverVersion;
  std::uint16_t oldestPrivateSize;
};

inline constexpr ConversionConstants kConversionConstants = {0x102, 1528, 0x351, 0};

enum ConvertOutcome : int {
  kConvertFailed = 0,
  kConvertDone = 1,
  kConvertLeftToCaller = 2,  // the driver default is still to be built, or an unknown mode
};

// The dmSpecVersion a record's header size stands for (188: 0x320,
// 212: 0x400, 220: 0x401), else its own dmSpecVersion; 0 for no record.
std::uint16_t RecordSpecVersion(const void* record);

// Copies header and private part, each cut to the shorter of the two, and
// keeps the output's own sizes and driver version. Bytes copied, or -1 when
// either record has no version. Each record holds dmSize + dmDriverExtra
// bytes; nothing past that is read or written.
int ConvertRecord(const void* input, void* output);

// Carries out one conversion mode. `size` holds the output's size on entry
// and the needed or written size on return; `lastError` receives the error
// to report, or stays as it was.
int ConvertDevModeCore(const void* input, void* output, std::uint32_t* size, std::uint32_t mode,
                       const ConversionConstants& constants, std::uint32_t* lastError);

}  // namespace tqr
