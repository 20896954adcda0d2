// Builds a sheet's working model from the description and the settings
// record: one block, sized exactly by a counting run before the filling run.
#include <cstdlib>
#include <cstring>
#include <string>

#include "sheet/sheetstate.h"
#include "sheet/sheetstate_rows.h"
#include "settings/settings.h"

namespace tqr {
namespace {

using sheet::DefaultValue;
using sheet::EntryKind;
using sheet::OptionCount;
using sheet::Row;
using sheet::ValueAt;

// The field a row starts from, as the 16-bit value the entries hold; 32-bit
// fields give their low half.
std::uint16_t ReadField(const DRVDEVMODE* record, const Row& row) {
  const auto* at = reinterpret_cast<const std::uint8_t*>(record) + row.field.offset;
  if (row.field.size == 1) return *at;
  if (row.field.size < 2) return 0;
  std::uint16_t low = 0;
  std::memcpy(&low, at, sizeof low);
  return low;
}

std::uint16_t StartValue(const DRVDEVMODE* record, const Row& row) {
  const std::uint16_t value = ReadField(record, row);
  if (row.apply.how == sheet::ApplyHow::kRasterFlag) return value == 1 ? 1 : 0;
  return value;
}

// Places a row's list at `*cursor` and moves the cursor past it; with no
// state, only measures the list.
template <typename List>
std::size_t PlaceList(int (*build)(DdfHandle, const char*, List*, std::uint16_t), DdfHandle ddf,
                      const Row& row, SheetState* state, std::uint16_t start,
                      std::uint8_t** cursor) {
  if (state == nullptr) return List::SizeFor(build(ddf, row.key, nullptr, 0));
  auto* list = reinterpret_cast<List*>(*cursor);
  sheet::ListAt<List>(state, row) = list;
  *cursor += List::SizeFor(build(ddf, row.key, list, start));
  return 0;
}

// Builds one row's entry, or only measures its list when `state` is null.
// Lists are placed at `*cursor`, which moves past them.
std::size_t BuildRow(DdfHandle ddf, const Row& row, SheetState* state, const DRVDEVMODE* record,
                     std::uint8_t** cursor) {
  const std::uint16_t start = StartValue(record, row);
  switch (row.kind) {
    case EntryKind::Options:
      return PlaceList(&BuildOptionList, ddf, row, state, start, cursor);
    case EntryKind::Values:
      return PlaceList(&BuildValueList, ddf, row, state, start, cursor);
    case EntryKind::Value:
      if (state != nullptr) {
        BuildValueSetting(ddf, row.key, &sheet::EntryAt<ValueSetting>(state, row),
                          static_cast<std::int16_t>(start));
      }
      return 0;
    case EntryKind::Numeric:
      if (state != nullptr) {
        BuildNumericSetting(ddf, row.key, &sheet::EntryAt<NumericSetting>(state, row),
                            static_cast<std::int16_t>(start));
      }
      return 0;
    case EntryKind::Plain:
      if (state != nullptr) {
        auto& plain = sheet::EntryAt<PlainSetting>(state, row);
        plain.current = start;
        plain.saved = start;
        plain.defaultValue = row.byDefault.sheetDefault;
      }
      return 0;
  }
  return 0;
}

void FillPaperTables(DdfHandle ddf, SheetState* state) {
  const std::uint16_t papers = OptionCount(ddf, "PaperSize");
  for (std::uint16_t i = 0; i < papers && i < kPaperTableSize; ++i) {
    std::uint32_t size[2] = {};
    DdfQuery(ddf, "PaperSize", DDFQ_PAPER_SIZE, size, i, sizeof size);
    state->paperSizes[i][0] = size[0] / 10;
    state->paperSizes[i][1] = size[1] / 10;
    std::uint32_t named[2] = {};
    DdfQuery(ddf, "PaperName", DDFQ_PAPER_SIZE, named, i, sizeof named);
    state->paperNameSizes[i][0] = named[0] / 10;
    state->paperNameSizes[i][1] = named[1] / 10;
  }
  // Each "PaperSetting" option is a group size, and "PaperUnit" at the same
  // index the unit of every paper in that group.
  const std::uint16_t groups = OptionCount(ddf, "PaperSetting");
  std::uint32_t next = 0;
  for (std::uint16_t j = 0; j < groups; ++j) {
    const auto size = static_cast<std::int32_t>(ValueAt(ddf, "PaperSetting", j));
    const std::uint32_t unit = ValueAt(ddf, "PaperUnit", j);
    for (std::int32_t k = 0; k < size && next < kPaperTableSize; ++k) {
      state->paperUnits[next++] = unit;
    }
  }
}

// The built-in print modes: every "PrintMode" option but the last, which
// stands for the user's own settings.
void FillBuiltInModes(DdfHandle ddf, SheetState* state) {
  const std::uint16_t options = OptionCount(ddf, "PrintMode");
  for (std::uint16_t i = 0; i + 1u < options && i < kBuiltInModeSlots; ++i) {
    PrintModeRecord& mode = state->builtInModes[i];
    mode.IconIndex = i;
    char name[kOptionNameLength + 1] = {};
    DdfQuery(ddf, "PrintMode", DDFQ_NAME, name, i, kOptionNameLength);
    name[kPrintModeTitleLength] = '\0';  // the first 10 bytes
    const std::u16string title = CurrentPorts().machine->AnsiToWide(name);
    std::memcpy(mode.Title, title.data(),
                (title.size() < kPrintModeTitleLength ? title.size() : kPrintModeTitleLength) *
                    sizeof(char16_t));
    // Words 1 to 16 are the sheet rows that carry them; the last word has no
    // sheet entry.
    for (std::size_t r = 0; r < sheet::kRowCount; ++r) {
      const Row& row = sheet::kRows[r];
      if (row.word.slot == 0) continue;
      mode.Word(row.word.slot) = static_cast<std::uint16_t>(
          row.word.modeKey != nullptr ? ValueAt(ddf, row.word.modeKey, i)
                                      : DefaultValue(ddf, row.key));
    }
    mode.PMDataMode = static_cast<std::uint16_t>(ValueAt(ddf, "PMDataMode", i));
  }
}

void PutIniPath(const std::u16string& directory, const char16_t* name, char16_t* slot) {
  const std::u16string path = directory + name;
  if (path.size() >= static_cast<std::size_t>(kIniPathLength)) return;  // stays empty
  std::memcpy(slot, path.c_str(), (path.size() + 1) * sizeof(char16_t));
}

// The driver directory, with its trailing separator, from the description's
// path; empty when the spooler cannot say.
std::u16string DriverDirectory(PrinterHandle printer) {
  const std::unique_ptr<char[]> path = DdfGetPath(printer);
  if (!path) return std::u16string();
  const std::u16string wide = CurrentPorts().machine->AnsiToWide(path.get());
  const std::size_t slash = wide.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : wide.substr(0, slash + 1);
}

void FillFixedPart(SheetState* state, const DRVDEVMODE* record, const char* baseName,
                   PrinterHandle printer) {
  state->modelNumber = record->ModelId;
  const std::u16string directory = DriverDirectory(printer);
  const std::u16string base = CurrentPorts().machine->AnsiToWide(baseName);
  PutIniPath(directory, (base + u".ini").c_str(), state->descriptionIniPath);
  PutIniPath(directory, u"tqr54bas.ini", state->baseIniPath);
  PutIniPath(directory, u"tqr54wrk.ini", state->workIniPath);
  std::memcpy(state->deviceName, record->dm.dmDeviceName, sizeof state->deviceName);
  state->deviceName[31] = u'\0';
  state->deviceNamePointer = state->deviceName;
}

void CopyFormState(SheetState* state, const DRVDEVMODE* record) {
  static_assert(sizeof state->formName == sizeof record->FormName);
  std::memcpy(state->formName, record->FormName, sizeof state->formName);
  std::memcpy(state->savedFormName, record->FormName, sizeof state->savedFormName);
  std::memcpy(state->formName2, record->FormName2, sizeof state->formName2);
  std::memcpy(state->savedFormName2, record->FormName2, sizeof state->savedFormName2);
  std::memcpy(state->formSizes, record->FormSizes, sizeof state->formSizes);
  std::memcpy(state->savedFormSizes, record->FormSizes, sizeof state->savedFormSizes);
  state->printerInfoInitialized = record->PrinterInfoInitialized;
}

}  // namespace

int BuildSheetState(DdfHandle ddf, SheetState** state, DRVDEVMODE* record, const char* baseName,
                    PrinterHandle printer) {
  if (state == nullptr || record == nullptr) return 0;
  std::size_t listBytes = 0;
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    listBytes += BuildRow(ddf, sheet::kRows[i], nullptr, record, nullptr);
  }
  auto* block = static_cast<SheetState*>(std::calloc(1, sizeof(SheetState) + listBytes));
  if (block == nullptr) return 0;

