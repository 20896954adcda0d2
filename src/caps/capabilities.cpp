#include "caps/capabilities.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "devdesc/ddf.h"
#include "devdesc/ddf_needed.h"
#include "settings/offered_papers.h"
#include "settings/settings.h"

namespace tqr {
namespace {

constexpr std::int32_t kUnsupported = -1;
constexpr std::uint32_t kBinCount = 5;
constexpr std::size_t kBinNameUnits = 24;
constexpr std::size_t kPaperNameUnits = 64;

// Answers that need neither the description nor the printer.
bool AnswerFixed(std::uint16_t index, void* output, std::int32_t* answer) {
  switch (index) {
    case kCapSize:
      *answer = kPublicSize;
      return true;
    case kCapExtra:
      *answer = kPrivateSize;
      return true;
    case kCapVersion:
      *answer = kSpecVersion;
      return true;
    case kCapDriver:
      *answer = kDriverVersion;
      return true;
    case kCapFileDependencies:
    case kCapStaple:
      *answer = 0;
      return true;
    case kCapOrientation:
      *answer = 90;
      return true;
    case kCapPersonality:
      if (output != nullptr) std::memcpy(output, u"Orlex", sizeof u"Orlex");
      *answer = 1;
      return true;
    case kCapPrinterMem:
      *answer = 4096;
      return true;
    case kCapColorDevice:
      *answer = 1;
      return true;
    default:
      return false;
  }
}

bool NeedsDescription(std::uint16_t index) {
  return (index >= kCapFields && index <= kCapDuplex) || index == kCapBinNames ||
         index == kCapEnumResolutions || index == kCapTrueType || index == kCapPaperNames ||
         index == kCapCopies || index == kCapNup;
}

// Defaults, then the printer's default record, then the caller's record;
// MergeSettings decides what of each is taken.
void BuildCapabilityRecord(DdfHandle ddf, PrinterHandle printer, const char16_t* deviceName,
                           const void* input, DRVDEVMODE* record) {
  std::memset(static_cast<void*>(record), 0, sizeof *record);
  BuildDefaultSettings(ddf, record, deviceName, printer);
  std::vector<std::uint8_t> printerDefault;
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler != nullptr && spooler->GetPrinterDefaultRecord(printer, &printerDefault) &&
      HoldsWholeRecord(printerDefault)) {
    MergeSettings(printer, ddf, printerDefault.data(), printerDefault.size(), record);
  }
  if (input != nullptr) MergeSettings(printer, ddf, input, ClaimedRecordSize(input), record);
}

// A name from the description as a slot of `units` UTF-16 units, cut to
// fit and zero-padded.
void PutWideName(const char* ansi, std::size_t units, char16_t* slot) {
  const std::u16string wide = CurrentPorts().machine->AnsiToWide(ansi);
  const std::size_t length = wide.size() < units ? wide.size() : units - 1;
  std::memset(slot, 0, units * sizeof(char16_t));
  std::memcpy(slot, wide.data(), length * sizeof(char16_t));
}

std::int32_t AnswerPaperList(DdfHandle ddf, PrinterHandle printer, const DRVDEVMODE& record,
                             std::uint16_t index, void* output) {
  auto* out = static_cast<std::uint8_t*>(output);
  std::int32_t count = 0;
  ForEachOfferedPaper(ddf, record, true, [&](const OfferedPaper& paper) {
    ++count;
    if (out == nullptr) return;
    if (index == kCapPapers) {
      const auto number = static_cast<std::uint16_t>(paper.number);
      std::memcpy(out, &number, sizeof number);
      out += sizeof number;
    } else if (index == kCapPaperSize) {
      const std::int32_t size[2] = {static_cast<std::int16_t>(paper.size[0] / 10),
                                    static_cast<std::int16_t>(paper.size[1] / 10)};
      std::memcpy(out, size, sizeof size);
      out += sizeof size;
    } else {
      char name[64] = {};
      DdfQuery(ddf, kFeaturePaperSize, DDFQ_NAME, name, paper.position, sizeof name);
      char16_t slot[kPaperNameUnits];
      PutWideName(name, kPaperNameUnits, slot);
      std::memcpy(out, slot, sizeof slot);
      out += sizeof slot;
    }
  });
  const int forms = index == kCapPapers      ? kFormNumbers
                    : index == kCapPaperSize ? kFormSizes
                                             : kFormNames;
  // A list without the forms is no answer: the caller sizes its buffer by
  // the length, and the next call, with the forms, would overrun it.
  bool listed = false;
  const std::uint32_t added = EnumUserForms(printer, forms, out, &listed);
  return listed ? count + static_cast<std::int32_t>(added) : kUnsupported;
}

std::int32_t AnswerBinNames(DdfHandle ddf, void* output) {
  const std::uint32_t count = DdfQuery(ddf, kFeaturePaperFeed, DDFQ_COUNT, nullptr, 0, 0);
  if (output == nullptr || count == 0) return static_cast<std::int32_t>(count);
  std::vector<char> names(count * 48, '\0');
  DdfQuery(ddf, kFeaturePaperFeed, DDFQ_NAMES, names.data(), 0, kBinNameUnits);
  auto* slots = static_cast<char16_t*>(output);
  for (std::uint32_t i = 0; i < count; ++i) {
    char name[kBinNameUnits];
    std::memcpy(name, names.data() + i * kBinNameUnits, kBinNameUnits);
    name[kBinNameUnits - 1] = '\0';
    PutWideName(name, kBinNameUnits, slots + i * kBinNameUnits);
  }
  return static_cast<std::int32_t>(count);
}

std::int32_t Extent(DdfHandle ddf, std::uint16_t kind) {
  const std::uint32_t width = DdfQuery(ddf, kFeaturePaperWidth, kind, nullptr, 0, 0);
  const std::uint32_t length = DdfQuery(ddf, kFeaturePaperLength, kind, nullptr, 0, 0);
  return static_cast<std::int32_t>((width & 0xffff) | (length << 16));
}

std::int32_t AnswerFromRecord(DdfHandle ddf, PrinterHandle printer, const DRVDEVMODE& record,
                              std::uint16_t index, void* output) {
  switch (index) {
    case kCapFields:
      return static_cast<std::int32_t>(record.dm.dmFields);
    case kCapPapers:
    case kCapPaperSize:
    case kCapPaperNames:
      return AnswerPaperList(ddf, printer, record, index, output);
    case kCapMinExtent:
      return Extent(ddf, DDFQ_RANGE_MIN);
    case kCapMaxExtent:
      return Extent(ddf, DDFQ_RANGE_MAX);
    case kCapBins:
      if (output != nullptr) {
        for (std::uint16_t i = 0; i < kBinCount; ++i) {
          const auto bin = static_cast<std::uint16_t>(
              DMBIN_USER + DdfQuery(ddf, kFeaturePaperFeed, DDFQ_VALUE, nullptr, i, 0));
          std::memcpy(static_cast<std::uint8_t*>(output) + 2 * i, &bin, sizeof bin);
        }
      }
      return kBinCount;
    case kCapDuplex:
      return 0;
    case kCapBinNames:
      return AnswerBinNames(ddf, output);
    case kCapEnumResolutions:
      if (output != nullptr) {
        const std::int32_t dpi =
            static_cast<std::int32_t>(DdfQuery(ddf, kFeatureResolution, DDFQ_VALUE, nullptr, 0, 0));
        const std::int32_t pair[2] = {dpi, dpi};
        std::memcpy(output, pair, sizeof pair);
      }
      return 1;
    case kCapTrueType:
      return record.dm.dmTTOption;
    case kCapCopies:
      return 999;
    default:  // DC_NUP: asked after loading, never supported
      return kUnsupported;
  }
}

}  // namespace

