// What this process keeps of each printer between calls, so that an
// application's run of capability and settings calls does not ask the
// spooler and the files the same questions dozens of times over.
//
// Per printer (by name, at most kMaxPrinters, the least recently used
// dropped first): the facts the answers depend on (printer_facts.h), the
// description image loaded from them, and answers already given, keyed by
// call, index and the caller's record.
//
// Freshness:
// - A write through this process's spooler port (stored settings, printer
//   data) drops every kept answer at once: the next call asks afresh. A
//   read that was under way when the write went through is not trusted.
// - Anything changed elsewhere is seen by every call that starts at least
//   one second after the change: an entry is trusted for kFreshFor after the
//   moment its facts began to be read, and then read again. When they read
//   the same, the kept answers stay; otherwise they are dropped, and the
//   description is reloaded when its file changed.
// - An answer is kept only when no newer read or write came between the
//   moment its call took the entry and the moment it was computed.
//
// Keeping warm: with a worker port, a thread reads again every printer
// asked about in the last kWarmFor before its trust runs out, and computes
// again the answers a change dropped, so that an application coming back
// after a pause, or after a change, finds them kept instead of paying for
// the reading. A poll, not change notifications: the spooler's printer
// notifications are not offered under every host (Wine's are a stub), and
// a poll bounded to the printers in use costs a few round trips a third
// of a second, on a thread nobody waits for.
//
// Without a clock port nothing is kept: every call is answered afresh.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cache/printer_facts.h"
#include "devdesc/ddf.h"
#include "platform/ports.h"

namespace tqr::cache {

// Well under the one second a change may take to be seen, with room for
// the reading of the facts and a coarse clock (Windows ticks by 16 ms).
constexpr std::uint64_t kFreshFor = 500;
// When the worker reads an entry again: early enough that the read is in
// before kFreshFor runs out, with room for a slow read and a late wake-up.
constexpr std::uint64_t kRefreshAfter = 350;
// How long after the last call about a printer the worker keeps it warm:
// an application's print dialog asks in bursts with a user's pauses
// between them.
constexpr std::uint64_t kWarmFor = 10'000;
constexpr std::size_t kMaxPrinters = 4;
constexpr std::size_t kMaxAnswersPerPrinter = 32;

// What an answer is kept under. `input` holds the bytes of the caller's
// record that the answer can depend on (empty when there is none that
// counts).
struct AnswerKey {
  std::uint16_t call = 0;
  std::uint16_t index = 0;
  bool withOutput = false;
  std::vector<std::uint8_t> input;
  bool operator==(const AnswerKey&) const = default;
};

// Computes an answer with the printer's description (null when it cannot be
// had) and a handle to the printer; writes `outputSize` bytes to `output`
// when that is not null.
using ComputeAnswer =
    std::function<std::int32_t(DdfHandle description, PrinterHandle printer, void* output)>;
// How many bytes an answer wrote to its output.
using OutputSizeOf = std::function<std::size_t(std::int32_t answer)>;
// Computes again the answer kept under `key` for the printer named `name`,
// its output into `output`; false when it cannot be kept.
using Replay = std::function<bool(const AnswerKey& key, const char16_t* name,
                                  DdfHandle description, PrinterHandle printer,
                                  std::int32_t* answer, std::vector<std::uint8_t>* output)>;

class PrinterCache {
 public:
  // Without `replay` the worker keeps the facts warm but not the answers.
  explicit PrinterCache(Replay replay = nullptr);
  ~PrinterCache();
  PrinterCache(const PrinterCache&) = delete;
  PrinterCache& operator=(const PrinterCache&) = delete;

  // The answer for `key` on the printer named `name`: kept, or computed by
  // `compute` and kept. `printer` is the caller's handle or null; without
  // one the printer is opened by name only when the spooler must be asked,
  // and closed before returning.
  std::int32_t Answer(PrinterHandle printer, const char16_t* name, const AnswerKey& key,
                      void* output, const OutputSizeOf& outputSize, const ComputeAnswer& compute);

  // Everything kept is stale: a write through this process.
  void InvalidateAll();
  // One round of the worker: reads again what is about to go stale or
  // was dropped, of every printer still warm. See Worker::Step.
  bool KeepWarm(std::uint32_t* nextInMilliseconds);
  // Releases everything kept (the module is unloading).
  void Clear();

  // For tests: how many printers are kept.
  std::size_t PrinterCount();

 private:
  struct Entry;
  struct Snapshot;

  bool FindKept(const std::u16string& name, const AnswerKey& key, std::uint64_t now,
                void* output, std::int32_t* answer, Snapshot* snapshot);
  // `byCaller`: a call asked, which makes the printer recently used.
  void Refresh(const std::u16string& name, PrinterHandle printer, std::uint64_t now,
               bool byCaller, Snapshot* snapshot);
  void WarmUp(const std::u16string& name, std::uint64_t now);
  void StartWarming(Worker& worker);
  void Keep(const std::u16string& name, const Snapshot& snapshot, const AnswerKey& key,
            std::int32_t answer, const void* output, std::size_t size);
  Entry* FindEntry(const std::u16string& name);
  Entry& TakeEntry(const std::u16string& name);

  const Replay replay_;
  std::mutex lock_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::uint64_t generation_ = 0;
  std::uint64_t useCounter_ = 0;
  // Counts the writes through this process, for a read to learn whether
  // one went through while it was under way.
  std::uint64_t invalidations_ = 0;
  // A worker runs or is being started; read without the lock only as a
  // hint on the callers' fast path.
  std::atomic<bool> warming_{false};
};

}  // namespace tqr::cache
