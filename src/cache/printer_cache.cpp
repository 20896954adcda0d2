#include "cache/printer_cache.h"

#include <algorithm>
#include <cstring>

#include "devdesc/ddf_image.h"

namespace tqr::cache {
namespace {

using Description = std::shared_ptr<const std::uint8_t>;

// Refused description files remembered by their stamp: a process meets one
// or two (the file being installed or mended); more are forgotten oldest
// first, and compiled again when asked for.
constexpr std::size_t kRememberedRefusals = 4;

// What a printer's facts hold, as counted against the memory bound.
std::size_t FactsBytes(const PrinterFacts& facts) {
  std::size_t total = sizeof(PrinterFacts) + facts.descriptionPath.capacity() +
                      (facts.driverName.capacity() + facts.country.capacity()) * sizeof(char16_t) +
                      facts.defaultRecord.capacity() + facts.stored.capacity() +
                      facts.forms.capacity() * sizeof(FormInfo);
  for (const FormInfo& form : facts.forms) total += form.name.capacity() * sizeof(char16_t);
  return total;
}

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
// own, which a kept answer does not need, nor an answer computed from
// fresh facts that asks nothing else (DeferredPrinter).
class LazyPrinter final : public DeferredPrinter {
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
  PrinterHandle Open() override { return Get(); }
  // The handle to compute with: the one there is, or while there is none
  // yet a stand-in for the one Open would give. With the stand-in,
  // `*deferred` is this printer.
  PrinterHandle ForComputing(DeferredPrinter** deferred) {
    *deferred = nullptr;
    if (handle_ != nullptr || tried_ || name_ == nullptr) return handle_;
    *deferred = this;
    return static_cast<PrinterHandle>(this);
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
  // An answer and what it is kept under, the caller's record copied.
  struct Kept {
    std::uint16_t call = 0;
    std::uint16_t index = 0;
    bool withOutput = false;
    std::vector<std::uint8_t> input;
    std::int32_t answer = -1;
    std::vector<std::uint8_t> output;

    bool Matches(const AnswerKey& key) const {
      return call == key.call && index == key.index && withOutput == key.withOutput &&
             input.size() == key.inputSize &&
             (key.inputSize == 0 || std::memcmp(input.data(), key.input, key.inputSize) == 0);
    }
    AnswerKey Key() const { return AnswerKey{call, index, withOutput, input.data(), input.size()}; }
    std::size_t Bytes() const { return sizeof(Kept) + input.capacity() + output.capacity(); }
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
  // What a change dropped (keys only), for the worker to compute again.
  std::vector<Kept> toReplay;
  // What the entry counts against the bound, as last counted.
  std::size_t bytes = 0;

  // Drops the kept answers, keeping their keys for the worker.
  void DropAnswers() {
    if (answers.empty()) return;
    toReplay.clear();
    for (Kept& kept : answers) {
      kept.output = std::vector<std::uint8_t>();
      toReplay.push_back(std::move(kept));
    }
    answers.clear();
  }

  std::size_t Bytes() const {
    std::size_t total = sizeof(Entry) + name.capacity() * sizeof(char16_t);
    if (facts != nullptr) total += FactsBytes(*facts);
    for (const Kept& kept : answers) total += kept.Bytes();
    for (const Kept& kept : toReplay) total += kept.Bytes();
    return total;
  }
};

struct PrinterCache::SharedDescription {
  std::string path;
  FileStamp stamp;
  // Null when the driver refused the file as the stamp shows it.
  Description image;
};

struct PrinterCache::Snapshot {
  // The printer was asked about before.
  bool known = false;
  bool fresh = false;
  std::uint64_t generation = 0;
  Description description;
  // No description, as the driver refused its file.
  bool refused = false;
  std::shared_ptr<const PrinterFacts> facts;
};

PrinterCache::PrinterCache(Replay replay, std::size_t maxKeptBytes)
    : replay_(std::move(replay)), maxKeptBytes_(maxKeptBytes) {}
PrinterCache::~PrinterCache() = default;

PrinterCache::Entry* PrinterCache::FindEntry(std::u16string_view name) {
  const auto found = entries_.find(name);
  return found != entries_.end() ? found->second.get() : nullptr;
}

PrinterCache::Entry& PrinterCache::TakeEntry(std::u16string_view name) {
  if (Entry* entry = FindEntry(name)) return *entry;
  auto entry = std::make_unique<Entry>();
  entry->name = name;
  entry->lastUse = ++useCounter_;
  entry->generation = ++generation_;
  Entry& taken = *entry;
  entries_.emplace(std::u16string_view(taken.name), std::move(entry));
  Recount(taken);
  return taken;
}

void PrinterCache::Recount(Entry& entry) {
  entryBytes_ -= entry.bytes;
  entry.bytes = entry.Bytes();
  entryBytes_ += entry.bytes;
}

std::size_t PrinterCache::BytesInUse() const {
  std::size_t images = 0;
  for (const SharedDescription& shared : descriptions_) {
    if (shared.image != nullptr) ++images;
  }
  return entryBytes_ + images * ddf::kMaxImageSize;
}

void PrinterCache::KeepWithinBound(const Entry* inUse) {
  while (BytesInUse() > maxKeptBytes_ && entries_.size() > 1) {
    auto oldest = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->second.get() == inUse) continue;
      if (oldest == entries_.end() || it->second->lastUse < oldest->second->lastUse) oldest = it;
    }
    entryBytes_ -= oldest->second->bytes;
    entries_.erase(oldest);
    ForgetUnusedDescriptions();
  }
}

// An image no printer holds any more goes (a call still computing from it
// keeps its own share); refusals are few and small, the latest kept.
void PrinterCache::ForgetUnusedDescriptions() {
  std::erase_if(descriptions_, [](const SharedDescription& shared) {
    return shared.image != nullptr && shared.image.use_count() == 1;
  });
  std::size_t refusals = 0;
  for (auto it = descriptions_.rbegin(); it != descriptions_.rend(); ++it) {
    if (it->image == nullptr) ++refusals;
  }
  for (auto it = descriptions_.begin(); refusals > kRememberedRefusals;) {
    if (it->image == nullptr) {
      it = descriptions_.erase(it);
      --refusals;
    } else {
      ++it;
    }
  }
}

Description PrinterCache::DescriptionFor(const std::string& path, const FileStamp& stamp,
                                         bool* refused) {
  *refused = false;
  // Without a stamp the file cannot be told from another: loaded each time.
  const bool shareable = !path.empty() && stamp.present;
  const auto find = [&]() -> const SharedDescription* {
    for (const SharedDescription& shared : descriptions_) {
      if (shared.path == path && shared.stamp == stamp) return &shared;
    }
    return nullptr;
  };
  if (shareable) {
    std::lock_guard<std::mutex> hold(lock_);
    if (const SharedDescription* shared = find()) {
      *refused = shared->image == nullptr;
      return shared->image;
    }
  }
  // Loading reads files: outside the lock, as every round trip is.
  Description image = LoadDescription(path);
  if (!shareable) return image;
  std::lock_guard<std::mutex> hold(lock_);
  if (const SharedDescription* shared = find()) {  // loaded by another call meanwhile
    *refused = shared->image == nullptr;
    return shared->image;
  }
  *refused = image == nullptr;
  descriptions_.push_back(SharedDescription{path, stamp, image});
  ForgetUnusedDescriptions();
  return image;
}

bool PrinterCache::FindKept(std::u16string_view name, const AnswerKey& key, std::uint64_t now,
                            void* output, std::int32_t* answer, Snapshot* snapshot) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry* entry = FindEntry(name);
  if (entry == nullptr) return false;
  entry->lastUse = ++useCounter_;
  entry->usedAt = now;
  snapshot->known = true;
  snapshot->fresh = entry->trusted && now >= entry->readAt && now - entry->readAt < kFreshFor;
  if (snapshot->fresh) {
    for (const Entry::Kept& kept : entry->answers) {
      if (!kept.Matches(key)) continue;
      if (output != nullptr && !kept.output.empty()) {
        std::memcpy(output, kept.output.data(), kept.output.size());
      }
      *answer = kept.answer;
      return true;
    }
  }
  snapshot->generation = entry->generation;
  snapshot->description = entry->description;
  snapshot->facts = entry->facts;
  return false;
}

void PrinterCache::Refresh(std::u16string_view name, PrinterHandle printer, std::uint64_t now,
                           bool byCaller, Snapshot* snapshot) {
  std::uint64_t invalidations = 0;
  {
    std::lock_guard<std::mutex> hold(lock_);
    invalidations = invalidations_;
  }
  auto facts = std::make_shared<const PrinterFacts>(ReadPrinterFacts(printer));
  bool refused = false;
  Description description = DescriptionFor(facts->descriptionPath, facts->description, &refused);

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
    snapshot->refused = refused;
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
    // Without a description every call reads the facts again, so that a
    // mended file is seen at once; a refused one is not compiled again
    // until its stamp changes.
    entry.trusted = entry.description != nullptr;
  }
  snapshot->generation = entry.generation;
  snapshot->description = entry.description;
  snapshot->refused = entry.description == nullptr && refused;
  snapshot->facts = entry.facts;
  Recount(entry);
  ForgetUnusedDescriptions();
  KeepWithinBound(&entry);
}

