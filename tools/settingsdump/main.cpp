// Shows the settings record the driver builds for a description, field by
// field: defaults, then finalized, as a printer named "Orlex TQ-R5400" on a
// server without user forms would get them.
//
//   settingsdump [--raw] [--country CODE] FILE.DDF
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "devdesc/ddf.h"
#include "settings/devmode_describe.h"
#include "settings/settings.h"
#include "platform/fake/fake_system.h"
#include "platform/posix/posix_ports.h"

int main(int argc, char** argv) {
  bool raw = false;
  std::string country = "1";
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--raw") {
      raw = true;
    } else if (arg == "--country" && i + 1 < argc) {
      country = argv[++i];
    } else if (path.empty() && arg[0] != '-') {
      path = arg;
    } else {
      path.clear();
      break;
    }
  }
  if (path.empty()) {
    std::cerr << "usage: settingsdump [--raw] [--country CODE] FILE.DDF\n";
    return 2;
  }
  // Real files for the description; the printer and the user's region are
  // stand-ins, as no spooler serves this machine.
  tqr::Ports ports = tqr::posix::PosixPorts();
  tqr::fake::FakeSpooler spooler;
  tqr::fake::FakeMachine machine;
  machine.country = std::u16string(country.begin(), country.end());
  int printerObject = 0;
  spooler.printers[&printerObject];
  ports.spooler = &spooler;
  ports.machine = &machine;
  tqr::ScopedPorts scoped(ports);

  tqr::DdfHandle ddf = tqr::DdfLoad(path.c_str());
  if (ddf == nullptr) {
    std::cerr << path << ": the driver could not load the description\n";
    return 1;
  }
  auto record = std::make_unique<tqr::DRVDEVMODE>();
  std::memset(static_cast<void*>(record.get()), 0, sizeof *record);
  tqr::BuildDefaultSettings(ddf, record.get(), u"Orlex TQ-R5400", &printerObject);
  if (!raw) tqr::FinalizeSettings(ddf, record.get(), &printerObject);
  tqr::DdfFree(&ddf);
  std::cout << tqr::DescribeRecord(*record);
  return 0;
}
