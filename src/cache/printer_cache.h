// What this process keeps of each printer between calls, so that an
// application's run of capability and settings calls does not ask the
// spooler and the files the same questions dozens of times over.
//
// Per printer (by name): the facts the answers depend on (printer_facts.h),
// the description image loaded from them, and answers already given, keyed
// by call, index and the caller's record. Every printer the process asks
// about is kept, up to a memory bound (kMaxKeptBytes, the least recently
// used dropped first): a print server or a terminal server holds dozens of
// queues of one model, and an application's print dialog asks each of them.
// One image serves every printer whose description file is the same (path,
// size and time); a file the driver refused is remembered by the same stamp
// and not compiled again until it changes.
//
// A kept answer is found without allocating or copying anything but the
// answer itself: the name and the caller's record are compared in place.
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
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cache/printer_facts.h"
#include "devdesc/ddf.h"
#include "platform/ports.h"

namespace tqr::cache {

// Under the one second a change may take to be seen, with room for a
// coarse clock (Windows ticks by 16 ms): trust counts from the start of the
// reading, which saw every change made before it. No shorter, as every
// reading of a warm printer costs the worker a millisecond of round trips.
constexpr std::uint64_t kFreshFor = 900;
// When the worker reads an entry again: early enough that the read is in
// before kFreshFor runs out, with room for a slow read and a late wake-up.
constexpr std::uint64_t kRefreshAfter = 700;
// How long after the last call about a printer the worker keeps it warm:
// an application's print dialog asks in bursts with a user's pauses
// between them.
constexpr std::uint64_t kWarmFor = 10'000;
constexpr std::size_t kMaxAnswersPerPrinter = 32;
// What the kept printers may hold together: their facts, their answers
// with the records they were asked with, and each description image in use
// (counted at the largest an image can be). A printer keeping all its 32
// answers as document records (one in, one out) holds about 130 KB with
// its facts (a stored record, a default record, a hundred server forms), so
// the bound holds over a hundred such printers, and thousands as
// applications use them (a few answers each); whatever is asked, the least
// recently used printers go first.
constexpr std::size_t kMaxKeptBytes = 16u << 20;

// What an answer is kept under, borrowed from the caller for the call:
// `input` points to the bytes of the caller's record that the answer can
// depend on (none when there is none that counts).
struct AnswerKey {
  std::uint16_t call = 0;
  std::uint16_t index = 0;
  bool withOutput = false;
  const std::uint8_t* input = nullptr;
  std::size_t inputSize = 0;
};

// A callable borrowed for one call, without the heap a std::function may
// take for what it captures: it must not outlive what it was made from.
template <typename Signature>
class FunctionRef;
template <typename Result, typename... Args>
class FunctionRef<Result(Args...)> {
 public:
  template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef>)
  FunctionRef(const Callable& callable)  // NOLINT: made implicitly, as a lambda is passed
      : object_(&callable), call_([](const void* object, Args... args) -> Result {
          return (*static_cast<const Callable*>(object))(std::forward<Args>(args)...);
        }) {}
  Result operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

 private:
  const void* object_;
  Result (*call_)(const void*, Args...);
};

// Computes an answer with the printer's description (null when it cannot be
// had) and a handle to the printer; writes `outputSize` bytes to `output`
// when that is not null.
using ComputeAnswer =
    FunctionRef<std::int32_t(DdfHandle description, PrinterHandle printer, void* output)>;
// How many bytes an answer wrote to its output.
using OutputSizeOf = FunctionRef<std::size_t(std::int32_t answer)>;
// Computes again the answer kept under `key` for the printer named `name`,
// its output into `output`; false when it cannot be kept.
using Replay = std::function<bool(const AnswerKey& key, const char16_t* name,
                                  DdfHandle description, PrinterHandle printer,
                                  std::int32_t* answer, std::vector<std::uint8_t>* output)>;

class PrinterCache {
 public:
  // Without `replay` the worker keeps the facts warm but not the answers.
  // `maxKeptBytes` is the memory bound (smaller in tests).
  explicit PrinterCache(Replay replay = nullptr, std::size_t maxKeptBytes = kMaxKeptBytes);
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

  // For tests: how many printers and description images are kept, and the
  // bytes counted against the bound.
  std::size_t PrinterCount();
  std::size_t DescriptionCount();
  std::size_t KeptBytes();

 private:
  struct Entry;
  struct Snapshot;
  struct SharedDescription;

  bool FindKept(std::u16string_view name, const AnswerKey& key, std::uint64_t now,
                void* output, std::int32_t* answer, Snapshot* snapshot);
  // `byCaller`: a call asked, which makes the printer recently used.
  void Refresh(std::u16string_view name, PrinterHandle printer, std::uint64_t now,
               bool byCaller, Snapshot* snapshot);
  void WarmUp(const std::u16string& name, std::uint64_t now);
  void StartWarming(Worker& worker);
  void Keep(std::u16string_view name, const Snapshot& snapshot, const AnswerKey& key,
            std::int32_t answer, const void* output, std::size_t size);
  Entry* FindEntry(std::u16string_view name);
  Entry& TakeEntry(std::u16string_view name);
  // The description image for the file at `path` as `stamp` shows it:
  // shared with every printer that has the same file, loaded when no
  // printer has it yet. Null when it cannot be had; `refused` when the
  // driver refused the file as it is.
  std::shared_ptr<const std::uint8_t> DescriptionFor(const std::string& path,
                                                     const FileStamp& stamp,
                                                     bool* refused);
  // Counts the entry's bytes again after a change, then drops the least
  // recently used printers other than `inUse` until the bound holds.
  void Recount(Entry& entry);
  void KeepWithinBound(const Entry* inUse);
  void ForgetUnusedDescriptions();
  std::size_t BytesInUse() const;

  const Replay replay_;
  const std::size_t maxKeptBytes_;
  std::mutex lock_;
  // By name; the key views the name its entry holds.
  std::unordered_map<std::u16string_view, std::unique_ptr<Entry>> entries_;
  std::vector<SharedDescription> descriptions_;
  // The bytes of every entry (Entry::bytes), the images apart.
  std::size_t entryBytes_ = 0;
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
