// Writes a confirmed sheet's saved values back into the settings record.
#include <cstring>

#include "sheet/sheetstate.h"
#include "sheet/sheetstate_rows.h"

namespace tqr {
namespace {

using sheet::ApplyRule;
using sheet::EntryKind;
using sheet::FieldType;
using sheet::Row;

std::uint16_t SavedValue(const SheetState* state, const Row& row) {
  switch (row.kind) {
    case EntryKind::Options:
      return sheet::ListAt<OptionList>(state, row)->savedId;
    case EntryKind::Values:
      return sheet::ListAt<ValueList>(state, row)->savedId;
    case EntryKind::Value:
      return static_cast<std::uint16_t>(sheet::EntryAt<ValueSetting>(state, row).saved);
    case EntryKind::Numeric:
      return static_cast<std::uint16_t>(sheet::EntryAt<NumericSetting>(state, row).saved);
    case EntryKind::Plain:
      return sheet::EntryAt<PlainSetting>(state, row).saved;
  }
  return 0;
}

void Store16(DRVDEVMODE* record, std::size_t offset, std::uint16_t value) {
  std::memcpy(reinterpret_cast<std::uint8_t*>(record) + offset, &value, sizeof value);
}

// 32-bit fields take the 16-bit value sign-extended.
void WriteField(DRVDEVMODE* record, const Row& row, std::uint16_t value) {
  auto* at = reinterpret_cast<std::uint8_t*>(record) + row.field;
  switch (row.type) {
    case FieldType::U8:
      *at = static_cast<std::uint8_t>(value);
      break;
    case FieldType::U16:
    case FieldType::I16:
      Store16(record, row.field, value);
      break;
    case FieldType::I32: {
      const std::int32_t wide = static_cast<std::int16_t>(value);
      std::memcpy(at, &wide, sizeof wide);
      break;
    }
    case FieldType::None:
      break;
  }
}

void ApplyRow(const SheetState* state, const Row& row, DRVDEVMODE* record) {
  const std::uint16_t saved = SavedValue(state, row);
  switch (row.apply) {
    case ApplyRule::Skip:
      return;
    case ApplyRule::Store:
      WriteField(record, row, saved);
      return;
    case ApplyRule::LowByte:
      WriteField(record, row, saved & 0xFF);
      return;
    case ApplyRule::RasterFlag:
      WriteField(record, row, saved != 0 ? 1 : 2);
      return;
    case ApplyRule::AlsoPrivate:
      WriteField(record, row, saved);
      Store16(record, row.also, saved);
      return;
  }
}

// A user form's saved size goes to the page and the custom size fields;
// otherwise the page size takes the sheet's saved page size.
void ApplyPageSize(std::uint16_t paperSize, const std::uint32_t* formSize,
                   const NumericSetting& pageWidth, const NumericSetting& pageLength,
                   std::uint16_t* recordPageWidth, std::uint16_t* recordPageLength,
                   std::uint16_t* recordPaperWidth, std::uint16_t* recordPaperLength) {
  if (paperSize >= kFirstFormPaper) {
    *recordPageWidth = static_cast<std::uint16_t>(formSize[0]);
    *recordPageLength = static_cast<std::uint16_t>(formSize[1]);
    *recordPaperWidth = static_cast<std::uint16_t>(formSize[0]);
    *recordPaperLength = static_cast<std::uint16_t>(formSize[1]);
  } else {
    *recordPageWidth = static_cast<std::uint16_t>(pageWidth.saved);
    *recordPageLength = static_cast<std::uint16_t>(pageLength.saved);
  }
}

}  // namespace

void ApplySheetState(const SheetState* state, DRVDEVMODE* record) {
  if (state == nullptr || record == nullptr) return;
  for (std::size_t i = 0; i < sheet::kRowCount; ++i) ApplyRow(state, sheet::kRows[i], record);

  record->CopiesMax = 999;
  record->Copies = 1;
  record->PaperFixedA = 1;
  record->PaperFixedB = 0;

  // The record is packed: go through locals rather than member addresses.
  std::uint16_t page[4] = {record->PageWidth, record->PageLength, record->PaperWidth,
                           record->PaperLength};
  ApplyPageSize(record->PaperSize, &state->savedFormSizes[0], state->pageWidth,
                state->pageLength, &page[0], &page[1], &page[2], &page[3]);
  record->PageWidth = page[0];
  record->PageLength = page[1];
  record->PaperWidth = page[2];
  record->PaperLength = page[3];
  std::uint16_t output[4] = {record->PageWidth2, record->PageLength2, record->PaperWidth2,
                             record->PaperLength2};
  ApplyPageSize(record->PaperSize2, &state->savedFormSizes[2], state->pageWidth2,
                state->pageLength2, &output[0], &output[1], &output[2], &output[3]);
  record->PageWidth2 = output[0];
  record->PageLength2 = output[1];
  record->PaperWidth2 = output[2];
  record->PaperLength2 = output[3];

  std::memcpy(record->FormName, state->savedFormName, sizeof record->FormName);
  std::memcpy(record->FormName2, state->savedFormName2, sizeof record->FormName2);

  PublicDevMode& dm = record->dm;
  dm.dmDuplex = 1;
  dm.dmPrintQuality = static_cast<std::int16_t>(record->Resolution);
  dm.dmYResolution = static_cast<std::int16_t>(record->Resolution);
  dm.dmColor = 2;
  dm.dmPaperSize = static_cast<std::int16_t>(record->PaperSize);
  dm.dmPaperWidth = static_cast<std::int16_t>(record->PageWidth);
  dm.dmPaperLength = static_cast<std::int16_t>(record->PageLength);
  dm.dmOrientation = static_cast<std::int16_t>(record->Orientation);
  dm.dmScale = 100;
  dm.dmDefaultSource = static_cast<std::int16_t>(record->PaperFeed + 256);

  record->PrinterInfoInitialized = state->printerInfoInitialized;
}

}  // namespace tqr
