#include "presets/print_mode_file.h"

#include <bit>
#include <cstring>
#include <memory>
#include <optional>

#include "platform/ports.h"
#include "presets/file_rewrite.h"

namespace tqr {
namespace {

// Records go to and from the file as they lie in memory.
static_assert(std::endian::native == std::endian::little);

constexpr char16_t kSignature[] = u"TQR54VNT";
constexpr std::size_t kSignatureUnits = 8;
constexpr std::size_t kSignatureSize = 2 * kSignatureUnits;
constexpr std::size_t kOrderSize = 2 * kMaxPrintModes;
static_assert(kUserFileOrderOffset + kOrderSize == kUserFileRecordsOffset);

// The signature's letters match in either case, every other unit exactly.
// Every reader takes the file by this one rule: a file the export and
// import dialogs read must not be one the Main page takes for a stranger's
// and replaces.
bool IsOurSignature(const std::uint8_t* bytes) {
  const auto fold = [](std::uint16_t unit) -> std::uint16_t {
    return unit >= u'a' && unit <= u'z' ? static_cast<std::uint16_t>(unit - u'a' + u'A') : unit;
  };
  for (std::size_t i = 0; i < kSignatureUnits; ++i) {
    if (fold(GetLe16(bytes + 2 * i)) != kSignature[i]) return false;
  }
  return true;
}

struct Header {
  std::uint16_t count = 0;
  std::uint16_t order[kMaxPrintModes] = {};
};

// kMissing: no file there; kUnreadable: a file there that could not be
// opened or read, whose content is unknown.
enum class HeaderRead { kRead, kNoDirectory, kMissing, kUnreadable, kOtherSignature, kShort };

HeaderRead HeaderReadOf(ExactRead read, HeaderRead ended) {
  return read == ExactRead::kFailed ? HeaderRead::kUnreadable : ended;
}

// The first count entries name each mode number below count exactly once.
bool IsPermutation(const Header& header) {
  bool seen[kMaxPrintModes] = {};
  for (std::size_t p = 0; p < header.count; ++p) {
    const std::uint16_t mode = header.order[p];
    if (mode >= header.count || seen[mode]) return false;
    seen[mode] = true;
  }
  return true;
}

// Makes the first `count` order entries name each mode 0 .. count - 1 once,
// where count is how many modes the file holds records for: of the first
// `significant` entries, those naming another mode, or one named before,
// are dropped, and modes no entry named follow in number order. A damaged
// order then still lists every mode the file holds, and no mode without a
// record.
void RepairOrder(std::uint16_t* order, std::uint16_t significant, std::uint16_t count) {
  bool listed[kMaxPrintModes] = {};
  std::uint16_t kept = 0;
  for (std::uint16_t p = 0; p < significant && p < kMaxPrintModes; ++p) {
    const std::uint16_t mode = order[p];
    if (mode >= count || listed[mode]) continue;
    listed[mode] = true;
    order[kept++] = mode;
  }
  for (std::uint16_t mode = 0; mode < count; ++mode) {
    if (!listed[mode]) order[kept++] = mode;
  }
}

// The count and display order of a header of kUserFileRecordsOffset bytes
// whose signature was checked.
Header HeaderOf(const std::uint8_t* bytes) {
  Header header;
  header.count = GetLe16(bytes + kUserFileCountOffset);
  for (std::size_t i = 0; i < kMaxPrintModes; ++i) {
    header.order[i] = GetLe16(bytes + kUserFileOrderOffset + 2 * i);
  }
  return header;
}

// How many whole user records a file of `size` bytes holds after its
// header, when it holds exactly that many and no part of another.
std::optional<std::uint16_t> ExactRecords(std::uint64_t size) {
  if (size < kUserFileRecordsOffset) return std::nullopt;
  const std::uint64_t records = size - kUserFileRecordsOffset;
  if (records % sizeof(PrintModeRecord) != 0 ||
      records / sizeof(PrintModeRecord) > kMaxUserPrintModes) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(records / sizeof(PrintModeRecord));
}

// A count too small to list even the built-in modes is one damaged field
// when the file holds exactly whole records after its header: the file's
// length says how many, and the presets are taken back rather than lost
// to the default file. The order is made to name them all.
void RepairCount(Header* header, std::uint64_t size) {
  if (header->count >= kBuiltInPrintModes) return;
  const auto records = ExactRecords(size);
  if (!records) return;
  header->count = static_cast<std::uint16_t>(kBuiltInPrintModes + *records);
  RepairOrder(header->order, header->count, header->count);
}

// The whole content of a user print mode file as a save writes it: our
// signature, a count of 5 to 105 whose display order is sound, and exactly
// the records it counts.
bool IsWholeFile(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kUserFileRecordsOffset || !IsOurSignature(bytes.data())) return false;
  const Header header = HeaderOf(bytes.data());
  const auto records = ExactRecords(bytes.size());
  return header.count >= kBuiltInPrintModes && records &&
         header.count == kBuiltInPrintModes + *records && IsPermutation(header);
}

// The file is missing, yet a save that died may have left its content
// beside it (see FindLeftovers): the newest leftover that is a whole file
// takes the file's name, and the others go. Without one the file stays
// missing, and the Main page makes the default one.
bool RecoverFromLeftovers(FileSystem& files, const std::string& path) {
  const std::vector<Leftover> leftovers = FindLeftovers(files, path);
  const Leftover* newest = nullptr;
  for (const Leftover& leftover : leftovers) {
    const auto file = files.Open(leftover.path, FileAccess::Read, FileDisposition::OpenExisting);
    std::vector<std::uint8_t> bytes;
    if (file == nullptr || !file->ReadAll(&bytes) || !IsWholeFile(bytes)) continue;
    if (newest == nullptr || leftover.lastWrite > newest->lastWrite) newest = &leftover;
  }
  // Not over a file that appeared meanwhile: that one is newer still.
  if (newest == nullptr || !files.MoveNoReplace(newest->path, path)) return false;
  RemoveLeftovers(files, path);
  return true;
}

std::unique_ptr<FileHandle> OpenForReading(const std::string& path, OpenFailure* failure) {
  FileSystem& files = *CurrentPorts().files;
  auto file = files.Open(path, FileAccess::Read, FileDisposition::OpenExisting, failure);
  if (file == nullptr && *failure == OpenFailure::Missing && RecoverFromLeftovers(files, path)) {
    file = files.Open(path, FileAccess::Read, FileDisposition::OpenExisting, failure);
  }
  return file;
}

// Opens the file for reading and reads the signature, count and display
// order, leaving the file at the first user record.
HeaderRead OpenAndReadHeader(std::unique_ptr<FileHandle>* file, Header* header) {
  const std::string path = UserPrintModeFilePath();
  if (path.empty()) return HeaderRead::kNoDirectory;
  OpenFailure failure = OpenFailure::None;
  *file = OpenForReading(path, &failure);
  if (*file == nullptr) {
    return failure == OpenFailure::Missing ? HeaderRead::kMissing : HeaderRead::kUnreadable;
  }
  std::uint8_t bytes[kUserFileRecordsOffset];
  ExactRead read = ReadExactlyOrEnd(**file, bytes, kSignatureSize);
  if (read != ExactRead::kRead) return HeaderReadOf(read, HeaderRead::kOtherSignature);
  if (!IsOurSignature(bytes)) return HeaderRead::kOtherSignature;
  read = ReadExactlyOrEnd(**file, bytes + kSignatureSize, sizeof bytes - kSignatureSize);
  if (read != ExactRead::kRead) return HeaderReadOf(read, HeaderRead::kShort);
  *header = HeaderOf(bytes);
  std::uint64_t size = 0;
  if ((*file)->GetSize(&size)) RepairCount(header, size);
  return HeaderRead::kRead;
}

// Reads up to `wanted` whole records; returns how many arrived before the
// file ended. `failed` (optional) says whether a read failed instead.
std::size_t ReadRecords(FileHandle& file, PrintModeRecord* records, std::size_t wanted,
                        bool* failed = nullptr) {
  std::size_t read = 0;
  ExactRead last = ExactRead::kRead;
  while (read < wanted &&
         (last = ReadExactlyOrEnd(file, &records[read], sizeof(PrintModeRecord))) ==
             ExactRead::kRead) {
    TerminateTexts(&records[read]);
    ++read;
  }
  if (failed != nullptr) *failed = last == ExactRead::kFailed;
  return read;
}

std::vector<std::uint8_t> EncodeFile(std::uint16_t count, const std::uint16_t* order,
                                     const PrintModeRecord* records, std::size_t recordCount) {
  std::vector<std::uint8_t> bytes(kUserFileRecordsOffset + recordCount * sizeof(PrintModeRecord));
  for (std::size_t i = 0; i < kSignatureUnits; ++i) PutLe16(&bytes[2 * i], kSignature[i]);
  PutLe16(&bytes[kUserFileCountOffset], count);
  for (std::size_t i = 0; i < kMaxPrintModes; ++i) {
    PutLe16(&bytes[kUserFileOrderOffset + 2 * i], order[i]);
  }
  for (std::size_t k = 0; k < recordCount; ++k) {
    PrintModeRecord record = records[k];
    TerminateTexts(&record);
    std::memcpy(&bytes[kUserFileRecordsOffset + k * sizeof record], &record, sizeof record);
  }
  return bytes;
}

}  // namespace

