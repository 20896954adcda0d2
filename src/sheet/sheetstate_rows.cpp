#include "sheet/sheetstate_rows.h"

namespace tqr::sheet {
namespace {

constexpr std::size_t kNoField = 0;

#define TQR_ENTRY(member) offsetof(SheetState, member)
#define TQR_DM(field) (offsetof(DRVDEVMODE, dm) + offsetof(PublicDevMode, field))
#define TQR_PRIV(field) offsetof(DRVDEVMODE, field)

constexpr Row Options(const char* key, std::size_t entry, FieldType type, std::size_t field,
                      ApplyRule apply = ApplyRule::Store) {
  return Row{key, EntryKind::Options, entry, type, field, apply, 0, 0};
}
constexpr Row Values(const char* key, std::size_t entry, FieldType type, std::size_t field,
                     ApplyRule apply = ApplyRule::Store, std::size_t also = 0) {
  return Row{key, EntryKind::Values, entry, type, field, apply, also, 0};
}
constexpr Row Value(const char* key, std::size_t entry, FieldType type, std::size_t field,
                    ApplyRule apply = ApplyRule::Store) {
  return Row{key, EntryKind::Value, entry, type, field, apply, 0, 0};
}
constexpr Row Numeric(const char* key, std::size_t entry, FieldType type, std::size_t field,
                      ApplyRule apply = ApplyRule::Store, std::size_t also = 0) {
  return Row{key, EntryKind::Numeric, entry, type, field, apply, also, 0};
}
constexpr Row Plain(std::size_t entry, FieldType type, std::size_t field,
                    std::uint16_t defaultValue) {
  return Row{nullptr, EntryKind::Plain, entry, type, field, ApplyRule::Store, 0, defaultValue};
}
// Lists and limits that start from no field and are never written back.
constexpr Row UnboundOptions(const char* key, std::size_t entry) {
  return Options(key, entry, FieldType::None, kNoField, ApplyRule::Skip);
}
constexpr Row Limits(const char* key, std::size_t entry) {
  return Numeric(key, entry, FieldType::None, kNoField, ApplyRule::Skip);
}

using F = FieldType;
using A = ApplyRule;

}  // namespace

const Row kRows[] = {
    Options("PageLayout", TQR_ENTRY(pageLayout), F::U8, TQR_PRIV(PageLayout)),
    Options("Media Size", TQR_ENTRY(mediaSize), F::U16, TQR_PRIV(MediaSize)),
    Options("AdjustPage", TQR_ENTRY(adjustPage), F::U8, TQR_PRIV(AdjustPage)),
    Options("BorderForm", TQR_ENTRY(borderForm), F::U8, TQR_PRIV(BorderForm)),
    Options("Page Border", TQR_ENTRY(pageBorder), F::U8, TQR_PRIV(PageBorder)),
    Options("Layout", TQR_ENTRY(layout), F::U8, TQR_PRIV(Layout)),
    Options("PosterLayout", TQR_ENTRY(posterLayout), F::U8, TQR_PRIV(PosterLayout)),
    Numeric("PosterOverlap", TQR_ENTRY(posterOverlap), F::U16, TQR_PRIV(PosterOverlap)),
    Values("Duplex", TQR_ENTRY(duplex), F::I16, TQR_DM(dmDuplex), A::Skip),
    Options("Print Order", TQR_ENTRY(printOrder), F::U8, TQR_PRIV(PrintOrder)),
    Numeric("Repeat", TQR_ENTRY(repeat), F::U16, TQR_PRIV(Repeat)),
    Plain(TQR_ENTRY(waterMark), F::U8, TQR_PRIV(WaterMark), 0),
    Value("First Page Only", TQR_ENTRY(firstPageOnly), F::I32, TQR_PRIV(FirstPageOnly)),
    Options("Binding Pos", TQR_ENTRY(bindingPos), F::U8, TQR_PRIV(BindingPos)),
    Options("WTMView", TQR_ENTRY(wtmView), F::U8, TQR_PRIV(WTMView)),
    Values("Binding Unit", TQR_ENTRY(bindingUnit), F::U8, TQR_PRIV(BindingUnit)),
    Numeric("BindWidth", TQR_ENTRY(bindWidth), F::U16, TQR_PRIV(BindWidth)),
    Numeric("BindWidth_Inch", TQR_ENTRY(bindWidthInch), F::I16, TQR_PRIV(BindWidthInch)),
    Options("Print Quality", TQR_ENTRY(printQualityLevel), F::U16, TQR_PRIV(PrintQualityLevel),
            A::LowByte),
    Values("Color", TQR_ENTRY(color), F::I16, TQR_DM(dmColor), A::Skip),
    Value("Internal Font", TQR_ENTRY(internalFont), F::I32, TQR_PRIV(InternalFont)),
    Value("Print as Raster", TQR_ENTRY(printAsRaster), F::U16, TQR_PRIV(PrintAsRaster),
          A::RasterFlag),
    Value("Scale Patterns", TQR_ENTRY(scalePatterns), F::U16, TQR_PRIV(ScalePatterns)),
    Value("AllTextToBlack", TQR_ENTRY(allTextToBlack), F::I32, TQR_PRIV(AllTextToBlack)),
    Value("TraySetting", TQR_ENTRY(traySetting), F::U8, TQR_PRIV(TraySetting)),
    Values("Orientation", TQR_ENTRY(orientation), F::I16, TQR_DM(dmOrientation), A::AlsoPrivate,
           TQR_PRIV(Orientation)),
    Value("Rotate", TQR_ENTRY(rotate), F::I32, TQR_PRIV(Rotate)),
    Numeric("Copies", TQR_ENTRY(copies), F::I16, TQR_DM(dmCopies), A::AlsoPrivate,
            TQR_PRIV(CopiesValue)),
    Plain(TQR_ENTRY(modeSelect), F::U16, TQR_PRIV(ModeSelect), 512),
    Options("ErrReport", TQR_ENTRY(errReport), F::U16, TQR_PRIV(ErrReport)),
    Values("Print To File", TQR_ENTRY(printToFile), F::U8, TQR_PRIV(PrintToFile)),
    Values("Overlay", TQR_ENTRY(overlay), F::U8, TQR_PRIV(Overlay)),
    Plain(TQR_ENTRY(overlayState), F::U8, TQR_PRIV(OverlayState), 0),
    Value("Overlay Prompt", TQR_ENTRY(overlayPrompt), F::I32, TQR_PRIV(OverlayPrompt)),
    Value("DuplexUnit", TQR_ENTRY(duplexUnit), F::U8, TQR_PRIV(DuplexUnit)),
    Options("PrintMode", TQR_ENTRY(printMode), F::U16, TQR_PRIV(PrintMode)),
    Options("MediaType", TQR_ENTRY(mediaType), F::U16, TQR_PRIV(MediaType)),
    Value("Mirror", TQR_ENTRY(mirror), F::U16, TQR_PRIV(Mirror)),
    Options("PaperSize", TQR_ENTRY(paperSize), F::U16, TQR_PRIV(PaperSize)),
    Options("Printing", TQR_ENTRY(printing), F::U16, TQR_PRIV(Printing)),
    Numeric("Scaling", TQR_ENTRY(scaling), F::U16, TQR_PRIV(Scaling)),
    Options("PaperSize", TQR_ENTRY(paperSize2), F::U16, TQR_PRIV(PaperSize2)),
    Options("PaperFeed", TQR_ENTRY(paperFeed), F::U16, TQR_PRIV(PaperFeed)),
    Options("Cutter", TQR_ENTRY(cutter), F::U16, TQR_PRIV(Cutter)),
    Options("Cartridge", TQR_ENTRY(cartridge), F::U16, TQR_PRIV(Cartridge)),
    Value("GrayScale", TQR_ENTRY(grayScale), F::U16, TQR_PRIV(GrayScale)),
    Numeric("PrintQuality", TQR_ENTRY(printQuality), F::U16, TQR_PRIV(PrintQuality)),
    Values("Halftoning", TQR_ENTRY(halftoning), F::U16, TQR_PRIV(Halftoning)),
    Numeric("Cyan", TQR_ENTRY(cyan), F::U16, TQR_PRIV(Cyan)),
    Numeric("Magenta", TQR_ENTRY(magenta), F::U16, TQR_PRIV(Magenta)),
    Numeric("Yellow", TQR_ENTRY(yellow), F::U16, TQR_PRIV(Yellow)),
    Numeric("Black", TQR_ENTRY(black), F::U16, TQR_PRIV(Black)),
    Numeric("Red", TQR_ENTRY(red), F::U16, TQR_PRIV(Red)),
    Numeric("Green", TQR_ENTRY(green), F::U16, TQR_PRIV(Green)),
    Numeric("Blue", TQR_ENTRY(blue), F::U16, TQR_PRIV(Blue)),
    Values("CMYKorRGB", TQR_ENTRY(cmykOrRgb), F::U16, TQR_PRIV(CMYKorRGB)),
    Options("Matching", TQR_ENTRY(matching), F::U16, TQR_PRIV(Matching)),
    Options("Gamma", TQR_ENTRY(gamma), F::U16, TQR_PRIV(Gamma)),
    Numeric("Intensity", TQR_ENTRY(intensity), F::U16, TQR_PRIV(Intensity)),
    Numeric("PaperWidth", TQR_ENTRY(paperWidth), F::U16, TQR_PRIV(PaperWidth), A::Skip),
    Numeric("PaperLength", TQR_ENTRY(paperLength), F::U16, TQR_PRIV(PaperLength), A::Skip),
    Options("Unit", TQR_ENTRY(unit), F::U16, TQR_PRIV(Unit)),
    Numeric("PaperWidth", TQR_ENTRY(paperWidth2), F::U16, TQR_PRIV(PaperWidth2), A::Skip),
    Numeric("PaperLength", TQR_ENTRY(paperLength2), F::U16, TQR_PRIV(PaperLength2), A::Skip),
    Options("Unit", TQR_ENTRY(unit2), F::U16, TQR_PRIV(Unit2)),
    Value("NoMargin", TQR_ENTRY(noMargin), F::U16, TQR_PRIV(NoMargin)),
    Value("UpperMargin", TQR_ENTRY(upperMargin), F::U16, TQR_PRIV(UpperMargin)),
    Value("IsoA", TQR_ENTRY(isoA), F::I32, TQR_PRIV(IsoA)),
    Value("IsoB", TQR_ENTRY(isoB), F::I32, TQR_PRIV(IsoB)),
    Value("Jis", TQR_ENTRY(jis), F::I32, TQR_PRIV(Jis)),
    Value("Ansi", TQR_ENTRY(ansi), F::I32, TQR_PRIV(Ansi)),
    Value("Arch", TQR_ENTRY(arch), F::I32, TQR_PRIV(Arch)),
    Value("EuroDin", TQR_ENTRY(euroDin), F::I32, TQR_PRIV(EuroDin)),
    Value("Special", TQR_ENTRY(special), F::I32, TQR_PRIV(Special)),
    Value("Custom", TQR_ENTRY(custom), F::I32, TQR_PRIV(Custom)),
    Numeric("VertOffset", TQR_ENTRY(vertOffset), F::U16, TQR_PRIV(VertOffset)),
    Numeric("HorzOffset", TQR_ENTRY(horzOffset), F::U16, TQR_PRIV(HorzOffset)),
    Numeric("HorzOffsetI", TQR_ENTRY(horzOffsetI), F::U16, TQR_PRIV(HorzOffsetI)),
    Options("Unit", TQR_ENTRY(offsetUnit), F::U16, TQR_PRIV(OffsetUnit)),
    Options("Dryness", TQR_ENTRY(dryness), F::U16, TQR_PRIV(Dryness)),
    Options("AutoLayout", TQR_ENTRY(autoLayout), F::U16, TQR_PRIV(AutoLayout)),
    Options("NestingTimer", TQR_ENTRY(nestingTimer), F::U16, TQR_PRIV(NestingTimer)),
    Options("LineOverlap", TQR_ENTRY(lineOverlap), F::U16, TQR_PRIV(LineOverlap)),
    Options("LineShade", TQR_ENTRY(lineShade), F::U16, TQR_PRIV(LineShade)),
    Options("EOPTimer", TQR_ENTRY(eopTimer), F::U16, TQR_PRIV(EOPTimer)),
    Options("Automatic", TQR_ENTRY(automatic), F::U16, TQR_PRIV(Automatic)),
    Options("Feed", TQR_ENTRY(feed), F::U16, TQR_PRIV(Feed)),
    UnboundOptions("PaperSetting", TQR_ENTRY(paperSetting)),
    Options("Resolution", TQR_ENTRY(resolution), F::U16, TQR_PRIV(Resolution)),
    Numeric("PaperWidth", TQR_ENTRY(pageWidth), F::U16, TQR_PRIV(PageWidth), A::Skip),
    Numeric("PaperLength", TQR_ENTRY(pageLength), F::U16, TQR_PRIV(PageLength), A::Skip),
    Numeric("PaperWidth", TQR_ENTRY(pageWidth2), F::U16, TQR_PRIV(PageWidth2), A::Skip),
    Numeric("PaperLength", TQR_ENTRY(pageLength2), F::U16, TQR_PRIV(PageLength2), A::Skip),
    Limits("PaperWidth2", TQR_ENTRY(paperWidth2Range)),
    Limits("PaperWidthI2", TQR_ENTRY(paperWidthI2Range)),
    Limits("PaperLength2", TQR_ENTRY(paperLength2Range)),
    UnboundOptions("PaperName", TQR_ENTRY(paperName)),
    Numeric("PaperWidthI", TQR_ENTRY(paperWidthI), F::U16, TQR_PRIV(PaperWidthI)),
    Numeric("PaperLengthI", TQR_ENTRY(paperLengthI), F::U16, TQR_PRIV(PaperLengthI)),
    Numeric("PaperWidthI", TQR_ENTRY(paperWidthI2), F::U16, TQR_PRIV(PaperWidthI2)),
    Numeric("PaperLengthI", TQR_ENTRY(paperLengthI2), F::U16, TQR_PRIV(PaperLengthI2)),
    Limits("PaperLengthI2", TQR_ENTRY(paperLengthI2Range)),
    Numeric("VertOffsetI", TQR_ENTRY(vertOffsetI), F::U16, TQR_PRIV(VertOffsetI)),
    UnboundOptions("Margin", TQR_ENTRY(margin)),
    UnboundOptions("MarginInch", TQR_ENTRY(marginInch)),
    Values("HeadManagement", TQR_ENTRY(headManagement), F::U16, TQR_PRIV(HeadManagement)),
    Numeric("DryInkScan", TQR_ENTRY(dryInkScan), F::U16, TQR_PRIV(DryInkScan)),
    Numeric("DryInkPage", TQR_ENTRY(dryInkPage), F::U16, TQR_PRIV(DryInkPage)),
    Value("PaperSave", TQR_ENTRY(paperSave), F::I32, TQR_PRIV(PaperSave)),
};

const std::size_t kRowCount = sizeof kRows / sizeof kRows[0];
const std::size_t kTablesBeforeRow = 105;  // "HeadManagement"

static_assert(sizeof kRows / sizeof kRows[0] == 109);

}  // namespace tqr::sheet
