#include "cache/printer_cache.h"

#include <algorithm>
#include <cstring>

namespace tqr::cache {
namespace {

using Description = std::shared_ptr<const std::uint8_t>;

// Shared: a call that took the image goes on using it while another call
// replaces it in the entry; the last of them frees it.
Description LoadDescription(const std::string& path) {
  DdfHandle image = path.empty() ? nullptr : DdfLoad(path.c_str());
  if (image == nullptr) return nullptr;
  return Description(image, [](const std::uint8_t* block) {
    DdfHandle handle = block;
    DdfFree(&handle);
  });
}

// The caller's printer handle, or the printer opened by name the first time
// one is needed and closed with the call: opening is a round trip of its
// own, which a kept answer does not need.
class LazyPrinter {
 public:
  LazyPrinter(PrinterHandle given, const char16_t* name)
      : spooler_(*CurrentPorts().spooler), handle_(given), name_(name) {}
  ~LazyPrinter() {
    if (opened_) spooler_.ClosePrinter(handle_);
  }
  LazyPrinter(const LazyPrinter&) = delete;
  LazyPrinter& operator=(const LazyPrinter&) = delete;

  PrinterHandle Get() {
    if (handle_ == nullptr && !tried_ && name_ != nullptr) {
      tried_ = true;
      handle_ = spooler_.OpenPrinterByName(name_);
      opened_ = handle_ != nullptr;
    }
    return handle_;
  }

 private:
  Spooler& spooler_;
  PrinterHandle handle_;
  const char16_t* name_;
  bool tried_ = false;
  bool opened_ = false;
};

}  // namespace

struct PrinterCache::Entry {
  struct Kept {
    AnswerKey key;
    std::int32_t answer;
    std::vector<std::uint8_t> output;
  };

  std::u16string name;
  // Shared: a call computing from them goes on while a refresh replaces them.
  std::shared_ptr<const PrinterFacts> facts;
  Description description;
  // When the reading of the facts began: they show the world as it was at
  // that moment or later.
  std::uint64_t readAt = 0;
  bool trusted = false;
  // Changes whenever what the kept answers rest on may have changed; an
  // answer computed under another generation is not kept.
  std::uint64_t generation = 0;
  // Order of the callers' last use, for eviction, and its time, for how
  // long the worker keeps the entry warm.
  std::uint64_t lastUse = 0;
  std::uint64_t usedAt = 0;
  std::vector<Kept> answers;
  // What a change dropped, for the worker to compute again.
  std::vector<AnswerKey> toReplay;

  // Drops the kept answers, keeping their keys for the worker.
  void DropAnswers() {
    if (answers.empty()) return;
    toReplay.clear();
    for (Kept& kept : answers) toReplay.push_back(std::move(kept.key));
    answers.clear();
  }
};

struct PrinterCache::Snapshot {
  // The printer was asked about before.
  bool known = false;
  bool fresh = false;
  std::uint64_t generation = 0;
  Description description;
  std::shared_ptr<const PrinterFacts> facts;
};

PrinterCache::PrinterCache(Replay replay) : replay_(std::move(replay)) {}
PrinterCache::~PrinterCache() = default;

PrinterCache::Entry* PrinterCache::FindEntry(const std::u16string& name) {
  for (const auto& entry : entries_) {
    if (entry->name == name) return entry.get();
  }
  return nullptr;
}

PrinterCache::Entry& PrinterCache::TakeEntry(const std::u16string& name) {
  if (Entry* entry = FindEntry(name)) return *entry;
  if (entries_.size() >= kMaxPrinters) {
    const auto oldest = std::min_element(
        entries_.begin(), entries_.end(),
        [](const auto& a, const auto& b) { return a->lastUse < b->lastUse; });
    entries_.erase(oldest);
  }
  auto entry = std::make_unique<Entry>();
  entry->name = name;
  entry->lastUse = ++useCounter_;
  entry->generation = ++generation_;
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

bool PrinterCache::FindKept(const std::u16string& name, const AnswerKey& key, std::uint64_t now,
                            void* output, std::int32_t* answer, Snapshot* snapshot) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry* entry = FindEntry(name);
  if (entry == nullptr) return false;
  entry->lastUse = ++useCounter_;
  entry->usedAt = now;
  snapshot->known = true;
  snapshot->fresh = entry->trusted && now >= entry->readAt && now - entry->readAt < kFreshFor;
  snapshot->generation = entry->generation;
  snapshot->description = entry->description;
  snapshot->facts = entry->facts;
  if (!snapshot->fresh) return false;
  for (const Entry::Kept& kept : entry->answers) {
    if (kept.key == key) {
      if (output != nullptr && !kept.output.empty()) {
        std::memcpy(output, kept.output.data(), kept.output.size());
      }
      *answer = kept.answer;
      return true;
    }
  }
  return false;
}

void PrinterCache::Refresh(const std::u16string& name, PrinterHandle printer, std::uint64_t now,
                           bool byCaller, Snapshot* snapshot) {
  std::uint64_t invalidations = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    invalidations = invalidations_;
  }
  auto facts = std::make_shared<const PrinterFacts>(ReadPrinterFacts(printer));
  Description description;
  {
    std::lock_guard<std::mutex> hold(lock_);
    const Entry* entry = FindEntry(name);
    if (entry != nullptr && entry->facts != nullptr &&
        entry->facts->descriptionPath == facts->descriptionPath &&
        entry->facts->description == facts->description) {
      description = entry->description;
    }
  }
  // Loading reads files: outside the lock, as every round trip is.
  if (description == nullptr) description = LoadDescription(facts->descriptionPath);

