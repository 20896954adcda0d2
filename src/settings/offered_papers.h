// The description's paper sizes a record's feed and switched-on size groups
// offer, in list order. Finalization, the capability lists and the pages
// all walk them the same way.
#pragma once

#include <cstdint>

#include "devdesc/ddf.h"
#include "settings/devmode.h"

namespace tqr {

struct OfferedPaper {
  std::uint16_t position;  // in the "PaperSize" list
  std::uint32_t number;    // the platform's or the device's paper number
  std::uint32_t size[2];   // width and length, 0.01 mm
};

// Printing types: option values of "Printing", which the description lists
// in this order, so that they are also the Paper page's combo positions.
constexpr std::uint16_t kNormalSizePrinting = 0;
constexpr std::uint16_t kEnlargeReducePrinting = 1;
constexpr std::uint16_t kBannerPrinting = 2;
// "PaperFeed" option of cut sheets; every other feed is a roll.
constexpr std::uint16_t kCutSheetFeed = 2;
constexpr std::uint32_t kCutSheetMinimum = 42000;  // 420 mm: cut sheets take nothing smaller
constexpr std::size_t kListedPaperGroups = 7;     // the Custom group is never listed

// Calls visit(paper) for every offered size. Cut sheet offers only sizes of
// at least 420 x 420 mm, unless `enlargingTakesAll` and the record enlarges
// or reduces.
template <typename Visit>
void ForEachOfferedPaper(DdfHandle ddf, const DRVDEVMODE& record, bool enlargingTakesAll,
                         Visit visit) {
  const std::int32_t flags[kListedPaperGroups] = {record.IsoA, record.IsoB,    record.Jis,
                                                  record.Ansi, record.Arch,    record.EuroDin,
                                                  record.Special};
  const bool anySize = (enlargingTakesAll && record.Printing == kEnlargeReducePrinting) ||
                       record.PaperFeed != kCutSheetFeed;
  // Group sizes come from records applications hand in: positions past the
  // list hold no paper, so the walk ends there however large they claim.
  const std::uint32_t listed = DdfQuery(ddf, "PaperSize", DDFQ_COUNT, nullptr, 0, 0);
  std::uint32_t position = 0;
  for (std::size_t group = 0; group < kListedPaperGroups && position < listed; ++group) {
    const std::uint16_t count = record.PaperSetting[group];
    for (std::uint32_t n = 0; n < count && position + n < listed && flags[group] != 0; ++n) {
      OfferedPaper paper{static_cast<std::uint16_t>(position + n), 0, {0, 0}};
      DdfQuery(ddf, "PaperSize", DDFQ_PAPER_SIZE, paper.size, paper.position, 0);
      if (!anySize && (paper.size[0] < kCutSheetMinimum || paper.size[1] < kCutSheetMinimum)) {
        continue;
      }
      paper.number = DdfQuery(ddf, "PaperSize", DDFQ_VALUE, nullptr, paper.position, 0);
      visit(paper);
    }
    position += count;
  }
}

}  // namespace tqr
