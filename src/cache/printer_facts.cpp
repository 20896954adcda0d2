#include "cache/printer_facts.h"

#include "devdesc/ddf.h"
#include "settings/settings.h"

namespace tqr::cache {
namespace {

FileStamp StampOf(FileSystem& files, const std::string& path) {
  FileStamp stamp;
  if (path.empty()) return stamp;
  // By name: every refresh asks, and opening the file would cost two round
  // trips more, for nothing the stamp needs.
  stamp.present = files.GetSizeAndLastWriteTime(path, &stamp.size, &stamp.written);
  return stamp;
}

// The facts of the call running on this thread, and the printer they are of.
thread_local const PrinterFacts* t_facts = nullptr;
thread_local PrinterHandle t_printer = nullptr;

}  // namespace

std::uint32_t StoredRoom() { return sizeof(DRVDEVMODE); }

FactsInUse::FactsInUse(const PrinterFacts* facts, PrinterHandle printer)
    : previousFacts_(t_facts), previousPrinter_(t_printer) {
  if (facts == nullptr) return;
  t_facts = facts;
  t_printer = printer;
}

FactsInUse::~FactsInUse() {
  t_facts = previousFacts_;
  t_printer = previousPrinter_;
}

const PrinterFacts* FactsInUse::For(PrinterHandle printer) {
  return t_facts != nullptr && t_printer == printer ? t_facts : nullptr;
}

const PrinterFacts* FactsInUse::OfThisCall() { return t_facts; }

void FactsInUse::Drop() { t_facts = nullptr; }

PrinterFacts ReadPrinterFacts(PrinterHandle printer) {
  Ports& ports = CurrentPorts();
  PrinterFacts facts;
  Spooler& spooler = *ports.spooler;
  // The name and the description's path come from one driver information.
  std::u16string dataFile;
  facts.driverNameRead = spooler.GetDriverNameAndDataFile(printer, &facts.driverName, &dataFile);
  if (!facts.driverNameRead) facts.driverName.clear();
  const std::unique_ptr<char[]> path = facts.driverNameRead ? DdfPathBeside(dataFile) : nullptr;
  if (path != nullptr) facts.descriptionPath = path.get();
  facts.description = StampOf(*ports.files, facts.descriptionPath);
  facts.defaultRecordRead = spooler.GetPrinterDefaultRecord(printer, &facts.defaultRecord);
  facts.stored.resize(StoredRoom());
  facts.storedStatus =
      spooler.GetPrinterData(printer, kStoredSettingsName, &facts.storedType, facts.stored.data(),
                             StoredRoom(), &facts.storedSize);
  facts.stored.resize(facts.storedStatus == kErrorSuccess && facts.storedSize < facts.stored.size()
                          ? facts.storedSize
                          : facts.storedStatus == kErrorSuccess ? facts.stored.size() : 0);
  facts.formsRead = spooler.EnumForms(printer, &facts.forms);
  facts.countryRead = ports.machine->ReadUserCountry(&facts.country);
  return facts;
}

}  // namespace tqr::cache
