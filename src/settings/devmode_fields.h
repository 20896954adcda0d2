// Every named field of the settings record, for tools that show a record
// field by field, and the shape of a field for everything that reads or
// writes one by its offset. Reserved stretches and the public copy are left
// out of the list.
#pragma once

#include <cstddef>
#include <type_traits>

#include "settings/devmode.h"

namespace tqr {

enum class FieldKind { kUnsigned, kSigned, kWideText, kText };

struct RecordField {
  const char* name;
  std::size_t offset;
  std::size_t size;  // of one element; 0 for no field
  std::size_t count;
  FieldKind kind;
};

// A field's size, count and kind follow from its declared type, so that the
// record's declaration stays the one place that says how wide a field is and
// whether it is signed. Text is one element of the whole field.
template <typename Member>
constexpr RecordField DescribeField(const char* name, std::size_t offset) {
  using Element = std::remove_all_extents_t<Member>;
  static_assert(std::rank_v<Member> <= 1, "fields are single values or rows of values");
  if constexpr (std::is_same_v<Element, char16_t>) {
    return RecordField{name, offset, sizeof(Member), 1, FieldKind::kWideText};
  } else if constexpr (std::is_same_v<Element, char>) {
    return RecordField{name, offset, sizeof(Member), 1, FieldKind::kText};
  } else {
    static_assert(std::is_integral_v<Element>);
    return RecordField{name, offset, sizeof(Element), sizeof(Member) / sizeof(Element),
                       std::is_signed_v<Element> ? FieldKind::kSigned : FieldKind::kUnsigned};
  }
}

// A field of the private part, and one of the public header, by name.
#define TQR_RECORD_FIELD(field)                                  \
  ::tqr::DescribeField<decltype(::tqr::DRVDEVMODE::field)>(#field, \
                                                           offsetof(::tqr::DRVDEVMODE, field))
#define TQR_PUBLIC_FIELD(field)                                  \
  ::tqr::DescribeField<decltype(::tqr::PublicDevMode::field)>( \
      #field, offsetof(::tqr::DRVDEVMODE, dm) + offsetof(::tqr::PublicDevMode, field))

// For a feature that starts from no field and is never written back.
inline constexpr RecordField kNoRecordField{nullptr, 0, 0, 0, FieldKind::kUnsigned};

// In the order tools print them.
inline constexpr RecordField kRecordFields[] = {
    TQR_PUBLIC_FIELD(dmDeviceName),
    TQR_PUBLIC_FIELD(dmSpecVersion),
    TQR_PUBLIC_FIELD(dmDriverVersion),
    TQR_PUBLIC_FIELD(dmSize),
    TQR_PUBLIC_FIELD(dmDriverExtra),
    TQR_PUBLIC_FIELD(dmFields),
    TQR_PUBLIC_FIELD(dmOrientation),
    TQR_PUBLIC_FIELD(dmPaperSize),
    TQR_PUBLIC_FIELD(dmPaperLength),
    TQR_PUBLIC_FIELD(dmPaperWidth),
    TQR_PUBLIC_FIELD(dmScale),
    TQR_PUBLIC_FIELD(dmCopies),
    TQR_PUBLIC_FIELD(dmDefaultSource),
    TQR_PUBLIC_FIELD(dmPrintQuality),
    TQR_PUBLIC_FIELD(dmColor),
    TQR_PUBLIC_FIELD(dmDuplex),
    TQR_PUBLIC_FIELD(dmYResolution),
    TQR_PUBLIC_FIELD(dmTTOption),
    TQR_PUBLIC_FIELD(dmCollate),
    TQR_PUBLIC_FIELD(dmFormName),
    TQR_PUBLIC_FIELD(dmLogPixels),
    TQR_PUBLIC_FIELD(dmBitsPerPel),
    TQR_PUBLIC_FIELD(dmPelsWidth),
    TQR_PUBLIC_FIELD(dmPelsHeight),
    TQR_PUBLIC_FIELD(dmDisplayFlags),
    TQR_PUBLIC_FIELD(dmDisplayFrequency),
    TQR_PUBLIC_FIELD(dmICMMethod),
    TQR_PUBLIC_FIELD(dmICMIntent),
    TQR_PUBLIC_FIELD(dmMediaType),
    TQR_PUBLIC_FIELD(dmDitherType),
    TQR_PUBLIC_FIELD(dmReserved1),
    TQR_PUBLIC_FIELD(dmReserved2),
    TQR_PUBLIC_FIELD(dmPanningWidth),
    TQR_PUBLIC_FIELD(dmPanningHeight),
    TQR_RECORD_FIELD(WaterMark),
    TQR_RECORD_FIELD(WTMView),
    TQR_RECORD_FIELD(FirstPageOnly),
    TQR_RECORD_FIELD(PageLayout),
    TQR_RECORD_FIELD(Layout),
    TQR_RECORD_FIELD(PageBorderCopy),
    TQR_RECORD_FIELD(LayoutFixedA),
    TQR_RECORD_FIELD(BorderForm),
    TQR_RECORD_FIELD(PageBorder),
    TQR_RECORD_FIELD(LayoutFixedB),
    TQR_RECORD_FIELD(BorderStyleCode),
    TQR_RECORD_FIELD(AdjustPage),
    TQR_RECORD_FIELD(PosterLayout),
    TQR_RECORD_FIELD(PosterOverlap),
    TQR_RECORD_FIELD(Overlay),
    TQR_RECORD_FIELD(OverlayState),
    TQR_RECORD_FIELD(OverlayPrompt),
    TQR_RECORD_FIELD(PrintOrder),
    TQR_RECORD_FIELD(Repeat),
    TQR_RECORD_FIELD(PrintToFile),
    TQR_RECORD_FIELD(DuplexUnit),
    TQR_RECORD_FIELD(DuplexFlags),
    TQR_RECORD_FIELD(AllTextToBlack),
    TQR_RECORD_FIELD(CopiesMax),
    TQR_RECORD_FIELD(TraySetting),
    TQR_RECORD_FIELD(BindingPos),
    TQR_RECORD_FIELD(BindingUnit),
    TQR_RECORD_FIELD(BindWidth),
    TQR_RECORD_FIELD(BindWidthInch),
    TQR_RECORD_FIELD(PrivateMarker),
    TQR_RECORD_FIELD(ModeSelect),
    TQR_RECORD_FIELD(DeviceFeatureMask),
    TQR_RECORD_FIELD(ErrReport),
    TQR_RECORD_FIELD(Signature),
    TQR_RECORD_FIELD(MediaSize),
    TQR_RECORD_FIELD(RenderFixedA),
    TQR_RECORD_FIELD(RenderFixedB),
    TQR_RECORD_FIELD(Rotate),
    TQR_RECORD_FIELD(PrintAsRaster),
    TQR_RECORD_FIELD(RenderFixedC),
    TQR_RECORD_FIELD(PrintQualityLevel),
    TQR_RECORD_FIELD(RenderFixedD),
    TQR_RECORD_FIELD(InternalFont),
    TQR_RECORD_FIELD(ScalePatterns),
    TQR_RECORD_FIELD(RenderFixedE),
    TQR_RECORD_FIELD(BindingCode),
    TQR_RECORD_FIELD(BindingDots),
    TQR_RECORD_FIELD(RenderFixedF),
    TQR_RECORD_FIELD(PrintMode),
    TQR_RECORD_FIELD(MediaType),
    TQR_RECORD_FIELD(Mirror),
    TQR_RECORD_FIELD(PaperSize),
    TQR_RECORD_FIELD(Printing),
    TQR_RECORD_FIELD(Scaling),
    TQR_RECORD_FIELD(PaperSize2),
    TQR_RECORD_FIELD(PaperFeed),
    TQR_RECORD_FIELD(Cutter),
    TQR_RECORD_FIELD(Orientation),
    TQR_RECORD_FIELD(Copies),
    TQR_RECORD_FIELD(PaperFixedA),
    TQR_RECORD_FIELD(PaperFixedB),
    TQR_RECORD_FIELD(Cartridge),
    TQR_RECORD_FIELD(GrayScale),
    TQR_RECORD_FIELD(PrintQuality),
    TQR_RECORD_FIELD(Halftoning),
    TQR_RECORD_FIELD(Cyan),
    TQR_RECORD_FIELD(Magenta),
    TQR_RECORD_FIELD(Yellow),
    TQR_RECORD_FIELD(Black),
    TQR_RECORD_FIELD(Red),
    TQR_RECORD_FIELD(Green),
    TQR_RECORD_FIELD(Blue),
    TQR_RECORD_FIELD(CMYKorRGB),
    TQR_RECORD_FIELD(Matching),
    TQR_RECORD_FIELD(Gamma),
    TQR_RECORD_FIELD(Intensity),
    TQR_RECORD_FIELD(PaperWidth),
    TQR_RECORD_FIELD(PaperLength),
    TQR_RECORD_FIELD(Unit),
    TQR_RECORD_FIELD(PaperWidth2),
    TQR_RECORD_FIELD(PaperLength2),
    TQR_RECORD_FIELD(Unit2),
    TQR_RECORD_FIELD(NoMargin),
    TQR_RECORD_FIELD(UpperMargin),
    TQR_RECORD_FIELD(VertOffset),
    TQR_RECORD_FIELD(HorzOffset),
    TQR_RECORD_FIELD(OffsetUnit),
    TQR_RECORD_FIELD(Dryness),
    TQR_RECORD_FIELD(AutoLayout),
    TQR_RECORD_FIELD(NestingTimer),
    TQR_RECORD_FIELD(LineOverlap),
    TQR_RECORD_FIELD(LineShade),
    TQR_RECORD_FIELD(EOPTimer),
    TQR_RECORD_FIELD(Automatic),
    TQR_RECORD_FIELD(Feed),
    TQR_RECORD_FIELD(Resolution),
    TQR_RECORD_FIELD(PageWidth),
    TQR_RECORD_FIELD(PageLength),
    TQR_RECORD_FIELD(PageWidth2),
    TQR_RECORD_FIELD(PageLength2),
    TQR_RECORD_FIELD(PaperWidthI),
    TQR_RECORD_FIELD(PaperLengthI),
    TQR_RECORD_FIELD(PaperWidthI2),
    TQR_RECORD_FIELD(PaperLengthI2),
    TQR_RECORD_FIELD(VertOffsetI),
    TQR_RECORD_FIELD(HorzOffsetI),
    TQR_RECORD_FIELD(HeadManagement),
    TQR_RECORD_FIELD(DryInkScan),
    TQR_RECORD_FIELD(DryInkPage),
    TQR_RECORD_FIELD(PaperSave),
    TQR_RECORD_FIELD(CopiesValue),
    TQR_RECORD_FIELD(FormName),
    TQR_RECORD_FIELD(FormName2),
    TQR_RECORD_FIELD(FormSizes),
    TQR_RECORD_FIELD(IsoA),
    TQR_RECORD_FIELD(IsoB),
    TQR_RECORD_FIELD(Jis),
    TQR_RECORD_FIELD(Ansi),
    TQR_RECORD_FIELD(Arch),
    TQR_RECORD_FIELD(EuroDin),
    TQR_RECORD_FIELD(Special),
    TQR_RECORD_FIELD(Custom),
    TQR_RECORD_FIELD(PaperSetting),
    TQR_RECORD_FIELD(PrinterInfoInitialized),
    TQR_RECORD_FIELD(TailFixedA),
    TQR_RECORD_FIELD(ModelId),
    TQR_RECORD_FIELD(TailFixedB),
    TQR_RECORD_FIELD(NoDuplexUnit),
    TQR_RECORD_FIELD(ResolutionCopy),
};

}  // namespace tqr