std::string UserPrintModeFilePath() {
  Machine* machine = CurrentPorts().machine;
  const std::string directory = machine != nullptr ? machine->SystemDirectory() : std::string();
  return directory.empty() ? std::string() : directory + kUserPrintModeFileName;
}

bool CreateDefaultPrintModeFile() {
  const std::string path = UserPrintModeFilePath();
  if (path.empty()) return false;
  FileSystem& files = *CurrentPorts().files;
  bool exists = false;
  {
    // A file that exists but that this user may not change stays as it is,
    // as truncating it in place would have refused.
    OpenFailure failure = OpenFailure::None;
    const auto existing =
        files.Open(path, FileAccess::ReadWrite, FileDisposition::OpenExisting, &failure);
    if (existing == nullptr && failure != OpenFailure::Missing) return false;
    exists = existing != nullptr;
  }  // closed: the copy below opens it again
  // A file that is there but could not be read may still hold presets: it
  // is kept aside, over an older one kept before, and is not replaced when
  // it cannot be.
  if (exists && !files.Copy(path, path + kSetAsideSuffix)) return false;
  std::uint16_t order[kMaxPrintModes] = {};
  for (std::uint16_t mode = 0; mode < kBuiltInPrintModes; ++mode) order[mode] = mode;
  return RewriteWholeFile(files, path, EncodeFile(kBuiltInPrintModes, order, nullptr, 0),
                          Publish::kReplace);
}

