// The process's cache of printers: the same answers as the calls that ask
// afresh, no round trip for an answer already given, every change seen
// within its bound, and every printer asked about kept within the memory
// bound, those of one description file sharing one image.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <utility>

#include "cache/cached_calls.h"
#include "cache/facts_machine.h"
#include "cache/invalidating_spooler.h"
#include "caps/capabilities.h"
#include "support/settings_fixture.h"

// Counts the allocations of the thread that asks it to (CountAllocations),
// for the test that a kept answer allocates nothing. Every other allocation
// of this program passes straight through.
namespace {
thread_local int* t_allocations = nullptr;

void* CountedAllocation(std::size_t size) noexcept {
  if (t_allocations != nullptr) ++*t_allocations;
  return std::malloc(size != 0 ? size : 1);
}
void* CountedAllocationOrThrow(std::size_t size) {
  if (void* block = CountedAllocation(size)) return block;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return CountedAllocationOrThrow(size); }
void* operator new[](std::size_t size) { return CountedAllocationOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return CountedAllocation(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace tqr {
namespace {

class CountAllocations {
 public:
  explicit CountAllocations(int* count) { t_allocations = count; }
  ~CountAllocations() { t_allocations = nullptr; }
  CountAllocations(const CountAllocations&) = delete;
  CountAllocations& operator=(const CountAllocations&) = delete;
};

constexpr char16_t kName[] = u"Orlex TQ-R5400";
constexpr char kDdf[] = "C:\\drv\\TQR54GFX.DDF";

class PrinterCacheTest : public test::SettingsTest {
 protected:
  PrinterCacheTest()
      : writes_(spooler_, cache_),
        cachedPorts_(Ports{&files_, &writes_, &factsMachine_, &trace_, &clock_, &worker_}) {}

  void SetUp() override {
    InstallShippedDescription();
    spooler_.names[kName] = printer();
    // The first call stores the printer's missing settings: a write through
    // this process, which drops what was kept.
    Seen(true);
  }

  // Through the cache, with no handle: opened by name when needed.
  std::int32_t Capability(std::uint16_t index, void* output = nullptr,
                          const void* input = nullptr) {
    return cache::CachedDeviceCapability(cache_, nullptr, kName, index, output, input);
  }
  std::int32_t Fresh(std::uint16_t index, void* output = nullptr, const void* input = nullptr) {
    return AnswerDeviceCapability(printer(), kName, index, output, input);
  }
  std::vector<std::uint8_t> Document(const void* input = nullptr, bool tie = false) {
    std::vector<std::uint8_t> out(sizeof(DRVDEVMODE), 0xCC);
    EXPECT_EQ(records_.Copy(nullptr, kName, input, tie, out.data()), 1);
    return out;
  }
  std::vector<std::uint8_t> FreshDocument(const void* input = nullptr, bool tie = false) {
    std::vector<std::uint8_t> out(sizeof(DRVDEVMODE), 0xCC);
    EXPECT_EQ(FreshDocumentRecords().Copy(printer(), kName, input, tie, out.data()), 1);
    return out;
  }
  // What an application sees of the printer: its paper numbers and names
  // and its default document record.
  std::vector<std::uint8_t> Seen(bool cached) {
    std::vector<std::uint8_t> seen;
    for (const std::uint16_t index : {kCapPapers, kCapPaperNames}) {
      const std::int32_t count = cached ? Capability(index) : Fresh(index);
      std::vector<std::uint8_t> out(CapabilityOutputSize(index, count) + 16, 0xCC);
      EXPECT_EQ(cached ? Capability(index, out.data()) : Fresh(index, out.data()), count);
      seen.insert(seen.end(), out.begin(), out.end());
    }
    const std::vector<std::uint8_t> record = cached ? Document() : FreshDocument();
    seen.insert(seen.end(), record.begin(), record.end());
    return seen;
  }
  int RoundTrips() {
    return spooler_.reads + files_.opens + files_.stamps + spooler_.openedByName;
  }
  // Changes made elsewhere: straight into the fake files and spooler.
  void ReplaceDescription() {
    std::string text(files_.At(kDdf).bytes.begin(), files_.At(kDdf).bytes.end());
    const std::size_t at = text.find("A4 (210 x 297 mm)");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 2, "B4");
    files_.Put(kDdf, text);
  }
  void SetDefaultRecordElsewhere(std::uint8_t isoA = 0) {
    auto record = Defaults();
    record->IsoA = isoA;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.get());
    spooler_.printers[printer()].defaultRecord.assign(bytes, bytes + sizeof *record);
  }
  // `count` more printers like the fixture's, named "P0" and on.
  std::vector<std::u16string> MorePrinters(int count) {
    std::vector<std::u16string> names;
    handles_.resize(count);
    for (int i = 0; i < count; ++i) {
      std::u16string name = u"P";
      for (const char digit : std::to_string(i)) name += static_cast<char16_t>(digit);
      spooler_.printers[&handles_[i]] = spooler_.printers[printer()];
      spooler_.names[name] = &handles_[i];
      names.push_back(name);
    }
    return names;
  }
  // The worker's thread over `milliseconds`, waking every 100.
  void WorkerRunsFor(std::uint64_t milliseconds) {
    for (std::uint64_t passed = 0; passed < milliseconds; passed += 100) {
      clock_.now += 100;
      worker_.Run();
    }
  }

  cache::PrinterCache cache_{cache::ReplayKeptAnswer};
  cache::InvalidatingSpooler writes_;
  cache::FactsMachine factsMachine_{machine_};
  fake::FakeClock clock_;
  fake::FakeWorker worker_;
  ScopedPorts cachedPorts_;
  cache::CachedDocumentRecords records_{cache_};
  std::vector<int> handles_;
};

TEST_F(PrinterCacheTest, AnswersAreTheFreshOnesByteForByte) {
  auto own = Defaults();
  own->IsoA = 0;
  own->dm.dmFields = DM_COPIES;
  own->dm.dmCopies = 3;
  auto foreign = Defaults();
  foreign->PrivateMarker = 0;
  AddForm(u"Banner 500", 5000, 8000);
  const DRVDEVMODE* inputs[] = {nullptr, own.get(), foreign.get()};
  for (const DRVDEVMODE* input : inputs) {
    for (std::uint16_t index = 0; index <= 40; ++index) {
      const std::int32_t fresh = Fresh(index, nullptr, input);
      std::vector<std::uint8_t> expected(4096, 0xCC);
      ASSERT_EQ(Fresh(index, expected.data(), input), Fresh(index, expected.data(), input));
      for (int round = 0; round < 2; ++round) {  // computed, then kept
        EXPECT_EQ(Capability(index, nullptr, input), fresh) << index;
        std::vector<std::uint8_t> got(4096, 0xCC);
        Capability(index, got.data(), input);
        EXPECT_EQ(got, expected) << index << " round " << round;
      }
    }
    for (const bool tie : {false, true}) {
      const std::vector<std::uint8_t> expected = FreshDocument(input, tie);
      EXPECT_EQ(Document(input, tie), expected);
      EXPECT_EQ(Document(input, tie), expected);
    }
  }
}

// A record of ours whose dmDriverExtra claims 64 KB, in a block of exactly
// one whole record: the key, the merge and the replay read no more than the
// header and the private part, whatever the record claims.
TEST_F(PrinterCacheTest, AClaimPastThePrivatePartIsNeverRead) {
  auto record = Defaults();
  record->dm.dmCopies = 3;
  record->dm.dmDriverExtra = 0xFFFF;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.get());
  const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[sizeof *record]);
  std::memcpy(block.get(), bytes, sizeof *record);
  const std::vector<std::uint8_t> answer = Document(block.get());
  EXPECT_EQ(answer, FreshDocument(block.get()));
  EXPECT_EQ(reinterpret_cast<const DRVDEVMODE*>(answer.data())->dm.dmCopies, 3);
  EXPECT_EQ(Capability(kCapPapers, nullptr, block.get()), Fresh(kCapPapers, nullptr, block.get()));
  SetDefaultRecordElsewhere(1);
  WorkerRunsFor(1000);  // the kept answers are computed again from their keys
  EXPECT_EQ(Document(block.get()), FreshDocument(block.get()));
}

TEST_F(PrinterCacheTest, AKeptAnswerCostsNoRoundTripAndNoOpen) {
  Seen(true);
  EXPECT_EQ(spooler_.openHandles, 0);  // what was opened by name is closed
  const int before = RoundTrips();
  for (int i = 0; i < 100; ++i) Seen(true);
  EXPECT_EQ(RoundTrips(), before);
  // A new record of ours is computed from what is kept: neither the
  // description nor the printer's facts are read again, nor the printer
  // opened.
  auto own = Defaults();
  own->Ansi = 0;
  const int opens = files_.opens;
  const int reads = spooler_.reads;
  const int regions = machine_.countryReads;
  const int opened = spooler_.openedByName;
  Document(own.get());
  EXPECT_EQ(files_.opens, opens);
  EXPECT_EQ(spooler_.reads, reads);
  EXPECT_EQ(machine_.countryReads, regions);
  EXPECT_EQ(spooler_.openedByName, opened);
  // A call that reads the facts asks the region with them, once.
  clock_.now += 1000;
  Capability(kCapPapers, nullptr, own.get());
  EXPECT_EQ(machine_.countryReads, regions + 1);
}

// A kept answer is found and copied out without an allocation: the name
// and the caller's record are compared where they lie, and nothing is put
// on the heap to compute what is not computed.
TEST_F(PrinterCacheTest, AKeptAnswerAllocatesNothing) {
  auto own = Defaults();
  own->dm.dmFields = DM_COPIES;
  own->dm.dmCopies = 2;
  std::vector<std::uint8_t> out(4096);
  std::vector<std::uint8_t> record(sizeof(DRVDEVMODE));
  const auto ask = [&] {
    Capability(kCapPapers, out.data(), own.get());
    Capability(kCapPaperNames);
    records_.Copy(nullptr, kName, own.get(), false, record.data());
  };
  ask();
  ASSERT_TRUE(worker_.Running());
  int allocations = 0;
  {
    const CountAllocations counting(&allocations);
    ask();
  }
  EXPECT_EQ(allocations, 0);
}

// Every change the answers depend on, made elsewhere (straight into the fake
// spooler or files) or through this process's spooler port, and a call
// starting `after` milliseconds later: whether it sees the change.
TEST_F(PrinterCacheTest, ChangesAreSeenWithinTheirBound) {
  const auto replaceDescription = [this] { ReplaceDescription(); };
  const auto setDefaultRecord = [this] { SetDefaultRecordElsewhere(); };
  const auto addForm = [this] { AddForm(u"Banner 600", 6000, 9000); };
  const auto addFormOurselves = [this] {
    writes_.AddForm(printer(), FormInfo{0, u"Banner 700", 700000, 1000000});
  };
  const auto changeRegion = [this] { machine_.country = u"49"; };
  const auto writeStoredSettings = [this] {
    auto record = Defaults();
    writes_.SetPrinterData(printer(), kStoredSettingsName, kRegBinary, record.get(),
                           sizeof *record);
  };
  const struct {
    const char* what;
    std::function<void()> change;
    bool throughThisProcess;  // a write through our port follows the change
    std::uint64_t after;
    bool seen;
  } cases[] = {
      {"description replaced", replaceDescription, false, 0, false},
      {"description replaced", replaceDescription, false, 1000, true},
      {"default record (SetPrinterW)", setDefaultRecord, false, 0, false},
      {"default record (SetPrinterW)", setDefaultRecord, false, 1000, true},
      {"form added", addForm, false, 0, false},
      {"form added", addForm, false, 1000, true},
      {"form added by us", addFormOurselves, false, 0, true},
      {"region changed", changeRegion, false, 1000, true},
      {"stored settings written by us", setDefaultRecord, true, 0, true},
      {"description replaced, then our write", replaceDescription, true, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what + std::string(" after ") + std::to_string(c.after));
    cache_.Clear();
    InstallShippedDescription();
    spooler_.forms.clear();
    spooler_.printers[printer()].defaultRecord.clear();
    machine_.country = u"1";
    const std::vector<std::uint8_t> before = Seen(true);
    c.change();
    if (c.throughThisProcess) writeStoredSettings();
    const std::vector<std::uint8_t> truth = Seen(false);
    ASSERT_NE(truth, before);
    clock_.now += c.after;
    EXPECT_EQ(Seen(true), c.seen ? truth : before);
    clock_.now += 1000;
    EXPECT_EQ(Seen(true), truth);
  }
}

// With the worker, a printer in use is read again before its trust runs
// out and what a change dropped is computed again: an application coming
// back after a pause, or after a change made elsewhere, finds its answers
// kept, and they are the fresh ones.
TEST_F(PrinterCacheTest, AWarmPrinterIsReadAheadOfItsCallers) {
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"nothing changed", [] {}},
      {"description replaced", [this] { ReplaceDescription(); }},
      {"default record (SetPrinterW)", [this] { SetDefaultRecordElsewhere(); }},
      {"form added", [this] { AddForm(u"Banner 600", 6000, 9000); }},
      {"region changed", [this] { machine_.country = u"49"; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Seen(true);
    ASSERT_TRUE(worker_.Running());
    c.change();
    const std::vector<std::uint8_t> truth = Seen(false);
    WorkerRunsFor(1500);
    const int before = RoundTrips();
    EXPECT_EQ(Seen(true), truth);
    EXPECT_EQ(RoundTrips(), before);
  }
}

// What the worker computes again is what a fresh call answers, for every
// index, with no record, one of ours (one claiming more private bytes than
// are merged among them) and a foreign one.
TEST_F(PrinterCacheTest, ReplayedAnswersAreTheFreshOnesByteForByte) {
  auto own = Defaults();
  own->IsoA = 0;
  own->dm.dmFields = DM_COPIES;
  own->dm.dmCopies = 3;
  std::vector<std::uint8_t> longer(sizeof(DRVDEVMODE) + 64, 0x5A);
  std::memcpy(longer.data(), own.get(), sizeof(DRVDEVMODE));
  reinterpret_cast<DRVDEVMODE*>(longer.data())->dm.dmDriverExtra = kPrivateSize + 64;
  auto foreign = Defaults();
  foreign->PrivateMarker = 0;
  AddForm(u"Banner 500", 5000, 8000);
  const void* inputs[] = {nullptr, own.get(), longer.data(), foreign.get()};
  std::uint8_t isoA = 0;
  for (const void* input : inputs) {
    // 15 indexes with and without output and two records: as many answers
    // as a printer keeps.
    for (std::uint16_t first = 0; first <= 40; first += 15) {
      const std::uint16_t last = std::min<std::uint16_t>(40, first + 14);
      const auto ask = [&](bool cached) {
        std::vector<std::vector<std::uint8_t>> answers;
        for (std::uint16_t index = first; index <= last; ++index) {
          std::vector<std::uint8_t> out(4096, 0xCC);
          const std::int32_t count = cached ? Capability(index, nullptr, input)
                                            : Fresh(index, nullptr, input);
          const std::int32_t filled = cached ? Capability(index, out.data(), input)
                                             : Fresh(index, out.data(), input);
          out.push_back(static_cast<std::uint8_t>(count));
          out.push_back(static_cast<std::uint8_t>(filled));
          answers.push_back(out);
        }
        for (const bool tie : {false, true}) {
          answers.push_back(cached ? Document(input, tie) : FreshDocument(input, tie));
        }
        return answers;
      };
      ask(true);
      // A change elsewhere drops every answer kept; the worker computes
      // them again.
      SetDefaultRecordElsewhere(isoA ^= 1);
      const auto truth = ask(false);
      WorkerRunsFor(1000);
      const int before = RoundTrips();
      EXPECT_EQ(ask(true), truth) << "from index " << first;
      EXPECT_EQ(RoundTrips(), before) << "from index " << first;
    }
  }
}

// The worker keeps a printer warm for kWarmFor after the last call about
// it and then ends; a later call starts it again. A process that asks once
// starts none, and a worker that cannot start is asked for again.
TEST_F(PrinterCacheTest, WarmingEndsWithThePauseItCovers) {
  Seen(true);
  ASSERT_TRUE(worker_.Running());
  const int starts = worker_.starts;
  for (std::uint64_t passed = 100; passed < cache::kWarmFor; passed += 100) {
    clock_.now += 100;
    std::uint32_t next = 0;
    ASSERT_TRUE(worker_.Run(&next)) << passed;
    EXPECT_GE(next, 16u);
    EXPECT_LE(next, cache::kRefreshAfter);
  }
  clock_.now += 100;
  EXPECT_FALSE(worker_.Run());
  EXPECT_FALSE(worker_.Running());
  clock_.now += cache::kFreshFor;
  const int before = RoundTrips();
  Seen(true);
  EXPECT_GT(RoundTrips(), before);  // nobody kept it fresh
  EXPECT_EQ(worker_.starts, starts + 1);

  cache::PrinterCache once(cache::ReplayKeptAnswer);
  const auto ask = [&] {
    cache::CachedDeviceCapability(once, nullptr, kName, kCapPapers, nullptr, nullptr);
  };
  ask();
  EXPECT_EQ(worker_.starts, starts + 1);
  worker_.refuse = true;
  ask();
  ask();
  EXPECT_EQ(worker_.starts, starts + 3);
  worker_.refuse = false;
}

// A write through this process that goes through while a call reads the
// facts: what that call read may show the printer before the write, so the
// next call reads again instead of trusting it.
TEST_F(PrinterCacheTest, AReadOverlappingAWriteOfOursIsNotTrusted) {
  struct WritingSpooler : cache::InvalidatingSpooler {
    using InvalidatingSpooler::InvalidatingSpooler;
    bool EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) override {
      if (write) std::exchange(write, nullptr)();
      return InvalidatingSpooler::EnumForms(printer, forms);
    }
    std::function<void()> write;
  } spooler(spooler_, cache_);
  ScopedPorts ports(Ports{&files_, &spooler, &machine_, &trace_, &clock_});
  clock_.now += 1000;
  spooler.write = [&] {
    auto record = Defaults();
    record->IsoA = 0;
    spooler.SetPrinterData(printer(), kStoredSettingsName, kRegBinary, record.get(),
                           sizeof *record);
  };
  Capability(kCapPapers);
  const int before = RoundTrips();
  Capability(kCapPapers);
  EXPECT_GT(RoundTrips(), before);
}

