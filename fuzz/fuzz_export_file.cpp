// Export files come from anywhere the user browses to. Listing and reading
// single records must agree and stay inside the file whatever its count
// claims, and writing a record into it either rewrites it whole, as the
// format says, or leaves it exactly as it was.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"
#include "presets/export_file.h"

namespace {

using tqr::PrintModeRecord;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kRecordSize = sizeof(PrintModeRecord);
constexpr std::size_t kHeaderSize = tqr::kExportHeaderSize;
const std::string kPath = "D:\\presets\\fuzz.cfg";

bool SameRecord(const PrintModeRecord& a, const PrintModeRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::uint16_t Count(const Bytes& bytes) {
  return static_cast<std::uint16_t>(bytes[tqr::kExportCountOffset] |
                                    bytes[tqr::kExportCountOffset + 1] << 8);
}

// Writes `record` and checks the outcome against what the file held.
void Write(tqr::fake::FakeFileSystem& files, const Bytes& input,
           const std::vector<PrintModeRecord>& listed, const PrintModeRecord& record,
           std::uint8_t cut) {
  const bool header =
      input.size() >= kHeaderSize && std::memcmp(input.data(), u"TQR54GFX", 18) == 0;
  const std::size_t count = header ? Count(input) : 0;
  std::size_t match = listed.size();
  for (std::size_t j = 0; j < listed.size(); ++j) {
    if (tqr::TitleOf(listed[j]) == tqr::TitleOf(record)) {
      match = j;
      break;
    }
  }
  const bool appends = match == listed.size();
  const bool writable = header && listed.size() == count && !(appends && count == 0xFFFF);
  const std::size_t newCount = appends ? count + 1 : count;

  // Cut short, nothing changes.
  files.PutBytes(kPath, input);
  if (writable) {
    files.writeBudget = (std::size_t{cut} * 41) % (kHeaderSize + newCount * kRecordSize);
    TQR_FUZZ_CHECK(!tqr::WriteExportRecord(kPath, record));
    files.writeBudget = static_cast<std::size_t>(-1);
    TQR_FUZZ_CHECK(files.At(kPath).bytes == input && files.Paths().size() == 1);
  }

  TQR_FUZZ_CHECK(tqr::WriteExportRecord(kPath, record) == writable);
  TQR_FUZZ_CHECK(files.Paths().size() == 1);
  const Bytes& after = files.At(kPath).bytes;
  if (!writable) {
    TQR_FUZZ_CHECK(after == input);
    return;
  }
  TQR_FUZZ_CHECK(after.size() == kHeaderSize + newCount * kRecordSize);
  TQR_FUZZ_CHECK(std::memcmp(after.data(), input.data(), tqr::kExportCountOffset) == 0);
  const auto relisted = tqr::ListExportRecords(kPath);
  TQR_FUZZ_CHECK(relisted.size() == newCount);
  for (std::size_t j = 0; j < newCount; ++j) {
    TQR_FUZZ_CHECK(SameRecord(relisted[j], j == match ? record : listed[j]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tqr::fake::FakeFileSystem files;
  tqr::fake::FakeMachine machine;
  const tqr::ScopedPorts scoped(tqr::Ports{&files, nullptr, &machine});
  const Bytes input(data, data + size);
  files.PutBytes(kPath, input);

  const std::vector<PrintModeRecord> listed = tqr::ListExportRecords(kPath);
  TQR_FUZZ_CHECK(listed.empty() || kHeaderSize + listed.size() * kRecordSize <= size);
  for (const auto& record : listed) {
    TQR_FUZZ_CHECK(record.Title[tqr::kPrintModeTitleLength - 1] == u'\0');
    TQR_FUZZ_CHECK(record.Description[tqr::kPrintModeDescriptionLength - 1] == u'\0');
  }

  // Single reads agree with the listing.
  const std::size_t n = listed.size();
  for (std::size_t j :
       {std::size_t{0}, std::size_t{1}, n == 0 ? 0 : n - 1, n, n + 1, std::size_t{0xFFFF}}) {
    PrintModeRecord record = {};
    const bool read = tqr::ReadExportRecord(kPath, static_cast<std::uint16_t>(j), &record) ==
                      tqr::ExportRead::kRead;
    TQR_FUZZ_CHECK(read == (j < n));
    TQR_FUZZ_CHECK(!read || SameRecord(record, listed[j]));
  }

  // A record with a title of its own, and one with the first listed title.
  const std::uint8_t cut = size > 0 ? data[size - 1] : 0;
  PrintModeRecord fresh = {};
  std::memcpy(fresh.Title, u"Fuzzed", sizeof u"Fuzzed");
  fresh.IconIndex = 46;
  Write(files, input, listed, fresh, cut);
  if (!listed.empty()) {
    PrintModeRecord same = listed[0];
    same.PMDataMode ^= 0xFFFF;
    Write(files, input, listed, same, cut);
  }
  return 0;
}