UserFileRead ReadUserPrintModes(UserPrintModes* modes) {
  modes->count = 0;
  modes->userCount = 0;
  std::unique_ptr<FileHandle> file;
  Header header;
  switch (OpenAndReadHeader(&file, &header)) {
    case HeaderRead::kRead:
      break;
    case HeaderRead::kNoDirectory:
      return UserFileRead::kNoDirectory;
    case HeaderRead::kMissing:
      return UserFileRead::kNotOpened;
    case HeaderRead::kUnreadable:
      return UserFileRead::kUnreadable;
    case HeaderRead::kOtherSignature:
    case HeaderRead::kShort:
      return UserFileRead::kUnusable;
  }
  if (header.count < kBuiltInPrintModes) return UserFileRead::kUnusable;
  const std::uint16_t count = header.count < kMaxPrintModes ? header.count : kMaxPrintModes;
  std::memcpy(modes->order, header.order, sizeof modes->order);
  bool failed = false;
  modes->userCount = static_cast<std::uint16_t>(ReadRecords(
      *file, modes->user, static_cast<std::size_t>(count - kBuiltInPrintModes), &failed));
  if (failed) {
    modes->userCount = 0;
    return UserFileRead::kUnreadable;
  }
  modes->count = static_cast<std::uint16_t>(kBuiltInPrintModes + modes->userCount);
  RepairOrder(modes->order, count, modes->count);
  return UserFileRead::kRead;
}