// Stored settings removed elsewhere are repaired by a call within the bound,
// as every call repairs them when they are missing.
TEST_F(PrinterCacheTest, StoredSettingsRemovedElsewhereAreRepaired) {
  auto& data = spooler_.printers[printer()].data;
  ASSERT_EQ(data.count(kStoredSettingsName), 1u);
  data.erase(kStoredSettingsName);
  clock_.now += 1000;
  Seen(true);
  EXPECT_EQ(data.count(kStoredSettingsName), 1u);
}

// A user who may not write the printer's settings: the repair of missing
// settings is refused on every call, and the refusal drops nothing kept.
TEST_F(PrinterCacheTest, RefusedRepairsKeepTheCache) {
  auto& entry = spooler_.printers[printer()];
  entry.data.erase(kStoredSettingsName);
  entry.failSetData = true;
  clock_.now += 1000;
  Seen(true);
  const int before = RoundTrips();
  Seen(true);
  EXPECT_EQ(RoundTrips(), before);
  EXPECT_EQ(entry.data.count(kStoredSettingsName), 0u);
  // A new record computed from the fresh facts tries the repair again: a
  // question they do not answer, for which the printer is opened.
  auto own = Defaults();
  own->Ansi = 0;
  const int opened = spooler_.openedByName;
  Document(own.get());
  EXPECT_EQ(spooler_.openedByName, opened + 1);
  EXPECT_EQ(spooler_.openHandles, 0);
}

