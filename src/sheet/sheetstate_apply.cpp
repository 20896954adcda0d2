// Writes a confirmed sheet's saved values back into the settings record.
#include <cstring>
#include <type_traits>

#include "sheet/sheetstate.h"
#include "sheet/sheetstate_rows.h"

namespace tqr {
namespace {

using sheet::ApplyHow;
using sheet::Row;

std::uint16_t SavedValue(const SheetState* state, const Row& row) {
  std::uint16_t saved = 0;
  sheet::VisitEntry(state, row, [&](auto&& entry) {
    if constexpr (std::is_pointer_v<std::remove_reference_t<decltype(entry)>>) {
      saved = entry->savedId;
    } else {
      saved = static_cast<std::uint16_t>(entry.saved);
    }
  });
  return saved;
}

void Store16(DRVDEVMODE* record, std::size_t offset, std::uint16_t value) {
  std::memcpy(reinterpret_cast<std::uint8_t*>(record) + offset, &value, sizeof value);
}

// At the field's width; 32-bit fields take the 16-bit value sign-extended.
void WriteField(DRVDEVMODE* record, const RecordField& field, std::uint16_t value) {
  auto* at = reinterpret_cast<std::uint8_t*>(record) + field.offset;
  switch (field.size) {
    case 1:
      *at = static_cast<std::uint8_t>(value);
      break;
    case 2:
      Store16(record, field.offset, value);
      break;
    case 4: {
      const std::int32_t wide = static_cast<std::int16_t>(value);
      std::memcpy(at, &wide, sizeof wide);
      break;
    }
    default:
      break;
  }
}

void ApplyRow(const SheetState* state, const Row& row, DRVDEVMODE* record) {
  const std::uint16_t saved = SavedValue(state, row);
  switch (row.apply.how) {
    case ApplyHow::kSkip:
      return;
    case ApplyHow::kStore:
      WriteField(record, row.field, saved);
      return;
    case ApplyHow::kLowByte:
      WriteField(record, row.field, saved & 0xFF);
      return;
    case ApplyHow::kRasterFlag:
      WriteField(record, row.field, saved != 0 ? 1 : 2);
      return;
    case ApplyHow::kAlsoPrivate:
      WriteField(record, row.field, saved);
      WriteField(record, row.apply.also, saved);
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
