#include "ui/paper_page_model.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "sheet/sheet_values.h"
#include "ui/size_pair.h"

namespace tqr {

const char16_t kCannotNormalSizeMessage[] =
    u"Cannot do normal-size printing at the current page size.";
const char16_t kCannotBannerMessage[] = u"Cannot do banner printing at the current page size.";
const char16_t kPrinterPaperChangedMessage[] =
    u"Printer paper size has been changed.\nMake sure the correct size paper is loaded in the "
    u"printer.";
const char16_t kCutSheetRefusedMessage[] =
    u"Cut Sheet cannot be selected with the current Page Size settings.";
const char16_t kSystemAreaMessage[] =
    u"The current Page Size x Enlarge/Reduce Ratio x Print Quality setting exceeds the limits of "
    u"the system-recognizable area.\nThe Enlarge/Reduce Ratio will be changed to stay within "
    u"limits.";
const char16_t kMayNotFitMessage[] =
    u"At the current Enlarge/Reduce rate, all data will not print on current paper size.";

// Scaling, Printer Paper Size, Offset Setting, Margin Setting and the offset
// display, in the order the page walks them.
const int kPrintingTypeControls[kPrintingTypeControlCount] = {
    2022, 2011, 2017, 2024, 2008, 2001, 1009, 2025, 2026, 2020, 2027, 2021, 2019, 2018};

namespace {

constexpr std::int32_t kCutSheetSmallest = 4200;  // 420.0 mm
constexpr std::int64_t kSystemAreaLimit = 32767;
constexpr std::int16_t kAreaSearchStart = 541;

// Paper numbers cut sheet refuses.
constexpr std::uint16_t kCutSheetExcluded[] = {1,   3,   8,   9,   12,  75,  76,  77,  264,
                                               265, 266, 270, 271, 272, 273, 284, 291, 292,
                                               293, 294, 300, 301, 302, 303, 306, 307};

bool IsCutSheetExcluded(std::uint16_t number) {
  return std::find(std::begin(kCutSheetExcluded), std::end(kCutSheetExcluded), number) !=
         std::end(kCutSheetExcluded);
}

std::uint16_t CurrentId(const OptionList* list) { return list != nullptr ? list->currentId : 0; }

OptionList* PaperList(const SheetState* state, PaperCombo combo) {
  return combo == PaperCombo::kPage ? state->paperSize : state->paperSize2;
}

// The groups' flags and sizes; a missing group has size 0.
struct SizeGroups {
  std::int16_t flags[kSizeGroupCount];
  std::uint16_t sizes[kSizeGroupCount];
};

SizeGroups GroupsOf(const SheetState* state) {
  SizeGroups groups{{state->isoA.current, state->isoB.current, state->jis.current,
                     state->ansi.current, state->arch.current, state->euroDin.current,
                     state->special.current},
                    {}};
  const OptionList* setting = state->paperSetting;
  for (int g = 0; g < kSizeGroupCount && setting != nullptr && g < setting->count; ++g) {
    groups.sizes[g] = setting->Entries()[g].optionId;
  }
  return groups;
}

// How many sizes the tables hold: the list's count, at most the table's.
std::uint16_t TableCount(const SheetState* state) {
  const OptionList* list = state->paperSize;
  return list == nullptr ? 0 : std::min<std::uint16_t>(list->count, kPaperTableSize);
}

// Calls visit(index) for every size of a switched-on group, in list order.
template <typename Visit>
void ForEachGroupedSize(const SheetState* state, Visit visit) {
  const SizeGroups groups = GroupsOf(state);
  const std::uint16_t count = TableCount(state);
  std::uint32_t position = 0;
  for (int g = 0; g < kSizeGroupCount; ++g) {
    for (std::uint32_t n = 0; n < groups.sizes[g] && position + n < count; ++n) {
      if (groups.flags[g] != 0) visit(static_cast<std::uint16_t>(position + n));
    }
    position += groups.sizes[g];
  }
}

bool LargeEnoughForCutSheet(std::int32_t width, std::int32_t length) {
  return width >= kCutSheetSmallest && length >= kCutSheetSmallest;
}

std::u16string BoundedName(const char16_t* text, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && text[length] != u'\0') ++length;
  return std::u16string(text, length);
}

void StoreText(char16_t* destination, std::size_t capacity, const std::u16string& text) {
  const std::size_t length = std::min(text.size(), capacity - 1);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), destination);
  std::fill(destination + length, destination + capacity, u'\0');
}