// A description the driver refuses: every call, kept or fresh, capability
// or document, answers -1 and leaves the reason; the cached calls compile it
// once and remember the refusal by the file's stamp, not compiling it again
// (milliseconds each) until it changes; a mended one is seen at once.
TEST_F(PrinterCacheTest, ARefusedDescriptionFailsEveryCallWithItsReason) {
  files_.Put(kDdf, "*FileVersion: \"2.00\";\n");
  clock_.now += 1000;
  std::vector<std::uint8_t> out(sizeof(DRVDEVMODE));
  const std::function<std::int32_t()> calls[] = {
      [&] { return Capability(kCapBins); },
      [&] { return Capability(kCapBins); },
      [&] { return Fresh(kCapPapers); },
      [&] { return records_.Copy(nullptr, kName, nullptr, false, out.data()); },
      [&] { return FreshDocumentRecords().Copy(printer(), kName, nullptr, false, out.data()); },
  };
  for (const auto& call : calls) {
    machine_.lastError = 0;
    EXPECT_EQ(call(), -1);
    EXPECT_EQ(machine_.lastError, kErrorInvalidData);
  }
  const int opens = files_.opens;
  for (int i = 0; i < 3; ++i) {
    clock_.now += 1000;
    machine_.lastError = 0;
    EXPECT_EQ(Capability(kCapBins), -1);
    EXPECT_EQ(machine_.lastError, kErrorInvalidData);
  }
  EXPECT_EQ(files_.opens, opens);
  InstallShippedDescription();
  EXPECT_EQ(Capability(kCapBins), 5);
}

