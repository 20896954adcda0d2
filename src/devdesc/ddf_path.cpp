#include <cstring>

#include "devdesc/ddf.h"

namespace tqr {

std::unique_ptr<char[]> DdfGetPath(PrinterHandle printer) {
  Spooler* spooler = CurrentPorts().spooler;
  std::u16string dataFile;
  if (spooler == nullptr || !spooler->GetDriverDataFile(printer, &dataFile)) return nullptr;
  return DdfPathBeside(dataFile);
}

std::unique_ptr<char[]> DdfPathBeside(const std::u16string& dataFile) {
  Ports& ports = CurrentPorts();
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
