#include "cache/cached_calls.h"

#include <algorithm>
#include <cstring>

#include "caps/capabilities.h"
#include "settings/settings.h"

namespace tqr::cache {
namespace {

enum KeptCall : std::uint16_t { kCapability = 1, kDocument = 2 };

// The bytes of the caller's record an answer can depend on: none for a
// record of another driver, which the merge ignores; for ours its header and
// its private part as far as the merge takes it, never more than the record's
// own size words say the caller handed over.
std::vector<std::uint8_t> InputBytes(const void* input) {
  const std::size_t claimed = ClaimedRecordSize(input);
  if (!IsOwnRecord(input, claimed)) return {};
  std::uint16_t size = 0;
  std::uint16_t driverExtra = 0;
  const auto* bytes = static_cast<const std::uint8_t*>(input);
  std::memcpy(&size, bytes + offsetof(PublicDevMode, dmSize), sizeof size);
  std::memcpy(&driverExtra, bytes + offsetof(PublicDevMode, dmDriverExtra), sizeof driverExtra);
  const std::size_t length = std::size_t{size} + std::min<std::size_t>(driverExtra, kPrivateSize);
  return std::vector<std::uint8_t>(bytes, bytes + std::min(length, claimed));
}

}  // namespace

std::int32_t CachedDeviceCapability(PrinterCache& cache, PrinterHandle printer,
                                    const char16_t* deviceName, std::uint16_t index,
                                    void* output, const void* input) {
  std::int32_t answer = -1;
  if (AnswerWithoutDescription(index, output, &answer)) return answer;
  const AnswerKey key{kCapability, index, output != nullptr, InputBytes(input)};
  return cache.Answer(
      printer, deviceName, key, output,
      [index](std::int32_t given) { return CapabilityOutputSize(index, given); },
      [&](DdfHandle ddf, PrinterHandle handle, void* out) {
        return AnswerFromDescription(ddf, handle, deviceName, index, out, input);
      });
}

std::int32_t CachedDocumentRecords::Copy(PrinterHandle printer, const char16_t* deviceName,
                                         const void* input, bool tiePrinterDefault,
                                         void* output) {
  // The record is kept even when the caller wants none back.
  DRVDEVMODE scratch;
  void* target = output != nullptr ? output : &scratch;
  const AnswerKey key{kDocument, static_cast<std::uint16_t>(tiePrinterDefault ? 1 : 0), true,
                      InputBytes(input)};
  return cache_.Answer(
      printer, deviceName, key, target,
      [](std::int32_t given) { return given == 1 ? sizeof(DRVDEVMODE) : 0; },
      [&](DdfHandle ddf, PrinterHandle handle, void* out) {
        return CopyDocumentSettings(ddf, handle, deviceName, input, tiePrinterDefault, out);
      });
}

}  // namespace tqr::cache