void PrinterCache::Keep(std::u16string_view name, const Snapshot& snapshot,
                        const AnswerKey& key, std::int32_t answer, const void* output,
                        std::size_t size) {
  std::lock_guard<std::mutex> hold(lock_);
  Entry* entry = FindEntry(name);
  if (entry == nullptr || entry->generation != snapshot.generation) return;
  for (const Entry::Kept& kept : entry->answers) {
    if (kept.Matches(key)) return;
  }
  if (entry->answers.size() >= kMaxAnswersPerPrinter) entry->answers.erase(entry->answers.begin());
  const auto* bytes = static_cast<const std::uint8_t*>(output);
  Entry::Kept kept;
  kept.call = key.call;
  kept.index = key.index;
  kept.withOutput = key.withOutput;
  if (key.inputSize != 0) kept.input.assign(key.input, key.input + key.inputSize);
  kept.answer = answer;
  if (bytes != nullptr) kept.output.assign(bytes, bytes + size);
  entry->answers.push_back(std::move(kept));
  Recount(*entry);
  KeepWithinBound(entry);
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
  const std::u16string_view printerName(name);
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
  if (snapshot.description == nullptr) {
    // The reason the load left, for a refusal remembered without a load.
    if (snapshot.refused && ports.machine != nullptr) {
      ports.machine->SetLastError(kErrorInvalidData);
    }
    return -1;
  }
  {
    // Fresh facts answer the usual questions: the printer is opened by name
    // only if the computation asks another.
    DeferredPrinter* deferred = nullptr;
    const PrinterHandle handle =
        snapshot.facts != nullptr ? printer.ForComputing(&deferred) : printer.Get();
    const FactsInUse read(snapshot.facts.get(), handle, deferred);
    answer = compute(snapshot.description.get(), handle, output);
  }
  Keep(printerName, snapshot, key, answer, output, output != nullptr ? outputSize(answer) : 0);
  warmInBackground();
  return answer;
}

