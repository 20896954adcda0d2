// Default settings records built from the device description.
#include <algorithm>
#include <vector>
#include <cstring>

#include "settings/settings.h"

namespace tqr {
namespace {

struct Model {
  const char* name;
  std::uint16_t number;
  const char* descriptionFile;
};

// Ended by the entry without a name.
constexpr Model kModels[] = {
    {"Orlex TQ-R5400", 2, "TQR54GFX.DDF"},
    {nullptr, 0, nullptr},
};

// How a feature's default value is stored into its field.
enum class Store {
  kU8,            // low 8 bits
  kU16,           // low 16 bits
  kI32,           // the 16-bit value sign-extended
  kLow8In32,      // low 8 bits in a 32-bit field
  kLow8In16,      // low 8 bits in a 16-bit field
  kRasterChoice,  // 1 when the default is nonzero, else 2
};

struct FeatureField {
  const char* feature;
  std::size_t offset;
  Store store;
};

#define TQR_FIELD(feature, field, store) \
  FeatureField { feature, offsetof(DRVDEVMODE, field), Store::store }

// Every private field that takes its feature's default, in record order.
// MediaSize depends on the region and is filled apart.
constexpr FeatureField kFeatureFields[] = {
    TQR_FIELD("WaterMark", WaterMark, kU8),
    TQR_FIELD("WTMView", WTMView, kU8),
    TQR_FIELD("First Page Only", FirstPageOnly, kI32),
    TQR_FIELD("PageLayout", PageLayout, kU8),
    TQR_FIELD("Layout", Layout, kU8),
    TQR_FIELD("BorderForm", BorderForm, kU8),
    TQR_FIELD("Page Border", PageBorder, kU8),
    TQR_FIELD("AdjustPage", AdjustPage, kU8),
    TQR_FIELD("PosterLayout", PosterLayout, kU8),
    TQR_FIELD("PosterOverlap", PosterOverlap, kLow8In16),
    TQR_FIELD("Overlay", Overlay, kU8),
    TQR_FIELD("Overlay Prompt", OverlayPrompt, kI32),
    TQR_FIELD("Print Order", PrintOrder, kU8),
    TQR_FIELD("Print To File", PrintToFile, kU8),
    TQR_FIELD("DuplexUnit", DuplexUnit, kU8),
    TQR_FIELD("AllTextToBlack", AllTextToBlack, kI32),
    TQR_FIELD("TraySetting", TraySetting, kU8),
    TQR_FIELD("Binding Pos", BindingPos, kU8),
    TQR_FIELD("Binding Unit", BindingUnit, kU8),
    TQR_FIELD("BindWidth", BindWidth, kU16),
    TQR_FIELD("BindWidth_Inch", BindWidthInch, kU16),
    TQR_FIELD("ErrReport", ErrReport, kU16),
    TQR_FIELD("Rotate", Rotate, kI32),
    TQR_FIELD("Print as Raster", PrintAsRaster, kRasterChoice),
    TQR_FIELD("Print Quality", PrintQualityLevel, kU16),
    TQR_FIELD("Internal Font", InternalFont, kLow8In32),
    TQR_FIELD("Scale Patterns", ScalePatterns, kU16),
    TQR_FIELD("PrintMode", PrintMode, kU16),
    TQR_FIELD("MediaType", MediaType, kU16),
    TQR_FIELD("Mirror", Mirror, kU16),
    TQR_FIELD("PaperSize", PaperSize, kU16),
    TQR_FIELD("Printing", Printing, kU16),
    TQR_FIELD("Scaling", Scaling, kU16),
    TQR_FIELD("PaperSize", PaperSize2, kU16),
    TQR_FIELD("PaperFeed", PaperFeed, kU16),
    TQR_FIELD("Cutter", Cutter, kU16),
    TQR_FIELD("Orientation", Orientation, kU16),
    TQR_FIELD("Copies", Copies, kU16),
    TQR_FIELD("Cartridge", Cartridge, kU16),
    TQR_FIELD("GrayScale", GrayScale, kU16),
    TQR_FIELD("PrintQuality", PrintQuality, kU16),
    TQR_FIELD("Halftoning", Halftoning, kU16),
    TQR_FIELD("Cyan", Cyan, kU16),
    TQR_FIELD("Magenta", Magenta, kU16),
    TQR_FIELD("Yellow", Yellow, kU16),
    TQR_FIELD("Black", Black, kU16),
    TQR_FIELD("Red", Red, kU16),
    TQR_FIELD("Green", Green, kU16),
    TQR_FIELD("Blue", Blue, kU16),
    TQR_FIELD("CMYKorRGB", CMYKorRGB, kU16),
    TQR_FIELD("Matching", Matching, kU16),
    TQR_FIELD("Gamma", Gamma, kU16),
    TQR_FIELD("Intensity", Intensity, kU16),
    TQR_FIELD("PaperWidth", PaperWidth, kU16),
    TQR_FIELD("PaperLength", PaperLength, kU16),
    TQR_FIELD("Unit", Unit, kU16),
    TQR_FIELD("PaperWidth", PaperWidth2, kU16),
    TQR_FIELD("PaperLength", PaperLength2, kU16),
    TQR_FIELD("Unit", Unit2, kU16),
    TQR_FIELD("NoMargin", NoMargin, kU16),
    TQR_FIELD("UpperMargin", UpperMargin, kU16),
    TQR_FIELD("VertOffset", VertOffset, kU16),
    TQR_FIELD("HorzOffset", HorzOffset, kU16),
    TQR_FIELD("Unit", OffsetUnit, kU16),
    TQR_FIELD("Dryness", Dryness, kU16),
    TQR_FIELD("AutoLayout", AutoLayout, kU16),
    TQR_FIELD("NestingTimer", NestingTimer, kU16),
    TQR_FIELD("LineOverlap", LineOverlap, kU16),
    TQR_FIELD("LineShade", LineShade, kU16),
    TQR_FIELD("EOPTimer", EOPTimer, kU16),
    TQR_FIELD("Automatic", Automatic, kU16),
    TQR_FIELD("Feed", Feed, kU16),
    TQR_FIELD("Resolution", Resolution, kU16),
    TQR_FIELD("PaperWidth", PageWidth, kU16),
    TQR_FIELD("PaperLength", PageLength, kU16),
    TQR_FIELD("PaperWidth", PageWidth2, kU16),
    TQR_FIELD("PaperLength", PageLength2, kU16),
    TQR_FIELD("PaperWidthI", PaperWidthI, kU16),
    TQR_FIELD("PaperLengthI", PaperLengthI, kU16),
    TQR_FIELD("PaperWidthI", PaperWidthI2, kU16),
    TQR_FIELD("PaperLengthI", PaperLengthI2, kU16),
    TQR_FIELD("VertOffsetI", VertOffsetI, kU16),
    TQR_FIELD("HorzOffsetI", HorzOffsetI, kU16),
    TQR_FIELD("HeadManagement", HeadManagement, kU16),
    TQR_FIELD("DryInkScan", DryInkScan, kU16),
    TQR_FIELD("DryInkPage", DryInkPage, kU16),
    TQR_FIELD("PaperSave", PaperSave, kI32),
    TQR_FIELD("Copies", CopiesValue, kU16),
    TQR_FIELD("IsoA", IsoA, kI32),
    TQR_FIELD("IsoB", IsoB, kI32),
    TQR_FIELD("Jis", Jis, kI32),
    TQR_FIELD("Ansi", Ansi, kI32),
    TQR_FIELD("Arch", Arch, kI32),
    TQR_FIELD("EuroDin", EuroDin, kI32),
    TQR_FIELD("Special", Special, kI32),
    TQR_FIELD("Custom", Custom, kI32),
};

#undef TQR_FIELD

template <typename T>
void Put(DRVDEVMODE* record, std::size_t offset, T value) {
  std::memcpy(reinterpret_cast<std::uint8_t*>(record) + offset, &value, sizeof value);
}

void StoreDefault(DdfHandle ddf, DRVDEVMODE* record, const FeatureField& field) {
  const std::uint32_t value = DdfQuery(ddf, field.feature, DDFQ_DEFAULT_VALUE, nullptr, 0, 0);
  switch (field.store) {
    case Store::kU8:
      Put(record, field.offset, static_cast<std::uint8_t>(value));
      break;
    case Store::kU16:
      Put(record, field.offset, static_cast<std::uint16_t>(value));
      break;
    case Store::kI32:
      Put(record, field.offset,
          static_cast<std::int32_t>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value))));
      break;
    case Store::kLow8In32:
      Put(record, field.offset, static_cast<std::uint32_t>(value & 0xff));
      break;
    case Store::kLow8In16:
      Put(record, field.offset, static_cast<std::uint16_t>(value & 0xff));
      break;
    case Store::kRasterChoice:
      Put(record, field.offset, static_cast<std::uint16_t>(value != 0 ? 1 : 2));
      break;
  }
}

