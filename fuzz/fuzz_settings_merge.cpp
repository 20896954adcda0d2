// A settings record handed in by an application or the spooler is outside
// input: any program may pass any bytes, with any sizes in the header. The
// merge must read neither past the bytes handed over nor past the dmSize +
// dmDriverExtra bytes the record claims, leave the working record alone unless the record is ours,
// change only what it takes, and what it took must still finalize into a
// record of ours.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "shipped_description.h"
#include "settings/devmode_fields.h"
#include "settings/settings.h"
#include "platform/fake/fake_system.h"

namespace {

using tqr::DRVDEVMODE;
using tqr::PublicDevMode;

constexpr char16_t kDeviceName[] = u"Orlex TQ-R5400";
// The two size words must be readable to know how much more may be read.
constexpr std::size_t kSizeWordsEnd = offsetof(PublicDevMode, dmDriverExtra) + 2;

using tqr::fuzz::ShippedImage;

// Sizes a record may carry that are checked against the description's
// ranges rather than taken as they are.
constexpr tqr::RecordField kCustomSizes[] = {
    TQR_RECORD_FIELD(PaperWidth), TQR_RECORD_FIELD(PaperLength),
    TQR_RECORD_FIELD(PaperWidth2), TQR_RECORD_FIELD(PaperLength2)};

// Two user forms the printer takes (numbered 318 and 319), one too small and
// one built in, for finalization to fit unknown paper numbers to.
void AddForms(tqr::fake::FakeSpooler* spooler) {
  spooler->forms = {
      {1, u"A4", 210000, 297000},
      {0, u"Banner 300", 300000, 900000},
      {0, u"Card", 100000, 150000},
      {0, u"Poster 594", 594000, 841000},
  };
}

// The working record before the merge, for a user in a letter region or
// elsewhere; built once, as it depends on nothing the fuzzer changes.
const DRVDEVMODE& Defaults(bool letterRegion) {
  static const std::vector<DRVDEVMODE> records = [] {
    std::vector<DRVDEVMODE> built(2);
    for (std::size_t letter = 0; letter < 2; ++letter) {
      tqr::fake::FakeSpooler spooler;
      tqr::fake::FakeMachine machine;
      const tqr::ScopedPorts scoped(tqr::Ports{nullptr, &spooler, &machine});
      int printerObject = 0;
      spooler.printers[&printerObject];
      machine.country = letter != 0 ? u"1" : u"49";
      std::memset(static_cast<void*>(&built[letter]), 0, sizeof(DRVDEVMODE));
      TQR_FUZZ_CHECK(tqr::BuildDefaultSettings(ShippedImage().data(), &built[letter],
                                               kDeviceName, &printerObject) == 1);
    }
    return built;
  }();
  return records[letterRegion ? 1 : 0];
}

std::uint16_t Word(const std::uint8_t* bytes, std::size_t offset) {
  std::uint16_t word;
  std::memcpy(&word, bytes + offset, sizeof word);
  return word;
}

// The public fields the merge may take from an application's record; every
// other byte of the working record's header must stay as it was.
PublicDevMode WithMergedFieldsOf(PublicDevMode header, const PublicDevMode& source) {
  header.dmOrientation = source.dmOrientation;
  header.dmPaperSize = source.dmPaperSize;
  header.dmPaperLength = source.dmPaperLength;
  header.dmPaperWidth = source.dmPaperWidth;
  header.dmCopies = source.dmCopies;
  header.dmDefaultSource = source.dmDefaultSource;
  header.dmPrintQuality = source.dmPrintQuality;
  header.dmYResolution = source.dmYResolution;
  header.dmDuplex = source.dmDuplex;
  return header;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kSizeWordsEnd) return 0;
  const std::uint16_t publicSize = Word(data, offsetof(PublicDevMode, dmSize));
  const std::uint16_t driverExtra = Word(data, offsetof(PublicDevMode, dmDriverExtra));
  // The block holds exactly the input, whatever its header promises, so ASan
  // sees any read past what was handed over. It starts on an odd address, as
  // records inside an application's own structures may, so that UBSan sees
  // any aligned access to their fields.
  const std::unique_ptr<std::uint8_t[]> storage(new std::uint8_t[size + 1]);
  std::uint8_t* const input = storage.get() + 1;
  std::memcpy(input, data, size);