bool ReadPrintModeOrder(PrintModeOrder* order) {
  std::unique_ptr<FileHandle> file;
  Header header;
  if (OpenAndReadHeader(&file, &header) != HeaderRead::kRead) return false;
  order->count = header.count < kMaxPrintModes ? header.count : kMaxPrintModes;
  std::memcpy(order->order, header.order, sizeof order->order);
  // The modes the file holds records for, as the Main page will list them.
  std::uint64_t size = 0;
  if (order->count >= kBuiltInPrintModes && file->GetSize(&size)) {
    const std::uint64_t whole =
        size > kUserFileRecordsOffset ? (size - kUserFileRecordsOffset) / sizeof(PrintModeRecord) : 0;
    const std::uint16_t significant = order->count;
    if (whole < std::uint64_t{order->count} - kBuiltInPrintModes) {
      order->count = static_cast<std::uint16_t>(kBuiltInPrintModes + whole);
    }
    RepairOrder(order->order, significant, order->count);
  }
  return true;
}

bool IsModeListed(const PrintModeOrder& order, std::uint16_t mode) {
  return FindModePosition(order.order, order.count, mode) != kPositionNotFound;
}

bool LoadPrintModeStore(PrintModeStore* store) {
  std::unique_ptr<FileHandle> file;
  Header header;
  if (OpenAndReadHeader(&file, &header) != HeaderRead::kRead) return false;
  if (header.count < kBuiltInPrintModes || header.count > kMaxPrintModes) return false;
  if (!IsPermutation(header)) return false;
  const std::size_t wanted = header.count - kBuiltInPrintModes;
  std::vector<PrintModeRecord> user(wanted);
  if (ReadRecords(*file, user.data(), wanted) != wanted) return false;
  store->count = header.count;
  std::memcpy(store->order, header.order, sizeof store->order);
  store->user = std::move(user);
  return true;
}

bool WritePrintModeStore(const PrintModeStore& store) {
  // Only a store that loads again is written.
  if (store.count < kBuiltInPrintModes || store.count > kMaxPrintModes ||
      store.user.size() != static_cast<std::size_t>(store.count - kBuiltInPrintModes)) {
    return false;
  }
  const std::string path = UserPrintModeFilePath();
  if (path.empty()) return false;
  FileSystem& files = *CurrentPorts().files;
  {
    // Opened for writing as well as reading, so that a file this user may
    // not change is refused here and not only by the final move.
    auto file = files.Open(path, FileAccess::ReadWrite, FileDisposition::OpenExisting);
    std::uint8_t signature[kSignatureSize];
    if (file == nullptr || !ReadExactly(*file, signature, sizeof signature) ||
        !IsOurSignature(signature)) {
      return false;
    }
  }
  return RewriteWholeFile(
      files, path, EncodeFile(store.count, store.order, store.user.data(), store.user.size()),
      Publish::kReplace);
}

bool IsPrintModeStoreWritable() { return CheckPrintModeStoreAccess() == StoreAccess::kWritable; }

StoreAccess CheckPrintModeStoreAccess() {
  const std::string path = UserPrintModeFilePath();
  if (path.empty()) return StoreAccess::kDenied;
  return CheckRewriteAccess(*CurrentPorts().files, path);
}

bool LoadUserPrintModeRecords(std::vector<PrintModeRecord>* records) {
  records->clear();
  const std::string path = UserPrintModeFilePath();
  if (path.empty()) return false;
  OpenFailure failure = OpenFailure::None;
  auto file = OpenForReading(path, &failure);
  std::uint8_t head[kUserFileOrderOffset];
  if (file == nullptr || !ReadExactly(*file, head, sizeof head) || !IsOurSignature(head)) {
    return false;
  }
  std::uint16_t count = GetLe16(head + kUserFileCountOffset);
  std::uint64_t size = 0;
  if (count < kBuiltInPrintModes && file->GetSize(&size)) {
    count = static_cast<std::uint16_t>(kBuiltInPrintModes + ExactRecords(size).value_or(0));
  }
  if (count <= kBuiltInPrintModes) return true;
  const std::size_t wanted =
      count < kMaxPrintModes ? count - kBuiltInPrintModes : std::size_t{kMaxUserPrintModes};
  std::vector<PrintModeRecord> block(wanted);
  if (!file->Seek(kUserFileRecordsOffset) || ReadRecords(*file, block.data(), wanted) != wanted) {
    return false;
  }
  *records = std::move(block);
  return true;
}

}  // namespace tqr