void PrinterCache::InvalidateAll() {
  std::lock_guard<std::mutex> hold(lock_);
  ++invalidations_;
  for (const auto& [name, entry] : entries_) {
    entry->trusted = false;
    entry->generation = ++generation_;
    entry->DropAnswers();
    Recount(*entry);
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
    for (const auto& [name, entry] : entries_) {
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
  std::vector<Entry::Kept> keys;
  {
    std::lock_guard<std::mutex> hold(lock_);
    Entry* entry = FindEntry(name);
    if (entry == nullptr || entry->generation != snapshot.generation) return;
    keys.swap(entry->toReplay);
    Recount(*entry);
  }
  if (!replay_ || snapshot.description == nullptr) return;
  for (const Entry::Kept& kept : keys) {
    const AnswerKey key = kept.Key();
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
  descriptions_.clear();
  entryBytes_ = 0;
}

std::size_t PrinterCache::PrinterCount() {
  std::lock_guard<std::mutex> hold(lock_);
  return entries_.size();
}

std::size_t PrinterCache::DescriptionCount() {
  std::lock_guard<std::mutex> hold(lock_);
  return static_cast<std::size_t>(std::count_if(
      descriptions_.begin(), descriptions_.end(),
      [](const SharedDescription& shared) { return shared.image != nullptr; }));
}

std::size_t PrinterCache::KeptBytes() {
  std::lock_guard<std::mutex> hold(lock_);
  return BytesInUse();
}

}  // namespace tqr::cache
