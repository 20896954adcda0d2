// The document entry points' work behind the exports, against the shipped
// description and a fake spooler.
#include <cstring>
#include <string>

#include "settings/document_request.h"
#include "support/settings_fixture.h"

namespace tqr {
namespace {

class DocumentRequestTest : public test::SettingsTest {
 protected:
  void SetUp() override { InstallShippedDescription(); }

  std::int32_t Ask(void* output, const void* input, std::uint32_t mode) {
    return AnswerDocumentProperties(printer(), u"Orlex TQ-R5400", output, input, mode);
  }
  std::vector<std::uint8_t> Bytes(const DRVDEVMODE& record) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
    return std::vector<std::uint8_t>(bytes, bytes + sizeof record);
  }
};

TEST_F(DocumentRequestTest, SizeQueriesAndMissingBuffers) {
  EXPECT_EQ(Ask(nullptr, nullptr, 0), 1748);
  EXPECT_EQ(Ask(nullptr, nullptr, kModeCopy), -1);
  std::uint32_t cbOut = 0;
  auto out = test::ZeroRecord();
  EXPECT_EQ(DocumentPropertiesWithoutSheet({printer(), u"x", nullptr, out.get(), &cbOut, 0}), 1748);
  EXPECT_EQ(cbOut, 1748u);
  EXPECT_EQ(out->dm.dmSize, 0);  // untouched
  EXPECT_EQ(DocumentPropertiesWithoutSheet({printer(), u"x", nullptr, nullptr, &cbOut, 2}), 1748);
  // The advanced call copies out only when there is somewhere to copy to.
  EXPECT_EQ(AnswerAdvancedDocumentProperties(printer(), u"x", nullptr, nullptr), 1);
  files_.Delete("C:\\drv\\TQR54GFX.DDF");
  EXPECT_EQ(AnswerAdvancedDocumentProperties(printer(), u"x", nullptr, nullptr), -1);
}

TEST_F(DocumentRequestTest, RecordsHandedOutAreFinalizedAndForeignPrivatePartsIgnored) {
  auto plain = test::ZeroRecord();
  ASSERT_EQ(Ask(plain.get(), nullptr, kModeCopy), 1);
  EXPECT_EQ(plain->PrivateMarker, kPrivateMarker);
  EXPECT_EQ(plain->CopiesMax, 999);  // finalized
  EXPECT_EQ(spooler_.printers[printer()].data.count(kStoredSettingsName), 1u);  // repaired

  // Another driver's record: its copies come over, its private part does not.
  auto foreign = Defaults();
  foreign->PrivateMarker = 0;
  foreign->Cyan = 33;
  foreign->dm.dmFields = DM_COPIES;
  foreign->dm.dmCopies = 7;
  auto result = test::ZeroRecord();
  ASSERT_EQ(Ask(result.get(), foreign.get(), kModeCopy), 1);
  EXPECT_EQ(result->dm.dmCopies, 7);
  EXPECT_EQ(result->Cyan, plain->Cyan);
  EXPECT_EQ(result->PrivateMarker, kPrivateMarker);

  auto own = Defaults();
  own->dm.dmFields = DM_COPIES;
  own->dm.dmCopies = 7;
  ASSERT_EQ(AnswerAdvancedDocumentProperties(printer(), u"Orlex TQ-R5400", result.get(),
                                             own.get()),
            1);
  EXPECT_EQ(result->dm.dmCopies, 7);
}

TEST_F(DocumentRequestTest, TheSpoolersDefaultRecordAndFormsCount) {
  auto stored = Defaults();
  stored->dm.dmFields = DM_COPIES;
  stored->dm.dmCopies = 3;
  stored->dm.dmPaperSize = 256;
  stored->dm.dmPaperWidth = 5000;
  stored->dm.dmPaperLength = 8000;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.get());
  spooler_.printers[printer()].defaultRecord.assign(bytes, bytes + sizeof(DRVDEVMODE));
  AddForm(u"Banner 500", 5000, 8000);
  auto out = test::ZeroRecord();
  std::uint32_t cbOut = 0;
  ASSERT_EQ(DocumentPropertiesWithoutSheet(
                {printer(), u"Orlex TQ-R5400", nullptr, out.get(), &cbOut, kModeCopy}),
            1);
  EXPECT_EQ(out->dm.dmCopies, 3);
  EXPECT_EQ(out->dm.dmPaperSize, 318);  // the default record's custom size is a server form

