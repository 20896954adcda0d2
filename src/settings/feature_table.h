// The features of the device description as this driver uses them, each
// written down once: which settings field a feature lives in, what a new
// record holds there, how a sheet edits it and writes it back, which print
// mode word it is, and whether the Features page's Defaults button resets
// it. Default records, the sheet's entries and rows, the print mode words
// and the Defaults button all expand this one list, so they cannot drift
// apart. A field's width and signedness are not written here at all: they
// come from the record's declaration (settings/devmode.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/devmode_fields.h"

namespace tqr::feature {

// What a new settings record holds in the row's field.
enum class DefaultFrom : std::uint8_t {
  kNothing,         // another step fills the field, or nothing does
  kFeature,         // the description default, at the field's width
  kFeatureLowByte,  // the low 8 bits of the description default
  kRasterChoice,    // 1 when the description default is nonzero, else 2
  kRegion,          // the description default of the key that fits the user's region
  kFixed,           // a value of the driver's own
};

struct DefaultRule {
  DefaultFrom from;
  std::uint16_t fixedValue;     // kFixed
  const char* otherRegionKey;   // kRegion: the key outside letter-paper regions
  std::uint16_t sheetDefault;   // the Defaults button's value of a Plain entry
};

inline constexpr DefaultRule NoDefault{DefaultFrom::kNothing, 0, nullptr, 0};
inline constexpr DefaultRule FromFeature{DefaultFrom::kFeature, 0, nullptr, 0};
inline constexpr DefaultRule FeatureLowByte{DefaultFrom::kFeatureLowByte, 0, nullptr, 0};
inline constexpr DefaultRule RasterChoice{DefaultFrom::kRasterChoice, 0, nullptr, 0};
constexpr DefaultRule ByRegion(const char* otherRegionKey) {
  return DefaultRule{DefaultFrom::kRegion, 0, otherRegionKey, 0};
}
// `sheetDefault` only matters to Plain entries, which the description does
// not describe; a record and a sheet's Defaults button may differ there.
constexpr DefaultRule Fixed(std::uint16_t value, std::uint16_t sheetDefault = 0) {
  return DefaultRule{DefaultFrom::kFixed, value, nullptr, sheetDefault};
}

// How a confirmed sheet writes the row's saved value into its field.
enum class ApplyHow : std::uint8_t {
  kStore,        // at the field's width (32-bit fields sign-extended)
  kSkip,         // read only; the apply steps after the rows decide
  kLowByte,      // the low 8 bits of the saved value
  kRasterFlag,   // started as field == 1, applied as 1 when set, else 2
  kAlsoPrivate,  // stored, and again in the `also` field of 16 bits
};

struct ApplyRule {
  ApplyHow how;
  RecordField also;  // kAlsoPrivate
};

inline constexpr ApplyRule Store{ApplyHow::kStore, kNoRecordField};
inline constexpr ApplyRule Skip{ApplyHow::kSkip, kNoRecordField};
inline constexpr ApplyRule LowByte{ApplyHow::kLowByte, kNoRecordField};
inline constexpr ApplyRule RasterFlag{ApplyHow::kRasterFlag, kNoRecordField};
constexpr ApplyRule AlsoPrivate(RecordField also) { return ApplyRule{ApplyHow::kAlsoPrivate, also}; }

// The print mode settings word (1 to 16) a feature's current value is, and
// where a built-in print mode takes it from: the value of a "PM..." key at
// the mode's index, or, without one, the row's own description default.
struct PrintModeWord {
  int slot;  // 0: no word
  const char* modeKey;
};

inline constexpr PrintModeWord NoWord{0, nullptr};
constexpr PrintModeWord ModeWord(int slot, const char* modeKey) { return {slot, modeKey}; }
constexpr PrintModeWord DefaultWord(int slot) { return {slot, nullptr}; }

// Whether the Features page's Defaults button resets the entry. It keeps
// the layout entries the pages do not offer, the printer-side entries the
// Features page leaves alone, every entry of the Paper page (which has a
// Defaults button of its own), and entries that only carry limits or fixed
// lists.
inline constexpr bool Reset = true;
inline constexpr bool Keep = false;

}  // namespace tqr::feature

