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
  if (text.size() + 1 > capacity) return false;
  out->clear();
  for (const char16_t c : text) out->push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return true;
}

}  // namespace tqr::fake
