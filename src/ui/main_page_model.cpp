#include "ui/main_page_model.h"

#include <string>

#include "presets/print_mode_list.h"
#include "ui/advanced_sheet_model.h"
#include "ui/dlgutil.h"
#include "sheet/print_mode_settings.h"

namespace tqr {
namespace {

// Paper size numbers from kFirstFormPaper up are the print server's forms.
constexpr auto kFirstForm = static_cast<std::uint16_t>(kFirstFormPaper);
// The "PrintMode" option that stands for settings of the user's own, with
// no built-in record behind it.
constexpr std::uint16_t kOwnSettingsOption = 5;

constexpr const char16_t* kBuiltInDescriptions[kBuiltInPrintModes] = {
    u"Selects optimum settings for printing general documents.",
    u"Selects optimum settings for standard photo printing.",
    u"Selects optimum settings for printing graphics images.",
    u"Selects optimum settings for printing POP ads.",
    u"Selects optimum settings for test printing.",
};

// A name field up to its NUL, and never past the field.
std::u16string BoundedName(const char16_t* name, std::size_t capacity) {
  if (name == nullptr) return std::u16string();
  std::size_t length = 0;
  while (length < capacity && name[length] != u'\0') ++length;
  return std::u16string(name, length);
}

// The name of the entry at index `index` (these lists number their options
// 0, 1, 2 ... so the option id is the index); empty when there is none.
std::u16string NameAtIndex(const OptionList* list, std::uint16_t index) {
  if (list == nullptr || index >= list->count) return std::u16string();
  return BoundedName(list->Entries()[index].name, kOptionNameLength);
}

void ListBuiltInModesOnly(UserPrintModes* modes) {
  modes->count = kBuiltInPrintModes;
  modes->userCount = 0;
  for (std::uint16_t mode = 0; mode < kBuiltInPrintModes; ++mode) modes->order[mode] = mode;
}

bool AllZero(std::initializer_list<const NumericSetting*> settings) {
  for (const NumericSetting* setting : settings) {
    if (setting->current != 0) return false;
  }
  return true;
}

// Width and length of the chosen paper, in tenths of a millimetre: a server
// form's own size, or the description's size of the paper.
void PaperDimensions(const SheetState* state, PaperRole role, std::uint32_t* width,
                     std::uint32_t* length) {
  const OptionList* list = role == PaperRole::kPage ? state->paperSize : state->paperSize2;
  *width = 0;
  *length = 0;
  if (list == nullptr) return;
  if (list->currentId >= kFirstForm) {
    const std::uint32_t* form = role == PaperRole::kPage ? &state->formSizes[0]
                                                         : &state->formSizes[2];
    *width = form[0];
    *length = form[1];
    return;
  }
  const std::uint16_t index = OptionEntryIndex(list, list->currentId);
  if (index >= kPaperTableSize) return;
  *width = state->paperSizes[index][0];
  *length = state->paperSizes[index][1];
}

}  // namespace

void StartMainPage(SheetState* state) {
  SetMainPageModified(state, state->firstPageOnly.current != 0);
  state->mainPageFlags &= ~kMainPageDeleted;
}

bool IsMainPageModified(const SheetState* state) {
  return (state->mainPageFlags & kMainPageModified) != 0;
}

void SetMainPageModified(SheetState* state, bool modified) {
  if (modified) {
    state->mainPageFlags |= kMainPageModified;
  } else {
    state->mainPageFlags &= ~kMainPageModified;
  }
}

bool IsPrintModeDeleted(const SheetState* state) {
  return (state->mainPageFlags & kMainPageDeleted) != 0;
}

void FillBuiltInModeDescriptions(SheetState* state) {
  for (int mode = 0; mode < kBuiltInPrintModes; ++mode) {
    PrintModeRecord& record = state->builtInModes[mode];
    const std::u16string_view text = kBuiltInDescriptions[mode];
    const std::size_t length = text.copy(record.Description, kPrintModeDescriptionLength - 1);
    record.Description[length] = u'\0';
  }
}

bool LoadPrintModeList(UserPrintModes* modes) {
  switch (ReadUserPrintModes(modes)) {
    case UserFileRead::kRead:
      return true;
    case UserFileRead::kNotOpened:
    case UserFileRead::kUnusable:
      if (CreateDefaultPrintModeFile()) {
        ListBuiltInModesOnly(modes);
        return true;
      }
      break;
    case UserFileRead::kNoDirectory:
    case UserFileRead::kUnreadable:
      break;
  }
  modes->count = 0;
  modes->userCount = 0;
  return false;
}

const PrintModeRecord* GetPrintModeRecord(const SheetState* state, const UserPrintModes* modes,
                                          std::uint16_t mode) {
  if (mode < kBuiltInPrintModes) return &state->builtInModes[mode];
  if (modes == nullptr || mode >= kMaxPrintModes) return nullptr;
  return FindPrintModeRecord(modes->View(state->builtInModes), mode);
}

std::uint16_t ModeAtListPosition(const UserPrintModes* modes, std::uint16_t position) {
  if (modes == nullptr || position >= modes->count || position >= kMaxPrintModes) {
    return kNoPrintMode;
  }
  return modes->order[position];
}

std::uint16_t ListPositionOfMode(const UserPrintModes* modes, std::uint16_t mode) {
  static_assert(kNoPrintMode == kPositionNotFound);
  return modes != nullptr ? FindModePosition(modes->order, modes->count, mode) : kNoPrintMode;
}

void NoteModeMismatch(SheetState* state, const UserPrintModes* modes) {
  const PrintModeRecord* record = GetPrintModeRecord(state, modes, state->printMode->currentId);
  if (record != nullptr && !MatchesPrintModeRecord(state, *record)) {
    SetMainPageModified(state, true);
  }
}

void ChoosePrintModeAt(SheetState* state, const UserPrintModes* modes, std::uint16_t position) {
  const std::uint16_t mode = ModeAtListPosition(modes, position);
  const PrintModeRecord* record =
      mode == kNoPrintMode ? nullptr : GetPrintModeRecord(state, modes, mode);
  // A mode without a record is never selected: its settings are unknown.
  if (record == nullptr) return;
  ApplyPrintModeRecord(state, *record);
  // The selection is taken here as well as when the list draws it: a page
  // that is never painted still confirms the mode the user picked.
  state->printMode->currentId = mode;
  state->printModeListPosition = position;
  SetMainPageModified(state, false);
}

void ChooseDefaultPrintMode(SheetState* state, const UserPrintModes* modes) {
  OptionList* printMode = state->printMode;
  printMode->currentId = printMode->defaultId;
  if (const PrintModeRecord* record = GetPrintModeRecord(state, modes, printMode->currentId)) {
    ApplyPrintModeRecord(state, *record);
    if (MatchesPrintModeRecord(state, *record)) SetMainPageModified(state, false);
  }
  const std::uint16_t position = ListPositionOfMode(modes, printMode->currentId);
  if (position != kNoPrintMode) state->printModeListPosition = position;
}

void ToggleMirror(SheetState* state, bool boxChecked) {
  // The box is a plain check box: it still shows the value before the click.
  state->mirror.current = boxChecked ? 0 : 1;
}

void ConfirmMainPage(SheetState* state) {
  state->firstPageOnly.current = IsMainPageModified(state) ? 1 : 0;
  state->overlayPrompt.current = 1;
  SnapshotSheetState(state);
  state->appliedMarker = 1;
}

bool CancelMainPage(SheetState* state) {
  if (!IsPrintModeDeleted(state)) return false;
  RestoreSheetState(state);
  if (state->overlayPrompt.current != 0) ApplyPrintModeRecord(state, state->modeSnapshot);
  // As on OK, except that the confirmed flag stays as it was.
  state->firstPageOnly.current = IsMainPageModified(state) ? 1 : 0;
  SnapshotSheetState(state);
  state->appliedMarker = 1;
  return true;
}

MainPageSummary DescribeMainPage(const SheetState* state) {
  MainPageSummary summary;
  summary.scaling = WidenSevenBit(std::to_string(state->scaling.current));
  if (state->printing != nullptr) {
    summary.printing = NameAtIndex(state->printing, state->printing->currentId);
  }
  if (const char16_t* quality = QualityName(state->printQuality.current)) {
    summary.quality = quality;
  }

  const bool cmyk = state->cmykOrRgb != nullptr && state->cmykOrRgb->currentId == 1;
  const bool levelsOff =
      cmyk ? AllZero({&state->cyan, &state->magenta, &state->yellow, &state->black})
           : AllZero({&state->red, &state->green, &state->blue});
  const bool gammaDefault =
      state->gamma == nullptr || state->gamma->currentId == state->gamma->defaultId;
  const bool off = levelsOff && gammaDefault && state->intensity.current == 0;
  summary.colorAdjustment = off ? u"Off" : std::u16string(cmyk ? u"CMYK" : u"RGB") + u"(On)";

  if (state->matching != nullptr) {
    summary.matching = NameAtIndex(state->matching, state->matching->currentId);
  }
  return summary;
}

PaperLabel DescribePaperLabel(const SheetState* state, PaperRole role) {
  PaperLabel label;
  std::uint32_t width = 0;
  std::uint32_t length = 0;
  PaperDimensions(state, role, &width, &length);
  label.width = static_cast<std::int32_t>(width);
  label.length = static_cast<std::int32_t>(length);
  const OptionList* list = role == PaperRole::kPage ? state->paperSize : state->paperSize2;
  if (list == nullptr) return label;
  if (list->currentId >= kFirstForm) {
    label.name = role == PaperRole::kPage ? state->formName : state->formName2;
  } else {
    label.name = OptionName(list->currentId, state->paperName);
  }
  return label;
}

int MainPictureBitmap(const SheetState* state, MainPicture picture) {
  if (picture == MainPicture::kArrow) return 9046;
  std::uint32_t width = 0;
  std::uint32_t length = 0;
  const PaperRole role = picture == MainPicture::kPage ? PaperRole::kPage : PaperRole::kOutput;
  PaperDimensions(state, role, &width, &length);
  const bool tall = width <= length;
  const bool portrait = state->orientation != nullptr && state->orientation->currentId == 1;
  // Bitmaps by [width <= length][portrait].
  static constexpr int kPagePictures[2][2] = {{9055, 9056}, {103, 101}};
  static constexpr int kOutputPictures[2][2] = {{9057, 9058}, {105, 104}};
  const auto& table = picture == MainPicture::kPage ? kPagePictures : kOutputPictures;
  return table[tall ? 1 : 0][portrait ? 1 : 0];
}

std::uint32_t MixedHighlightColor(std::uint32_t highlight, std::uint32_t window) {
  std::uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t half = ((highlight >> shift) & 0xFF) / 2 + ((window >> shift) & 0xFF) / 2;
    mixed |= half << shift;
  }
  return mixed;
}

int PrintModeIconId(const PrintModeRecord& record) {
  return record.IconIndex < kPrintModeIconCount ? kFirstPrintModeIcon + record.IconIndex : 0;
}

LargePicture DescribeLargePicture(const SheetState* state, const UserPrintModes* modes) {
  LargePicture picture;
  const std::uint16_t mode = ModeAtListPosition(modes, state->printModeListPosition);
  const PrintModeRecord* record =
      mode == kNoPrintMode ? nullptr : GetPrintModeRecord(state, modes, mode);
  if (record == nullptr) return picture;
  picture.shown = true;
  if (IsMainPageModified(state)) {
    picture.text = NameAtIndex(state->printMode, kOwnSettingsOption);
  } else {
    picture.iconId = PrintModeIconId(*record);
    picture.text = std::u16string(TitleOf(*record));
  }
  return picture;
}

}  // namespace tqr