// Copies up to 31 units of `name`, stopping after its terminator; a name
// that fills all 31 gets the terminator in the 32nd.
void CopyDeviceName(DRVDEVMODE* record, const char16_t* name) {
  char16_t units[32];
  std::memcpy(units, record->dm.dmDeviceName, sizeof units);
  std::size_t i = 0;
  for (; i < 31; ++i) {
    units[i] = name[i];
    if (name[i] == u'\0') break;
  }
  if (i == 31) units[31] = u'\0';
  std::memcpy(reinterpret_cast<std::uint8_t*>(record) + offsetof(PublicDevMode, dmDeviceName),
              units, sizeof units);
}

// The model table's entry for a driver name, compared in the ANSI code page
// byte for byte; null when the name is not there (or longer than 31 bytes).
const Model* FindModel(const std::u16string& driverName) {
  std::string ansi;
  if (!CurrentPorts().machine->WideToAnsi(driverName, 32, &ansi)) return nullptr;
  for (const Model* model = kModels; model->name != nullptr; ++model) {
    if (ansi == model->name) return model;
  }
  return nullptr;
}

}  // namespace

void FillPublicHeader(DRVDEVMODE* record, const char16_t* deviceName) {
  PublicDevMode& dm = record->dm;
  dm.dmSpecVersion = kSpecVersion;
  dm.dmDriverVersion = kDriverVersion;
  dm.dmSize = kPublicSize;
  dm.dmDriverExtra = kPrivateSize;
  dm.dmFields = kPublicFields;
  dm.dmScale = 100;
  dm.dmTTOption = 1;  // DMTT_BITMAP
  dm.dmCollate = 0;
  dm.dmFormName[0] = u'\0';
  dm.dmBitsPerPel = dm.dmPelsWidth = dm.dmPelsHeight = 0;
  dm.dmDisplayFlags = dm.dmDisplayFrequency = dm.dmICMMethod = 0;
  dm.dmICMIntent = dm.dmMediaType = dm.dmDitherType = 0;
  if (deviceName != nullptr) CopyDeviceName(record, deviceName);
}

