// The Paper page without its window: which paper sizes each combo offers
// under the feed, printing type and size groups, server forms after them,
// what picking one does to the sheet, the printing types' rules, the cut
// sheet check, margins and the enlarge/reduce ratio, offsets and Defaults.
// The dialog procedure in ui/win32/paper_page.cpp reads its controls, calls
// these and writes the results back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/offered_papers.h"
#include "settings/settings.h"
#include "sheet/sheetstate.h"

namespace tqr {

constexpr std::uint16_t kA4Paper = 9;
constexpr std::uint16_t kUserDefinedPaper = 256;
constexpr std::uint16_t kFirstServerForm = 318;

// The two paper size combos.
enum class PaperCombo { kPage, kPrinterPaper };

// One entry of a paper size combo: a description size or a server form.
struct PaperChoice {
  std::uint16_t number;  // paper number; 318 + k for a form
  bool isForm;
  std::uint16_t index;   // position in the "PaperSize" list; k for a form
  std::u16string name;
  std::int32_t width;    // 0.1 mm
  std::int32_t length;   // 0.1 mm
};

struct PaperComboEntries {
  std::vector<PaperChoice> entries;  // description sizes, then forms
  std::size_t standardCount = 0;
};

// What a combo offers for the printing type and feed: the sizes of the
// switched-on groups, in list order, leaving out those wider than
// `widthLimit` (when above 0) and, on cut sheet, those below 420.0 mm
// either way unless the page is enlarged or reduced; then the forms.
PaperComboEntries ListPaperChoices(const SheetState* state, PaperCombo combo,
                                   std::uint16_t printing, std::uint16_t feed,
                                   std::int32_t widthLimit, const std::vector<OfferedForm>& forms);
// The combo as the page fills it from the sheet's current values.
PaperComboEntries ListPaperChoices(const SheetState* state, PaperCombo combo,
                                   const std::vector<OfferedForm>& forms);

// Whether a stored form name (a name field of the sheet or the record: at
// most 63 units, cut there even inside a surrogate pair) names the server's
// form `formName`: the server's name cut as the field cuts it, compared as
// the spooler compares names. An empty stored name names no form.
bool IsStoredFormName(const std::u16string& stored, const std::u16string& formName);

// The position to select for the combo's current size. A size no longer
// offered, or a form the server no longer has under its stored name, falls
// back to A4, or to the combo's first entry when A4 is not offered: the
// sheet then holds what the combo shows. A form found by its name takes its
// number and size again, since deleting another form may have renumbered
// it.
std::size_t SelectPaperChoice(SheetState* state, PaperCombo combo,
                              const PaperComboEntries& choices);
// The user picked `position`; `text` is what the combo shows there.
void SyncPaperChoice(SheetState* state, PaperCombo combo, const PaperComboEntries& choices,
                     std::size_t position, const std::u16string& text);
// The printer paper size becomes the page size, a form with its name, text
// and size.
void CopyPageSizeToPrinterPaper(SheetState* state);

// Whether a description size is offered for a printing type position and
// feed.
bool IsPageSizeOffered(const SheetState* state, std::uint16_t number, std::uint16_t printing,
                       std::uint16_t feed);
// Whether the current page size allows normal-size or banner printing.
bool PageSizeAllowsPrinting(const SheetState* state, std::uint16_t printing, std::uint16_t feed);

// False when cut sheet refuses the page or printer paper size.
bool CheckCutSheet(const SheetState* state);

// The fourteen controls the printing type enables, in order, and whether
// one is enabled under a printing type.
constexpr int kPrintingTypeControlCount = 14;
extern const int kPrintingTypeControls[kPrintingTypeControlCount];
bool IsEnabledForPrintingType(std::uint16_t printing, int controlIndex);

struct Margins {
  std::int32_t top;
  std::int32_t bottom;
  std::int32_t side;
};
// The margin table's positions for feed and flags, and their values from
// "Margin" (0.1 mm) or "MarginInch" (0.01 in).
struct MarginPositions {
  std::int16_t top;
  std::int16_t bottom;
  std::int16_t side;
};
MarginPositions MarginTablePositions(bool cutSheet, bool noMargin, bool upperMargin);
Margins GetMargins(const SheetState* state, bool noMargin, bool upperMargin, std::uint16_t feed);

// Width and length in 0.1 mm of the current page size or printer paper.
struct PaperDimensions {
  std::int32_t width;
  std::int32_t length;
};
PaperDimensions CurrentPaperDimensions(const SheetState* state, PaperCombo combo);

// The largest whole ratio that fits the printable page on the printable
// printer paper, within the Scaling range.
std::int16_t FitScaling(const SheetState* state);
// Sets Scaling to FitScaling; returns it.
std::int16_t RefitScaling(SheetState* state);

// The largest ratio from 541 down whose drawing area at `resolution`
// stays below 32767 dots each way.
std::int16_t MaxScalingForArea(std::int32_t width, std::int32_t length, std::int32_t resolution);

enum class ScalingVerdict {
  kAccepted,      // nothing to say
  kOutOfRange,    // the range message; not accepted
  kAreaExceeded,  // the system area message; Scaling was lowered; not accepted
  kMayNotFit,     // ask whether to go on; OK accepts
};
// Stores `typed` in Scaling and judges it as the page is left.
ScalingVerdict CheckScaling(SheetState* state, std::int32_t typed);

// "%d.%d" / "%d.%02d" of the offset in the offset unit, and "mm" or "in".
struct OffsetTexts {
  std::u16string vertical;
  std::u16string horizontal;
  const char16_t* unit;
};
OffsetTexts DescribeOffsets(const SheetState* state);

// The page's Defaults: the paper entries go back to their defaults.
void ResetPaperPageToDefaults(SheetState* state);

// The Paper Size Setting dialog's seven group flags, in dialog order of the
// groups (ISO A, ISO B, JIS, ANSI, ARCH, DIN, Special).
constexpr int kSizeGroupCount = 7;
ValueSetting* SizeGroupFlag(SheetState* state, int group);
// OK with `flags`: all off leaves ISO A on.
void StoreSizeGroups(SheetState* state, const std::uint16_t (&flags)[kSizeGroupCount]);

// The Margins dialog's display.
struct MarginsDisplay {
  bool inches;
  std::u16string top;
  std::u16string bottom;
  std::u16string side;
  std::u16string height;  // printing range
  std::u16string width;
};
MarginsDisplay DescribeMargins(const SheetState* state);

// The messages of the page.
extern const char16_t kCannotNormalSizeMessage[];
extern const char16_t kCannotBannerMessage[];
extern const char16_t kPrinterPaperChangedMessage[];
extern const char16_t kCutSheetRefusedMessage[];
extern const char16_t kSystemAreaMessage[];
extern const char16_t kMayNotFitMessage[];
// "Enlarge/Reduce range is from %d to %d."
std::u16string ScalingRangeMessage(const SheetState* state);

}  // namespace tqr
