#include "platform/fake/fake_system.h"

namespace tqr::fake {

bool FakeSpooler::GetDriverDataFile(PrinterHandle printer, std::u16string* path) {
  const auto found = dataFiles.find(printer);
  if (found == dataFiles.end()) return false;
  *path = found->second;
  return true;
}

bool FakeMachine::WideToAnsi(const std::u16string& text, std::size_t capacity,
                             std::string* out) {
  return NarrowToSevenBit(text, capacity, out);
}

}  // namespace tqr::fake