struct FormSlots {
  char16_t* name;
  char16_t* displayText;
  std::uint32_t* size;
};

FormSlots FormSlotsOf(SheetState* state, PaperCombo combo) {
  if (combo == PaperCombo::kPage) {
    return {state->formName, state->pageSizeDisplayText, &state->formSizes[0]};
  }
  return {state->formName2, state->paperSizeDisplayText, &state->formSizes[2]};
}


void SetCurrentPaper(SheetState* state, PaperCombo combo, std::uint16_t number);

// A combo's entry becomes its current size; a form with its name and size.
void TakeChoice(SheetState* state, PaperCombo combo, const PaperChoice& choice) {
  if (choice.isForm) {
    FormSlots slots = FormSlotsOf(state, combo);
    StoreText(slots.name, kFormNameLength, choice.name);
    slots.size[0] = static_cast<std::uint32_t>(choice.width);
    slots.size[1] = static_cast<std::uint32_t>(choice.length);
  }
  SetCurrentPaper(state, combo, choice.number);
}

std::int64_t Dots(std::int64_t resolution, std::int64_t ratio, std::int64_t length) {
  return resolution * ratio / 100 * length / 254;
}

std::int16_t ClampScaling(const SheetState* state, std::int64_t ratio) {
  const NumericSetting& scaling = state->scaling;
  return static_cast<std::int16_t>(
      std::max<std::int64_t>(scaling.minimum, std::min<std::int64_t>(scaling.maximum, ratio)));
}

// The margin list's value and name at a margin table position.
const OptionEntry* MarginEntry(const OptionList* list, std::int16_t position) {
  if (list == nullptr) return nullptr;
  const std::uint16_t id = OptionIdAtComboPosition(list, position);
  const std::uint16_t index = OptionEntryIndex(list, id);
  return index < list->count ? &list->Entries()[index] : nullptr;
}

std::int32_t MarginValue(const OptionList* list, std::int16_t position) {
  const OptionEntry* entry = MarginEntry(list, position);
  return entry != nullptr ? entry->optionId : 0;
}

template <typename Setting>
void CurrentToDefault(Setting& setting) {
  setting.current = setting.defaultValue;
}

template <typename List>
void CurrentToDefault(List* list) {
  if (list == nullptr) return;
  list->currentId = list->defaultId;
  list->currentPosition = 0;
  for (std::uint16_t i = 0; i < list->count; ++i) {
    if (list->Entries()[i].optionId == list->defaultId) {
      list->currentPosition = i;
      break;
    }
  }
}

}  // namespace

PaperComboEntries ListPaperChoices(const SheetState* state, PaperCombo combo,
                                   std::uint16_t printing, std::uint16_t feed,
                                   std::int32_t widthLimit, const std::vector<OfferedForm>& forms) {
  PaperComboEntries choices;
  const OptionList* list = state->paperSize;
  ForEachGroupedSize(state, [&](std::uint16_t index) {
    const auto width = static_cast<std::int32_t>(state->paperSizes[index][0]);
    const auto length = static_cast<std::int32_t>(state->paperSizes[index][1]);
    if (widthLimit > 0 && width > widthLimit) return;
    if (feed == kCutSheetFeed && !LargeEnoughForCutSheet(width, length) &&
        (printing != kEnlargeReducePrinting || combo == PaperCombo::kPrinterPaper)) {
      return;
    }
    const OptionEntry& entry = list->Entries()[index];
    choices.entries.push_back(PaperChoice{entry.optionId, false, index,
                                          BoundedName(entry.name, kOptionNameLength), width,
                                          length});
  });
  choices.standardCount = choices.entries.size();
  for (std::size_t k = 0; k < forms.size(); ++k) {
    const OfferedForm& form = forms[k];
    choices.entries.push_back(PaperChoice{static_cast<std::uint16_t>(form.number), true,
                                          static_cast<std::uint16_t>(k), form.name, form.width,
                                          form.length});
  }
  return choices;
}

