// The paths an application's record and the description take through the
// driver, driven the way applications and the sheet host drive them: the
// document call, every capability index into buffers of exactly the size
// the platform documents, and a document sheet with its Main page model
// from INIT to DESTROY. Shared by the targets that feed the driver a hostile
// record and a hostile description image.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cache/cached_calls.h"
#include "cache/facts_machine.h"
#include "cache/invalidating_spooler.h"
#include "caps/capabilities.h"
#include "ddf_fuzz_queries.h"
#include "settings/document_request.h"
#include "settings/settings.h"
#include "sheet/sheet_context.h"
#include "ui/main_page_model.h"
#include "support/fake_printer.h"

namespace tqr::fuzz {

using test::kPrinterName;

// Puts `cache` beside the printer's description as its current cache. Each
// input gets a printer of its own, so that nothing one input stores
// (settings, the user print mode file) steers the next.
inline void InstallCache(test::FakePrinter* printer, const std::vector<std::uint8_t>& cache) {
  printer->files.PutBytes(test::kCachePath, cache);
  printer->files.At(test::kCachePath).lastWrite =
      printer->files.At(test::kDescriptionPath).lastWrite;
}

// A record as an application hands it over: the platform gives no length,
// so the driver may read the dmSize + dmDriverExtra bytes the record claims
// (at least the size words themselves, which it must read to know). The
// block holds exactly that, filled from `data` and zeros past its end.
inline std::vector<std::uint8_t> ApplicationRecord(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kSizeWordsEnd = offsetof(PublicDevMode, dmDriverExtra) + 2;
  std::uint8_t words[kSizeWordsEnd] = {};
  std::memcpy(words, data, std::min(size, kSizeWordsEnd));
  const std::size_t claimed = std::max(ClaimedRecordSize(words), kSizeWordsEnd);
  std::vector<std::uint8_t> record(claimed, 0);
  std::memcpy(record.data(), data, std::min(size, claimed));
  return record;
}

// A record the driver handed out: ours, whatever came in.
inline void CheckHandedOut(const std::uint8_t* bytes) {
  TQR_FUZZ_CHECK(IsOwnRecord(bytes, sizeof(DRVDEVMODE)));
  DRVDEVMODE record;
  std::memcpy(&record, bytes, sizeof record);
  TQR_FUZZ_CHECK(record.dm.dmSize == kPublicSize && record.dm.dmDriverExtra == kPrivateSize);
}

// The document call into an output block of exactly one record.
inline void DriveDocumentCall(PrinterHandle printer, const void* input) {
  const std::unique_ptr<std::uint8_t[]> output(new std::uint8_t[sizeof(DRVDEVMODE)]);
  TQR_FUZZ_CHECK(AnswerDocumentProperties(printer, kPrinterName, output.get(), input,
                                          kModeCopy) == 1);
  CheckHandedOut(output.get());
}

// Bytes per element of each list answer, as the platform documents them for
// applications, which size their buffers by the answer alone. Every other
// index writes nothing.
inline std::size_t ElementBytes(std::uint16_t index) {
  switch (index) {
    case kCapPapers:
    case kCapBins:
      return 2;
    case kCapPaperSize:
    case kCapEnumResolutions:
      return 8;
    case kCapBinNames:
      return 24 * 2;
    case kCapPersonality:
      return 32 * 2;
    case kCapPaperNames:
    case kCapFileDependencies:
      return 64 * 2;
    default:
      return 0;
  }
}

// Every index, first for the length and then into a block of exactly the
// length it answered, from the loaded description as the cached calls ask.
inline void DriveEveryCapability(DdfHandle ddf, PrinterHandle printer, const void* input) {
  std::int32_t papers = -1;
  for (std::uint16_t index = 0; index <= 40; ++index) {
    const auto ask = [&](void* output) {
      std::int32_t answer = -1;
      if (AnswerWithoutDescription(index, output, &answer)) return answer;
      return AnswerFromDescription(ddf, printer, kPrinterName, index, output, input);
    };
    const std::int32_t count = ask(nullptr);
    const std::size_t room = count > 0 ? static_cast<std::size_t>(count) * ElementBytes(index) : 0;
    const std::unique_ptr<std::uint8_t[]> output(new std::uint8_t[room]);
    TQR_FUZZ_CHECK(ask(output.get()) == count);
    // The three paper lists are one list seen three ways.
    if (index == kCapPapers) papers = count;
    if (index == kCapPaperSize || index == kCapPaperNames) TQR_FUZZ_CHECK(count == papers);
  }
}

// The cached calls an application makes of the record: a few capability
// lists and scalars, each counted and then filled, and the document call.
inline std::vector<std::uint8_t> AskCached(cache::PrinterCache& cache, const void* input) {
  std::vector<std::uint8_t> answers;
  const std::uint16_t indexes[] = {kCapPapers, kCapPaperSize,       kCapMinExtent,
                                   kCapMaxExtent, kCapBins,         kCapSize,
                                   kCapBinNames, kCapEnumResolutions, kCapPaperNames};
  for (const std::uint16_t index : indexes) {
    const std::int32_t count =
        cache::CachedDeviceCapability(cache, nullptr, kPrinterName, index, nullptr, input);
    const std::size_t room =
        count > 0 ? static_cast<std::size_t>(count) * ElementBytes(index) : 0;
    std::vector<std::uint8_t> output(room + 1, 0xA5);
    TQR_FUZZ_CHECK(cache::CachedDeviceCapability(cache, nullptr, kPrinterName, index,
                                                 output.data(), input) == count);
    answers.insert(answers.end(), output.begin(), output.end());
    answers.push_back(static_cast<std::uint8_t>(count));
  }
  std::vector<std::uint8_t> record(sizeof(DRVDEVMODE), 0xA5);
  cache::CachedDocumentRecords records(cache);
  answers.push_back(
      static_cast<std::uint8_t>(records.Copy(nullptr, kPrinterName, input, false, record.data())));
  answers.insert(answers.end(), record.begin(), record.end());
  return answers;
}

// The cached calls with the record, asked twice (which starts the worker);
// then a change made elsewhere (the printer's default record gone) drops
// their answers and the worker computes them again from the bytes their
// keys kept. Answered from what it kept, each is what a fresh cache
// answers: whatever the record claims, the worker's copy of it reads
// nothing past it and means what the record meant.
inline void DriveCachedReplay(test::FakePrinter* printer, const void* input) {
  fake::FakeClock clock;
  fake::FakeWorker worker;
  cache::PrinterCache kept(cache::ReplayKeptAnswer);
  cache::PrinterCache fresh(cache::ReplayKeptAnswer);
  cache::FactsMachine machine(printer->machine);
  // The ports the driver installs, its spooler port writing through to `cache`.
  const auto through = [&](cache::PrinterCache& cache, const auto& work) {
    cache::InvalidatingSpooler spooler(printer->spooler, cache);
    const ScopedPorts ports(Ports{&printer->files, &spooler, &machine, nullptr, &clock, &worker});
    return work();
  };
  const auto ask = [&](cache::PrinterCache& cache) {
    return through(cache, [&] { return AskCached(cache, input); });
  };
  ask(kept);
  ask(kept);
  TQR_FUZZ_CHECK(worker.Running());
  printer->spooler.printers[printer->handle()].defaultRecord.clear();
  through(kept, [&] {
    for (int step = 0; step < 10; ++step) {
      clock.now += 100;
      worker.Run();
    }
    return 0;
  });
  TQR_FUZZ_CHECK(ask(kept) == ask(fresh));
}

// A document sheet opened with the record, its Main page used in every way
// that needs no window, confirmed and closed.
inline void DriveSheet(PrinterHandle printer, const void* input) {
  const std::unique_ptr<std::uint8_t[]> output(new std::uint8_t[sizeof(DRVDEVMODE)]);
  SheetContext* context =
      OpenDocumentSheet({printer, kPrinterName, input, output.get(), kModeCopy | kModeUpdate});
  TQR_FUZZ_CHECK(context != nullptr);
  SheetState* state = context->state;
  auto modes = std::make_unique<UserPrintModes>();
  StartMainPage(state);
  FillBuiltInModeDescriptions(state);
  TQR_FUZZ_CHECK(LoadPrintModeList(modes.get()));
  NoteModeMismatch(state, modes.get());
  DescribeMainPage(state);
  for (const PaperRole role : {PaperRole::kPage, PaperRole::kOutput}) {
    DescribePaperLabel(state, role);
  }
  for (const MainPicture picture : {MainPicture::kPage, MainPicture::kArrow, MainPicture::kOutput}) {
    MainPictureBitmap(state, picture);
  }
  DescribeLargePicture(state, modes.get());
  // Every mode listed can be chosen, and only then is selected: the page
  // never selects a mode it has no record for.
  for (std::uint16_t position = 0; position < modes->count; ++position) {
    ChoosePrintModeAt(state, modes.get(), position);
    TQR_FUZZ_CHECK(state->printModeListPosition == position);
    TQR_FUZZ_CHECK(GetPrintModeRecord(state, modes.get(), state->printMode->currentId) != nullptr);
    DescribeMainPage(state);
    DescribeLargePicture(state, modes.get());
  }
  ChoosePrintModeAt(state, modes.get(), modes->count);
  ChooseDefaultPrintMode(state, modes.get());
  ToggleMirror(state, state->mirror.current == 1);
  ConfirmMainPage(state);
  FinishDocumentSheet(context, kSheetResultOk);
  CheckHandedOut(output.get());
  CloseDocumentSheet(&context);
  TQR_FUZZ_CHECK(context == nullptr);
}

}  // namespace tqr::fuzz
