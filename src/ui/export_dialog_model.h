// The Save as and Open dialogs without their windows: the rules a typed file
// name must pass, the messages each failure shows, and what OK does step by
// step, against the small view of the dialog that ExportDialogWindow gives.
// Save as puts the Save page's working record into an export file; Open
// reads one record of a file into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "presets/print_mode_record.h"

namespace tqr {

enum class ExportDialogKind { kSaveAs, kOpen };

// The file-name part the dialogs keep: 15 UTF-16 units and a NUL. A longer
// name is refused before it is kept (FollowsFileNameRule).
constexpr std::size_t kExportFileNameUnits = 16;
// The combo's text and every directory pattern: 127 units and a NUL.
constexpr std::size_t kExportPathUnits = 128;
// Disk space a new export file needs, in bytes: more than this.
constexpr std::uint64_t kExportSpaceNeeded = 796;
// Set when Open refused a record whose title a user preset has; the icon
// list then keeps the file's records.
constexpr std::uint16_t kTitleClashFlag = 8;

extern const char16_t kExportFilePattern[];  // "*.cfg"
extern const char16_t kDeviceNameMessage[];
extern const char16_t kIllegalFileNameMessage[];  // "%s\nIllegal filename."
extern const char16_t kReadOnlyFileMessage[];     // "%s\nIllegal filename.\nUse a different name."
extern const char16_t kExtensionMessage[];
extern const char16_t kTooManyPresetsMessage[];
extern const char16_t kFileNotFoundMessage[];  // "File %s was not found..."
extern const char16_t kFormatMismatchMessage[];
extern const char16_t kFileCreationMessage[];
extern const char16_t kOverwriteExportMessage[];  // "Title `%s` already exists..."
extern const char16_t kImportTitleClashMessage[];
extern const char16_t kDriveMissingMessage[];  // "Drive %s is not available..."
extern const char16_t kPathMissingMessage[];   // "Path %s does not exist..."
extern const char16_t kDriveNotReadyMessage[];

// `format` with its one "%s" replaced by `argument`.
std::u16string FormatExportMessage(const char16_t* format, std::u16string_view argument);

// --- file names -----------------------------------------------------------------

// "con", "aux", "prn", "nul" or "clock", alone or before a ".", ASCII
// letters in either case.
bool IsReservedDeviceName(std::u16string_view part);
// No ":;<>?/*|", double quote or space; 1 to 8 bytes before the first "."
// (a character above U+00FF counts 2); and short enough for the kept part.
bool FollowsFileNameRule(std::u16string_view part);

struct ExtensionResult {
  bool accepted = false;
  std::u16string name;  // the part with the extension it gets
};
// ".cfg" added without a ".", "cfg" after a final "."; otherwise the text
// after the first "." (Save as) or the last "." (Open) must be "cfg" in any
// case.
ExtensionResult ApplyExtensionRule(ExportDialogKind kind, std::u16string_view part);

// The first failure among the device names, the file name rule and the
// extension rule, as the message to show; on success an empty message and
// the name with its extension. A name that would outgrow the kept part
// once its extension is added fails as an illegal name.
struct NameCheck {
  std::u16string message;
  std::u16string name;
};
NameCheck CheckExportFileName(ExportDialogKind kind, std::u16string_view part);

// The typed text split after its last ":" or "\": the path keeps the
// separator.
struct SplitName {
  std::u16string path;
  std::u16string part;
};
SplitName SplitExportName(std::u16string_view text);

// --- directories ----------------------------------------------------------------

// The drive root of the Windows directory followed by "*.cfg"; "C:\*.cfg"
// without one.
std::u16string StartingDirectoryPattern(std::u16string_view windowsDirectory);
// The root a pattern names as its directory ("C:\" of "C:\*.cfg", "\" of
// "\*.cfg"); empty for a pattern in any other directory. The directory-list
// calls make current what stands before the pattern's last "\", which of a
// root is "C:" or nothing: the drive's current directory, not its root. So
// a root is made current first and the pattern listed without it.
std::u16string RootOfPattern(std::u16string_view pattern);
// Where a double click in the directory list leads: the selection followed
// by "*.cfg" for a directory or drive, "*.cfg" alone otherwise.
std::u16string DirectoryPattern(std::u16string_view selection, bool isDirectoryOrDrive);

// Disk space as GetDiskFreeSpaceW reports it.
struct DiskSpace {
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
};
// Whether there is room for a new export file; the product of the three
// counts is taken without overflow.
bool HasRoomForExport(const DiskSpace& space);

// --- records --------------------------------------------------------------------

// Whether a record read from an export file can become a user preset: an
// icon the driver has, and a title the Save page keeps as it is: not empty,
// no spaces, and not cut (at most 8 bytes in the ANSI code page, or 9 where
// a double-byte character starts at byte 7).
bool IsImportableRecord(const PrintModeRecord& record);

// The records of the file `name` names, as the icon list shows them; none
// for a name the ANSI code page cannot carry.
std::vector<PrintModeRecord> ListExportRecordsNamed(const std::u16string& name);

// --- the dialog -----------------------------------------------------------------

// What OK needs from the dialog's window and the system around it. The
// Win32 half answers with the controls, the directory-list calls and
// message boxes; tests answer with a script.
class ExportDialogWindow {
 public:
  virtual ~ExportDialogWindow() = default;
  virtual std::u16string ComboText() = 0;
  virtual void SetComboText(const std::u16string& text) = 0;
  virtual void FocusCombo() = 0;
  // Refills the icon list with the records of the file `name` names (none
  // for an empty name) and selects the first.
  virtual void ListRecords(const std::u16string& name) = 0;
  // The icon list's selection; -1 for none.
  virtual int SelectedRecord() = 0;
  // Whether `name` opens as something other than a disk file.
  virtual bool OpensAsDevice(const std::u16string& name) = 0;
  // Lists the directories and drives of `pattern`, which makes its directory
  // current, and refills the file combo. After OK named a path and a file
  // (`keepTypedName`) the combo keeps no selection, so that the typed name
  // stays; otherwise its first file is selected and listed. False, with
  // nothing changed, when `pattern` cannot be listed.
  virtual bool ListDirectory(const std::u16string& pattern, bool keepTypedName) = 0;
  // False when the free space cannot be read.
  virtual bool FreeSpace(DiskSpace* space) = 0;
  virtual void Warn(const std::u16string& text) = 0;
  // OK/Cancel (or Retry/Cancel when `retry`); true for OK or Retry.
  virtual bool Ask(const std::u16string& text, bool retry) = 0;
};

// What both dialogs keep besides their windows.
struct ExportDialogModel {
  ExportDialogKind kind = ExportDialogKind::kSaveAs;
  // The Save page's working record: written by Save as, filled by Open.
  PrintModeRecord* working = nullptr;
  // The user presets, loaded when the dialog starts; none when the user
  // print mode file cannot be read.
  std::vector<PrintModeRecord> userRecords;
  std::uint16_t titleClash = 0;
  char16_t fileName[kExportFileNameUnits] = {};
};

// Starts a dialog's model: the user presets loaded.
ExportDialogModel StartExportDialog(ExportDialogKind kind, PrintModeRecord* working);

// A double click in the directory list, or a step that changes directory:
// a pattern that cannot be listed asks "Cannot set up this drive." until the
// user gives up, which puts the focus on the combo. True when listed.
bool EnterDirectory(ExportDialogWindow& window, const std::u16string& pattern, bool keepTypedName);

// OK. True when the dialog is done and closes with 1: Save as wrote the
// working record into the file, Open read the selected record into it.
bool PressExportOk(ExportDialogModel* model, ExportDialogWindow& window);

}  // namespace tqr
