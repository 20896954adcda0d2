// The sheet's working model: how it is built from the description and a
// settings record, and how its saved values go back into a record.
#include <cstring>
#include <string>

#include "devdesc/ddf_compiler.h"
#include "sheet/sheetstate.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

class SheetStateTest : public SettingsTest {
 protected:
  ~SheetStateTest() override { FreeSheetState(&state_); }

  SheetState* Build(DdfHandle ddf, DRVDEVMODE* record) {
    FreeSheetState(&state_);
    EXPECT_EQ(BuildSheetState(ddf, &state_, record, kDescriptionBaseName, printer()), 1);
    return state_;
  }
  SheetState* BuildShipped() {
    record_ = Defaults();
    return Build(ddf(), record_.get());
  }
  // A description of a few features only, for the rules the shipped one
  // does not exercise.
  DdfHandle Compile(const std::string& body) {
    const std::string text = "*FileVersion: \"1.01\";\r\n*PrinterID: \"TQ-R5400\";\r\n" + body;
    image_.clear();
    EXPECT_TRUE(ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(text.data()),
                                        text.size(), &image_, nullptr));
    return image_.data();
  }

  SheetState* state_ = nullptr;
  std::unique_ptr<DRVDEVMODE> record_;
  std::vector<std::uint8_t> image_;
};

std::u16string Name(const OptionList* list, int index) {
  return std::u16string(list->Entries()[index].name);
}

TEST_F(SheetStateTest, ListsCarryTheDescriptionsOptionsAndTheRecordsValues) {
  InstallShippedDescription();
  SheetState* state = BuildShipped();
  const OptionList* paper = state->paperSize;
  ASSERT_EQ(paper->count, 46);
  EXPECT_EQ(paper->built, 1);
  EXPECT_EQ(paper->currentId, 9);  // A4, the default record's paper
  EXPECT_EQ(paper->savedId, 9);
  EXPECT_EQ(paper->currentPosition, 7);
  EXPECT_EQ(paper->defaultId, 9);
  EXPECT_EQ(paper->Entries()[7].optionId, 9);
  EXPECT_EQ(paper->Entries()[7].comboPosition, 7);
  EXPECT_EQ(paper->Entries()[7].flags, 1);
  // The second paper list stands on its own over the same options.
  EXPECT_NE(state->paperSize2, paper);
  EXPECT_EQ(state->paperSize2->count, 46);

  EXPECT_EQ(Name(state->printMode, 0), u"Standard");
  EXPECT_EQ(state->printMode->count, 6);
  EXPECT_EQ(state->duplex->built, 1);
  EXPECT_EQ(state->headManagement->built, 1);  // the last list of the block

  EXPECT_EQ(state->copies.minimum, 1);
  EXPECT_EQ(state->copies.maximum, 999);
  EXPECT_EQ(state->copies.current, 1);
  EXPECT_EQ(state->cyan.minimum, -50);
  EXPECT_EQ(state->cyan.maximum, 50);
  EXPECT_EQ(state->modeSelect.defaultValue, 512);
  EXPECT_EQ(state->modeSelect.current, record_->ModeSelect);
  // Lists that stand for no field start at 0.
  EXPECT_EQ(state->paperSetting->currentId, 0);
  EXPECT_EQ(state->paperName->currentId, 0);
  EXPECT_EQ(state->paperWidth2Range.current, 0);

  EXPECT_EQ(std::u16string(state->descriptionIniPath), u"C:\\drv\\TQR54GFX.ini");
  EXPECT_EQ(std::u16string(state->baseIniPath), u"C:\\drv\\tqr54bas.ini");
  EXPECT_EQ(std::u16string(state->workIniPath), u"C:\\drv\\tqr54wrk.ini");
  EXPECT_EQ(state->deviceNamePointer, state->deviceName);
  EXPECT_EQ(state->printer, printer());
  EXPECT_EQ(state->mainPageFlags, 0u);
}

