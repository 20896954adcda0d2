// The working model a property sheet edits: for every editable feature its
// choices from the description and its current, saved and default values,
// plus the paper tables, the built-in print modes and the form names of
// user-defined paper sizes. Pages change current values only; applying a
// page copies them to the saved ones, and confirming the sheet writes the
// saved ones into the settings record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devdesc/ddf.h"
#include "settings/devmode.h"
#include "settings/feature_table.h"
#include "platform/ports.h"
#include "presets/print_mode_record.h"

namespace tqr {

constexpr int kOptionNameLength = 64;  // UTF-16 units, NUL included
constexpr int kPaperTableSize = 64;
constexpr int kBuiltInModeSlots = 7;
constexpr int kIniPathLength = 260;
constexpr int kFormNameLength = 64;
constexpr int kDisplayTextLength = 128;
constexpr std::uint16_t kNoComboPosition = 0xFFFF;
// An entry with this flag is never offered in a combo box.
constexpr std::uint16_t kOptionHidden = 4;

// One named choice of an option list.
struct OptionEntry {
  std::uint16_t optionId;
  std::uint16_t comboPosition;  // kNoComboPosition when not shown
  char16_t name[kOptionNameLength];
  std::uint16_t flags;
};
static_assert(sizeof(OptionEntry) == 134);

struct ValueEntry {
  std::uint16_t optionId;
  std::uint16_t flags;
};
static_assert(sizeof(ValueEntry) == 4);

// The choices of one feature; `count` entries follow the header directly.
template <typename Entry>
struct ChoiceList {
  std::uint16_t currentId;
  std::uint16_t currentPosition;
  std::uint16_t savedId;
  std::uint16_t defaultId;
  std::uint16_t built;
  std::uint16_t count;

  Entry* Entries() { return reinterpret_cast<Entry*>(this + 1); }
  const Entry* Entries() const { return reinterpret_cast<const Entry*>(this + 1); }
  // Bytes of a list of `entries` entries, header included.
  static constexpr std::size_t SizeFor(std::size_t entries) {
    return sizeof(ChoiceList) + entries * sizeof(Entry);
  }
};

// Named choices.
using OptionList = ChoiceList<OptionEntry>;
// Choices without names.
using ValueList = ChoiceList<ValueEntry>;
static_assert(sizeof(OptionList) == 12 && sizeof(ValueList) == 12);

constexpr std::size_t OptionListSize(std::size_t count) { return OptionList::SizeFor(count); }
constexpr std::size_t ValueListSize(std::size_t count) { return ValueList::SizeFor(count); }

struct ValueSetting {
  std::int16_t current;
  std::int16_t saved;
  std::int16_t defaultValue;
  std::int16_t built;
};

// A range feature edited as a number.
struct NumericSetting {
  std::int16_t current;
  std::int16_t saved;
  std::int16_t defaultValue;
  std::int16_t built;
  std::int16_t minimum;
  std::int16_t maximum;
};
static_assert(sizeof(NumericSetting) == 12);

// A value the description does not describe.
struct PlainSetting {
  std::uint16_t current;
  std::uint16_t defaultValue;
  std::uint16_t saved;
};

// The units a form size is shown in (the Server Forms dialog's choice).
enum class FormUnit : std::uint32_t { Millimetres = 0, Inches = 1 };

struct SheetContext;

struct SheetState {
  std::uint16_t modelNumber;
  char16_t descriptionIniPath[kIniPathLength];
  char16_t baseIniPath[kIniPathLength];
  char16_t workIniPath[kIniPathLength];
  char16_t deviceName[32];
  const char16_t* deviceNamePointer;

  // One pair per "PaperSize" option: width, length in 0.1 mm.
  std::uint32_t paperSizes[kPaperTableSize][2];
  // One pair per "PaperName" option: width, length in 0.01 inch.
  std::uint32_t paperNameSizes[kPaperTableSize][2];
  // The unit code of each paper size index.
  std::uint32_t paperUnits[kPaperTableSize];
  PrintModeRecord builtInModes[kBuiltInModeSlots];
  // The print mode the Save page deleted or overwrote last.
  PrintModeRecord modeSnapshot;
  PrinterHandle printer;