// The bound counts from the moment the facts began to be read: a slow read
// does not stretch it.
TEST_F(PrinterCacheTest, FreshnessCountsFromTheStartOfTheRead) {
  struct SlowSpooler : cache::InvalidatingSpooler {
    SlowSpooler(Spooler& inner, cache::PrinterCache& cache, fake::FakeClock& clock)
        : InvalidatingSpooler(inner, cache), clock_(clock) {}
    bool EnumForms(PrinterHandle printer, std::vector<FormInfo>* forms) override {
      clock_.now += 300;
      return InvalidatingSpooler::EnumForms(printer, forms);
    }
    fake::FakeClock& clock_;
  } slow(spooler_, cache_, clock_);
  ScopedPorts ports(Ports{&files_, &slow, &machine_, &trace_, &clock_});
  const std::uint64_t start = clock_.now;
  Capability(kCapPapers);
  ASSERT_GE(clock_.now, start + 300);
  clock_.now = start + cache::kFreshFor - 1;
  int before = RoundTrips();
  Capability(kCapPapers);
  EXPECT_EQ(RoundTrips(), before);
  clock_.now = start + cache::kFreshFor;
  Capability(kCapPapers);
  EXPECT_GT(RoundTrips(), before);
}

// Printers of one model, as a print server holds them: every one the
// process asks about is kept, and one image of their description file
// serves them all.
TEST_F(PrinterCacheTest, EveryPrinterAskedAboutIsKeptWithOneDescription) {
  const std::vector<std::u16string> names = MorePrinters(64);
  const auto ask = [&](const std::u16string& name) {
    return cache::CachedDeviceCapability(cache_, nullptr, name.c_str(), kCapPapers, nullptr,
                                         nullptr);
  };
  const std::int32_t papers = Fresh(kCapPapers);
  const int opens = files_.opens;
  for (const auto& name : names) EXPECT_EQ(ask(name), papers);
  EXPECT_EQ(files_.opens, opens);  // the image loaded for the first printer
  EXPECT_EQ(cache_.DescriptionCount(), 1u);
  EXPECT_EQ(cache_.PrinterCount(), names.size() + 1);
  const int before = RoundTrips();
  for (int round = 0; round < 2; ++round) {
    for (const auto& name : names) ask(name);
  }
  EXPECT_EQ(RoundTrips(), before);
}

