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
  std::uint64_t lastUse = 0;
  std::vector<Kept> answers;
};

struct PrinterCache::Snapshot {
  bool fresh = false;
  std::uint64_t generation = 0;
  Description description;
  std::shared_ptr<const PrinterFacts> facts;
};

PrinterCache::PrinterCache() = default;
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
                           Snapshot* snapshot) {
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
  Entry& entry = TakeEntry(name);
  entry.lastUse = ++useCounter_;
  if (!(entry.trusted && entry.readAt > now)) {  // else a later read is in already
    if (entry.facts == nullptr || !(*entry.facts == *facts) ||
        entry.description != description) {
      entry.answers.clear();
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
  if (FindKept(printerName, key, now, output, &answer, &snapshot)) return answer;
  if (!snapshot.fresh) Refresh(printerName, printer.Get(), now, &snapshot);
  if (snapshot.description == nullptr) return -1;
  {
    const FactsInUse read(snapshot.facts.get(), printer.Get());
    answer = compute(snapshot.description.get(), printer.Get(), output);
  }
  Keep(printerName, snapshot, key, answer, output, output != nullptr ? outputSize(answer) : 0);
  return answer;
}

void PrinterCache::InvalidateAll() {
  std::lock_guard<std::mutex> hold(lock_);
  for (const auto& entry : entries_) {
    entry->trusted = false;
    entry->generation = ++generation_;
    entry->answers.clear();
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

PrinterCache& ProcessPrinterCache() {
  static PrinterCache cache;
  return cache;
}

}  // namespace tqr::cache
