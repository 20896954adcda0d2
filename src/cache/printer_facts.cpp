#include "cache/printer_facts.h"

#include "devdesc/ddf.h"
#include "settings/settings.h"

namespace tqr::cache {
namespace {

FileStamp StampOf(FileSystem& files, const std::string& path) {
  FileStamp stamp;
  if (path.empty()) return stamp;
  const auto file = files.Open(path, FileAccess::Read, FileDisposition::OpenExisting);
  stamp.present = file != nullptr && file->GetSize(&stamp.size) &&
                  file->GetLastWriteTime(&stamp.written);
  return stamp;
}

}  // namespace

PrinterFacts ReadPrinterFacts(PrinterHandle printer) {
  Ports& ports = CurrentPorts();
  PrinterFacts facts;
  if (const std::unique_ptr<char[]> path = DdfGetPath(printer)) facts.descriptionPath = path.get();
  facts.description = StampOf(*ports.files, facts.descriptionPath);
  Spooler& spooler = *ports.spooler;
  facts.driverNameRead = spooler.GetDriverName(printer, &facts.driverName);
  facts.defaultRecordRead = spooler.GetPrinterDefaultRecord(printer, &facts.defaultRecord);
  // As much of the stored settings as the record build reads.
  facts.stored.resize(sizeof(DRVDEVMODE));
  std::uint32_t type = 0;
  facts.storedStatus =
      spooler.GetPrinterData(printer, kStoredSettingsName, &type, facts.stored.data(),
                             static_cast<std::uint32_t>(facts.stored.size()), &facts.storedSize);
  facts.stored.resize(facts.storedStatus == kErrorSuccess && facts.storedSize < facts.stored.size()
                          ? facts.storedSize
                          : facts.storedStatus == kErrorSuccess ? facts.stored.size() : 0);
  facts.formsRead = spooler.EnumForms(printer, &facts.forms);
  facts.countryRead = ports.machine->ReadUserCountry(&facts.country);
  return facts;
}

}  // namespace tqr::cache
