#include <cstring>

#include "devdesc/ddf.h"

namespace tqr {

std::unique_ptr<char[]> DdfGetPath(PrinterHandle printer) {
  Ports& ports = CurrentPorts();
  std::u16string dataFile;
  if (ports.spooler == nullptr || !ports.spooler->GetDriverDataFile(printer, &dataFile)) {
    return nullptr;
  }
  // The description lives beside the driver's data file.
  const std::size_t slash = dataFile.rfind(u'\\');
  std::u16string path = slash == std::u16string::npos ? u"" : dataFile.substr(0, slash + 1);
  path += u"TQR54GFX";
  path += u".DDF";
  std::string ansi;
  if (!ports.machine->WideToAnsi(path, kDdfPathCapacity, &ansi)) return nullptr;
  auto result = std::make_unique<char[]>(kDdfPathCapacity);
  std::memcpy(result.get(), ansi.c_str(), ansi.size() + 1);
  return result;
}

DdfHandle DdfLoadForPrinter(PrinterHandle printer) {
  const std::unique_ptr<char[]> path = DdfGetPath(printer);
  return DdfLoad(path.get());
}

}  // namespace tqr
