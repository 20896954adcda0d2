// Finalization: the derived and constant fields every record handed out
// carries, and paper sizes fitted to what the printer offers.
#include <cstring>
#include <vector>

#include "settings/offered_papers.h"
#include "settings/settings.h"

namespace tqr {
namespace {

constexpr std::uint16_t kA4Position = 7;

struct PaperMatch {
  bool matched = false;
  bool a4Offered = false;
  std::int16_t width = 0;
  std::int16_t length = 0;
};

std::int16_t Tenths(std::uint32_t hundredths) { return static_cast<std::int16_t>(hundredths / 10); }

// Looks for `number` among the offered sizes, noting whether A4 is one of
// them. Every offered size is visited; the last match wins.
PaperMatch FindOfferedPaper(DdfHandle ddf, const DRVDEVMODE& record, std::uint16_t number,
                            bool enlargingTakesAll) {
  PaperMatch match;
  ForEachOfferedPaper(ddf, record, enlargingTakesAll, [&](const OfferedPaper& paper) {
    if (paper.number == static_cast<std::uint32_t>(DMPAPER_A4)) match.a4Offered = true;
    if (paper.number == number) {
      match.matched = true;
      match.width = Tenths(paper.size[0]);
      match.length = Tenths(paper.size[1]);
    }
  });
  return match;
}

void A4Size(DdfHandle ddf, std::int16_t* width, std::int16_t* length) {
  std::uint32_t size[2] = {0, 0};
  DdfQuery(ddf, "PaperSize", DDFQ_PAPER_SIZE, size, kA4Position, 0);
  *width = Tenths(size[0]);
  *length = Tenths(size[1]);
}

std::int32_t RangeLimit(DdfHandle ddf, const char* feature, std::uint16_t kind) {
  return static_cast<std::int32_t>(DdfQuery(ddf, feature, kind, nullptr, 0, 0));
}

void ReconcilePageSize(DdfHandle ddf, DRVDEVMODE* record, PrinterHandle printer) {
  PublicDevMode& dm = record->dm;
  if (dm.dmPaperSize >= kFirstFormPaper) {
    // A server form named by its number brings its own size: the caller's
    // width and length may be another paper's, or not set at all.
    if (MatchUserForm(printer, record)) return;
    const bool widthFits = RangeLimit(ddf, "PaperWidth", DDFQ_RANGE_MIN) <= dm.dmPaperWidth &&
                           dm.dmPaperWidth <= RangeLimit(ddf, "PaperWidth2", DDFQ_RANGE_MAX);
    const bool lengthFits = RangeLimit(ddf, "PaperLength", DDFQ_RANGE_MIN) <= dm.dmPaperLength &&
                            dm.dmPaperLength <= RangeLimit(ddf, "PaperLength", DDFQ_RANGE_MAX);
    if (!widthFits || !lengthFits) {
      dm.dmPaperWidth = static_cast<std::int16_t>(record->PaperWidth);
      dm.dmPaperLength = static_cast<std::int16_t>(record->PaperLength);
    }
    return;
  }
  const PaperMatch match =
      FindOfferedPaper(ddf, *record, static_cast<std::uint16_t>(dm.dmPaperSize), true);
  if (match.matched) {
    dm.dmPaperWidth = match.width;
    dm.dmPaperLength = match.length;
  } else if (match.a4Offered) {
    if (!MatchUserForm(printer, record)) {
      dm.dmPaperSize = DMPAPER_A4;
      A4Size(ddf, &dm.dmPaperWidth, &dm.dmPaperLength);
    }
  } else {
    dm.dmPaperSize = DMPAPER_USER;
    dm.dmPaperWidth = static_cast<std::int16_t>(record->PaperWidth);
    dm.dmPaperLength = static_cast<std::int16_t>(record->PaperLength);
  }
}

// The offered form numbered `number`; false when the server has none.
bool FindOfferedForm(PrinterHandle printer, std::uint16_t number, OfferedForm* found) {
  std::vector<OfferedForm> offered;
  ListOfferedForms(printer, &offered);
  for (const OfferedForm& form : offered) {
    if (static_cast<std::uint16_t>(form.number) != number) continue;
    *found = form;
    return true;
  }
  return false;
}

void ReconcileOutputPaper(DdfHandle ddf, DRVDEVMODE* record, PrinterHandle printer) {
  if (record->Printing == 2 || record->Printing == 0) {
    record->PaperSize2 = record->PaperSize;
    record->PageWidth2 = record->PageWidth;
    record->PageLength2 = record->PageLength;
    return;
  }
  if (record->PaperSize2 >= static_cast<std::uint16_t>(kFirstFormPaper)) {
    OfferedForm form;
    if (FindOfferedForm(printer, record->PaperSize2, &form)) {
      record->PaperWidth2 = static_cast<std::uint16_t>(form.width);
      record->PaperLength2 = static_cast<std::uint16_t>(form.length);
    }
    record->PageWidth2 = record->PaperWidth2;
    record->PageLength2 = record->PaperLength2;
    return;
  }
  const PaperMatch match = FindOfferedPaper(ddf, *record, record->PaperSize2, false);
  if (match.matched) {
    record->PageWidth2 = static_cast<std::uint16_t>(match.width);
    record->PageLength2 = static_cast<std::uint16_t>(match.length);
  } else if (match.a4Offered) {
    std::int16_t width = 0;
    std::int16_t length = 0;
    A4Size(ddf, &width, &length);
    record->PaperSize2 = static_cast<std::uint16_t>(DMPAPER_A4);
    record->PageWidth2 = static_cast<std::uint16_t>(width);
    record->PageLength2 = static_cast<std::uint16_t>(length);
  } else {
    record->PaperSize2 = static_cast<std::uint16_t>(DMPAPER_USER);
    record->PageWidth2 = record->PaperWidth2;
    record->PageLength2 = record->PaperLength2;
  }
}

}  // namespace

int FinalizeSettings(DdfHandle ddf, DRVDEVMODE* record, PrinterHandle printer) {
  PublicDevMode& dm = record->dm;
  FillPublicHeader(record, nullptr);
  record->TailFixedA = 8;
  record->TailFixedB = 1;
  record->ResolutionCopy = static_cast<std::uint16_t>(dm.dmPrintQuality);

  record->PublicCopy = dm;
  record->PageBorderCopy = record->PageBorder;
  std::memcpy(reinterpret_cast<std::uint8_t*>(record) + offsetof(DRVDEVMODE, Signature),
              kPrivateSignature, sizeof kPrivateSignature);

  record->DeviceFeatureMask = 23;
  if (record->DuplexUnit != 0) {
    record->DeviceFeatureMask = 31;
  } else {
    record->NoDuplexUnit = 1;
    record->DuplexFlags = 0;
    record->PrintOrder = 2;
    if (dm.dmDuplex == 2) record->DuplexFlags |= 0x3;  // DMDUP_VERTICAL
    if (dm.dmDuplex == 3) record->DuplexFlags |= 0x1;  // DMDUP_HORIZONTAL
  }

  record->RenderFixedA = -1;
  record->RenderFixedB = -1;
  record->RenderFixedC = 5;
  record->RenderFixedD = 2;
  record->RenderFixedE = 1;
  record->RenderFixedF = 1;
  record->LayoutFixedA = 1;
  record->LayoutFixedB = 1;
  record->CopiesMax = 999;

  record->BindingDots = static_cast<std::uint16_t>(
      static_cast<int>(record->BindWidthInch) * static_cast<int>(dm.dmPrintQuality) / 100);
  switch (record->BorderForm) {
    case 1:
      record->BorderStyleCode = 0;
      break;
    case 2:
      record->BorderStyleCode = 1;
      break;
    case 3:
    case 4:
    case 5:
      record->BorderStyleCode = 50;
      break;
    default:
      break;
  }
  static constexpr std::uint16_t kBindingCodes[] = {1, 2, 4, 3, 5};
  if (record->BindingPos >= 1 && record->BindingPos <= 4) {
    record->BindingCode = kBindingCodes[record->BindingPos];
  } else {
    record->BindingCode = 1;
    record->BindingDots = 0;
  }

  record->PaperFeed = static_cast<std::uint16_t>(dm.dmDefaultSource - DMBIN_USER);
  ReconcilePageSize(ddf, record, printer);
  record->Resolution = 300;
  record->PaperSize = static_cast<std::uint16_t>(dm.dmPaperSize);
  record->PageWidth = static_cast<std::uint16_t>(dm.dmPaperWidth);
  record->PageLength = static_cast<std::uint16_t>(dm.dmPaperLength);
  ReconcileOutputPaper(ddf, record, printer);
  // A sheet applies a server form's size from here; it is the size just
  // found, never one a caller left behind.
  std::uint32_t formSizes[4] = {};
  std::memcpy(formSizes, record->FormSizes, sizeof formSizes);
  if (record->PaperSize >= static_cast<std::uint16_t>(kFirstFormPaper)) {
    formSizes[0] = record->PageWidth;
    formSizes[1] = record->PageLength;
  }
  if (record->PaperSize2 >= static_cast<std::uint16_t>(kFirstFormPaper)) {
    formSizes[2] = record->PageWidth2;
    formSizes[3] = record->PageLength2;
  }
  std::memcpy(record->FormSizes, formSizes, sizeof formSizes);
  dm.dmPrintQuality = static_cast<std::int16_t>(record->Resolution);
  return 1;
}

}  // namespace tqr