  tqr::fake::FakeSpooler spooler;
  tqr::fake::FakeMachine machine;
  const tqr::ScopedPorts scoped(tqr::Ports{nullptr, &spooler, &machine});
  int printerObject = 0;
  const tqr::PrinterHandle printer = &printerObject;
  spooler.printers[printer];
  AddForms(&spooler);
  // The input's length picks the user's region, so that records are merged
  // into the defaults of either paper family.
  const bool letterRegion = (size & 1) != 0;
  machine.country = letterRegion ? u"1" : u"49";

  const tqr::DdfHandle ddf = ShippedImage().data();
  const DRVDEVMODE& before = Defaults(letterRegion);
  auto working = std::make_unique<DRVDEVMODE>(before);
  const auto* beforeBytes = reinterpret_cast<const std::uint8_t*>(&before);
  const auto* workingBytes = reinterpret_cast<const std::uint8_t*>(working.get());

  const bool own = tqr::IsOwnRecord(input, size);
  TQR_FUZZ_CHECK(tqr::MergeSettings(printer, ddf, input, size, working.get()) == 1);
  if (!own) {
    // Of another driver's record only public fields come over, and only from
    // a header the platform defines: the private part stays as it was.
    const std::size_t kept =
        tqr::IsSoundForeignRecord(input, size) ? tqr::kPublicSize : 0;
    TQR_FUZZ_CHECK(std::memcmp(workingBytes + kept, beforeBytes + kept,
                               sizeof(DRVDEVMODE) - kept) == 0);
  } else {
    // The private part comes over as it is, as far as the record has one
    // and the input holds it, except custom sizes out of their range.
    TQR_FUZZ_CHECK(publicSize <= tqr::kPublicSize);
    const std::size_t taken =
        std::min({std::size_t{driverExtra}, std::size_t{tqr::kPrivateSize}, size - publicSize});
    DRVDEVMODE expected = before;
    auto* expectedBytes = reinterpret_cast<std::uint8_t*>(&expected);
    std::memcpy(expectedBytes + tqr::kPublicSize, input + publicSize, taken);
    expected.dm = working->dm;
    for (const tqr::RecordField& field : kCustomSizes) {
      std::uint16_t value;
      std::memcpy(&value, workingBytes + field.offset, sizeof value);
      const bool fromInput = std::memcmp(workingBytes + field.offset,
                                         expectedBytes + field.offset, sizeof value) == 0;
      const bool kept = std::memcmp(workingBytes + field.offset, beforeBytes + field.offset,
                                    sizeof value) == 0;
      TQR_FUZZ_CHECK(fromInput || kept);
      TQR_FUZZ_CHECK(value >= 2100 || kept);  // the shipped ranges start at 210 mm
      std::memcpy(expectedBytes + field.offset, &value, sizeof value);
    }
    TQR_FUZZ_CHECK(std::memcmp(workingBytes, expectedBytes, sizeof(DRVDEVMODE)) == 0);
    const PublicDevMode unmerged = WithMergedFieldsOf(working->dm, before.dm);
    TQR_FUZZ_CHECK(std::memcmp(&unmerged, &before.dm, sizeof unmerged) == 0);
  }

  // Whatever came over, the finalized record is ours again: the fixed
  // header, and the marker the merge only ever copies from a record of ours.
  TQR_FUZZ_CHECK(tqr::FinalizeSettings(ddf, working.get(), printer) == 1);
  TQR_FUZZ_CHECK(tqr::IsOwnRecord(working.get(), sizeof(DRVDEVMODE)));
  TQR_FUZZ_CHECK(working->dm.dmSpecVersion == tqr::kSpecVersion &&
                 working->dm.dmDriverVersion == tqr::kDriverVersion &&
                 working->dm.dmSize == tqr::kPublicSize &&
                 working->dm.dmDriverExtra == tqr::kPrivateSize);
  return 0;
}
