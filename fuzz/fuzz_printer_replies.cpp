// The printer's replies come from its port monitor and the values under the
// driver's key from earlier sessions or other tools: any length, any bytes.
// The first input byte splits the rest into the "PrinterStatus" and
// "Inquiry" replies; the same bytes then serve as every stored value, so
// the stored view reads texts and sizes that are not what it wrote.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "maintenance/printer_info.h"
#include "platform/fake/fake_system.h"
#include "support/memory_key_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void CheckRows(const tqr::PrinterInfoLines& lines) {
  const std::vector<std::u16string> rows = tqr::ListRows(lines);
  TQR_FUZZ_CHECK(rows.size() == 6 || rows.size() == 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t split = 1 + data[0] % size;
  const Bytes status(data + 1, data + split);
  const Bytes inquiry(data + split, data + size);

  tqr::fake::FakeSpooler spooler;
  int printerObject = 0;
  tqr::PrinterHandle printer = &printerObject;
  auto& stored = spooler.printers[printer].data;
  stored[u"PrinterStatus"] = {tqr::kRegBinary, status};
  stored[u"Inquiry"] = {tqr::kRegBinary, inquiry};

  tqr::test::MemoryKeyStore store;
  std::uint32_t initialized = 0;
  tqr::EnsureInitialPrinterInfo(store, &initialized);
  TQR_FUZZ_CHECK(initialized == 1);
  const auto lines =
      tqr::QueryPrinterInfo(spooler, printer, store, tqr::LocalTime{2026, 12, 10, 9, 5, 7});
  if (lines.has_value()) CheckRows(*lines);
  CheckRows(tqr::ReadStoredPrinterInfo(store));

  for (const char16_t* name :
       {u"MediaSizeA", u"MediaA", u"MediaSizeB", u"MediaB", u"FarmVersion", u"GetTime"}) {
    store.values[name] = {tqr::kRegSz, Bytes(data, data + size)};
  }
  CheckRows(tqr::ReadStoredPrinterInfo(store));
  return 0;
}