PaperComboEntries ListPaperChoices(const SheetState* state, PaperCombo combo,
                                   const std::vector<OfferedForm>& forms) {
  const std::int32_t widthLimit = combo == PaperCombo::kPrinterPaper ? state->paperWidth2.maximum : 0;
  return ListPaperChoices(state, combo, CurrentId(state->printing), CurrentId(state->paperFeed),
                          widthLimit, forms);
}

bool IsStoredFormName(const std::u16string& stored, const std::u16string& formName) {
  constexpr std::size_t kHeld = kFormNameLength - 1;  // a name field's terminator
  return !stored.empty() && SameFormName(stored.substr(0, kHeld), formName.substr(0, kHeld));
}

std::size_t SelectPaperChoice(SheetState* state, PaperCombo combo,
                              const PaperComboEntries& choices) {
  const std::uint16_t current = CurrentId(PaperList(state, combo));
  std::optional<std::size_t> a4;
  for (std::size_t i = 0; i < choices.standardCount; ++i) {
    if (choices.entries[i].number == kA4Paper && !a4) a4 = i;
    if (current < kFirstServerForm && current != kUserDefinedPaper &&
        choices.entries[i].number == current) {
      SetCurrentPaper(state, combo, current);
      return i;
    }
  }
  FormSlots slots = FormSlotsOf(state, combo);
  const std::u16string stored = BoundedName(slots.name, kFormNameLength);
  for (std::size_t i = choices.standardCount; i < choices.entries.size(); ++i) {
    const PaperChoice& form = choices.entries[i];
    if (!IsStoredFormName(stored, form.name)) continue;
    TakeChoice(state, combo, form);
    return i;
  }
  // Nothing matches: A4 where the combo offers it, else its first entry, so
  // that the sheet holds a size the feed and printing type accept and the
  // combo shows that size. Only an empty combo leaves A4 unshown.
  if (a4 || choices.entries.empty()) {
    SetCurrentPaper(state, combo, kA4Paper);
    return a4.value_or(0);
  }
  TakeChoice(state, combo, choices.entries.front());
  return 0;
}

void SyncPaperChoice(SheetState* state, PaperCombo combo, const PaperComboEntries& choices,
                     std::size_t position, const std::u16string& text) {
  if (position >= choices.entries.size()) return;
  const PaperChoice& choice = choices.entries[position];
  if (choice.isForm) StoreText(FormSlotsOf(state, combo).displayText, kDisplayTextLength, text);
  TakeChoice(state, combo, choice);
}

void CopyPageSizeToPrinterPaper(SheetState* state) {
  const std::uint16_t number = CurrentId(state->paperSize);
  if (number >= kFirstServerForm) {
    std::copy(std::begin(state->formName), std::end(state->formName), state->formName2);
    std::copy(std::begin(state->pageSizeDisplayText), std::end(state->pageSizeDisplayText),
              state->paperSizeDisplayText);
    state->formSizes[2] = state->formSizes[0];
    state->formSizes[3] = state->formSizes[1];
  }
  SetCurrentPaper(state, PaperCombo::kPrinterPaper, number);
}

bool IsPageSizeOffered(const SheetState* state, std::uint16_t number, std::uint16_t printing,
                       std::uint16_t feed) {
  bool offered = false;
  ForEachGroupedSize(state, [&](std::uint16_t index) {
    if (offered || state->paperSize->Entries()[index].optionId != number) return;
    offered = printing == kEnlargeReducePrinting || feed != kCutSheetFeed ||
              LargeEnoughForCutSheet(static_cast<std::int32_t>(state->paperSizes[index][0]),
                                     static_cast<std::int32_t>(state->paperSizes[index][1]));
  });
  return offered;
}

