// In-memory spooler and machine for tests.
#pragma once

#include <map>

#include "platform/ports.h"

namespace tqr::fake {

class FakeSpooler : public Spooler {
 public:
  bool GetDriverDataFile(PrinterHandle printer, std::u16string* path) override;

  // Driver data file path per printer handle; handles not listed fail.
  std::map<PrinterHandle, std::u16string> dataFiles;
};

class FakeMachine : public Machine {
 public:
  // Characters outside 7-bit ASCII become '?'.
  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override;
  std::uint32_t ProcessId() override { return processId; }

  std::uint32_t processId = 4242;
};

}  // namespace tqr::fake
