#include "ui/save_page_model.h"

#include "platform/ports.h"
#include "presets/print_mode_list.h"
#include "ui/advanced_sheet_model.h"
#include "ui/main_page_model.h"

namespace tqr {
namespace {

bool IsTitleSpace(char16_t character) { return character == u' ' || character == u'\u3000'; }

int TitleBytes(std::u16string_view title, AnsiWidthOf width) {
  int bytes = 0;
  for (char16_t character : title) bytes += width(character);
  return bytes;
}

std::u16string Substituted(std::u16string_view pattern, std::u16string_view title) {
  std::u16string text(pattern);
  const std::size_t at = text.find(u"%s");
  if (at != std::u16string::npos) text.replace(at, 2, title);
  return text;
}

}  // namespace

int AnsiWidth(char16_t character) {
  Machine* machine = CurrentPorts().machine;
  std::string narrow;
  if (machine == nullptr || !machine->WideToAnsi(std::u16string(1, character), 3, &narrow)) {
    return 2;
  }
  return narrow.size() == 1 ? 1 : 2;
}

KeyVerdict DecideTitleKey(std::u16string_view title, bool textSelected, char16_t character,
                          AnsiWidthOf width) {
  if (character == u' ') return KeyVerdict::Refuse;
  if (character < u' ' || textSelected) return KeyVerdict::Pass;
  const int limit = width(character) == 1 ? kTitleAnsiBytes : kTitleAnsiBytes - 1;
  return TitleBytes(title, width) >= limit ? KeyVerdict::Refuse : KeyVerdict::Pass;
}

std::u16string CleanTitle(std::u16string_view text, AnsiWidthOf width) {
  std::u16string clean;
  int bytes = 0;
  for (char16_t character : text) {
    if (IsTitleSpace(character)) continue;
    if (bytes >= kTitleAnsiBytes) break;
    clean.push_back(character);
    bytes += width(character);
  }
  return clean;
}

bool IsUserPresetAt(const PrintModeStore& store, std::uint16_t position) {
  return position < store.count && store.order[position] >= kBuiltInPrintModes;
}

SaveButtons DecideSaveButtons(const PrintModeStore& store, std::uint16_t selection,
                              std::u16string_view title, bool iconSelected) {
  const PrintModeListView list = store.View();
  const std::uint16_t named = title.empty() ? kPositionNotFound : FindPrintModeTitle(list, title);
  const bool selected = selection < store.count;
  const bool userSelected = IsUserPresetAt(store, selection);
  SaveButtons buttons;
  // A title of a built-in mode can never be saved; an unknown one only
  // while the list has room for it.
  buttons.save = !title.empty() && iconSelected &&
                 (named != kPositionNotFound ? IsUserPresetAt(store, named)
                                             : store.count < kMaxPrintModes);
  buttons.remove = userSelected;
  buttons.saveAs = userSelected && iconSelected && named != kPositionNotFound;
  buttons.up = selected && named != kPositionNotFound && selection > 0;
  buttons.down = selected && named != kPositionNotFound && selection + 1 < store.count;
  buttons.open = store.count < kMaxPrintModes;
  return buttons;
}

bool NotePrintModeOverwritten(SheetState* sheet, std::uint16_t mode,
                              const PrintModeRecord& saved) {
  sheet->advancedMainPageFlags &= ~kMainPageModified;
  if (sheet->printMode == nullptr) return false;
  if (mode == sheet->printMode->savedId) {
    sheet->advancedMainPageFlags |= kMainPageDeleted;
    sheet->modeSnapshot = saved;
  }
  return mode == sheet->printMode->currentId;
}

bool NotePrintModeDeleted(SheetState* sheet, const PrintModeStore& store, std::uint16_t deleted,
                          std::uint16_t* modeToApply) {
  // A remembered number equal to the deleted one would name the next preset
  // once the numbers above fall; it names the standard mode instead, and the
  // settings in effect stay as the user's own.
  if (*modeToApply == deleted) {
    *modeToApply = 0;
    MarkAdvancedModified(sheet);
  } else {
    *modeToApply = ModeAfterDelete(*modeToApply, deleted);
  }
  OptionList* printMode = sheet->printMode;
  if (printMode == nullptr) return false;
  const bool wasCurrent = printMode->currentId == deleted;
  if (wasCurrent) {
    printMode->currentId = 0;
    MarkAdvancedModified(sheet);
  } else {
    printMode->currentId = ModeAfterDelete(printMode->currentId, deleted);
  }
  if (printMode->savedId == deleted) {
    printMode->savedId = 0;
    sheet->advancedMainPageFlags |= kMainPageDeleted;
    sheet->overlayPrompt.current = 0;  // the confirmed flag
  } else {
    printMode->savedId = ModeAfterDelete(printMode->savedId, deleted);
  }
  const std::uint16_t position = FindModePosition(store.order, store.count, printMode->currentId);
  sheet->printModeListPosition = position == kPositionNotFound ? 0 : position;
  return wasCurrent;
}

void ApplySavePage(SheetState* sheet, const PrintModeStore& store, std::uint16_t modeToApply) {
  if (modeToApply != kNoPrintMode && sheet->printMode != nullptr) {
    sheet->printMode->currentId = modeToApply;
    const std::uint16_t position = FindModePosition(store.order, store.count, modeToApply);
    sheet->printModeListPosition = position == kPositionNotFound ? 0 : position;
  }
  ConfirmAdvancedPage(sheet);
}

std::u16string OverwriteQuestion(std::u16string_view title) {
  return Substituted(
      u"Title `%s` already exists.\nSaving will overwrite this title.\nDo you still want to save?",
      title);
}

std::u16string DeleteQuestion(std::u16string_view title) {
  return Substituted(
      u"This will remove the Print Mode permanently.\nDo you still want to delete title `%s`?",
      title);
}

}  // namespace tqr