bool PageSizeAllowsPrinting(const SheetState* state, std::uint16_t printing, std::uint16_t feed) {
  const std::uint16_t number = CurrentId(state->paperSize);
  if (number < kFirstServerForm) return IsPageSizeOffered(state, number, printing, feed);
  return printing == kEnlargeReducePrinting || feed != kCutSheetFeed ||
         LargeEnoughForCutSheet(static_cast<std::int32_t>(state->formSizes[0]),
                                static_cast<std::int32_t>(state->formSizes[1]));
}

bool CheckCutSheet(const SheetState* state) {
  if (CurrentId(state->paperFeed) != kCutSheetFeed) return true;
  const bool pageRefused = CurrentId(state->printing) != kEnlargeReducePrinting &&
                           IsCutSheetExcluded(CurrentId(state->paperSize));
  return !pageRefused && !IsCutSheetExcluded(CurrentId(state->paperSize2));
}

bool IsEnabledForPrintingType(std::uint16_t printing, int controlIndex) {
  if (controlIndex < 0 || controlIndex >= kPrintingTypeControlCount) return false;
  switch (printing) {
    case kNormalSizePrinting:
      return controlIndex >= 5;  // Scaling and Printer Paper Size are the page size's
    case kBannerPrinting:
      return kPrintingTypeControls[controlIndex] == 1009;  // Margin Setting only
    default:
      return true;
  }
}

MarginPositions MarginTablePositions(bool cutSheet, bool noMargin, bool upperMargin) {
  static constexpr MarginPositions kTable[8] = {
      {4, 1, 1}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, {4, 6, 1}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}};
  return kTable[(cutSheet ? 4 : 0) + (noMargin ? 2 : 0) + (upperMargin ? 1 : 0)];
}

Margins GetMargins(const SheetState* state, bool noMargin, bool upperMargin, std::uint16_t feed) {
  const MarginPositions at =
      MarginTablePositions(feed == kCutSheetFeed, noMargin, upperMargin);
  return Margins{MarginValue(state->margin, at.top), MarginValue(state->margin, at.bottom),
                 MarginValue(state->margin, at.side)};
}

PaperDimensions CurrentPaperDimensions(const SheetState* state, PaperCombo combo) {
  const std::uint16_t number = CurrentId(PaperList(state, combo));
  if (number >= kFirstServerForm) {
    const std::uint32_t* size = combo == PaperCombo::kPage ? &state->formSizes[0]
                                                           : &state->formSizes[2];
    return {static_cast<std::int32_t>(size[0]), static_cast<std::int32_t>(size[1])};
  }
  const std::uint16_t index = OptionEntryIndex(state->paperSize, number);
  if (index >= TableCount(state)) return {0, 0};
  return {static_cast<std::int32_t>(state->paperSizes[index][0]),
          static_cast<std::int32_t>(state->paperSizes[index][1])};
}

namespace {

// A paper becomes current with its size: a confirmed sheet writes the size
// of a description paper from these settings, so they must not keep the
// size of the paper chosen before.
void SetCurrentPaper(SheetState* state, PaperCombo combo, std::uint16_t number) {
  OptionList* list = PaperList(state, combo);
  if (list == nullptr) return;
  list->currentId = number;
  list->currentPosition = OptionComboPosition(list, number);
  const PaperDimensions size = CurrentPaperDimensions(state, combo);
  if (size.width <= 0 || size.length <= 0) return;
  NumericSetting& width = combo == PaperCombo::kPage ? state->pageWidth : state->pageWidth2;
  NumericSetting& length = combo == PaperCombo::kPage ? state->pageLength : state->pageLength2;
  width.current = static_cast<std::int16_t>(size.width);
  length.current = static_cast<std::int16_t>(size.length);
}

}  // namespace