// However many printers are asked about, what is kept stays within the
// memory bound: the least recently used go first, and one asked about
// again is read again.
TEST_F(PrinterCacheTest, KeptPrintersStayWithinTheMemoryBound) {
  constexpr std::size_t kBound = 256 * 1024;
  cache::PrinterCache bounded(cache::ReplayKeptAnswer, kBound);
  const std::vector<std::u16string> names = MorePrinters(64);
  std::vector<std::uint8_t> out(CapabilityOutputSize(kCapPaperNames, Fresh(kCapPaperNames)));
  const auto ask = [&](const std::u16string& name) {
    cache::CachedDeviceCapability(bounded, nullptr, name.c_str(), kCapPaperNames, out.data(),
                                  nullptr);
  };
  for (const auto& name : names) {
    ask(name);
    ASSERT_LE(bounded.KeptBytes(), kBound);
  }
  EXPECT_GT(bounded.PrinterCount(), 8u);
  EXPECT_LT(bounded.PrinterCount(), names.size());
  const int before = RoundTrips();
  ask(names.back());
  EXPECT_EQ(RoundTrips(), before);
  ask(names.front());
  EXPECT_GT(RoundTrips(), before);
}

// Many different records of ours: the kept answers stay bounded and the
// answers stay right.
TEST_F(PrinterCacheTest, KeptAnswersStayBounded) {
  auto own = Defaults();
  for (int copies = 1; copies <= 200; ++copies) {
    own->dm.dmFields = DM_COPIES;
    own->dm.dmCopies = static_cast<std::int16_t>(copies);
    const std::vector<std::uint8_t> got = Document(own.get());
    EXPECT_EQ(reinterpret_cast<const DRVDEVMODE*>(got.data())->dm.dmCopies, copies);
  }
  own->dm.dmCopies = 200;
  const int before = RoundTrips();
  Document(own.get());
  EXPECT_EQ(RoundTrips(), before);
}

