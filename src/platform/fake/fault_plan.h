// Faults injected into the fakes by the order of the calls: every file and
// spooler call the driver makes through a fake that has a plan is counted
// by kind, and the plan says which of them fail and how. A test runs an
// operation once to count its calls, then again with each call failing in
// turn.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tqr::fake {

enum class FakeCall : std::uint8_t {
  // Files
  kOpen,
  kRead,       // FileHandle::Read: a part of a file
  kReadWhole,  // FileHandle::ReadAll
  kWrite,
  kGetTime,
  kSetTime,
  kReplace,
  kMove,  // MoveNoReplace
  kCopy,
  kDelete,
  kList,  // FindFiles
  // Spooler
  kOpenPrinter,
  kDriverInfo,  // GetDriverDataFile, GetDriverName
  kGetPrinterData,
  kSetPrinterData,
  kDeletePrinterData,
  kPrinterInfo,  // GetPrinterDefaultRecord
  kEnumForms,
  kAddForm,
  kSetForm,
  kDeleteForm,
};
inline constexpr std::size_t kFakeCallKinds = static_cast<std::size_t>(FakeCall::kDeleteForm) + 1;

enum class Fault : std::uint8_t {
  kFail,   // the call reports failure and changes nothing
  kShort,  // reads and writes: only the first half of the bytes move; a short
           // read succeeds (more may follow), a short write reports failure
};

// The spooler's answer to a call that fails for no reason of the caller's:
// the remote procedure call to the spooler service broke off.
inline constexpr std::uint32_t kInjectedSpoolerError = 1726;  // RPC_S_CALL_FAILED

class FaultPlan {
 public:
  // The `nth` call (from 1) of `call` from now on meets `fault`.
  void Inject(FakeCall call, int nth, Fault fault = Fault::kFail) {
    injected_.push_back({call, nth, fault});
  }
  // The process dies after `calls` more calls of any kind: every call from
  // then on fails and changes nothing, as none is made.
  void StopAfter(int calls) { stopAfter_ = calls; }
  // Counts one call of the kind and answers the fault it meets, if any.
  std::optional<Fault> Next(FakeCall call) {
    const int nth = ++calls_[static_cast<std::size_t>(call)];
    if (stopAfter_ >= 0 && ++allCalls_ > stopAfter_) return Fault::kFail;
    for (const Injected& planned : injected_) {
      if (planned.call == call && planned.nth == nth) return planned.fault;
    }
    return std::nullopt;
  }
  int Calls(FakeCall call) const { return calls_[static_cast<std::size_t>(call)]; }
  int AllCalls() const {
    int all = 0;
    for (const int calls : calls_) all += calls;
    return all;
  }

 private:
  struct Injected {
    FakeCall call;
    int nth;
    Fault fault;
  };
  std::array<int, kFakeCallKinds> calls_{};
  std::vector<Injected> injected_;
  int stopAfter_ = -1;
  int allCalls_ = 0;
};

// For a fake that may have no plan.
inline std::optional<Fault> NextFault(FaultPlan* plan, FakeCall call) {
  return plan != nullptr ? plan->Next(call) : std::nullopt;
}

}  // namespace tqr::fake
