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

}  // namespace

std::uint32_t StoredRoom() { return sizeof(DRVDEVMODE); }

FactsInUse* FactsInUse::Current() {
  Machine* machine = CurrentPorts().machine;
  return machine != nullptr ? static_cast<FactsInUse*>(machine->ThreadValue()) : nullptr;
}

FactsInUse::FactsInUse(const PrinterFacts* facts, PrinterHandle printer,
                       DeferredPrinter* deferred)
    : facts_(facts), printer_(printer), deferred_(deferred), outer_(Current()) {
  if (facts == nullptr) {
    facts_ = outer_ != nullptr ? outer_->facts_ : nullptr;
    printer_ = outer_ != nullptr ? outer_->printer_ : nullptr;
    deferred_ = outer_ != nullptr ? outer_->deferred_ : nullptr;
  }
  if (Machine* machine = CurrentPorts().machine) machine->SetThreadValue(this);
}

FactsInUse::~FactsInUse() {
  if (Machine* machine = CurrentPorts().machine) machine->SetThreadValue(outer_);
}

const PrinterFacts* FactsInUse::For(PrinterHandle printer) {
  const FactsInUse* current = Current();
  return current != nullptr && current->facts_ != nullptr && current->printer_ == printer
             ? current->facts_
             : nullptr;
}

const PrinterFacts* FactsInUse::OfThisCall() {
  const FactsInUse* current = Current();
  return current != nullptr ? current->facts_ : nullptr;
}

void FactsInUse::Drop() {
  if (FactsInUse* current = Current()) current->facts_ = nullptr;
}

// The stand-in outlives a Drop, which ends only what was read.
PrinterHandle FactsInUse::Resolve(PrinterHandle printer) {
  const FactsInUse* current = Current();
  return current != nullptr && current->deferred_ != nullptr && current->printer_ == printer
             ? current->deferred_->Open()
             : printer;
}

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
