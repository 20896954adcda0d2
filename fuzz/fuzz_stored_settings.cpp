// The printer's stored settings are outside input: an older driver, another
// tool or a half-finished write may have left any bytes in the printer data.
// Only a value of exactly one record with our header words is taken as it
// is, without writing anything back; anything else gives the defaults, and
// those are written back in its place. Nothing the spooler did not return may
// reach the record: the caller's buffer holds stale bytes of a record that
// would pass, and the fake keeps the value in a block of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "shipped_description.h"
#include "settings/settings.h"
#include "platform/fake/fake_system.h"

namespace {

using tqr::DRVDEVMODE;
using tqr::PublicDevMode;

constexpr char16_t kDeviceName[] = u"Orlex TQ-R5400";

using tqr::fuzz::ShippedImage;

// What the printer gets when its stored settings cannot be used; built once,
// as it depends on nothing the fuzzer changes.
const DRVDEVMODE& Defaults() {
  static const std::unique_ptr<DRVDEVMODE> record = [] {
    tqr::fake::FakeSpooler spooler;
    tqr::fake::FakeMachine machine;
    const tqr::ScopedPorts scoped(tqr::Ports{nullptr, &spooler, &machine});
    int printerObject = 0;
    spooler.printers[&printerObject];
    auto built = std::make_unique<DRVDEVMODE>();
    std::memset(static_cast<void*>(built.get()), 0, sizeof(DRVDEVMODE));
    TQR_FUZZ_CHECK(tqr::BuildDefaultSettings(ShippedImage().data(), built.get(), kDeviceName,
                                             &printerObject) == 1);
    return built;
  }();
  return *record;
}

std::uint16_t Word(const std::uint8_t* bytes, std::size_t offset) {
  std::uint16_t word;
  std::memcpy(&word, bytes + offset, sizeof word);
  return word;
}

bool HasOurHeader(const std::uint8_t* bytes, std::size_t size) {
  return size == sizeof(DRVDEVMODE) &&
         Word(bytes, offsetof(PublicDevMode, dmSpecVersion)) == tqr::kSpecVersion &&
         Word(bytes, offsetof(PublicDevMode, dmDriverVersion)) == tqr::kDriverVersion &&
         Word(bytes, offsetof(PublicDevMode, dmSize)) == tqr::kPublicSize &&
         Word(bytes, offsetof(PublicDevMode, dmDriverExtra)) == tqr::kPrivateSize;
}

struct Run {
  bool writeRefused;
  std::uint8_t staleFill;
};

void Load(const std::uint8_t* data, std::size_t size, const Run& run) {
  tqr::fake::FakeSpooler spooler;
  tqr::fake::FakeMachine machine;
  const tqr::ScopedPorts scoped(tqr::Ports{nullptr, &spooler, &machine});
  int printerObject = 0;
  const tqr::PrinterHandle printer = &printerObject;
  tqr::fake::FakeSpooler::Printer& entry = spooler.printers[printer];
  entry.failSetData = run.writeRefused;
  // No bytes at all stand for a printer that never had the value.
  if (size != 0) {
    entry.data[tqr::kStoredSettingsName] =
        tqr::fake::FakeSpooler::PrinterData{tqr::kRegBinary, {data, data + size}};
  }
  const tqr::DdfHandle ddf = ShippedImage().data();

  // A caller's record left from an earlier call: good header words and
  // filler, so stale bytes taken for a short value's missing tail would pass.
  auto record = std::make_unique<DRVDEVMODE>();
  std::memset(static_cast<void*>(record.get()), run.staleFill, sizeof(DRVDEVMODE));
  tqr::FillPublicHeader(record.get(), nullptr);

  TQR_FUZZ_CHECK(tqr::LoadStoredDefaults(printer, record.get(), kDeviceName, ddf) == 1);
  const auto* recordBytes = reinterpret_cast<const std::uint8_t*>(record.get());
  const auto stored = entry.data.find(tqr::kStoredSettingsName);

  if (HasOurHeader(data, size)) {
    TQR_FUZZ_CHECK(std::memcmp(recordBytes, data, size) == 0);
    TQR_FUZZ_CHECK(spooler.dataWrites == 0);
    TQR_FUZZ_CHECK(stored->second.bytes == std::vector<std::uint8_t>(data, data + size));
    return;
  }
  TQR_FUZZ_CHECK(std::memcmp(recordBytes, &Defaults(), sizeof(DRVDEVMODE)) == 0);
  if (run.writeRefused) {
    // The defaults still serve this call; the old value stays for the next.
    TQR_FUZZ_CHECK(spooler.dataWrites == 0);
    TQR_FUZZ_CHECK(size == 0 ? stored == entry.data.end()
                             : stored->second.bytes ==
                                   std::vector<std::uint8_t>(data, data + size));
    return;
  }
  TQR_FUZZ_CHECK(spooler.dataWrites == 1);
  TQR_FUZZ_CHECK(stored != entry.data.end() && stored->second.type == tqr::kRegBinary);
  TQR_FUZZ_CHECK(stored->second.bytes ==
                 std::vector<std::uint8_t>(recordBytes, recordBytes + sizeof(DRVDEVMODE)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr Run kRuns[] = {{false, 0xA5}, {true, 0x00}};
  for (const Run& run : kRuns) Load(data, size, run);
  return 0;
}