  char16_t formName[kFormNameLength];
  char16_t savedFormName[kFormNameLength];
  char16_t formName2[kFormNameLength];
  char16_t savedFormName2[kFormNameLength];
  std::uint32_t formSizes[4];
  std::uint32_t savedFormSizes[4];
  std::uint32_t printerInfoInitialized;
  // The unit of paper-size texts, and the texts last composed for the
  // page size and the printer paper size when they are user forms.
  FormUnit formUnit;
  char16_t pageSizeDisplayText[kDisplayTextLength];
  char16_t paperSizeDisplayText[kDisplayTextLength];

  // Page bookkeeping, zero after building.
  std::uint32_t sheetFlags;
  std::uint32_t appliedMarker;
  std::uint32_t mainPageFlags;
  std::uint32_t featuresPageFlags;
  std::uint32_t maintenancePageFlags;
  std::uint32_t advancedMainPageFlags;
  // Where the current print mode stands in the print mode list, which shows
  // the modes in the user print mode file's display order; the Main and
  // Save pages select it there. The "PrintMode" option list's own current
  // position counts its options, as every option list's does.
  std::uint16_t printModeListPosition;

  // The open sheet this state belongs to, for the pages' OK; null for a
  // state built without one.
  SheetContext* context;

  // Set by the sheet assembly.
  void* hostSheet;
  void* hostCallback;
  std::intptr_t lastPageValue;
  std::uint32_t editable;
  std::uint32_t mayWritePrinterData;
  std::uint32_t callerFlags;
  std::uint32_t documentSheet;

  // The entries, one per sheet row of the feature table, in build order
  // and named there. Lists live in the block after this part.
#define TQR_SHEET_MEMBER(member, kind, key, field, byDefault, apply, word, onDefaults) \
  TQR_SHEET_MEMBER_##kind(member)
#define TQR_SHEET_MEMBER_Options(member) OptionList* member;
#define TQR_SHEET_MEMBER_Values(member) ValueList* member;
#define TQR_SHEET_MEMBER_Value(member) ValueSetting member;
#define TQR_SHEET_MEMBER_Numeric(member) NumericSetting member;
#define TQR_SHEET_MEMBER_Plain(member) PlainSetting member;
#define TQR_SHEET_MEMBER_RecordOnly(member)
  TQR_FEATURES(TQR_SHEET_MEMBER)
#undef TQR_SHEET_MEMBER
#undef TQR_SHEET_MEMBER_Options
#undef TQR_SHEET_MEMBER_Values
#undef TQR_SHEET_MEMBER_Value
#undef TQR_SHEET_MEMBER_Numeric
#undef TQR_SHEET_MEMBER_Plain
#undef TQR_SHEET_MEMBER_RecordOnly
};

// The name the initialisation files are formed from.
constexpr char kDescriptionBaseName[] = "TQR54GFX";

// Builds the block and stores it in `*state`: 1, or 0 when memory is not
// available (nothing stored). Free it with FreeSheetState.
// The record's form names are resolved against the print server's user
// forms on the way.
int BuildSheetState(DdfHandle ddf, SheetState** state, DRVDEVMODE* record, const char* baseName,
                    PrinterHandle printer);
// Frees the block and sets the pointer to null.
void FreeSheetState(SheetState** state);
// Writes the saved values into the settings record.
void ApplySheetState(const SheetState* state, DRVDEVMODE* record);

// Entry builders: with a null `list` or `setting` they only count. Option
// and value list builders return the option count.
int BuildOptionList(DdfHandle ddf, const char* feature, OptionList* list, std::uint16_t start);
int BuildValueList(DdfHandle ddf, const char* feature, ValueList* list, std::uint16_t start);
void BuildValueSetting(DdfHandle ddf, const char* feature, ValueSetting* setting,
                       std::int16_t start);
void BuildNumericSetting(DdfHandle ddf, const char* feature, NumericSetting* setting,
                         std::int16_t start);

// Copies one initialisation file over another in the driver directory;
// failures are ignored, as nothing depends on the copy.
void CopyIniFile(const char16_t* from, const char16_t* to);

}  // namespace tqr
