// A printer behind fake ports for the whole-driver tests and fuzz targets:
// the description text in its driver directory, the printer opened by its
// name, and the print server's forms (one built in, one user form).
#pragma once

#include <string>

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"

namespace tqr::test {

constexpr char16_t kPrinterName[] = u"Orlex TQ-R5400";
constexpr char kDescriptionPath[] = "C:\\drv\\TQR54GFX.DDF";
constexpr char kCachePath[] = "C:\\drv\\TQR54GFX.BDF";

class FakePrinter {
 public:
  explicit FakePrinter(const std::string& description)
      : ports_(Ports{&files, &spooler, &machine}) {
    files.Put(kDescriptionPath, description);
    spooler.printers[handle()].dataFile = u"C:\\drv\\TQR54GFX.DDF";
    spooler.names[kPrinterName] = handle();
    spooler.forms = {{1, u"A4", 210000, 297000}, {0, u"Banner 300", 300000, 900000}};
  }

  PrinterHandle handle() { return &object_; }

  fake::FakeFileSystem files;
  fake::FakeSpooler spooler;
  fake::FakeMachine machine;

 private:
  ScopedPorts ports_;
  int object_ = 0;
};

}  // namespace tqr::test