  // A default record shorter than its own sizes say is not read at all.
  spooler_.printers[printer()].defaultRecord.resize(1000);
  ASSERT_EQ(DocumentPropertiesWithoutSheet(
                {printer(), u"Orlex TQ-R5400", nullptr, out.get(), &cbOut, kModeCopy}),
            1);
  EXPECT_EQ(out->dm.dmCopies, 1);
}

TEST_F(DocumentRequestTest, AServerFormNamedByItsNumberBringsItsSize) {
  // The spooler's default record is A3; the application asks for the first
  // server form by number alone, without width and length.
  auto stored = Defaults();
  stored->dm.dmFields = DM_PAPERSIZE;
  stored->dm.dmPaperSize = 8;
  FinalizeSettings(ddf(), stored.get(), printer());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.get());
  spooler_.printers[printer()].defaultRecord.assign(bytes, bytes + sizeof(DRVDEVMODE));
  AddForm(u"Too narrow", 2000, 3000);
  AddForm(u"Banner 500", 5000, 8000);
  AddForm(u"Poster 700", 7000, 10000);
  const struct {
    std::uint16_t printing;
    std::int16_t paper;
    std::uint16_t paper2;
    std::int16_t wantWidth;
    std::int16_t wantLength;
    std::uint16_t wantWidth2;
  } cases[] = {
      {0, 318, 8, 5000, 8000, 5000},
      {0, 319, 8, 7000, 10000, 7000},
      {1, 258, 319, 8410, 11890, 7000},  // enlarging onto a form
  };
  for (const auto& c : cases) {
    auto input = Defaults();
    input->dm.dmFields = DM_PAPERSIZE;
    input->dm.dmPaperSize = c.paper;
    input->Printing = c.printing;
    input->PaperSize2 = c.paper2;
    auto out = test::ZeroRecord();
    ASSERT_EQ(Ask(out.get(), input.get(), kModeCopy), 1);
    EXPECT_EQ(out->dm.dmPaperSize, c.paper);
    EXPECT_EQ(out->dm.dmPaperWidth, c.wantWidth) << c.paper;
    EXPECT_EQ(out->dm.dmPaperLength, c.wantLength) << c.paper;
    EXPECT_EQ(out->PageWidth2, c.wantWidth2) << c.paper;
    // A sheet opened on the record applies the form's size from here.
    std::uint32_t formSizes[4];
    std::memcpy(formSizes, out->FormSizes, sizeof formSizes);
    if (c.paper >= 318) {
      EXPECT_EQ(formSizes[0], static_cast<std::uint32_t>(c.wantWidth));
      EXPECT_EQ(formSizes[1], static_cast<std::uint32_t>(c.wantLength));
    }
    EXPECT_EQ(formSizes[2], c.wantWidth2) << c.paper;
  }
}

TEST_F(DocumentRequestTest, FailuresAnswerMinusOne) {
  auto out = test::ZeroRecord();
  spooler_.printers[printer()].hasPrinterInfo = false;
  EXPECT_EQ(Ask(out.get(), nullptr, kModeCopy), -1);
  std::uint32_t cbOut = 0;
  EXPECT_EQ(DocumentPropertiesWithoutSheet({printer(), u"x", nullptr, out.get(), &cbOut, 2}), -1);
  spooler_.printers[printer()].hasPrinterInfo = true;
  files_.Delete("C:\\drv\\TQR54GFX.DDF");
  EXPECT_EQ(Ask(out.get(), nullptr, kModeCopy), -1);
  EXPECT_EQ(StoreInitialSettings(printer(), u"x"), 0);
  EXPECT_FALSE(BuildDriverDefault(printer(), u"x", out.get()));
}

TEST_F(DocumentRequestTest, InitialSettingsAndTheDriverDefaultAreNotFinalized) {
  ASSERT_EQ(StoreInitialSettings(printer(), u"Orlex TQ-R5400"), 1);
  const auto& stored = spooler_.printers[printer()].data[kStoredSettingsName];
  ASSERT_EQ(stored.bytes.size(), 1748u);
  EXPECT_EQ(stored.type, kRegBinary);
  auto out = test::ZeroRecord();
  ASSERT_TRUE(BuildDriverDefault(printer(), u"Orlex TQ-R5400", out.get()));
  EXPECT_EQ(out->dm.dmSize, 220);
  EXPECT_EQ(out->dm.dmDriverExtra, 1528);
  EXPECT_EQ(out->CopiesMax, 0);
  EXPECT_EQ(std::memcmp(stored.bytes.data(), out.get(), 1748), 0);
}

}  // namespace
}  // namespace tqr
