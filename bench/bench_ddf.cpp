// What the description costs: compiling the text (only when the cache is
// stale), loading a current cache (every entry point, every call), and the
// queries the pages and capability answers make by the hundred. Queries
// must allocate nothing; the query benchmarks count allocations and the
// program fails when there is any.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "devdesc/ddf.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_image.h"
#include "platform/posix/posix_ports.h"

// --- allocation counting ---------------------------------------------------

namespace {
std::atomic<std::size_t> g_allocations{0};
}  // namespace

// The replacements below pair operator new with malloc and operator delete
// with free; GCC sees free() inlined at delete sites and calls it a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// The C allocator too, where it can be wrapped safely: glibc exports its own
// entry points under __libc_ names. Under AddressSanitizer the runtime owns
// malloc, so there only operator new is counted.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TQR_BENCH_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TQR_BENCH_UNDER_ASAN 1
#endif

#if defined(__GLIBC__) && !defined(TQR_BENCH_UNDER_ASAN)
#define TQR_BENCH_COUNTS_MALLOC 1
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* malloc(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(block, size);
}
}
#else
#define TQR_BENCH_COUNTS_MALLOC 0
#endif

namespace {

namespace fs = std::filesystem;
using tqr::DdfHandle;

bool g_queryAllocated = false;

// --- inputs ----------------------------------------------------------------

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

const std::vector<std::uint8_t>& ShippedText() {
  static const std::vector<std::uint8_t> text = ReadFile(TQR_SHIPPED_DDF);
  return text;
}

// A description that fills the image as far as the 16-bit offsets allow:
// a paper feature, a range feature and as many item options as still fit,
// spread over further features of 40 options each.
std::string NearLimitText() {
  using namespace tqr::ddf;
  std::string text = "*FileVersion: \"1.01\";\n*PrinterID: \"Orlex TQ-R5400\";\n";
  std::size_t further = 0;
  std::size_t records = 0;
  const auto total = [&](std::size_t extraSlots, std::size_t extraRecords) {
    return HeaderSizeFor(further + extraSlots) + records + extraRecords;
  };
  char line[160];
  for (int i = 0; i < 60; ++i) {
    std::snprintf(line, sizeof line,
                  "*PaperSize: DDF_STRUCT_PPER, \"Roll %d mm\", %d, (%d, 100000), (300, 1500, "
                  "300, 300);\n",
                  100 + 10 * i, 300 + i, 10000 + 1000 * i);
    text += line;
  }
  further = 1;
  records += sizeof(FeatureRecord) + 60 * sizeof(PaperOptionRecord);
  text += "*Copies: DDF_STRUCT_RNGE, Maximum, 999;\n*Copies: DDF_STRUCT_RNGE, Minimum, 1;\n"
          "*Copies: DDF_STRUCT_RNGE, Level, 1;\n*Copies: DDF_STRUCT_RNGE, Default, 1;\n";
  records += sizeof(RangeFeatureRecord) + 4 * sizeof(ItemOptionRecord);
  for (int feature = 0;; ++feature) {
    const std::size_t newFeature = sizeof(FeatureRecord) + sizeof(ItemOptionRecord);
    if (total(1, newFeature) > kMaxImageSize) break;
    ++further;
    records += sizeof(FeatureRecord);
    for (int option = 0; option < 40; ++option) {
      if (total(0, sizeof(ItemOptionRecord)) > kMaxImageSize) break;
      std::snprintf(line, sizeof line, "*Item%03d: DDF_STRUCT_ITEM, \"Option %d of %d\", %d;\n",
                    feature, option, feature, option);
      text += line;
      records += sizeof(ItemOptionRecord);
    }
  }
  return text;
}

const std::string& NearLimit() {
  static const std::string text = NearLimitText();
  return text;
}

const std::vector<std::uint8_t>& ShippedImage();

// --- compiling ---------------------------------------------------------------

void Compile(benchmark::State& state, const std::uint8_t* text, std::size_t size) {
  std::vector<std::uint8_t> image;
  for (auto _ : state) {
    if (!tqr::ddf::CompileDescription(text, size, &image, nullptr)) {
      state.SkipWithError("the description does not compile");
      return;
    }
    benchmark::DoNotOptimize(image.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["image_bytes"] = static_cast<double>(image.size());
}

void BM_CompileShipped(benchmark::State& state) {
  Compile(state, ShippedText().data(), ShippedText().size());
}

void BM_CompileNearLimit(benchmark::State& state) {
  const auto* text = reinterpret_cast<const std::uint8_t*>(NearLimit().data());
  Compile(state, text, NearLimit().size());
}

// --- loading -----------------------------------------------------------------

// A driver directory of its own with the text and a current cache beside it.
class CacheDirectory {
 public:
  CacheDirectory() {
    char pattern[] = "/tmp/tqr_bench_XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return;
    directory_ = pattern;
    text_ = (directory_ / "TQR54GFX.DDF").string();
    cache_ = (directory_ / "TQR54GFX.BDF").string();
    {
      std::ofstream out(text_, std::ios::binary);
      if (ShippedImage().empty()) {
        out << NearLimit();
      } else {
        out.write(reinterpret_cast<const char*>(ShippedText().data()),
                  static_cast<std::streamsize>(ShippedText().size()));
      }
    }
    // An hour back, so the cache written next is unambiguously newer.
    const struct timeval past[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ::utimes(text_.c_str(), past);
    DdfHandle handle = tqr::DdfLoad(text_.c_str());
    ready_ = handle != nullptr && fs::exists(cache_);
    tqr::DdfFree(&handle);
  }
  ~CacheDirectory() {
    std::error_code ignored;
    if (!directory_.empty()) fs::remove_all(directory_, ignored);
  }
  CacheDirectory(const CacheDirectory&) = delete;
  CacheDirectory& operator=(const CacheDirectory&) = delete;

  bool ready() const { return ready_; }
  const std::string& text() const { return text_; }
  const std::string& cache() const { return cache_; }

 private:
  fs::path directory_;
  std::string text_;
  std::string cache_;
  bool ready_ = false;
};

CacheDirectory& Cache() {
  static CacheDirectory directory;
  return directory;
}

void BM_DdfLoadCurrentCache(benchmark::State& state) {
  if (!Cache().ready()) {
    state.SkipWithError("no current cache could be made");
    return;
  }
  std::size_t bytes = 0;
  const std::size_t before = g_allocations.load(std::memory_order_relaxed);
  for (auto _ : state) {
    DdfHandle handle = tqr::DdfLoad(Cache().text().c_str());
    if (handle == nullptr) {
      state.SkipWithError("DdfLoad failed");
      return;
    }
    std::uint16_t total = 0;
    std::memcpy(&total, handle + offsetof(tqr::ddf::ImageHeader, totalSize), 2);
    bytes = total;
    tqr::DdfFree(&handle);
  }
  // Loading may allocate (the handle is a block of its own); shown per load
  // so a change in how it reads the cache is visible.
  const std::size_t allocations = g_allocations.load(std::memory_order_relaxed) - before;
  state.counters["allocs"] = benchmark::Counter(static_cast<double>(allocations),
                                                benchmark::Counter::kAvgIterations);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// What any load has to pay at least: open the cache, read it, close it.
void BM_BareCacheRead(benchmark::State& state) {
  if (!Cache().ready()) {
    state.SkipWithError("no current cache could be made");
    return;
  }
  std::vector<std::uint8_t> block(tqr::ddf::kMaxImageSize);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const int fd = ::open(Cache().cache().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      state.SkipWithError("cannot open the cache");
      return;
    }
    const ssize_t got = ::read(fd, block.data(), block.size());
    ::close(fd);
    if (got <= 0) {
      state.SkipWithError("cannot read the cache");
      return;
    }
    bytes = static_cast<std::size_t>(got);
    benchmark::DoNotOptimize(block.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// --- queries -----------------------------------------------------------------

struct QueryCase {
  std::uint16_t kind;
  const char* kindName;
  const char* feature;
  bool middleIndex;  // ask for the option halfway down the list
  std::uint16_t size;
};

// Item kinds on a further feature (found only after the fixed slots), range
// kinds on a fixed one, paper kinds on the largest list there is.
constexpr std::array<QueryCase, 19> kQueries = {{
    {tqr::DDFQ_COUNT, "DDFQ_COUNT", "MediaType", false, 0},
    {tqr::DDFQ_NAMES, "DDFQ_NAMES", "PaperSize", false, 24},
    {tqr::DDFQ_NAME, "DDFQ_NAME", "MediaType", true, 64},
    {tqr::DDFQ_DEFAULT_NAME, "DDFQ_DEFAULT_NAME", "MediaType", false, 64},
    {tqr::DDFQ_VALUES, "DDFQ_VALUES", "PaperSize", false, 2},
    {tqr::DDFQ_VALUE, "DDFQ_VALUE", "MediaType", true, 0},
    {tqr::DDFQ_DEFAULT_VALUE, "DDFQ_DEFAULT_VALUE", "MediaType", false, 0},
    {tqr::DDFQ_RANGE_MIN, "DDFQ_RANGE_MIN", "Copies", false, 0},
    {tqr::DDFQ_RANGE_MAX, "DDFQ_RANGE_MAX", "Copies", false, 0},
    {tqr::DDFQ_RANGE_LEVEL, "DDFQ_RANGE_LEVEL", "Copies", false, 0},
    {tqr::DDFQ_RANGE_MIN_NAME, "DDFQ_RANGE_MIN_NAME", "Copies", false, 64},
    {tqr::DDFQ_RANGE_MAX_NAME, "DDFQ_RANGE_MAX_NAME", "Copies", false, 64},
    {tqr::DDFQ_RANGE_LEVEL_NAME, "DDFQ_RANGE_LEVEL_NAME", "Copies", false, 64},
    {tqr::DDFQ_PAPER_SIZES, "DDFQ_PAPER_SIZES", "PaperSize", false, 0},
    {tqr::DDFQ_PAPER_SIZE, "DDFQ_PAPER_SIZE", "PaperSize", true, 0},
    {tqr::DDFQ_DEFAULT_PAPER_SIZE, "DDFQ_DEFAULT_PAPER_SIZE", "PaperSize", false, 0},
    {tqr::DDFQ_PAPER_EXTRAS, "DDFQ_PAPER_EXTRAS", "PaperSize", false, 0},
    {tqr::DDFQ_PAPER_EXTRA, "DDFQ_PAPER_EXTRA", "PaperSize", true, 0},
    {tqr::DDFQ_DEFAULT_PAPER_EXTRA, "DDFQ_DEFAULT_PAPER_EXTRA", "PaperSize", false, 0},
}};

// The shipped description's image, as DdfLoad would hand it out.
const std::vector<std::uint8_t>& ShippedImage() {
  static const std::vector<std::uint8_t> image = [] {
    std::vector<std::uint8_t> compiled;
    if (!tqr::ddf::CompileDescription(ShippedText().data(), ShippedText().size(), &compiled,
                                      nullptr)) {
      compiled.clear();
    }
    return compiled;
  }();
  return image;
}

void BM_DdfQuery(benchmark::State& state, const QueryCase& query) {
  const DdfHandle image = ShippedImage().data();
  const std::uint32_t count = tqr::DdfQuery(image, query.feature, tqr::DDFQ_COUNT, nullptr, 0, 0);
  if (count == 0) {
    state.SkipWithError("the shipped description lacks this feature");
    return;
  }
  const auto index = static_cast<std::uint16_t>(query.middleIndex ? count / 2 : 0);
  // Room for the widest answer: 16 bytes of extras or a 64-byte slot per option.
  std::vector<std::uint8_t> buffer(std::size_t{count} * 64 + 64);
  std::uint32_t result = 0;

  const std::size_t before = g_allocations.load(std::memory_order_relaxed);
  for (auto _ : state) {
    result = tqr::DdfQuery(image, query.feature, query.kind, buffer.data(), index, query.size);
    benchmark::DoNotOptimize(result);
    benchmark::ClobberMemory();
  }
  const std::size_t allocations = g_allocations.load(std::memory_order_relaxed) - before;

  state.counters["allocs"] = static_cast<double>(allocations);
  state.counters["options"] = static_cast<double>(count);
  if (allocations != 0) {
    g_queryAllocated = true;
    state.SkipWithError("DdfQuery allocated");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const tqr::ScopedPorts ports(tqr::posix::PosixPorts());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  const bool shipped = !ShippedText().empty() && !ShippedImage().empty();
  if (shipped) {
    benchmark::RegisterBenchmark("BM_CompileShipped", BM_CompileShipped);
  } else {
    std::fprintf(stderr, "note: %s is missing or does not compile; its benchmarks are skipped\n",
                 TQR_SHIPPED_DDF);
  }
  benchmark::RegisterBenchmark("BM_CompileNearLimit", BM_CompileNearLimit);
  benchmark::RegisterBenchmark("BM_DdfLoadCurrentCache", BM_DdfLoadCurrentCache);
  benchmark::RegisterBenchmark("BM_BareCacheRead", BM_BareCacheRead);
  if (shipped) {
    for (const QueryCase& query : kQueries) {
      const std::string name = std::string("BM_DdfQuery/") + query.kindName + "/" + query.feature;
      benchmark::RegisterBenchmark(name.c_str(), BM_DdfQuery, query);
    }
  }
  if (!TQR_BENCH_COUNTS_MALLOC) {
    std::fprintf(stderr, "note: only operator new is counted in this build (sanitizer)\n");
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_queryAllocated) {
    std::fprintf(stderr, "FAILED: a description query allocated memory\n");
    return 1;
  }
  return 0;
}
