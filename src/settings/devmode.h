// The job settings record: the platform's public DEVMODEW header followed by
// this driver's private part. Applications, the spooler and the rendering
// module hold these records, so no field may ever move: every offset below
// is asserted.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tqr {

constexpr std::uint16_t kSpecVersion = 0x401;
constexpr std::uint16_t kDriverVersion = 0x102;
constexpr std::uint16_t kPublicSize = 220;
constexpr std::uint16_t kPrivateSize = 1528;
constexpr std::uint32_t kPrivateMarker = 0x54515044;  // "DPQT" in memory order
constexpr std::uint32_t kPublicFields = 0x10B0F;
constexpr char kPrivateSignature[] = "PRIVATE DEVMODE SIGNATURE TARNE 1999";

// DEVMODEW field flags this driver reads from applications' records, and
// platform paper and bin numbers. The platform headers define them as
// macros, all together; the portable core, which never sees those headers,
// gets the same values here.
#ifndef DM_ORIENTATION
constexpr std::uint32_t DM_ORIENTATION = 0x1, DM_PAPERSIZE = 0x2, DM_PAPERLENGTH = 0x4,
                        DM_PAPERWIDTH = 0x8, DM_COPIES = 0x100, DM_DEFAULTSOURCE = 0x200,
                        DM_PRINTQUALITY = 0x400, DM_DUPLEX = 0x1000;
constexpr std::int16_t DMPAPER_A4 = 9, DMPAPER_USER = 256, DMBIN_USER = 256;
#endif
constexpr std::int16_t kFirstFormPaper = 318;

#pragma pack(push, 1)

// The platform's DEVMODEW of version 0x401 (dmSpecVersion), field for field.
struct PublicDevMode {
  char16_t dmDeviceName[32];
  std::uint16_t dmSpecVersion;
  std::uint16_t dmDriverVersion;
  std::uint16_t dmSize;
  std::uint16_t dmDriverExtra;
  std::uint32_t dmFields;
  std::int16_t dmOrientation;
  std::int16_t dmPaperSize;
  std::int16_t dmPaperLength;
  std::int16_t dmPaperWidth;
  std::int16_t dmScale;
  std::int16_t dmCopies;
  std::int16_t dmDefaultSource;
  std::int16_t dmPrintQuality;
  std::int16_t dmColor;
  std::int16_t dmDuplex;
  std::int16_t dmYResolution;
  std::int16_t dmTTOption;
  std::int16_t dmCollate;
  char16_t dmFormName[32];
  std::uint16_t dmLogPixels;
  std::uint32_t dmBitsPerPel;
  std::uint32_t dmPelsWidth;
  std::uint32_t dmPelsHeight;
  std::uint32_t dmDisplayFlags;
  std::uint32_t dmDisplayFrequency;
  std::uint32_t dmICMMethod;
  std::uint32_t dmICMIntent;
  std::uint32_t dmMediaType;
  std::uint32_t dmDitherType;
  std::uint32_t dmReserved1;
  std::uint32_t dmReserved2;
  std::uint32_t dmPanningWidth;
  std::uint32_t dmPanningHeight;
};

