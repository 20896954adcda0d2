#include "ui/export_dialog_model.h"

#include <algorithm>
#include <limits>

#include "platform/ports.h"
#include "presets/export_file.h"
#include "presets/print_mode_file.h"
#include "ui/save_page_model.h"

namespace tqr {

const char16_t kExportFilePattern[] = u"*.cfg";
const char16_t kDeviceNameMessage[] =
    u"This file name is reserved for a device name.\nUse another file name.";
const char16_t kIllegalFileNameMessage[] = u"%s\nIllegal filename.";
const char16_t kReadOnlyFileMessage[] = u"%s\nIllegal filename.\nUse a different name.";
const char16_t kExtensionMessage[] = u"Use file extension .CFG.";
const char16_t kTooManyPresetsMessage[] = u"Cannot save more than 100 Print Mode icons.";
const char16_t kFileNotFoundMessage[] =
    u"File %s was not found.\nCheck the correct filename and path are specified.";
const char16_t kFormatMismatchMessage[] = u"File format does not match.";
const char16_t kFileCreationMessage[] = u"Error occurred during file creation.";
const char16_t kOverwriteExportMessage[] =
    u"Title `%s` already exists.\nDo you want to overwrite it?";
const char16_t kImportTitleClashMessage[] =
    u"Title already exists.\nDelete then try to open again.";
const char16_t kDriveMissingMessage[] =
    u"Drive %s is not available.\nCheck the correct drive letter is specified.";
const char16_t kPathMissingMessage[] =
    u"Path %s does not exist.\nCheck the correct path is specified.";
const char16_t kDriveNotReadyMessage[] = u"Cannot set up this drive.";

namespace {

constexpr std::u16string_view kExtension = u"cfg";
constexpr std::size_t kLongestBaseBytes = 8;
// The ANSI form of a path: every unit may take two bytes, and the NUL.
constexpr std::size_t kAnsiPathCapacity = 2 * kExportPathUnits + 1;

constexpr std::u16string_view kDeviceNames[] = {u"con", u"aux", u"prn", u"nul", u"clock"};
constexpr std::u16string_view kForbiddenCharacters = u":;<>?/*|\" ";

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsBareDrive(std::u16string_view path) {
  if (path.size() != 2 || path[1] != u':') return false;
  const char16_t letter = LowerAscii(path[0]);
  return letter >= u'a' && letter <= u'z';
}

// Drives A and B are the floppy drives, which may simply have no disk in.
bool IsFloppyDrive(std::u16string_view path) {
  return IsBareDrive(path) && (LowerAscii(path[0]) == u'a' || LowerAscii(path[0]) == u'b');
}

bool ToFilePath(const std::u16string& name, std::string* path) {
  Machine* machine = CurrentPorts().machine;
  return machine != nullptr ? machine->WideToAnsi(name, kAnsiPathCapacity, path)
                            : NarrowToSevenBit(name, kAnsiPathCapacity, path);
}

// The kept file-name part. A name that does not fit is not kept, and never
// written past the field; the file name rule refuses it.
void KeepFileName(ExportDialogModel* model, std::u16string_view name) {
  std::fill(std::begin(model->fileName), std::end(model->fileName), u'\0');
  if (name.size() < kExportFileNameUnits) name.copy(model->fileName, name.size());
}

std::u16string KeptFileName(const ExportDialogModel& model) {
  return std::u16string(model.fileName);
}

// Each failing step of a validation tells the user and hands the combo back.
bool Refuse(ExportDialogWindow& window, const std::u16string& message) {
  window.Warn(message);
  window.FocusCombo();
  return false;
}

bool ValidateSaveAs(ExportDialogModel* model, ExportDialogWindow& window, std::u16string_view part,
                    std::string* path) {
  const NameCheck check = CheckExportFileName(model->kind, part);
  if (!check.message.empty()) return Refuse(window, check.message);
  KeepFileName(model, check.name);
  if (!ToFilePath(check.name, path)) {
    return Refuse(window, FormatExportMessage(kIllegalFileNameMessage, check.name));
  }
  DiskSpace space;
  if (!window.FreeSpace(&space) || !HasRoomForExport(space)) {
    return Refuse(window, kFileCreationMessage);
  }
  OpenFailure failure = OpenFailure::None;
  switch (ScanExportFile(*path, *model->working, &failure)) {
    case ExportScan::kWrongFormat:
      return Refuse(window, kFormatMismatchMessage);
    case ExportScan::kShortRecord:
      return Refuse(window, kFileCreationMessage);
    case ExportScan::kTitleFound:
      if (window.Ask(FormatExportMessage(kOverwriteExportMessage, TitleOf(*model->working)),
                     false)) {
        return true;
      }
      window.FocusCombo();
      return false;
    case ExportScan::kTitleNew:
      return true;
    case ExportScan::kNotOpened:
      // A file that exists but may not be written; anything else is
      // created by the write, or reported by it.
      if (failure == OpenFailure::AccessDenied) {
        return Refuse(window, FormatExportMessage(kReadOnlyFileMessage, check.name));
      }
      return true;
  }
  return false;
}

bool HasUserTitle(const ExportDialogModel& model, std::u16string_view title) {
  return std::any_of(model.userRecords.begin(), model.userRecords.end(),
                     [title](const PrintModeRecord& user) { return TitleOf(user) == title; });
}

// Validates the import and yields the record read; the same record that was
// checked is the one imported.
bool ValidateOpen(ExportDialogModel* model, ExportDialogWindow& window, std::u16string_view part,
                  int selected, PrintModeRecord* record) {
  const NameCheck check = CheckExportFileName(model->kind, part);
  if (!check.message.empty()) return Refuse(window, check.message);
  KeepFileName(model, check.name);
  if (model->userRecords.size() >= kMaxUserPrintModes) {
    return Refuse(window, kTooManyPresetsMessage);
  }
  std::string path;
  const std::u16string notFound = FormatExportMessage(kFileNotFoundMessage, check.name);
  if (!ToFilePath(check.name, &path)) return Refuse(window, notFound);
  // Without a selection the file is still opened and its header checked,
  // so that a missing or foreign file is reported as such.
  const bool chosen = selected >= 0 && selected <= std::numeric_limits<std::uint16_t>::max();
  const ExportRead reading =
      ReadExportRecord(path, chosen ? static_cast<std::uint16_t>(selected) : 0, record);
  switch (reading) {
    case ExportRead::kNotOpened:
      return Refuse(window, notFound);
    case ExportRead::kWrongFormat:
      return Refuse(window, kFormatMismatchMessage);
    case ExportRead::kNoRecord:
    case ExportRead::kRead:
      break;
  }
  // With nothing chosen there is nothing to import, and nothing to say.
  if (!chosen) return false;
  if (reading == ExportRead::kNoRecord) return Refuse(window, kFileCreationMessage);
  if (!IsImportableRecord(*record)) return Refuse(window, kFormatMismatchMessage);
  if (HasUserTitle(*model, TitleOf(*record))) {
    model->titleClash = kTitleClashFlag;
    return Refuse(window, kImportTitleClashMessage);
  }
  return true;
}

}  // namespace

std::u16string FormatExportMessage(const char16_t* format, std::u16string_view argument) {
  std::u16string text(format);
  const std::size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, argument);
  return text;
}

