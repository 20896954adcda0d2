// Default records built from the shipped description, and the user's region.
#include <string>

#include <algorithm>

#include "devdesc/ddf_compiler.h"
#include "settings/devmode_describe.h"
#include "settings/devmode_layout.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

std::u16string DeviceName(const DRVDEVMODE& record) {
  char16_t name[32];
  std::memcpy(name, &reinterpret_cast<const std::uint8_t*>(&record)[0], sizeof name);
  return std::u16string(name);
}

TEST_F(SettingsTest, DefaultsComeFromTheDescription) {
  const auto record = Defaults();
  const PublicDevMode& dm = record->dm;
  EXPECT_EQ(DeviceName(*record), u"Orlex TQ-R5400");
  EXPECT_EQ(dm.dmSpecVersion, 0x401);
  EXPECT_EQ(dm.dmDriverVersion, 0x102);
  EXPECT_EQ(dm.dmSize, 220);
  EXPECT_EQ(dm.dmDriverExtra, 1528);
  EXPECT_EQ(dm.dmFields, 0x10B0Fu);
  EXPECT_EQ(dm.dmPaperSize, 9);
  EXPECT_EQ(dm.dmPaperWidth, 2100);  // the custom width's default
  EXPECT_EQ(dm.dmPaperLength, 2970);
  EXPECT_EQ(dm.dmPrintQuality, 300);
  EXPECT_EQ(dm.dmYResolution, 300);
  EXPECT_EQ(dm.dmDefaultSource, 256);
  EXPECT_EQ(dm.dmOrientation, 1);
  EXPECT_EQ(dm.dmCopies, 1);
  EXPECT_EQ(dm.dmColor, 2);
  EXPECT_EQ(dm.dmDuplex, 1);
  EXPECT_EQ(dm.dmScale, 100);
  EXPECT_EQ(dm.dmTTOption, 1);

  EXPECT_EQ(record->PrivateMarker, 0x54515044u);
  EXPECT_EQ(record->ModelId, 2);
  EXPECT_EQ(record->Repeat, 1);
  EXPECT_EQ(record->ModeSelect, 266);
  EXPECT_EQ(record->PaperFixedA, 1);
  EXPECT_EQ(record->PaperSize, 9);
  EXPECT_EQ(record->PaperSize2, 9);
  EXPECT_EQ(record->Cutter, 1);
  EXPECT_EQ(record->Scaling, 100);
  EXPECT_EQ(record->Copies, 1);
  EXPECT_EQ(record->CopiesValue, 1);
  EXPECT_EQ(record->Gamma, 18);
  EXPECT_EQ(record->PrintOrder, 2);
  EXPECT_EQ(record->PrintAsRaster, 1);       // default 1: nonzero gives 1
  EXPECT_EQ(record->PrintQualityLevel, 2);   // "Print Quality", not "PrintQuality"
  EXPECT_EQ(record->PrintQuality, 1);
  EXPECT_EQ(record->HeadManagement, 1);
  EXPECT_EQ(record->OverlayPrompt, 1);
  EXPECT_EQ(record->PosterOverlap, 10);
  EXPECT_EQ(record->IsoA, 1);
  EXPECT_EQ(record->Jis, 0);
  const std::uint16_t groups[8] = {10, 4, 5, 6, 8, 3, 9, 1};
  EXPECT_EQ(std::memcmp(record->PaperSetting, groups, sizeof groups), 0);
  // What only finalization sets stays as the zero-filled buffer had it.
  EXPECT_EQ(record->CopiesMax, 0);
  EXPECT_EQ(record->Signature[0], '\0');
  EXPECT_EQ(record->DeviceFeatureMask, 0u);
}

TEST_F(SettingsTest, MediaSizeFollowsTheRegion) {
  machine_.country = u"1";
  EXPECT_EQ(Defaults()->MediaSize, 10668);  // "Media Size"
  machine_.country = u"49";
  EXPECT_EQ(Defaults()->MediaSize, 8410);  // "EuroMedia Size"
}

TEST_F(SettingsTest, LetterRegionsByCountryCode) {
  const struct {
    const char16_t* text;
    bool present;
    std::uint32_t code;
    bool letter;
  } cases[] = {
      {u"49", true, 49, false},   {u"1", true, 1, true},      {u"52", true, 52, true},
      {u"59", true, 59, true},    {u"598", true, 598, true},  {u"600", true, 600, false},
      {u"3", true, 3, false},     {u"", true, 0, true},       {u"1a", true, 0, true},
      {u"-1", true, 0, true},     {u"x", false, 0, true},
      {u"999999999999999", true, 0xffffffffu, false},  // never wraps into a region
  };
  for (const auto& c : cases) {
    machine_.hasCountry = c.present;
    machine_.country = c.text;
    EXPECT_EQ(GetUserCountryCode(), c.code) << std::string(c.text, c.text + 3);
    EXPECT_EQ(DdfIsLetterRegion(), c.letter) << c.code;
  }
}