// X(member, kind, key, field, default, apply, word, onDefaults):
//   member      the SheetState entry (unused for RecordOnly rows)
//   kind        Options, Values (lists), Value, Numeric, Plain (settings) or
//               RecordOnly: a field a new record fills that no sheet entry edits
//   key         the description key a new record's value is read from; null
//               where there is none. Sheets read no key for a Plain entry.
//   field       TQR_RECORD_FIELD(x), TQR_PUBLIC_FIELD(x) or kNoRecordField
//   default     a DefaultRule, for default records
//   apply       an ApplyRule, for confirmed sheets
//   word        the print mode word
//   onDefaults  Reset or Keep
//
// Rows are in the sheet's build order. A field that two features fill (the
// public and the private orientation and copies) gets a RecordOnly row of its
// own rather than a second default column: then every row fills at most one
// field, and a glance down the field column shows what a new record holds.
// The paper and print mode tables are filled before "HeadManagement".
// "PaperSetting" keeps its eight group sizes in a field of its own, which the
// default record fills apart; the sheet's list of it starts from no field.
// clang-format off
#define TQR_FEATURES(X)                                                                          \
  X(pageLayout, Options, "PageLayout", TQR_RECORD_FIELD(PageLayout), FromFeature, Store, NoWord, Keep) \
  X(mediaSize, Options, "Media Size", TQR_RECORD_FIELD(MediaSize), ByRegion("EuroMedia Size"), Store, NoWord, Reset) \
  X(adjustPage, Options, "AdjustPage", TQR_RECORD_FIELD(AdjustPage), FromFeature, Store, NoWord, Keep) \
  X(borderForm, Options, "BorderForm", TQR_RECORD_FIELD(BorderForm), FromFeature, Store, NoWord, Keep) \
  X(pageBorder, Options, "Page Border", TQR_RECORD_FIELD(PageBorder), FromFeature, Store, NoWord, Reset) \
  X(layout, Options, "Layout", TQR_RECORD_FIELD(Layout), FromFeature, Store, NoWord, Reset) \
  X(posterLayout, Options, "PosterLayout", TQR_RECORD_FIELD(PosterLayout), FromFeature, Store, NoWord, Keep) \
  X(posterOverlap, Numeric, "PosterOverlap", TQR_RECORD_FIELD(PosterOverlap), FeatureLowByte, Store, NoWord, Keep) \
  X(duplex, Values, "Duplex", TQR_PUBLIC_FIELD(dmDuplex), NoDefault, Skip, NoWord, Reset) \
  X(printOrder, Options, "Print Order", TQR_RECORD_FIELD(PrintOrder), FromFeature, Store, NoWord, Reset) \
  X(repeat, Numeric, "Repeat", TQR_RECORD_FIELD(Repeat), Fixed(1), Store, NoWord, Reset) \
  X(waterMark, Plain, "WaterMark", TQR_RECORD_FIELD(WaterMark), FromFeature, Store, NoWord, Reset) \
  /* the print mode's modified flag */ \
  X(firstPageOnly, Value, "First Page Only", TQR_RECORD_FIELD(FirstPageOnly), FromFeature, Store, NoWord, Reset) \
  X(bindingPos, Options, "Binding Pos", TQR_RECORD_FIELD(BindingPos), FromFeature, Store, NoWord, Reset) \
  X(wtmView, Options, "WTMView", TQR_RECORD_FIELD(WTMView), FromFeature, Store, NoWord, Keep) \
  X(bindingUnit, Values, "Binding Unit", TQR_RECORD_FIELD(BindingUnit), FromFeature, Store, NoWord, Reset) \
  X(bindWidth, Numeric, "BindWidth", TQR_RECORD_FIELD(BindWidth), FromFeature, Store, NoWord, Reset) \
  X(bindWidthInch, Numeric, "BindWidth_Inch", TQR_RECORD_FIELD(BindWidthInch), FromFeature, Store, NoWord, Reset) \
  X(printQualityLevel, Options, "Print Quality", TQR_RECORD_FIELD(PrintQualityLevel), FromFeature, LowByte, NoWord, Reset) \
  X(color, Values, "Color", TQR_PUBLIC_FIELD(dmColor), NoDefault, Skip, NoWord, Reset) \
  X(internalFont, Value, "Internal Font", TQR_RECORD_FIELD(InternalFont), FeatureLowByte, Store, NoWord, Reset) \
  X(printAsRaster, Value, "Print as Raster", TQR_RECORD_FIELD(PrintAsRaster), RasterChoice, RasterFlag, NoWord, Reset) \
  X(scalePatterns, Value, "Scale Patterns", TQR_RECORD_FIELD(ScalePatterns), FromFeature, Store, NoWord, Reset) \
  X(allTextToBlack, Value, "AllTextToBlack", TQR_RECORD_FIELD(AllTextToBlack), FromFeature, Store, NoWord, Reset) \
  X(traySetting, Value, "TraySetting", TQR_RECORD_FIELD(TraySetting), FromFeature, Store, NoWord, Keep) \
  /* a new record's public orientation and copies come from the private ones */ \
  X(orientation, Values, "Orientation", TQR_PUBLIC_FIELD(dmOrientation), NoDefault, AlsoPrivate(TQR_RECORD_FIELD(Orientation)), NoWord, Reset) \
  X(noEntry, RecordOnly, "Orientation", TQR_RECORD_FIELD(Orientation), FromFeature, Skip, NoWord, Keep) \
  X(rotate, Value, "Rotate", TQR_RECORD_FIELD(Rotate), FromFeature, Store, NoWord, Reset) \
  X(copies, Numeric, "Copies", TQR_PUBLIC_FIELD(dmCopies), NoDefault, AlsoPrivate(TQR_RECORD_FIELD(CopiesValue)), NoWord, Reset) \
  X(noEntry, RecordOnly, "Copies", TQR_RECORD_FIELD(Copies), FromFeature, Skip, NoWord, Keep) \
  X(noEntry, RecordOnly, "Copies", TQR_RECORD_FIELD(CopiesValue), FromFeature, Skip, NoWord, Keep) \
  X(modeSelect, Plain, nullptr, TQR_RECORD_FIELD(ModeSelect), Fixed(266, 512), Store, NoWord, Reset) \
  X(errReport, Options, "ErrReport", TQR_RECORD_FIELD(ErrReport), FromFeature, Store, NoWord, Keep) \
  X(printToFile, Values, "Print To File", TQR_RECORD_FIELD(PrintToFile), FromFeature, Store, NoWord, Reset) \
  X(overlay, Values, "Overlay", TQR_RECORD_FIELD(Overlay), FromFeature, Store, NoWord, Reset) \
  X(overlayState, Plain, nullptr, TQR_RECORD_FIELD(OverlayState), Fixed(0), Store, NoWord, Reset) \
  /* the print mode's confirmed flag */ \
  X(overlayPrompt, Value, "Overlay Prompt", TQR_RECORD_FIELD(OverlayPrompt), FromFeature, Store, NoWord, Reset) \
  X(duplexUnit, Value, "DuplexUnit", TQR_RECORD_FIELD(DuplexUnit), FromFeature, Store, NoWord, Reset) \
  X(printMode, Options, "PrintMode", TQR_RECORD_FIELD(PrintMode), FromFeature, Store, NoWord, Reset) \
  X(mediaType, Options, "MediaType", TQR_RECORD_FIELD(MediaType), FromFeature, Store, ModeWord(3, "PMMediaType"), Reset) \
  X(mirror, Value, "Mirror", TQR_RECORD_FIELD(Mirror), FromFeature, Store, ModeWord(4, "PMMirror"), Reset) \
  X(paperSize, Options, "PaperSize", TQR_RECORD_FIELD(PaperSize), FromFeature, Store, NoWord, Keep) \
  X(printing, Options, "Printing", TQR_RECORD_FIELD(Printing), FromFeature, Store, NoWord, Keep) \
  X(scaling, Numeric, "Scaling", TQR_RECORD_FIELD(Scaling), FromFeature, Store, NoWord, Keep) \
  X(paperSize2, Options, "PaperSize", TQR_RECORD_FIELD(PaperSize2), FromFeature, Store, NoWord, Keep) \
  X(paperFeed, Options, "PaperFeed", TQR_RECORD_FIELD(PaperFeed), FromFeature, Store, NoWord, Keep) \
  X(cutter, Options, "Cutter", TQR_RECORD_FIELD(Cutter), FromFeature, Store, NoWord, Keep) \
  X(cartridge, Options, "Cartridge", TQR_RECORD_FIELD(Cartridge), FromFeature, Store, ModeWord(1, "PMCartridge"), Reset) \
  X(grayScale, Value, "GrayScale", TQR_RECORD_FIELD(GrayScale), FromFeature, Store, ModeWord(2, "PMGrayScale"), Reset) \
  X(printQuality, Numeric, "PrintQuality", TQR_RECORD_FIELD(PrintQuality), FromFeature, Store, ModeWord(5, "PMPrintQuality"), Reset) \
  X(halftoning, Values, "Halftoning", TQR_RECORD_FIELD(Halftoning), FromFeature, Store, ModeWord(6, "PMHalftoning"), Reset) \
  X(cyan, Numeric, "Cyan", TQR_RECORD_FIELD(Cyan), FromFeature, Store, DefaultWord(7), Reset) \
  X(magenta, Numeric, "Magenta", TQR_RECORD_FIELD(Magenta), FromFeature, Store, DefaultWord(8), Reset) \
  X(yellow, Numeric, "Yellow", TQR_RECORD_FIELD(Yellow), FromFeature, Store, DefaultWord(9), Reset) \
  X(black, Numeric, "Black", TQR_RECORD_FIELD(Black), FromFeature, Store, DefaultWord(10), Reset) \
  X(red, Numeric, "Red", TQR_RECORD_FIELD(Red), FromFeature, Store, DefaultWord(11), Reset) \
  X(green, Numeric, "Green", TQR_RECORD_FIELD(Green), FromFeature, Store, DefaultWord(12), Reset) \
  X(blue, Numeric, "Blue", TQR_RECORD_FIELD(Blue), FromFeature, Store, DefaultWord(13), Reset) \
  X(cmykOrRgb, Values, "CMYKorRGB", TQR_RECORD_FIELD(CMYKorRGB), FromFeature, Store, NoWord, Reset) \
  X(matching, Options, "Matching", TQR_RECORD_FIELD(Matching), FromFeature, Store, ModeWord(14, "PMMatching"), Reset) \
  X(gamma, Options, "Gamma", TQR_RECORD_FIELD(Gamma), FromFeature, Store, ModeWord(15, "PMGamma"), Reset) \
  X(intensity, Numeric, "Intensity", TQR_RECORD_FIELD(Intensity), FromFeature, Store, DefaultWord(16), Reset) \
  X(paperWidth, Numeric, "PaperWidth", TQR_RECORD_FIELD(PaperWidth), FromFeature, Skip, NoWord, Keep) \
  X(paperLength, Numeric, "PaperLength", TQR_RECORD_FIELD(PaperLength), FromFeature, Skip, NoWord, Keep) \
  X(unit, Options, "Unit", TQR_RECORD_FIELD(Unit), FromFeature, Store, NoWord, Keep) \
  X(paperWidth2, Numeric, "PaperWidth", TQR_RECORD_FIELD(PaperWidth2), FromFeature, Skip, NoWord, Keep) \
  X(paperLength2, Numeric, "PaperLength", TQR_RECORD_FIELD(PaperLength2), FromFeature, Skip, NoWord, Keep) \
  X(unit2, Options, "Unit", TQR_RECORD_FIELD(Unit2), FromFeature, Store, NoWord, Keep) \
  X(noMargin, Value, "NoMargin", TQR_RECORD_FIELD(NoMargin), FromFeature, Store, NoWord, Keep) \
  X(upperMargin, Value, "UpperMargin", TQR_RECORD_FIELD(UpperMargin), FromFeature, Store, NoWord, Keep) \
  X(isoA, Value, "IsoA", TQR_RECORD_FIELD(IsoA), FromFeature, Store, NoWord, Keep) \
  X(isoB, Value, "IsoB", TQR_RECORD_FIELD(IsoB), FromFeature, Store, NoWord, Keep) \
  X(jis, Value, "Jis", TQR_RECORD_FIELD(Jis), FromFeature, Store, NoWord, Keep) \
  X(ansi, Value, "Ansi", TQR_RECORD_FIELD(Ansi), FromFeature, Store, NoWord, Keep) \
  X(arch, Value, "Arch", TQR_RECORD_FIELD(Arch), FromFeature, Store, NoWord, Keep) \
  X(euroDin, Value, "EuroDin", TQR_RECORD_FIELD(EuroDin), FromFeature, Store, NoWord, Keep) \
  X(special, Value, "Special", TQR_RECORD_FIELD(Special), FromFeature, Store, NoWord, Keep) \
  X(custom, Value, "Custom", TQR_RECORD_FIELD(Custom), FromFeature, Store, NoWord, Keep) \
  X(vertOffset, Numeric, "VertOffset", TQR_RECORD_FIELD(VertOffset), FromFeature, Store, NoWord, Keep) \
  X(horzOffset, Numeric, "HorzOffset", TQR_RECORD_FIELD(HorzOffset), FromFeature, Store, NoWord, Keep) \
  X(horzOffsetI, Numeric, "HorzOffsetI", TQR_RECORD_FIELD(HorzOffsetI), FromFeature, Store, NoWord, Keep) \
  X(offsetUnit, Options, "Unit", TQR_RECORD_FIELD(OffsetUnit), FromFeature, Store, NoWord, Keep) \
  X(dryness, Options, "Dryness", TQR_RECORD_FIELD(Dryness), FromFeature, Store, NoWord, Keep) \
  X(autoLayout, Options, "AutoLayout", TQR_RECORD_FIELD(AutoLayout), FromFeature, Store, NoWord, Keep) \
  X(nestingTimer, Options, "NestingTimer", TQR_RECORD_FIELD(NestingTimer), FromFeature, Store, NoWord, Keep) \
  X(lineOverlap, Options, "LineOverlap", TQR_RECORD_FIELD(LineOverlap), FromFeature, Store, NoWord, Keep) \
  X(lineShade, Options, "LineShade", TQR_RECORD_FIELD(LineShade), FromFeature, Store, NoWord, Keep) \
  X(eopTimer, Options, "EOPTimer", TQR_RECORD_FIELD(EOPTimer), FromFeature, Store, NoWord, Keep) \
  X(automatic, Options, "Automatic", TQR_RECORD_FIELD(Automatic), FromFeature, Store, NoWord, Keep) \
  X(feed, Options, "Feed", TQR_RECORD_FIELD(Feed), FromFeature, Store, NoWord, Keep) \
  X(paperSetting, Options, "PaperSetting", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(resolution, Options, "Resolution", TQR_RECORD_FIELD(Resolution), FromFeature, Store, NoWord, Reset) \
  X(pageWidth, Numeric, "PaperWidth", TQR_RECORD_FIELD(PageWidth), FromFeature, Skip, NoWord, Keep) \
  X(pageLength, Numeric, "PaperLength", TQR_RECORD_FIELD(PageLength), FromFeature, Skip, NoWord, Keep) \
  X(pageWidth2, Numeric, "PaperWidth", TQR_RECORD_FIELD(PageWidth2), FromFeature, Skip, NoWord, Keep) \
  X(pageLength2, Numeric, "PaperLength", TQR_RECORD_FIELD(PageLength2), FromFeature, Skip, NoWord, Keep) \
  /* the next three carry limits only */ \
  X(paperWidth2Range, Numeric, "PaperWidth2", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(paperWidthI2Range, Numeric, "PaperWidthI2", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(paperLength2Range, Numeric, "PaperLength2", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(paperName, Options, "PaperName", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(paperWidthI, Numeric, "PaperWidthI", TQR_RECORD_FIELD(PaperWidthI), FromFeature, Store, NoWord, Keep) \
  X(paperLengthI, Numeric, "PaperLengthI", TQR_RECORD_FIELD(PaperLengthI), FromFeature, Store, NoWord, Keep) \
  X(paperWidthI2, Numeric, "PaperWidthI", TQR_RECORD_FIELD(PaperWidthI2), FromFeature, Store, NoWord, Keep) \
  X(paperLengthI2, Numeric, "PaperLengthI", TQR_RECORD_FIELD(PaperLengthI2), FromFeature, Store, NoWord, Keep) \
  /* limits only */ \
  X(paperLengthI2Range, Numeric, "PaperLengthI2", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(vertOffsetI, Numeric, "VertOffsetI", TQR_RECORD_FIELD(VertOffsetI), FromFeature, Store, NoWord, Keep) \
  X(margin, Options, "Margin", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(marginInch, Options, "MarginInch", kNoRecordField, NoDefault, Skip, NoWord, Keep) \
  X(headManagement, Values, "HeadManagement", TQR_RECORD_FIELD(HeadManagement), FromFeature, Store, NoWord, Reset) \
  X(dryInkScan, Numeric, "DryInkScan", TQR_RECORD_FIELD(DryInkScan), FromFeature, Store, NoWord, Reset) \
  X(dryInkPage, Numeric, "DryInkPage", TQR_RECORD_FIELD(DryInkPage), FromFeature, Store, NoWord, Reset) \
  X(paperSave, Value, "PaperSave", TQR_RECORD_FIELD(PaperSave), FromFeature, Store, NoWord, Keep) \
  X(noEntry, RecordOnly, nullptr, TQR_RECORD_FIELD(PaperFixedA), Fixed(1), Skip, NoWord, Keep)
// clang-format on

namespace tqr::feature {

// The part of a row that records are made from.
struct RecordDefault {
  const char* key;
  RecordField field;
  DefaultRule rule;
};

#define TQR_RECORD_DEFAULT(member, kind, key, field, byDefault, apply, word, onDefaults) \
  RecordDefault{key, field, byDefault},
inline constexpr RecordDefault kRecordDefaults[] = {TQR_FEATURES(TQR_RECORD_DEFAULT)};
#undef TQR_RECORD_DEFAULT

// The key a new record's value of `field` is read from; null when no row
// fills the field from the description.
constexpr const char* DefaultKeyOf(const RecordField& field) {
  for (const RecordDefault& row : kRecordDefaults) {
    if (row.key != nullptr && row.field.name != nullptr && row.field.offset == field.offset) {
      return row.key;
    }
  }
  return nullptr;
}

// The key a row's default is read from for the user's region.
constexpr const char* DefaultKey(const char* key, const DefaultRule& rule, bool letterRegion) {
  return rule.from == DefaultFrom::kRegion && !letterRegion ? rule.otherRegionKey : key;
}

}  // namespace tqr::feature