  std::lock_guard<std::mutex> hold(lock_);
  if (!byCaller && FindEntry(name) == nullptr) return;  // evicted meanwhile: not brought back
  Entry& entry = TakeEntry(name);
  if (byCaller) {
    entry.lastUse = ++useCounter_;
    entry.usedAt = now;
  }
  if (invalidations != invalidations_) {
    // A write went through while the facts were read: they may show the
    // printer before it. Good enough for this call, which began before the
    // write, but neither trusted nor kept.
    snapshot->generation = 0;
    snapshot->description = std::move(description);
    snapshot->facts = std::move(facts);
    return;
  }
  if (!(entry.trusted && entry.readAt > now)) {  // else a later read is in already
    if (entry.facts == nullptr || !(*entry.facts == *facts) ||
        entry.description != description) {
      entry.DropAnswers();
      entry.generation = ++generation_;
      entry.facts = std::move(facts);
      entry.description = description;
    }
    entry.readAt = now;
    // Without a description every call tries to load it again.
    entry.trusted = entry.description != nullptr;
  }
  snapshot->generation = entry.generation;
  snapshot->description = entry.description;
  snapshot->facts = entry.facts;
}

void PrinterCache::Keep(const std::u16string& name, const Snapshot& snapshot,
                        const AnswerKey& key, std::int32_t answer, const void* output,
                        std::size_t size) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry* entry = FindEntry(name);
  if (entry == nullptr || entry->generation != snapshot.generation) return;
  for (const Entry::Kept& kept : entry->answers) {
    if (kept.key == key) return;
  }
  if (entry->answers.size() >= kMaxAnswersPerPrinter) entry->answers.erase(entry->answers.begin());
  const auto* bytes = static_cast<const std::uint8_t*>(output);
  entry->answers.push_back(Entry::Kept{
      key, answer,
      bytes != nullptr ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>()});
}