TEST_F(SheetStateTest, TablesHoldPaperSizesUnitsAndTheBuiltInModes) {
  SheetState* state = BuildShipped();
  EXPECT_EQ(state->paperSizes[7][0], 2100u);  // 21000 hundredths of a millimetre
  EXPECT_EQ(state->paperSizes[7][1], 2970u);
  EXPECT_EQ(state->paperNameSizes[7][0], 826u);  // 8268 thousandths of an inch
  EXPECT_EQ(state->paperNameSizes[7][1], 1169u);
  // Groups 10, 4, 5 in millimetres, then 6 and 8 in inches.
  EXPECT_EQ(state->paperUnits[18], 0u);
  EXPECT_EQ(state->paperUnits[19], 1u);
  EXPECT_EQ(state->paperUnits[32], 1u);
  EXPECT_EQ(state->paperUnits[33], 0u);

  const PrintModeRecord& photo = state->builtInModes[1];
  EXPECT_EQ(photo.IconIndex, 1);
  EXPECT_EQ(std::u16string(photo.Title), u"Photo");
  EXPECT_EQ(photo.PMMatching, 1);
  EXPECT_EQ(photo.PMGamma, 22);
  EXPECT_EQ(photo.Description[0], u'\0');
  // Five built-in modes from six options: the last stands for the user's own.
  EXPECT_EQ(state->builtInModes[4].IconIndex, 4);
  EXPECT_EQ(state->builtInModes[5].Title[0], u'\0');
}