TEST_F(SettingsTest, DeviceNameWhenTheDriverCannotBeAsked) {
  spooler_.printers.clear();
  auto record = test::ZeroRecord();
  const std::u16string longName(40, u'n');
  BuildDefaultSettings(ddf(), record.get(), longName.c_str(), printer());
  EXPECT_EQ(DeviceName(*record), std::u16string(31, u'n'));
  EXPECT_EQ(record->ModelId, 0);  // unknown: left unwritten
}

TEST_F(SettingsTest, ModelTableKnowsOnlyThisPrinter) {
  std::string name;
  std::string file;
  std::uint16_t number = 0;
  EXPECT_EQ(LookupModel(printer(), &name, &file, &number), 1);
  EXPECT_EQ(name, "Orlex TQ-R5400");
  EXPECT_EQ(file, "TQR54GFX.DDF");
  EXPECT_EQ(number, 2);
  spooler_.printers[printer()].driverName = u"orlex tq-r5400";
  name.clear();
  EXPECT_EQ(LookupModel(printer(), &name, nullptr, nullptr), 1);
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(LookupModel(reinterpret_cast<PrinterHandle>(-1), &name, nullptr, nullptr), 0);
  spooler_.printers.clear();
  EXPECT_EQ(LookupModel(printer(), &name, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace tqr

namespace tqr {
namespace {

using test::SettingsTest;

TEST_F(SettingsTest, DescribedFieldByField) {
  auto record = Defaults();
  FinalizeSettings(ddf(), record.get(), printer());
  const std::string text = DescribeRecord(*record);
  for (const char* line : {"dmDeviceName = \"Orlex TQ-R5400\"\n", "dmFields = 68367\n",
                           "dmPaperSize = 9\n", "RenderFixedA = -1\n",
                           "Signature = \"PRIVATE DEVMODE SIGNATURE TARNE 1999\"\n",
                           "PaperSetting = 10 4 5 6 8 3 9 1\n", "FormSizes = 0 0 0 0\n",
                           "ResolutionCopy = 300\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 163);  // every named field
}

// A default is stored at the width the record declares and shown with the
// sign the record declares: a negative binding width in inches stays
// negative, 32-bit fields take the 16-bit default sign-extended, and the
// fields that keep a low byte or a raster choice say so whatever their width.
TEST_F(SettingsTest, DefaultsTakeTheWidthAndSignOfTheirField) {
  const struct {
    const char* description;
    const char* line;
  } cases[] = {
      {"*BindWidth_Inch: DDF_STRUCT_RNGE, Minimum, -20;\r\n"
       "*BindWidth_Inch: DDF_STRUCT_RNGE, Default, -5;\r\n",
       "BindWidthInch = -5\n"},
      {"*BindWidth: DDF_STRUCT_RNGE, Default, 65535;\r\n", "BindWidth = 65535\n"},
      {"*Rotate: DDF_STRUCT_ITEM, \"Back\", -2;\r\n*Default: \"Rotate\", 0;\r\n",
       "Rotate = -2\n"},
      {"*Rotate: DDF_STRUCT_ITEM, \"Far\", 65535;\r\n*Default: \"Rotate\", 0;\r\n",
       "Rotate = -1\n"},
      {"*Internal Font: DDF_STRUCT_ITEM, \"Many\", 511;\r\n"
       "*Default: \"Internal Font\", 0;\r\n",
       "InternalFont = 255\n"},
      {"*PosterOverlap: DDF_STRUCT_RNGE, Default, 300;\r\n", "PosterOverlap = 44\n"},
      {"*Print as Raster: DDF_STRUCT_ITEM, \"No\", 0;\r\n"
       "*Default: \"Print as Raster\", 0;\r\n",
       "PrintAsRaster = 2\n"},
      {"*Copies: DDF_STRUCT_RNGE, Default, 7;\r\n", "Copies = 7\n"},
      {"*Copies: DDF_STRUCT_RNGE, Default, 7;\r\n", "CopiesValue = 7\n"},
      {"*Copies: DDF_STRUCT_RNGE, Default, 7;\r\n", "dmCopies = 7\n"},
      {"", "ModeSelect = 266\n"},
      {"", "PaperFixedA = 1\n"},
  };
  for (const auto& c : cases) {
    const std::string text =
        std::string("*FileVersion: \"1.01\";\r\n*PrinterID: \"TQ-R5400\";\r\n") + c.description;
    std::vector<std::uint8_t> image;
    ASSERT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()),
                                        text.size(), &image, nullptr))
        << c.description;
    auto record = test::ZeroRecord();
    BuildDefaultSettings(image.data(), record.get(), u"Orlex TQ-R5400", printer());
    const std::string described = DescribeRecord(*record);
    EXPECT_NE(described.find("\n" + std::string(c.line)), std::string::npos)
        << c.line << described;
  }
}

}  // namespace
}  // namespace tqr