int LookupModel(PrinterHandle printer, std::string* modelName, std::string* descriptionFile,
                std::uint16_t* modelNumber) {
  Ports& ports = CurrentPorts();
  if (printer == reinterpret_cast<PrinterHandle>(-1) || ports.spooler == nullptr) return 0;
  std::u16string driverName;
  if (!ports.spooler->GetDriverName(printer, &driverName)) return 0;
  const Model* model = FindModel(driverName);
  if (model != nullptr) {
    if (modelName != nullptr) *modelName = model->name;
    if (descriptionFile != nullptr) *descriptionFile = model->descriptionFile;
    if (modelNumber != nullptr) *modelNumber = model->number;
  }
  return 1;
}

std::uint32_t GetUserCountryCode() {
  Ports& ports = CurrentPorts();
  std::u16string text;
  std::string ansi;
  if (ports.machine == nullptr || !ports.machine->ReadUserCountry(&text) ||
      !ports.machine->WideToAnsi(text, 16, &ansi) || ansi.empty()) {
    return 0;
  }
  std::uint64_t code = 0;
  for (const char c : ansi) {
    if (c < '0' || c > '9') return 0;
    code = code * 10 + static_cast<std::uint64_t>(c - '0');  // at most 15 digits
  }
  // A code beyond 32 bits names no region; it must not wrap into one.
  return code > 0xffffffffu ? 0xffffffffu : static_cast<std::uint32_t>(code);
}

bool DdfIsLetterRegion() {
  const std::uint32_t code = GetUserCountryCode();
  return code <= 2 || (code >= 50 && code <= 59) || (code >= 500 && code <= 599);
}

int BuildDefaultSettings(DdfHandle ddf, DRVDEVMODE* record, const char16_t* deviceName,
                         PrinterHandle printer) {
  const bool letterRegion = DdfIsLetterRegion();
  FillPublicHeader(record, deviceName);
  // One read of the driver information serves the device name and the
  // model: under a spooler each read is a round trip of its own.
  std::u16string driverName;
  Spooler* spooler = CurrentPorts().spooler;
  if (printer != reinterpret_cast<PrinterHandle>(-1) && spooler != nullptr &&
      spooler->GetDriverName(printer, &driverName)) {
    CopyDeviceName(record, driverName.c_str());
    if (const Model* model = FindModel(driverName)) record->ModelId = model->number;
  }

  for (const FeatureField& field : kFeatureFields) StoreDefault(ddf, record, field);
  record->MediaSize = static_cast<std::uint16_t>(DdfQuery(
      ddf, letterRegion ? "Media Size" : "EuroMedia Size", DDFQ_DEFAULT_VALUE, nullptr, 0, 0));
  record->Repeat = 1;
  record->OverlayState = 0;
  record->ModeSelect = 266;
  record->PaperFixedA = 1;
  // The record keeps the first eight group sizes.
  std::vector<std::uint32_t> groups(8);
  groups.resize(std::max<std::size_t>(8, DdfQuery(ddf, "PaperSetting", DDFQ_COUNT, nullptr, 0, 0)));
  DdfQuery(ddf, "PaperSetting", DDFQ_VALUES, groups.data(), 0, 4);
  for (std::size_t g = 0; g < 8; ++g) record->PaperSetting[g] = static_cast<std::uint16_t>(groups[g]);

  PublicDevMode& dm = record->dm;
  dm.dmDuplex = 1;
  dm.dmPrintQuality = dm.dmYResolution = static_cast<std::int16_t>(record->Resolution);
  dm.dmColor = 2;
  dm.dmPaperSize = static_cast<std::int16_t>(record->PaperSize);
  dm.dmPaperWidth = static_cast<std::int16_t>(record->PageWidth);
  dm.dmPaperLength = static_cast<std::int16_t>(record->PageLength);
  dm.dmOrientation = static_cast<std::int16_t>(record->Orientation);
  dm.dmCopies = static_cast<std::int16_t>(record->Copies);
  dm.dmScale = 100;
  dm.dmDefaultSource = static_cast<std::int16_t>(record->PaperFeed + DMBIN_USER);
  record->PrivateMarker = kPrivateMarker;
  record->PrinterInfoInitialized = 0;
  return 1;
}

}  // namespace tqr
