#include "cache/cached_calls.h"

#include <algorithm>
#include <cstring>

#include "caps/capabilities.h"
#include "settings/settings.h"

namespace tqr::cache {
namespace {

enum KeptCall : std::uint16_t { kCapability = 1, kDocument = 2 };

// The bytes of the caller's record an answer can depend on, in place: what
// the merge reads of it (MergedRecordBytes), never more than the record's
// own size words say the caller handed over; none for a record it ignores.
std::size_t InputSize(const void* input) {
  return MergedRecordBytes(input, ClaimedRecordSize(input));
}

AnswerKey KeyOf(KeptCall call, std::uint16_t index, bool withOutput, const void* input) {
  const std::size_t size = InputSize(input);
  return AnswerKey{call, index, withOutput,
                   size != 0 ? static_cast<const std::uint8_t*>(input) : nullptr, size};
}

// The caller's record as far as the key kept it, made whole again: the
// bytes past what was kept are bytes the answer does not depend on, zero
// up to the size the record claims, so that nothing reads past it. False
// when the kept bytes are not a record the merge reads (InputSize keeps no
// other).
bool RecordFromKey(const AnswerKey& key, std::vector<std::uint8_t>* record) {
  record->assign(key.input, key.input + key.inputSize);
  if (key.inputSize == 0) return true;
  record->resize(std::max(key.inputSize, ClaimedRecordSize(key.input)), 0);
  return MergedRecordBytes(record->data(), record->size()) != 0;
}

}  // namespace

bool ReplayKeptAnswer(const AnswerKey& key, const char16_t* deviceName, DdfHandle description,
                      PrinterHandle printer, std::int32_t* answer,
                      std::vector<std::uint8_t>* output) {
  std::vector<std::uint8_t> record;
  if (!RecordFromKey(key, &record)) return false;
  const void* input = record.empty() ? nullptr : record.data();
  output->clear();
  if (key.call == kDocument) {
    output->resize(sizeof(DRVDEVMODE));
    *answer = CopyDocumentSettings(description, printer, deviceName, input, key.index == 1,
                                   output->data());
    if (*answer != 1) output->clear();
    return true;
  }
  if (key.call != kCapability) return false;
  const auto compute = [&](void* out) {
    return AnswerFromDescription(description, printer, deviceName, key.index, out, input);
  };
  const std::int32_t count = compute(nullptr);
  if (!key.withOutput) {
    *answer = count;
    return true;
  }
  // Room for what the count says, as an application makes it (never a null
  // buffer, which some indexes answer differently); an answer that then
  // disagrees with its count is not kept.
  const std::size_t size = CapabilityOutputSize(key.index, count);
  output->resize(std::max<std::size_t>(size, 1));
  *answer = compute(output->data());
  output->resize(size);
  return *answer == count;
}

PrinterCache& ProcessPrinterCache() {
  static PrinterCache cache(ReplayKeptAnswer);
  return cache;
}

std::int32_t CachedDeviceCapability(PrinterCache& cache, PrinterHandle printer,
                                    const char16_t* deviceName, std::uint16_t index,
                                    void* output, const void* input) {
  std::int32_t answer = -1;
  if (AnswerWithoutDescription(index, output, &answer)) return answer;
  const AnswerKey key = KeyOf(kCapability, index, output != nullptr, input);
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
  const AnswerKey key =
      KeyOf(kDocument, static_cast<std::uint16_t>(tiePrinterDefault ? 1 : 0), true, input);
  return cache_.Answer(
      printer, deviceName, key, target,
      [](std::int32_t given) { return given == 1 ? sizeof(DRVDEVMODE) : 0; },
      [&](DdfHandle ddf, PrinterHandle handle, void* out) {
        return CopyDocumentSettings(ddf, handle, deviceName, input, tiePrinterDefault, out);
      });
}

}  // namespace tqr::cache