bool IsReservedDeviceName(std::u16string_view part) {
  for (std::u16string_view device : kDeviceNames) {
    if (EqualsIgnoringAsciiCase(part, device)) return true;
    if (part.size() > device.size() && part[device.size()] == u'.' &&
        EqualsIgnoringAsciiCase(part.substr(0, device.size()), device)) {
      return true;
    }
  }
  return false;
}

bool FollowsFileNameRule(std::u16string_view part) {
  if (part.size() >= kExportFileNameUnits) return false;
  if (part.find_first_of(kForbiddenCharacters) != std::u16string_view::npos) return false;
  const std::u16string_view base = part.substr(0, part.find(u'.'));
  std::size_t bytes = 0;
  for (char16_t c : base) bytes += c > 0xFF ? 2 : 1;
  return bytes >= 1 && bytes <= kLongestBaseBytes;
}

ExtensionResult ApplyExtensionRule(ExportDialogKind kind, std::u16string_view part) {
  ExtensionResult result;
  const std::size_t dot = kind == ExportDialogKind::kSaveAs ? part.find(u'.') : part.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    result.name = std::u16string(part) + u"." + std::u16string(kExtension);
  } else if (part.back() == u'.') {
    result.name = std::u16string(part) + std::u16string(kExtension);
  } else if (EqualsIgnoringAsciiCase(part.substr(dot + 1), kExtension)) {
    result.name = std::u16string(part);
  } else {
    return result;
  }
  result.accepted = true;
  return result;
}

NameCheck CheckExportFileName(ExportDialogKind kind, std::u16string_view part) {
  NameCheck check;
  const std::u16string illegal = FormatExportMessage(kIllegalFileNameMessage, part);
  if (IsReservedDeviceName(part)) {
    check.message = kDeviceNameMessage;
  } else if (!FollowsFileNameRule(part)) {
    check.message = illegal;
  } else if (ExtensionResult extended = ApplyExtensionRule(kind, part); !extended.accepted) {
    check.message = kExtensionMessage;
  } else if (extended.name.size() >= kExportFileNameUnits) {
    check.message = illegal;
  } else {
    check.name = std::move(extended.name);
  }
  return check;
}

