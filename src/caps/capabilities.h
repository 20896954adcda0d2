// Answers to the platform's device capability queries, filtered by the
// caller's settings so that the lists match what the pages offer.
#pragma once

#include <cstdint>

#include "devdesc/ddf.h"
#include "platform/ports.h"

namespace tqr {

// The platform's capability indices this driver answers.
enum CapabilityIndex : std::uint16_t {
  kCapFields = 1,
  kCapPapers = 2,
  kCapPaperSize = 3,
  kCapMinExtent = 4,
  kCapMaxExtent = 5,
  kCapBins = 6,
  kCapDuplex = 7,
  kCapSize = 8,
  kCapExtra = 9,
  kCapVersion = 10,
  kCapDriver = 11,
  kCapBinNames = 12,
  kCapEnumResolutions = 13,
  kCapFileDependencies = 14,
  kCapTrueType = 15,
  kCapPaperNames = 16,
  kCapOrientation = 17,
  kCapCopies = 18,
  kCapPersonality = 25,
  kCapPrinterMem = 28,
  kCapStaple = 30,
  kCapColorDevice = 32,
  kCapNup = 33,
};

// One answer of DrvDeviceCapabilities: -1 for indices not supported or when
// the description cannot be loaded. `output` may be null for the lists,
// which then answer their length only. `input` is the caller's record
// (dmSize + dmDriverExtra bytes) or null.
std::int32_t AnswerDeviceCapability(PrinterHandle printer, const char16_t* deviceName,
                                    std::uint16_t index, void* output, const void* input);

// The two halves of it, for callers that keep the description loaded.
// First the answers that need neither the description nor the printer, and
// the refusal (traced) of indices this driver does not answer: true, with
// `answer` set, when the index is one of those.
bool AnswerWithoutDescription(std::uint16_t index, void* output, std::int32_t* answer);
// Then every other index, from the loaded description; -1 when the record
// cannot be had.
std::int32_t AnswerFromDescription(DdfHandle ddf, PrinterHandle printer,
                                   const char16_t* deviceName, std::uint16_t index, void* output,
                                   const void* input);
// How many bytes AnswerFromDescription wrote to an output buffer with
// `answer`.
std::size_t CapabilityOutputSize(std::uint16_t index, std::int32_t answer);

}  // namespace tqr
