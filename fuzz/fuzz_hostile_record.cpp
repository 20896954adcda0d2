// A record from an application is outside input: any program may hand any
// bytes to the document call, the capability call and a document sheet,
// and the spooler may hand back as the printer's default record and stored
// settings whatever an earlier program stored. Whatever the bytes claim,
// nothing past them is read, no answer writes past the buffer its length
// asks for, every record handed out is ours, the Main page selects only
// modes it has a record for, and the answers the cache's worker computes
// again are the ones a fresh call gives.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "driver_paths.h"
#include "shipped_description.h"
#include "support/shipped_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& text = tqr::test::ShippedText();
  TQR_FUZZ_CHECK(!text.empty());
  tqr::test::FakePrinter printer(text);
  tqr::fuzz::InstallCache(&printer, tqr::fuzz::ShippedImage());
  auto& spooled = printer.spooler.printers[printer.handle()];
  spooled.defaultRecord.assign(data, data + size);
  spooled.data[tqr::kStoredSettingsName].bytes.assign(data, data + size);
  const std::vector<std::uint8_t> record = tqr::fuzz::ApplicationRecord(data, size);

  tqr::fuzz::DriveDocumentCall(printer.handle(), record.data());
  tqr::DdfHandle ddf = tqr::DdfLoadForPrinter(printer.handle());
  TQR_FUZZ_CHECK(ddf != nullptr);
  tqr::fuzz::DriveEveryCapability(ddf, printer.handle(), record.data());
  tqr::DdfFree(&ddf);
  tqr::fuzz::DriveSheet(printer.handle(), record.data());
  tqr::fuzz::DriveCachedReplay(&printer, record.data());
  return 0;
}
