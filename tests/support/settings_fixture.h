// The shipped description and a printer behind fake ports, for the tests of
// settings records.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "support/shipped_image.h"
#include "settings/settings.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"

namespace tqr::test {


inline std::unique_ptr<DRVDEVMODE> ZeroRecord() {
  auto record = std::make_unique<DRVDEVMODE>();
  std::memset(static_cast<void*>(record.get()), 0, sizeof(DRVDEVMODE));
  return record;
}

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() : ports_(Ports{&files_, &spooler_, &machine_, &trace_}) {
    spooler_.printers[printer()];
  }

  PrinterHandle printer() { return &printerObject_; }
  DdfHandle ddf() const { return ShippedImage().data(); }
  std::unique_ptr<DRVDEVMODE> Defaults() {
    auto record = ZeroRecord();
    BuildDefaultSettings(ddf(), record.get(), u"Orlex TQ-R5400", printer());
    return record;
  }
  // The shipped description on the printer's driver directory, for code
  // that loads it itself.
  void InstallShippedDescription() {
    std::ifstream file(TQR_SHIPPED_DDF, std::ios::binary);
    files_.Put("C:\\drv\\TQR54GFX.DDF", std::string((std::istreambuf_iterator<char>(file)),
                                                      std::istreambuf_iterator<char>()));
    spooler_.printers[printer()].dataFile = u"C:\\drv\\TQR54GFX.DDF";
  }
  void AddForm(const char16_t* name, std::int32_t widthMm10, std::int32_t lengthMm10,
               std::uint32_t flags = 0) {
    spooler_.forms.push_back(FormInfo{flags, name, widthMm10 * 100, lengthMm10 * 100});
  }

  fake::FakeFileSystem files_;
  fake::FakeSpooler spooler_;
  fake::FakeMachine machine_;
  fake::FakeTrace trace_;
  ScopedPorts ports_;
  int printerObject_ = 0;
};

}  // namespace tqr::test