// The fake file system counts its opens without a lock: one at a time, for
// the test with threads.
class OneAtATime : public FileSystem {
 public:
  explicit OneAtATime(FileSystem& files) : inner_(files) {}
  bool Delete(const std::string& path) override {
    std::lock_guard<std::mutex> hold(lock_);
    return inner_.Delete(path);
  }
  bool MoveNoReplace(const std::string& from, const std::string& to) override {
    std::lock_guard<std::mutex> hold(lock_);
    return inner_.MoveNoReplace(from, to);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    std::lock_guard<std::mutex> hold(lock_);
    return inner_.Replace(from, to);
  }
  bool Copy(const std::string& from, const std::string& to) override {
    std::lock_guard<std::mutex> hold(lock_);
    return inner_.Copy(from, to);
  }

 protected:
  std::unique_ptr<FileHandle> OpenFile(const std::string& path, FileAccess access,
                                       FileDisposition disposition,
                                       OpenFailure* failure) override {
    std::lock_guard<std::mutex> hold(lock_);
    return inner_.Open(path, access, disposition, failure);
  }

 private:
  FileSystem& inner_;
  std::mutex lock_;
};

constexpr std::size_t kThreadsBound = 76 * 1024;

// Threads asking about five printers (more than the bound holds) while time
// passes, the worker keeps them warm and this process writes: every answer
// is the right one whatever was refreshed, dropped or evicted meanwhile. Run
// under ThreadSanitizer by `make tsan`.
TEST_F(PrinterCacheTest, ThreadsAlwaysGetWholeAnswers) {
  OneAtATime files(files_);
  // Room for the description and a printer or two.
  cache::PrinterCache bounded(cache::ReplayKeptAnswer, kThreadsBound);
  cache::InvalidatingSpooler writes(spooler_, bounded);
  cache::CachedDocumentRecords boundedRecords(bounded);
  ScopedPorts ports(Ports{&files, &writes, &machine_, &trace_, &clock_, &worker_});
  const std::u16string names[] = {u"P0", u"P1", u"P2", u"P3", u"P4"};
  int handles[5];
  for (int i = 0; i < 5; ++i) {
    spooler_.printers[&handles[i]] = spooler_.printers[printer()];
    spooler_.names[names[i]] = &handles[i];
  }
  const std::int32_t count = Fresh(kCapPaperNames);
  std::vector<std::uint8_t> names16(CapabilityOutputSize(kCapPaperNames, count));
  Fresh(kCapPaperNames, names16.data());
  std::vector<std::vector<std::uint8_t>> records;
  for (const auto& name : names) {
    std::vector<std::uint8_t> record(sizeof(DRVDEVMODE));
    ASSERT_EQ(FreshDocumentRecords().Copy(spooler_.names[name], name.c_str(), nullptr, false,
                                          record.data()),
              1);
    records.push_back(record);
  }
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  threads.emplace_back([&] {
    while (!stop) worker_.Run();
  });
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; !stop; ++i) {
        const int which = (t + i) % 5;
        std::vector<std::uint8_t> got(names16.size(), 0xCC);
        EXPECT_EQ(cache::CachedDeviceCapability(bounded, nullptr, names[which].c_str(),
                                                kCapPaperNames, got.data(), nullptr),
                  count);
        EXPECT_EQ(got, names16);
        std::vector<std::uint8_t> record(sizeof(DRVDEVMODE), 0xCC);
        EXPECT_EQ(boundedRecords.Copy(nullptr, names[which].c_str(), nullptr, false, record.data()),
                  1);
        EXPECT_EQ(record, records[which]);
      }
    });
  }
  for (int step = 0; step < 200; ++step) {
    clock_.now += 100;
    if (step % 7 == 0) bounded.InvalidateAll();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  stop = true;
  for (auto& thread : threads) thread.join();
  EXPECT_LT(bounded.PrinterCount(), 5u);
  EXPECT_EQ(spooler_.openHandles, 0);
}

}  // namespace
}  // namespace tqr