std::int16_t FitScaling(const SheetState* state) {
  const Margins m = GetMargins(state, state->noMargin.current != 0,
                               state->upperMargin.current != 0, CurrentId(state->paperFeed));
  const PaperDimensions page = CurrentPaperDimensions(state, PaperCombo::kPage);
  const PaperDimensions paper = CurrentPaperDimensions(state, PaperCombo::kPrinterPaper);
  const std::int64_t printable[2][2] = {
      {page.width - 2LL * m.side, page.length - (static_cast<std::int64_t>(m.top) + m.bottom)},
      {paper.width - 2LL * m.side, paper.length - (static_cast<std::int64_t>(m.top) + m.bottom)}};
  // A page with nothing printable fits at any ratio: it puts no bound.
  std::optional<std::int64_t> ratio;
  for (int i = 0; i < 2; ++i) {
    if (printable[0][i] <= 0) continue;
    const std::int64_t term = printable[1][i] * 10000 / printable[0][i] / 100;
    ratio = ratio ? std::min(*ratio, term) : term;
  }
  return ClampScaling(state, ratio.value_or(state->scaling.current));
}

std::int16_t RefitScaling(SheetState* state) {
  state->scaling.current = FitScaling(state);
  return state->scaling.current;
}

std::int16_t MaxScalingForArea(std::int32_t width, std::int32_t length, std::int32_t resolution) {
  // Below the usual floor of 101 the search goes on rather than answering a
  // ratio that may itself be too large.
  for (std::int16_t ratio = kAreaSearchStart; ratio >= 1; --ratio) {
    if (Dots(resolution, ratio, width) < kSystemAreaLimit &&
        Dots(resolution, ratio, length) < kSystemAreaLimit) {
      return ratio;
    }
  }
  return 1;
}

ScalingVerdict CheckScaling(SheetState* state, std::int32_t typed) {
  NumericSetting& scaling = state->scaling;
  scaling.current = static_cast<std::int16_t>(typed);
  if (typed < scaling.minimum || typed > scaling.maximum) return ScalingVerdict::kOutOfRange;
  if (CurrentId(state->printing) != kEnlargeReducePrinting) return ScalingVerdict::kAccepted;
  const std::int32_t resolution = CurrentId(state->resolution);
  const PaperDimensions page = CurrentPaperDimensions(state, PaperCombo::kPage);
  if (Dots(resolution, typed, page.width) > kSystemAreaLimit ||
      Dots(resolution, typed, page.length) > kSystemAreaLimit) {
    scaling.current = ClampScaling(state, MaxScalingForArea(page.width, page.length, resolution));
    return ScalingVerdict::kAreaExceeded;
  }
  const Margins m = GetMargins(state, state->noMargin.current != 0,
                               state->upperMargin.current != 0, CurrentId(state->paperFeed));
  const PaperDimensions paper = CurrentPaperDimensions(state, PaperCombo::kPrinterPaper);
  const std::int64_t vertical = static_cast<std::int64_t>(m.top) + m.bottom;
  const std::int64_t scaledWidth = (page.width - 2LL * m.side) * typed / 100;
  const std::int64_t scaledLength = (page.length - vertical) * typed / 100;
  if (scaledWidth > paper.width - 2LL * m.side || scaledLength > paper.length - vertical) {
    return ScalingVerdict::kMayNotFit;
  }
  return ScalingVerdict::kAccepted;
}

OffsetTexts DescribeOffsets(const SheetState* state) {
  if (CurrentId(state->offsetUnit) == 0) {
    return {FormatLength(state->vertOffset.current, kUnitMillimetres),
            FormatLength(state->horzOffset.current, kUnitMillimetres), u"mm"};
  }
  return {FormatLength(state->vertOffsetI.current, kUnitInches),
          FormatLength(state->horzOffsetI.current, kUnitInches), u"in"};
}