struct DRVDEVMODE {
  PublicDevMode dm;
  // Private part. Reserved stretches travel only with whole-record copies.
  std::uint8_t Reserved1[18];
  std::uint8_t WaterMark;
  std::uint8_t WTMView;
  std::int32_t FirstPageOnly;
  std::uint8_t PageLayout;
  std::uint8_t Layout;
  std::uint8_t PageBorderCopy;
  std::uint8_t LayoutFixedA;
  std::uint8_t BorderForm;
  std::uint8_t PageBorder;
  std::uint8_t LayoutFixedB;
  std::uint8_t BorderStyleCode;
  std::uint8_t AdjustPage;
  std::uint8_t PosterLayout;
  std::uint16_t PosterOverlap;
  std::uint8_t Overlay;
  std::uint8_t OverlayState;
  std::uint8_t Reserved2[2];
  std::int32_t OverlayPrompt;
  std::uint8_t Reserved3[524];
  std::uint8_t PrintOrder;
  std::uint8_t Reserved4[1];
  std::uint16_t Repeat;
  std::uint8_t PrintToFile;
  std::uint8_t DuplexUnit;
  std::uint8_t DuplexFlags;
  std::uint8_t Reserved5[1];
  std::int32_t AllTextToBlack;
  std::uint8_t Reserved6[104];
  std::uint16_t CopiesMax;
  std::uint8_t TraySetting;
  std::uint8_t Reserved7[7];
  std::uint8_t BindingPos;
  std::uint8_t BindingUnit;
  std::uint16_t BindWidth;
  std::int16_t BindWidthInch;
  PublicDevMode PublicCopy;
  std::uint32_t PrivateMarker;
  std::uint16_t ModeSelect;
  std::uint8_t Reserved8[2];
  std::uint32_t DeviceFeatureMask;
  std::uint16_t ErrReport;
  char Signature[37];
  std::uint8_t Reserved9[27];
  std::uint16_t MediaSize;
  std::uint8_t Reserved10[2];
  std::int16_t RenderFixedA;
  std::uint8_t Reserved11[4];
  std::int16_t RenderFixedB;
  std::uint8_t Reserved12[2];
  std::int32_t Rotate;
  std::uint16_t PrintAsRaster;
  std::uint16_t RenderFixedC;
  std::uint16_t PrintQualityLevel;
  std::uint16_t RenderFixedD;
  std::uint32_t InternalFont;
  std::uint16_t ScalePatterns;
  std::uint8_t Reserved13[18];
  std::uint16_t RenderFixedE;
  std::uint16_t BindingCode;
  std::uint16_t BindingDots;
  std::uint8_t Reserved14[2];
  std::uint32_t RenderFixedF;
  std::uint8_t Reserved15[2];
  std::uint16_t PrintMode;
  std::uint16_t MediaType;
  std::uint16_t Mirror;
  std::uint16_t PaperSize;
  std::uint16_t Printing;
  std::uint16_t Scaling;
  std::uint16_t PaperSize2;
  std::uint16_t PaperFeed;
  std::uint16_t Cutter;
  std::uint16_t Orientation;
  std::uint16_t Copies;
  std::uint16_t PaperFixedA;
  std::uint16_t PaperFixedB;
  std::uint16_t Cartridge;
  std::uint16_t GrayScale;
  std::uint16_t PrintQuality;
  std::uint16_t Halftoning;
  std::uint16_t Cyan;
  std::uint16_t Magenta;
  std::uint16_t Yellow;
  std::uint16_t Black;
  std::uint16_t Red;
  std::uint16_t Green;
  std::uint16_t Blue;
  std::uint16_t CMYKorRGB;
  std::uint16_t Matching;
  std::uint16_t Gamma;
  std::uint16_t Intensity;
  std::uint16_t PaperWidth;
  std::uint16_t PaperLength;
  std::uint16_t Unit;
  std::uint16_t PaperWidth2;
  std::uint16_t PaperLength2;
  std::uint16_t Unit2;
  std::uint16_t NoMargin;
  std::uint16_t UpperMargin;
  std::uint16_t VertOffset;
  std::uint16_t HorzOffset;
  std::uint16_t OffsetUnit;
  std::uint16_t Dryness;
  std::uint16_t AutoLayout;
  std::uint16_t NestingTimer;
  std::uint16_t LineOverlap;
  std::uint16_t LineShade;
  std::uint16_t EOPTimer;
  std::uint16_t Automatic;
  std::uint16_t Feed;
  std::uint16_t Resolution;
  std::uint16_t PageWidth;
  std::uint16_t PageLength;
  std::uint16_t PageWidth2;
  std::uint16_t PageLength2;
  std::uint16_t PaperWidthI;
  std::uint16_t PaperLengthI;
  std::uint16_t PaperWidthI2;
  std::uint16_t PaperLengthI2;
  std::uint16_t VertOffsetI;
  std::uint16_t HorzOffsetI;
  std::uint16_t HeadManagement;
  std::uint16_t DryInkScan;
  std::uint16_t DryInkPage;
  std::int32_t PaperSave;
  std::uint16_t CopiesValue;
  char16_t FormName[64];
  char16_t FormName2[64];
  std::uint8_t Reserved16[2];
  std::uint32_t FormSizes[4];
  std::int32_t IsoA;
  std::int32_t IsoB;
  std::int32_t Jis;
  std::int32_t Ansi;
  std::int32_t Arch;
  std::int32_t EuroDin;
  std::int32_t Special;
  std::int32_t Custom;
  std::uint16_t PaperSetting[8];
  std::uint32_t PrinterInfoInitialized;
  std::uint16_t TailFixedA;
  std::uint8_t Reserved17[2];
  std::uint16_t ModelId;
  std::uint16_t TailFixedB;
  std::uint16_t NoDuplexUnit;
  std::uint16_t ResolutionCopy;
};

#pragma pack(pop)

static_assert(sizeof(PublicDevMode) == kPublicSize);
static_assert(sizeof(DRVDEVMODE) == kPublicSize + kPrivateSize);
static_assert(sizeof(DRVDEVMODE) == 437 * 4, "records are copied as 437 32-bit words");

}  // namespace tqr