bool AnswerWithoutDescription(std::uint16_t index, void* output, std::int32_t* answer) {
  if (AnswerFixed(index, output, answer)) return true;
  if (NeedsDescription(index)) return false;
  TraceUnhandled("DrvDeviceCapabilities", "index", index);
  *answer = kUnsupported;
  return true;
}

std::int32_t AnswerFromDescription(DdfHandle ddf, PrinterHandle printer,
                                   const char16_t* deviceName, std::uint16_t index, void* output,
                                   const void* input) {
  std::unique_ptr<DRVDEVMODE> record(new (std::nothrow) DRVDEVMODE);
  if (record == nullptr) return kUnsupported;
  BuildCapabilityRecord(ddf, printer, deviceName, input, record.get());
  return AnswerFromRecord(ddf, printer, *record, index, output);
}

std::size_t CapabilityOutputSize(std::uint16_t index, std::int32_t answer) {
  const std::size_t count = answer > 0 ? static_cast<std::size_t>(answer) : 0;
  switch (index) {
    case kCapPapers:
      return count * sizeof(std::uint16_t);
    case kCapPaperSize:
      return count * 2 * sizeof(std::int32_t);
    case kCapPaperNames:
      return count * kPaperNameUnits * sizeof(char16_t);
    case kCapBins:
      return kBinCount * sizeof(std::uint16_t);
    case kCapBinNames:
      return count * kBinNameUnits * sizeof(char16_t);
    case kCapEnumResolutions:
      return 2 * sizeof(std::int32_t);
    default:
      return 0;
  }
}

std::int32_t AnswerDeviceCapability(PrinterHandle printer, const char16_t* deviceName,
                                    std::uint16_t index, void* output, const void* input) {
  std::int32_t answer = kUnsupported;
  if (AnswerWithoutDescription(index, output, &answer)) return answer;
  DdfHandle ddf = DdfLoadForPrinter(printer);
  if (ddf == nullptr) return kUnsupported;
  answer = AnswerFromDescription(ddf, printer, deviceName, index, output, input);
  DdfFree(&ddf);
  return answer;
}

}  // namespace tqr