TEST_F(SheetStateTest, SmallDescriptionRules) {
  const std::string body =
      "*PaperSetting: DDF_STRUCT_ITEM, \"a\", 3;\r\n"
      "*PaperSetting: DDF_STRUCT_ITEM, \"b\", 0;\r\n"
      "*PaperSetting: DDF_STRUCT_ITEM, \"c\", 2;\r\n"
      "*PaperUnit: DDF_STRUCT_ITEM, \"a\", 1;\r\n"
      "*PaperUnit: DDF_STRUCT_ITEM, \"b\", 9;\r\n"
      "*PaperUnit: DDF_STRUCT_ITEM, \"c\", 2;\r\n"
      "*PrintMode: DDF_STRUCT_ITEM, \"LongerThanTen\", 0;\r\n"
      "*PrintMode: DDF_STRUCT_ITEM, \"Mine\", 1;\r\n"
      "*Media Size: DDF_STRUCT_ITEM, \"Roll 17\", 4318;\r\n"
      "*Media Size: DDF_STRUCT_ITEM, \"Roll 36\", 9144;\r\n"
      "*Default: \"Media Size\", 0;\r\n"
      "*EuroMedia Size: DDF_STRUCT_ITEM, \"Roll 17\", 4318;\r\n"
      "*EuroMedia Size: DDF_STRUCT_ITEM, \"Roll 36\", 9144;\r\n"
      "*Default: \"EuroMedia Size\", 1;\r\n"
      "*PaperSize: DDF_STRUCT_PPER, \"A4\", 9, (21000,29700), (1,2,3,4);\r\n";
  const DdfHandle description = Compile(body);
  auto record = test::ZeroRecord();
  record->MediaSize = 1234;  // no such option

  machine_.country = u"1";  // a letter region
  SheetState* state = Build(description, record.get());
  EXPECT_EQ(state->mediaSize->defaultId, 4318);
  EXPECT_EQ(state->mediaSize->currentPosition, 0);
  EXPECT_EQ(state->mediaSize->currentId, 1234);
  const std::uint32_t units[] = {1, 1, 1, 2, 2, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(state->paperUnits[i], units[i]) << i;
  EXPECT_EQ(state->paperSizes[0][0], 2100u);
  EXPECT_EQ(state->paperSizes[0][1], 2970u);
  // One built-in mode; its title is the first ten characters, unterminated.
  EXPECT_EQ(std::u16string(state->builtInModes[0].Title, 10), u"LongerThan");
  EXPECT_EQ(state->builtInModes[1].Title[0], u'\0');
  // Features the description lacks give empty lists and zero limits.
  EXPECT_EQ(state->resolution->count, 0);
  EXPECT_EQ(state->resolution->built, 1);
  EXPECT_EQ(state->copies.maximum, 0);

  machine_.country = u"49";
  state = Build(description, record.get());
  EXPECT_EQ(state->mediaSize->defaultId, 9144);
  EXPECT_EQ(state->mediaSize->count, 2);
  EXPECT_EQ(Name(state->mediaSize, 1), u"Roll 36");
}

TEST_F(SheetStateTest, UserFormNamesAreResolvedFromTheServer) {
  AddForm(u"Too narrow", 2000, 3000);
  AddForm(u"Banner", 6100, 20000);  // 318
  AddForm(u"Poster", 4200, 5940);   // 319
  record_ = Defaults();
  record_->PaperSize = 318;
  record_->PaperSize2 = 319;
  SheetState* state = Build(ddf(), record_.get());
  EXPECT_EQ(std::u16string(state->formName), u"Banner");
  EXPECT_EQ(std::u16string(state->savedFormName), u"Banner");
  EXPECT_EQ(std::u16string(state->formName2), u"Poster");
  EXPECT_EQ(std::u16string(state->savedFormName2), u"Poster");
}

TEST_F(SheetStateTest, ApplyWritesSavedValuesWithTheirConversions) {
  SheetState* state = BuildShipped();
  state->printQualityLevel->savedId = 0x1203;
  state->printAsRaster.saved = 0;
  state->firstPageOnly.saved = -2;
  state->isoA.saved = -1;
  state->pageLayout->savedId = 0x0102;
  state->orientation->savedId = 2;
  state->copies.saved = 12;
  state->copies.current = 40;  // only saved values count
  state->duplex->savedId = 2;
  state->color->savedId = 1;
  state->resolution->savedId = 720;
  state->paperFeed->savedId = 3;
  state->pageWidth.saved = 3000;
  state->pageLength.saved = 4000;
  state->printerInfoInitialized = 7;
  auto record = test::ZeroRecord();
  ApplySheetState(state, record.get());

  EXPECT_EQ(record->PrintQualityLevel, 3);
  EXPECT_EQ(record->PrintAsRaster, 2);
  EXPECT_EQ(record->FirstPageOnly, -2);
  EXPECT_EQ(record->IsoA, -1);
  EXPECT_EQ(record->PageLayout, 2);
  EXPECT_EQ(record->dm.dmOrientation, 2);
  EXPECT_EQ(record->Orientation, 2);
  EXPECT_EQ(record->dm.dmCopies, 12);
  EXPECT_EQ(record->CopiesValue, 12);
  EXPECT_EQ(record->CopiesMax, 999);
  EXPECT_EQ(record->Copies, 1);
  EXPECT_EQ(record->PaperFixedA, 1);
  EXPECT_EQ(record->dm.dmDuplex, 1);
  EXPECT_EQ(record->dm.dmColor, 2);
  EXPECT_EQ(record->dm.dmScale, 100);
  EXPECT_EQ(record->dm.dmPrintQuality, 720);
  EXPECT_EQ(record->dm.dmYResolution, 720);
  EXPECT_EQ(record->dm.dmDefaultSource, 259);
  EXPECT_EQ(record->dm.dmPaperSize, 9);
  EXPECT_EQ(record->PageWidth, 3000);
  EXPECT_EQ(record->dm.dmPaperWidth, 3000);
  EXPECT_EQ(record->dm.dmPaperLength, 4000);
  EXPECT_EQ(record->PrinterInfoInitialized, 7u);
  EXPECT_EQ(record->ModeSelect, state->modeSelect.saved);

  state->printAsRaster.saved = 5;
  ApplySheetState(state, record.get());
  EXPECT_EQ(record->PrintAsRaster, 1);
}

TEST_F(SheetStateTest, ApplyTakesUserFormSizesFromTheForm) {
  SheetState* state = BuildShipped();
  const std::uint32_t sizes[4] = {6100, 20000, 4200, 5940};
  std::memcpy(state->savedFormSizes, sizes, sizeof sizes);
  std::memcpy(state->savedFormName, u"Banner", sizeof u"Banner");
  struct Case {
    std::uint16_t paperSize;
    std::uint16_t pageWidth;
    std::uint16_t paperWidth;
  };
  for (const Case c : {Case{318, 6100, 6100}, Case{317, 2500, 1111}}) {
    state->paperSize->savedId = c.paperSize;
    state->pageWidth.saved = 2500;
    auto record = test::ZeroRecord();
    record->PaperWidth = 1111;
    ApplySheetState(state, record.get());
    EXPECT_EQ(record->PageWidth, c.pageWidth) << c.paperSize;
    EXPECT_EQ(record->PaperWidth, c.paperWidth) << c.paperSize;
    EXPECT_EQ(std::u16string(record->FormName), u"Banner");
  }
  state->paperSize2->savedId = 400;
  auto record = test::ZeroRecord();
  ApplySheetState(state, record.get());
  EXPECT_EQ(record->PageWidth2, 4200);
  EXPECT_EQ(record->PaperLength2, 5940);
}

TEST_F(SheetStateTest, BuildThenApplyKeepsTheRecord) {
  InstallShippedDescription();
  record_ = Defaults();
  FinalizeSettings(ddf(), record_.get(), printer());
  SheetState* state = Build(ddf(), record_.get());
  DRVDEVMODE applied;
  std::memcpy(&applied, record_.get(), sizeof applied);
  ApplySheetState(state, &applied);
  // Every field the sheet carries comes back as it went in.
  EXPECT_EQ(std::memcmp(&applied, record_.get(), sizeof applied), 0);
}

}  // namespace
}  // namespace tqr