void ResetPaperPageToDefaults(SheetState* state) {
  for (int g = 0; g < kSizeGroupCount; ++g) CurrentToDefault(*SizeGroupFlag(state, g));
  for (OptionList* list : {state->printing, state->paperFeed, state->cutter, state->offsetUnit,
                           state->unit, state->unit2, state->paperSize, state->paperSize2}) {
    CurrentToDefault(list);
  }
  CurrentToDefault(state->orientation);
  for (NumericSetting* setting :
       {&state->scaling, &state->vertOffset, &state->vertOffsetI, &state->horzOffset,
        &state->horzOffsetI, &state->paperWidth, &state->paperLength, &state->paperWidth2,
        &state->paperLength2, &state->paperWidthI, &state->paperLengthI, &state->paperWidthI2,
        &state->paperLengthI2}) {
    CurrentToDefault(*setting);
  }
  for (ValueSetting* setting : {&state->paperSave, &state->noMargin, &state->upperMargin}) {
    CurrentToDefault(*setting);
  }
}

ValueSetting* SizeGroupFlag(SheetState* state, int group) {
  ValueSetting* flags[kSizeGroupCount] = {&state->isoA, &state->isoB,    &state->jis,
                                          &state->ansi, &state->arch,    &state->euroDin,
                                          &state->special};
  return group >= 0 && group < kSizeGroupCount ? flags[group] : nullptr;
}

void StoreSizeGroups(SheetState* state, const std::uint16_t (&flags)[kSizeGroupCount]) {
  const bool none = std::all_of(std::begin(flags), std::end(flags),
                                [](std::uint16_t flag) { return flag == 0; });
  for (int g = 0; g < kSizeGroupCount; ++g) {
    SizeGroupFlag(state, g)->current = static_cast<std::int16_t>(flags[g]);
  }
  if (none) state->isoA.current = 1;
}

MarginsDisplay DescribeMargins(const SheetState* state) {
  const bool noMargin = state->noMargin.current != 0;
  MarginPositions at =
      MarginTablePositions(CurrentId(state->paperFeed) == kCutSheetFeed, noMargin, false);
  if (CurrentId(state->printing) == kBannerPrinting) at.top = at.bottom = 0;

  const std::uint16_t number = CurrentId(state->paperSize2);
  const bool isForm = number >= kFirstServerForm;
  const std::uint16_t index = OptionEntryIndex(state->paperSize, number);
  const bool indexed = !isForm && index < TableCount(state);
  const bool inches = isForm ? state->formUnit == FormUnit::Inches
                             : indexed && state->paperUnits[index] != 0;
  const OptionList* list = inches ? state->marginInch : state->margin;
  const std::uint16_t unit = inches ? kUnitInches : kUnitMillimetres;

  std::int32_t width = 0;
  std::int32_t length = 0;
  if (isForm) {
    width = static_cast<std::int32_t>(state->formSizes[2]);
    length = static_cast<std::int32_t>(state->formSizes[3]);
    if (inches) {
      width = width * 100 / 254;
      length = length * 100 / 254;
    }
  } else if (indexed) {
    const auto& table = inches ? state->paperNameSizes : state->paperSizes;
    width = static_cast<std::int32_t>(table[index][0]);
    length = static_cast<std::int32_t>(table[index][1]);
  }
  auto name = [list](std::int16_t position) {
    const OptionEntry* entry = MarginEntry(list, position);
    return entry != nullptr ? BoundedName(entry->name, kOptionNameLength) : std::u16string();
  };
  const std::int32_t top = MarginValue(list, at.top);
  const std::int32_t bottom = MarginValue(list, at.bottom);
  const std::int32_t side = MarginValue(list, at.side);
  return MarginsDisplay{inches,
                        name(at.top),
                        name(at.bottom),
                        name(at.side),
                        FormatLength(length - (top + bottom), unit),
                        FormatLength(width - 2 * side, unit)};
}

std::u16string ScalingRangeMessage(const SheetState* state) {
  char text[64];
  std::snprintf(text, sizeof text, "Enlarge/Reduce range is from %d to %d.",
                state->scaling.minimum, state->scaling.maximum);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace tqr