SplitName SplitExportName(std::u16string_view text) {
  const std::size_t separator = text.find_last_of(u":\\");
  if (separator == std::u16string_view::npos) return SplitName{u"", std::u16string(text)};
  return SplitName{std::u16string(text.substr(0, separator + 1)),
                   std::u16string(text.substr(separator + 1))};
}

std::u16string StartingDirectoryPattern(std::u16string_view windowsDirectory) {
  const std::u16string_view root =
      windowsDirectory.size() >= 3 ? windowsDirectory.substr(0, 3) : u"C:\\";
  return std::u16string(root) + kExportFilePattern;
}

std::u16string RootOfPattern(std::u16string_view pattern) {
  const std::size_t separator = pattern.rfind(u'\\');
  if (separator == std::u16string_view::npos) return std::u16string();
  const std::u16string_view directory = pattern.substr(0, separator);
  if (!directory.empty() && !IsBareDrive(directory)) return std::u16string();
  return std::u16string(pattern.substr(0, separator + 1));
}

std::u16string DirectoryPattern(std::u16string_view selection, bool isDirectoryOrDrive) {
  return (isDirectoryOrDrive ? std::u16string(selection) : std::u16string()) + kExportFilePattern;
}

bool HasRoomForExport(const DiskSpace& space) {
  const std::uint64_t clusterBytes =
      std::uint64_t{space.sectorsPerCluster} * std::uint64_t{space.bytesPerSector};
  if (clusterBytes != 0 &&
      space.freeClusters > std::numeric_limits<std::uint64_t>::max() / clusterBytes) {
    return true;  // more than 64 bits can count
  }
  return clusterBytes * space.freeClusters > kExportSpaceNeeded;
}

bool IsImportableRecord(const PrintModeRecord& record) {
  if (record.IconIndex >= kPrintModeIconCount) return false;
  const std::u16string_view title = TitleOf(record);
  if (title.empty() || title.size() >= kPrintModeTitleLength) return false;
  // Every title the Save page keeps, and so may export, opens again.
  return CleanTitle(title) == title;
}

std::vector<PrintModeRecord> ListExportRecordsNamed(const std::u16string& name) {
  std::string path;
  if (name.empty() || !ToFilePath(name, &path)) return {};
  return ListExportRecords(path);
}

ExportDialogModel StartExportDialog(ExportDialogKind kind, PrintModeRecord* working) {
  ExportDialogModel model;
  model.kind = kind;
  model.working = working;
  // An unreadable file leaves no records: nothing to count or compare.
  LoadUserPrintModeRecords(&model.userRecords);
  return model;
}

bool EnterDirectory(ExportDialogWindow& window, const std::u16string& pattern, bool keepTypedName) {
  while (!window.ListDirectory(pattern, keepTypedName)) {
    if (!window.Ask(kDriveNotReadyMessage, true)) {
      window.FocusCombo();
      return false;
    }
  }
  return true;
}

bool PressExportOk(ExportDialogModel* model, ExportDialogWindow& window) {
  const std::u16string text = window.ComboText();
  if (text.empty()) {
    window.ListRecords(u"");
    return false;
  }
  if (window.OpensAsDevice(text)) {
    window.Warn(kDeviceNameMessage);
    return false;
  }
  // A directory typed or picked: go there, as a double click does.
  if (window.ListDirectory(text + u"\\" + kExportFilePattern, false)) return false;

  const SplitName split = SplitExportName(text);
  if (!split.path.empty()) {
    while (!window.ListDirectory(split.path + kExportFilePattern, true)) {
      if (IsFloppyDrive(split.path)) {
        if (window.Ask(kDriveNotReadyMessage, true)) continue;
      } else {
        window.Warn(FormatExportMessage(
            IsBareDrive(split.path) ? kDriveMissingMessage : kPathMissingMessage, split.path));
      }
      window.FocusCombo();
      return false;
    }
  }
  if (split.part.empty()) return false;
  KeepFileName(model, split.part);
  window.SetComboText(split.part);
  const int selected = window.SelectedRecord();

  // The rules judge the typed part, so one too long to keep is refused by
  // them rather than cut.
  if (model->kind == ExportDialogKind::kSaveAs) {
    std::string path;
    if (ValidateSaveAs(model, window, split.part, &path)) {
      if (WriteExportRecord(path, *model->working)) return true;
      // The old file is whole: show what it holds, under the name kept.
      window.Warn(kFileCreationMessage);
      window.ListRecords(KeptFileName(*model));
      return false;
    }
  } else {
    PrintModeRecord record;
    if (ValidateOpen(model, window, split.part, selected, &record)) {
      *model->working = record;
      return true;
    }
  }
  KeepFileName(model, u"");
  if (model->titleClash != kTitleClashFlag) window.ListRecords(KeptFileName(*model));
  return false;
}

}  // namespace tqr