std::int32_t PrinterCache::Answer(PrinterHandle given, const char16_t* name, const AnswerKey& key,
                                  void* output, const OutputSizeOf& outputSize,
                                  const ComputeAnswer& compute) {
  Ports& ports = CurrentPorts();
  LazyPrinter printer(given, name);
  if (ports.clock == nullptr || name == nullptr) {
    DdfHandle ddf = DdfLoadForPrinter(printer.Get());
    const std::int32_t answer = ddf != nullptr ? compute(ddf, printer.Get(), output) : -1;
    DdfFree(&ddf);
    return answer;
  }
  const std::u16string printerName(name);
  const std::uint64_t now = ports.clock->NowMilliseconds();
  std::int32_t answer = -1;
  Snapshot snapshot;
  // Kept warm from the second call on: a process that asks once, as many
  // do, starts no thread.
  const auto warmInBackground = [&] {
    if (ports.worker != nullptr && snapshot.known && !warming_.load(std::memory_order_relaxed)) {
      StartWarming(*ports.worker);
    }
  };
  if (FindKept(printerName, key, now, output, &answer, &snapshot)) {
    warmInBackground();
    return answer;
  }
  if (!snapshot.fresh) Refresh(printerName, printer.Get(), now, true, &snapshot);
  if (snapshot.description == nullptr) return -1;
  {
    const FactsInUse read(snapshot.facts.get(), printer.Get());
    answer = compute(snapshot.description.get(), printer.Get(), output);
  }
  Keep(printerName, snapshot, key, answer, output, output != nullptr ? outputSize(answer) : 0);
  warmInBackground();
  return answer;
}

void PrinterCache::InvalidateAll() {
  std::lock_guard<std::mutex> hold(lock_);
  ++invalidations_;
  for (const auto& entry : entries_) {
    entry->trusted = false;
    entry->generation = ++generation_;
    entry->DropAnswers();
  }
}

void PrinterCache::StartWarming(Worker& worker) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (warming_) return;
    warming_ = true;
  }
  if (worker.Start([this](std::uint32_t* next) { return KeepWarm(next); })) return;
  std::lock_guard<std::mutex> hold(lock_);
  warming_ = false;
}

bool PrinterCache::KeepWarm(std::uint32_t* nextInMilliseconds) {
  Clock* clock = CurrentPorts().clock;
  const std::uint64_t now = clock != nullptr ? clock->NowMilliseconds() : 0;
  std::uint64_t next = kRefreshAfter;
  std::vector<std::u16string> due;
  {
    std::lock_guard<std::mutex> hold(lock_);
    bool warm = false;
    for (const auto& entry : entries_) {
      if (clock == nullptr || now - std::min(now, entry->usedAt) >= kWarmFor) continue;
      warm = true;
      // A description that would not load is tried again by the calls
      // themselves; the worker does not compile it over and over.
      if (entry->facts != nullptr && entry->description == nullptr) continue;
      const std::uint64_t age = now - std::min(now, entry->readAt);
      if (!entry->trusted || age >= kRefreshAfter || !entry->toReplay.empty()) {
        due.push_back(entry->name);
      } else {
        next = std::min(next, kRefreshAfter - age);
      }
    }
    if (!warm) {
      warming_ = false;
      return false;
    }
  }
  for (const std::u16string& name : due) WarmUp(name, now);
  // Not sooner than the clock can tell apart (Windows ticks by 16 ms).
  *nextInMilliseconds = static_cast<std::uint32_t>(std::max<std::uint64_t>(next, 16));
  return true;
}

void PrinterCache::WarmUp(const std::u16string& name, std::uint64_t now) {
  LazyPrinter printer(nullptr, name.c_str());
  // A printer that cannot be opened now is left to the calls, which read
  // it themselves when its trust runs out.
  if (printer.Get() == nullptr) return;
  Snapshot snapshot;
  Refresh(name, printer.Get(), now, false, &snapshot);
  std::vector<AnswerKey> keys;
  {
    std::lock_guard<std::mutex> hold(lock_);
    Entry* entry = FindEntry(name);
    if (entry == nullptr || entry->generation != snapshot.generation) return;
    keys.swap(entry->toReplay);
  }
  if (!replay_ || snapshot.description == nullptr) return;
  for (const AnswerKey& key : keys) {
    std::int32_t answer = -1;
    std::vector<std::uint8_t> output;
    bool replayed = false;
    {
      const FactsInUse read(snapshot.facts.get(), printer.Get());
      replayed = replay_(key, name.c_str(), snapshot.description.get(), printer.Get(), &answer,
                         &output);
    }
    if (replayed) {
      Keep(name, snapshot, key, answer, output.empty() ? nullptr : output.data(), output.size());
    }
  }
}

void PrinterCache::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  entries_.clear();
}

std::size_t PrinterCache::PrinterCount() {
  std::lock_guard<std::mutex> hold(lock_);
  return entries_.size();
}

}  // namespace tqr::cache
