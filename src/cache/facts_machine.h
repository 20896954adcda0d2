// The machine port as the cached calls see it: while a call computes from
// the facts it read (FactsInUse), the user's region is the one read with
// them. The answer then rests on one reading, and the region, three
// registry round trips, is not asked again within the call.
#pragma once

#include "platform/ports.h"

namespace tqr::cache {

class FactsMachine : public Machine {
 public:
  explicit FactsMachine(Machine& inner) : inner_(inner) {}

  bool WideToAnsi(const std::u16string& text, std::size_t capacity, std::string* out) override {
    return inner_.WideToAnsi(text, capacity, out);
  }
  std::u16string AnsiToWide(const std::string& text) override { return inner_.AnsiToWide(text); }
  std::uint32_t ProcessId() override { return inner_.ProcessId(); }
  bool IsProcessRunning(std::uint32_t processId) override {
    return inner_.IsProcessRunning(processId);
  }
  bool ReadUserCountry(std::u16string* text) override;
  std::string SystemDirectory() override { return inner_.SystemDirectory(); }
  void SetLastError(std::uint32_t code) override { inner_.SetLastError(code); }
  void* ThreadValue() override { return inner_.ThreadValue(); }
  void SetThreadValue(void* value) override { inner_.SetThreadValue(value); }

 private:
  Machine& inner_;
};

}  // namespace tqr::cache
