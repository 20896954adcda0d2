#include "platform/ports.h"

namespace tqr {

namespace {

thread_local void* t_value = nullptr;

}  // namespace

void* Machine::ThreadValue() { return t_value; }

void Machine::SetThreadValue(void* value) { t_value = value; }

Ports& CurrentPorts() {
  static Ports ports;
  return ports;
}

void TraceUnhandled(const char* call, const char* what, std::uint32_t value) {
  if (Trace* trace = CurrentPorts().trace) trace->Unhandled(call, what, value);
}

ScopedPorts::ScopedPorts(const Ports& ports) : previous_(CurrentPorts()) {
  CurrentPorts() = ports;
}

ScopedPorts::~ScopedPorts() { CurrentPorts() = previous_; }

bool NarrowToSevenBit(const std::u16string& text, std::size_t capacity, std::string* out) {
  if (text.size() + 1 > capacity) return false;
  out->clear();
  for (const char16_t c : text) out->push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return true;
}

}  // namespace tqr

namespace tqr {

std::u16string WidenSevenBit(const std::string& text) {
  std::u16string wide;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    wide.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : u'?');
  }
  return wide;
}

}  // namespace tqr
