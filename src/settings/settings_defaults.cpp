// Default settings records built from the device description.
#include <algorithm>
#include <vector>
#include <cstring>

#include "settings/feature_table.h"
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

// Every field that a new record takes from the feature table, at the width
// the record declares for it: 32-bit fields take the 16-bit description value
// sign-extended.
void PutAtFieldWidth(DRVDEVMODE* record, const RecordField& field, std::uint32_t value) {
  auto* at = reinterpret_cast<std::uint8_t*>(record) + field.offset;
  if (field.size == 1) {
    const auto narrow = static_cast<std::uint8_t>(value);
    std::memcpy(at, &narrow, sizeof narrow);
  } else if (field.size == 2) {
    const auto half = static_cast<std::uint16_t>(value);
    std::memcpy(at, &half, sizeof half);
  } else if (field.size == 4) {
    const std::int32_t wide = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    std::memcpy(at, &wide, sizeof wide);
  }
}

void StoreDefault(DdfHandle ddf, DRVDEVMODE* record, const feature::RecordDefault& row,
                  bool letterRegion) {
  using feature::DefaultFrom;
  const auto described = [&] {
    return DdfQuery(ddf, feature::DefaultKey(row.key, row.rule, letterRegion), DDFQ_DEFAULT_VALUE,
                    nullptr, 0, 0);
  };
  switch (row.rule.from) {
    case DefaultFrom::kNothing:
      return;
    case DefaultFrom::kFeature:
    case DefaultFrom::kRegion:
      PutAtFieldWidth(record, row.field, described());
      return;
    case DefaultFrom::kFeatureLowByte:
      PutAtFieldWidth(record, row.field, described() & 0xff);
      return;
    case DefaultFrom::kRasterChoice:
      PutAtFieldWidth(record, row.field, described() != 0 ? 1 : 2);
      return;
    case DefaultFrom::kFixed:
      PutAtFieldWidth(record, row.field, row.rule.fixedValue);
      return;
  }
}

// A field filled by two rows would take whichever comes last; the table
// must say one thing per field.
constexpr bool EveryFieldFilledOnce() {
  for (const feature::RecordDefault& a : feature::kRecordDefaults) {
    if (a.rule.from == feature::DefaultFrom::kNothing) continue;
    if (a.field.size == 0) return false;
    for (const feature::RecordDefault& b : feature::kRecordDefaults) {
      if (&a != &b && b.rule.from != feature::DefaultFrom::kNothing &&
          a.field.offset == b.field.offset) {
        return false;
      }
    }
  }
  return true;
}
static_assert(EveryFieldFilledOnce());

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
  BuildWholeDefaultSettings(ddf, record, deviceName, printer);
  return 1;
}

bool BuildWholeDefaultSettings(DdfHandle ddf, DRVDEVMODE* record, const char16_t* deviceName,
                               PrinterHandle printer) {
  const bool letterRegion = DdfIsLetterRegion();
  FillPublicHeader(record, deviceName);
  // One read of the driver information serves the device name and the
  // model: under a spooler each read is a round trip of its own.
  std::u16string driverName;
  Spooler* spooler = CurrentPorts().spooler;
  const bool driverRead = printer != reinterpret_cast<PrinterHandle>(-1) && spooler != nullptr &&
                          spooler->GetDriverName(printer, &driverName);
  if (driverRead) {
    CopyDeviceName(record, driverName.c_str());
    if (const Model* model = FindModel(driverName)) record->ModelId = model->number;
  }

  for (const feature::RecordDefault& row : feature::kRecordDefaults) {
    StoreDefault(ddf, record, row, letterRegion);
  }
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
  return driverRead;
}

}  // namespace tqr
