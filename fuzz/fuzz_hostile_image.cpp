// A cache image that passes the soundness check is used as it is, so every
// reader above the description must cope with whatever a sound image may
// hold: lists of any length up to what 64 KB can carry, any values, names
// and defaults, sizes of zero or 65535. The image either lacks a feature
// the driver needs and gives way to the text's own, or it answers the
// document call, every capability index into buffers of exactly the length
// it answered, and a document sheet with its Main page, without a read or
// write out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "devdesc/ddf_needed.h"
#include "devdesc/ddf_reader.h"
#include "driver_paths.h"
#include "shipped_description.h"
#include "support/shipped_image.h"

namespace {

// A record of ours asking for a paper by its size alone, which makes the
// merge look the size up in the paper list.
const std::vector<std::uint8_t>& PaperBySizeRecord() {
  static const std::vector<std::uint8_t> bytes = [] {
    tqr::fake::FakeSpooler spooler;
    tqr::fake::FakeMachine machine;
    const tqr::ScopedPorts scoped(tqr::Ports{nullptr, &spooler, &machine});
    int printerObject = 0;
    spooler.printers[&printerObject];
    tqr::DRVDEVMODE record;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    TQR_FUZZ_CHECK(tqr::BuildDefaultSettings(tqr::fuzz::ShippedImage().data(), &record,
                                             tqr::fuzz::kPrinterName, &printerObject) == 1);
    record.dm.dmFields = tqr::DM_PAPERLENGTH | tqr::DM_PAPERWIDTH | tqr::DM_COPIES |
                         tqr::DM_ORIENTATION | tqr::DM_DEFAULTSOURCE;
    record.dm.dmPaperWidth = 2100;
    record.dm.dmPaperLength = 2970;
    const auto* begin = reinterpret_cast<const std::uint8_t*>(&record);
    return std::vector<std::uint8_t>(begin, begin + sizeof record);
  }();
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // What the check refuses never becomes a handle (fuzz_ddf_image).
  if (!tqr::ddf::IsSoundImage(data, size)) return 0;
  const std::string& text = tqr::test::ShippedText();
  TQR_FUZZ_CHECK(!text.empty());
  tqr::test::FakePrinter printer(text);
  tqr::fuzz::InstallCache(&printer, std::vector<std::uint8_t>(data, data + size));

  tqr::DdfHandle ddf = tqr::DdfLoadForPrinter(printer.handle());
  TQR_FUZZ_CHECK(ddf != nullptr);
  // An image of a description the driver does not accept is stale: the
  // text's own image replaces it, and there is nothing of the input left to
  // drive.
  if (!tqr::IsAcceptedDescription(data)) {
    const std::vector<std::uint8_t>& shipped = tqr::fuzz::ShippedImage();
    TQR_FUZZ_CHECK(std::memcmp(ddf, shipped.data(), shipped.size()) == 0);
    tqr::DdfFree(&ddf);
    return 0;
  }
  TQR_FUZZ_CHECK(std::memcmp(ddf, data, size) == 0);
  for (const void* input : {static_cast<const void*>(nullptr),
                            static_cast<const void*>(PaperBySizeRecord().data())}) {
    tqr::fuzz::DriveDocumentCall(printer.handle(), input);
    tqr::fuzz::DriveEveryCapability(ddf, printer.handle(), input);
    tqr::fuzz::DriveSheet(printer.handle(), input);
  }
  tqr::DdfFree(&ddf);
  return 0;
}
