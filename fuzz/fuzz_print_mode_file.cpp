// The user print mode file is outside input: any program, an older driver or
// a half-finished copy may have left any bytes in it. Every reader must stay
// inside the file and its own arrays and end every text it hands on; a store
// that loads must write back a file that loads to the same store; and a
// rewrite that fails must leave the old bytes exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "presets/print_mode_file.h"

namespace {

using tqr::PrintModeRecord;
using tqr::PrintModeStore;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kRecordSize = sizeof(PrintModeRecord);

void CheckTerminated(const PrintModeRecord& record) {
  TQR_FUZZ_CHECK(record.Title[tqr::kPrintModeTitleLength - 1] == u'\0');
  TQR_FUZZ_CHECK(record.Description[tqr::kPrintModeDescriptionLength - 1] == u'\0');
}

bool SameStore(const PrintModeStore& a, const PrintModeStore& b) {
  return a.count == b.count && std::memcmp(a.order, b.order, sizeof a.order) == 0 &&
         a.user.size() == b.user.size() &&
         (a.user.empty() ||
          std::memcmp(a.user.data(), b.user.data(), a.user.size() * kRecordSize) == 0);
}

// The store invariant every edit keeps.
void CheckStore(const PrintModeStore& store) {
  TQR_FUZZ_CHECK(store.count >= tqr::kBuiltInPrintModes && store.count <= tqr::kMaxPrintModes);
  TQR_FUZZ_CHECK(store.user.size() == static_cast<std::size_t>(store.count - 5));
  bool seen[tqr::kMaxPrintModes] = {};
  for (std::size_t p = 0; p < store.count; ++p) {
    TQR_FUZZ_CHECK(store.order[p] < store.count && !seen[store.order[p]]);
    seen[store.order[p]] = true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tqr::fake::FakeFileSystem files;
  tqr::fake::FakeMachine machine;
  const tqr::ScopedPorts scoped(tqr::Ports{&files, nullptr, &machine});
  const std::string path = tqr::UserPrintModeFilePath();
  const Bytes input(data, data + size);
  files.PutBytes(path, input);
  PrintModeRecord builtIn[tqr::kBuiltInPrintModes] = {};

  // The Main page.
  auto modes = std::make_unique<tqr::UserPrintModes>();
  const tqr::UserFileRead mainRead = tqr::ReadUserPrintModes(modes.get());
  if (mainRead == tqr::UserFileRead::kRead) {
    TQR_FUZZ_CHECK(modes->count >= 5 && modes->count <= tqr::kMaxPrintModes);
    TQR_FUZZ_CHECK(modes->userCount <= modes->count - 5);
    TQR_FUZZ_CHECK(tqr::kUserFileRecordsOffset + modes->userCount * kRecordSize <= size);
    for (std::size_t k = 0; k < modes->userCount; ++k) CheckTerminated(modes->user[k]);
    const tqr::PrintModeListView view = modes->View(builtIn);
    for (std::uint16_t p = 0; p <= modes->count; ++p) {
      TQR_FUZZ_CHECK(tqr::GetTitleAtPosition(view, p).size() < tqr::kPrintModeTitleLength);
    }
    tqr::FindPrintModeTitle(view, u"Photo");
  } else {
    TQR_FUZZ_CHECK(modes->count == 0 && modes->userCount == 0);
  }

  // The check of the print mode in effect.
  tqr::PrintModeOrder order;
  const bool orderRead = tqr::ReadPrintModeOrder(&order);
  TQR_FUZZ_CHECK(!orderRead || (size >= tqr::kUserFileRecordsOffset && order.count <= 105));
  TQR_FUZZ_CHECK(orderRead || mainRead != tqr::UserFileRead::kRead);
  if (orderRead) tqr::IsModeListed(order, 5);

  // The export and import dialogs.
  std::vector<PrintModeRecord> records;
  if (tqr::LoadUserPrintModeRecords(&records)) {
    TQR_FUZZ_CHECK(records.size() <= tqr::kMaxUserPrintModes);
    TQR_FUZZ_CHECK(records.empty() ||
                   tqr::kUserFileRecordsOffset + records.size() * kRecordSize <= size);
    for (const auto& record : records) CheckTerminated(record);
  } else {
    TQR_FUZZ_CHECK(records.empty());
  }

  // The Save page.
  PrintModeStore store;
  store.builtIn = builtIn;
  const bool loaded = tqr::LoadPrintModeStore(&store);
  TQR_FUZZ_CHECK(files.At(path).bytes == input);  // reading never writes
  if (!loaded) {
    // Nothing to edit; a write of a fresh store is taken only over a file
    // with our signature, its letters in either case as every reader takes
    // them, and then leaves the default file.
    PrintModeStore fresh;
    fresh.count = 5;
    for (std::uint16_t m = 0; m < 5; ++m) fresh.order[m] = m;
    bool ours = size >= 16;
    for (std::size_t i = 0; ours && i < 8; ++i) {
      const char16_t unit = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
      const char16_t upper = unit >= u'a' && unit <= u'z' ? unit - u'a' + u'A' : unit;
      ours = upper == u"TQR54VNT"[i];
    }
    TQR_FUZZ_CHECK(tqr::WritePrintModeStore(fresh) == ours);
    TQR_FUZZ_CHECK(ours || files.At(path).bytes == input);
    return 0;
  }
  CheckStore(store);
  TQR_FUZZ_CHECK(mainRead == tqr::UserFileRead::kRead && modes->count == store.count &&
                 modes->userCount == store.user.size());
  for (const auto& record : store.user) CheckTerminated(record);

  // A write cut anywhere short of its end changes nothing.
  const std::uint8_t pick = size > 0 ? data[size - 1] : 0;
  const std::size_t written = tqr::kUserFileRecordsOffset + store.user.size() * kRecordSize;
  files.writeBudget = (std::size_t{pick} * 37) % written;
  TQR_FUZZ_CHECK(!tqr::WritePrintModeStore(store));
  files.writeBudget = static_cast<std::size_t>(-1);
  TQR_FUZZ_CHECK(files.At(path).bytes == input && files.Paths().size() == 1);

  // Edits picked by the last byte, written and loaded back.
  std::uint16_t deleted = 0;
  tqr::DeletePrintMode(&store, static_cast<std::uint16_t>(pick % store.count), &deleted);
  CheckStore(store);
  tqr::MovePrintModeUp(&store, static_cast<std::uint16_t>(pick % store.count));
  tqr::MovePrintModeDown(&store, static_cast<std::uint16_t>((pick / 3) % store.count));
  store.working = builtIn[0];
  tqr::AppendPrintMode(&store);
  tqr::OverwritePrintMode(&store, static_cast<std::uint16_t>(store.count - 1));
  CheckStore(store);
  TQR_FUZZ_CHECK(tqr::WritePrintModeStore(store));
  TQR_FUZZ_CHECK(files.At(path).bytes.size() == 228 + store.user.size() * kRecordSize);
  PrintModeStore again;
  TQR_FUZZ_CHECK(tqr::LoadPrintModeStore(&again) && SameStore(store, again));
  TQR_FUZZ_CHECK(files.Paths().size() == 1);
  return 0;
}
