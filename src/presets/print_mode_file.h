// The user print mode file "\Tqr54usr.cfg" in the system directory: one per
// machine, shared by every user. It keeps the user presets and the order of
// the whole print mode list:
//
//   0    16   signature "TQR54VNT", 8 UTF-16LE units without a NUL; its
//             letters are matched in either case wherever the file is read
//   16   2    count of list entries, built-in modes included (5 to 105)
//   18   210  display order: 105 mode numbers, the first count significant
//   228  568 x (count - 5) user records, mode 5 first
//
// The file comes from disk and may hold anything. What each reader does with
// a count outside 5 to 105, or with fewer records than the count claims, is
// said at the reader; none reads past its arrays or past the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "presets/file_rewrite.h"
#include "presets/print_mode_list.h"
#include "presets/print_mode_record.h"
#include "presets/print_mode_store.h"

namespace tqr {

constexpr char kUserPrintModeFileName[] = "\\Tqr54usr.cfg";
// Appended to the file's name for the copy kept of a file that is replaced
// by the default one.
constexpr char kSetAsideSuffix[] = ".bak";
constexpr std::size_t kUserFileCountOffset = 16;
constexpr std::size_t kUserFileOrderOffset = 18;
constexpr std::size_t kUserFileRecordsOffset = 228;

// The system directory followed by the file name; empty when the system
// directory cannot be found.
std::string UserPrintModeFilePath();

// Creates or replaces the file with the five built-in entries in their own
// order and no user records (228 bytes). A file it replaces is first kept
// as the file's name + ".bak"; when that copy fails nothing is replaced.
bool CreateDefaultPrintModeFile();

// The Main page's copy of the file.
struct UserPrintModes {
  std::uint16_t count;  // at most 105
  std::uint16_t order[kMaxPrintModes];
  std::uint16_t userCount;  // records actually read
  PrintModeRecord user[kMaxUserPrintModes];

  // Display order entries without a record (a file shorter than its count
  // claims) yield no record through this view.
  PrintModeListView View(const PrintModeRecord* builtIn) const {
    return PrintModeListView{builtIn, user, userCount, order, count};
  }
};

enum class UserFileRead {
  kRead,
  kNoDirectory,  // the system directory is unknown: there is no file to create
  kNotOpened,    // there is no file
  // A file is there but could not be opened or read through: what it holds
  // is unknown, and it is left as it is.
  kUnreadable,
  // Another signature, or a header too short or a count below 5 to list even
  // the built-in modes. The caller may replace it with the default file,
  // which keeps a copy of it aside first.
  kUnusable,
};

// Reads the file for the Main page. A count above 105 is taken as 105 and
// the user records as far as the file holds whole ones (at most 100); the
// list then holds the modes with records, each once, in the file's order
// as far as that names them. On anything but kRead, `modes` holds count 0.
UserFileRead ReadUserPrintModes(UserPrintModes* modes);

// The signature, count and display order, for the check of the print mode in
// effect when a sheet is built, listing the modes the file holds records for
// as ReadUserPrintModes does. False when
// there is no file, another signature or a short header.
struct PrintModeOrder {
  std::uint16_t count;
  std::uint16_t order[kMaxPrintModes];
};
bool ReadPrintModeOrder(PrintModeOrder* order);
// Whether `mode` is among the first count entries.
bool IsModeListed(const PrintModeOrder& order, std::uint16_t mode);

// Loads the count, display order and user records into the store. The store
// edits the list, so only a sound file loads: our signature, count 5 to
// 105, a display order whose first count entries are the mode numbers 0 to
// count - 1 each once, and every user record whole. Otherwise nothing in the
// store changes and the load fails.
bool LoadPrintModeStore(PrintModeStore* store);

// Rewrites the file from the store. Refused, with nothing written, unless the
// file exists with our signature and this user may change it. The old
// file stays whole unless the new one was written completely.
bool WritePrintModeStore(const PrintModeStore& store);

// Whether the file exists and may be rewritten: it opens for reading and
// writing, and a file can be created beside it for the rewrite.
bool IsPrintModeStoreWritable();

// Why the file may or may not be rewritten. A file another program holds
// open is no matter of rights: the user is told that the write failed, not
// that privileges are missing.
using StoreAccess = RewriteAccess;
StoreAccess CheckPrintModeStoreAccess();

// The user records for the export and import dialogs. A count of 5 or less gives no records and
// succeeds; otherwise all count - 5 records (at most 100) must be whole.
bool LoadUserPrintModeRecords(std::vector<PrintModeRecord>* records);

}  // namespace tqr
