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
//   data) drops every kept answer at once: the next call asks afresh.
// - Anything changed elsewhere is seen by every call that starts at least
//   one second after the change: an entry is trusted for kFreshFor after the
//   moment its facts began to be read, and then read again. When they read
//   the same, the kept answers stay; otherwise they are dropped, and the
//   description is reloaded when its file changed.
// - An answer is kept only when no newer read or write came between the
//   moment its call took the entry and the moment it was computed.
//
// Without a clock port nothing is kept: every call is answered afresh.
#pragma once

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

class PrinterCache {
 public:
  PrinterCache();
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
  // Releases everything kept (the module is unloading).
  void Clear();

  // For tests: how many printers are kept.
  std::size_t PrinterCount();

 private:
  struct Entry;
  struct Snapshot;

  bool FindKept(const std::u16string& name, const AnswerKey& key, std::uint64_t now,
                void* output, std::int32_t* answer, Snapshot* snapshot);
  void Refresh(const std::u16string& name, PrinterHandle printer, std::uint64_t now,
               Snapshot* snapshot);
  void Keep(const std::u16string& name, const Snapshot& snapshot, const AnswerKey& key,
            std::int32_t answer, const void* output, std::size_t size);
  Entry* FindEntry(const std::u16string& name);
  Entry& TakeEntry(const std::u16string& name);

  std::mutex lock_;
  std::vector<std::unique_ptr<Entry>> entries_;
  std::uint64_t generation_ = 0;
  std::uint64_t useCounter_ = 0;
};

// The process's cache, used by the exports.
PrinterCache& ProcessPrinterCache();

}  // namespace tqr::cache