  FillFixedPart(block, record, baseName, printer);
  auto* cursor = reinterpret_cast<std::uint8_t*>(block + 1);
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    if (i == sheet::kTablesBeforeRow) {
      block->printer = printer;
      FillPaperTables(ddf, block);
      FillBuiltInModes(ddf, block);
    }
    BuildRow(ddf, sheet::kRows[i], block, record, &cursor);
  }
  // Such a list's options are the same everywhere; its default follows the
  // user's region.
  const bool letterRegion = DdfIsLetterRegion();
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) {
    const Row& row = sheet::kRows[i];
    if (row.byDefault.from != feature::DefaultFrom::kRegion) continue;
    sheet::ListAt<OptionList>(block, row)->defaultId = static_cast<std::uint16_t>(
        DefaultValue(ddf, feature::DefaultKey(row.key, row.byDefault, letterRegion)));
  }

  // Page bookkeeping starts at zero: the block is zero-filled.
  CopyFormNames(printer, record);
  CopyFormState(block, record);
  *state = block;
  return 1;
}

void FreeSheetState(SheetState** state) {
  if (state == nullptr) return;
  std::free(*state);
  *state = nullptr;
}

void CopyIniFile(const char16_t* from, const char16_t* to) {
  if (from == nullptr || to == nullptr || from[0] == u'\0' || to[0] == u'\0') return;
  Ports& ports = CurrentPorts();
  std::string source;
  std::string target;
  if (!ports.machine->WideToAnsi(from, kIniPathLength, &source) ||
      !ports.machine->WideToAnsi(to, kIniPathLength, &target)) {
    return;
  }
  ports.files->Copy(source, target);
}

}  // namespace tqr
