// Finalization: every derived field, and paper sizes fitted to what the
// feed and the switched-on size groups offer.
#include "support/settings_fixture.h"

namespace tqr {
namespace {

using test::SettingsTest;

TEST_F(SettingsTest, FinalizationWritesTheDerivedAndFixedFields) {
  auto record = Defaults();
  record->dm.dmPrintQuality = 720;
  record->dm.dmDuplex = 2;
  FinalizeSettings(ddf(), record.get(), printer());
  EXPECT_EQ(record->TailFixedA, 8);
  EXPECT_EQ(record->TailFixedB, 1);
  EXPECT_EQ(record->ResolutionCopy, 720);
  EXPECT_EQ(record->Resolution, 300);
  EXPECT_EQ(record->dm.dmPrintQuality, 300);
  EXPECT_EQ(record->dm.dmYResolution, 300);  // left as it was
  EXPECT_EQ(std::string(record->Signature), "PRIVATE DEVMODE SIGNATURE TARNE 1999");
  EXPECT_EQ(record->DeviceFeatureMask, 23u);
  EXPECT_EQ(record->NoDuplexUnit, 1);
  EXPECT_EQ(record->DuplexFlags, 3);
  EXPECT_EQ(record->PrintOrder, 2);
  EXPECT_EQ(record->RenderFixedA, -1);
  EXPECT_EQ(record->RenderFixedB, -1);
  EXPECT_EQ(record->RenderFixedC, 5);
  EXPECT_EQ(record->RenderFixedD, 2);
  EXPECT_EQ(record->RenderFixedE, 1);
  EXPECT_EQ(record->RenderFixedF, 1u);
  EXPECT_EQ(record->LayoutFixedA, 1);
  EXPECT_EQ(record->LayoutFixedB, 1);
  EXPECT_EQ(record->CopiesMax, 999);
  // The public copy is the header as it stood before the paper was fitted
  // and the resolution forced.
  EXPECT_EQ(record->PublicCopy.dmPrintQuality, 720);
  EXPECT_EQ(record->PublicCopy.dmSize, 220);
  EXPECT_EQ(record->PaperFeed, 0);
  EXPECT_EQ(record->PageWidth, 2100);
  EXPECT_EQ(record->PageLength, 2970);
}

TEST_F(SettingsTest, DuplexUnitDecidesTheDuplexFields) {
  const struct {
    std::uint8_t unit;
    std::int16_t duplex;
    std::uint8_t flags;
    std::uint32_t mask;
  } cases[] = {{0, 1, 0, 23}, {0, 2, 3, 23}, {0, 3, 1, 23}, {1, 2, 0xAA, 31}};
  for (const auto& c : cases) {
    auto record = Defaults();
    record->DuplexUnit = c.unit;
    record->DuplexFlags = 0xAA;
    record->PrintOrder = 1;
    record->dm.dmDuplex = c.duplex;
    FinalizeSettings(ddf(), record.get(), printer());
    EXPECT_EQ(record->DuplexFlags, c.flags) << int(c.unit) << " " << c.duplex;
    EXPECT_EQ(record->DeviceFeatureMask, c.mask);
    EXPECT_EQ(record->PrintOrder, c.unit == 0 ? 2 : 1);
  }
}

TEST_F(SettingsTest, BindingAndBorderCodes) {
  const struct {
    std::uint8_t position;
    std::int16_t widthInch;
    std::uint16_t code;
    std::uint16_t dots;
  } bindings[] = {{0, 50, 1, 0}, {1, 50, 2, 150}, {2, 50, 4, 150}, {3, -50, 3, 65386},
                  {4, 7, 5, 21},  {5, 50, 1, 0}};
  for (const auto& b : bindings) {
    auto record = Defaults();
    record->BindingPos = b.position;
    record->BindWidthInch = b.widthInch;
    FinalizeSettings(ddf(), record.get(), printer());  // at 300 dpi
    EXPECT_EQ(record->BindingCode, b.code) << int(b.position);
    EXPECT_EQ(record->BindingDots, b.dots) << int(b.position);
  }
  const struct {
    std::uint8_t form;
    std::uint8_t code;
  } borders[] = {{1, 0}, {2, 1}, {3, 50}, {5, 50}, {0, 77}, {6, 77}};
  for (const auto& b : borders) {
    auto record = Defaults();
    record->BorderForm = b.form;
    record->BorderStyleCode = 77;
    record->PageBorder = 4;
    FinalizeSettings(ddf(), record.get(), printer());
    EXPECT_EQ(record->BorderStyleCode, b.code) << int(b.form);
    EXPECT_EQ(record->PageBorderCopy, 4);
  }
}

struct PaperCase {
  const char* what;
  std::int16_t paper;
  std::int16_t width;
  std::int16_t length;
  std::int16_t source;  // 256 + feed; 258 is cut sheet
  std::uint16_t printing;
  bool isoA;
  std::int16_t wantPaper;
  std::int16_t wantWidth;
  std::int16_t wantLength;
};

TEST_F(SettingsTest, PageSizeIsFittedToWhatThePrinterOffers) {
  AddForm(u"Too narrow", 2000, 3000);
  AddForm(u"Banner 500", 5000, 8000);
  AddForm(u"Wide", 10900, 20000);  // wider than the printer: not offered
  const PaperCase cases[] = {
      {"A3 on roll", 8, 0, 0, 256, 0, true, 8, 2970, 4200},
      {"A0 on cut sheet", 258, 0, 0, 258, 0, true, 258, 8410, 11890},
      {"A3 on cut sheet: neither it nor A4 offered", 8, 1, 1, 258, 0, true, 256, 2100, 2970},
      {"A3 on cut sheet while enlarging", 8, 0, 0, 258, 1, true, 8, 2970, 4200},
      {"ISO A switched off", 9, 5, 5, 256, 0, false, 256, 2100, 2970},
      {"unlisted number falls back to A4", 42, 5, 5, 256, 0, true, 9, 2100, 2970},
      {"custom size of a user form", 256, 5000, 8000, 256, 0, true, 318, 5000, 8000},
      {"custom size of no form", 256, 5001, 8000, 256, 0, true, 9, 2100, 2970},
      {"user form in range", 318, 5000, 8000, 256, 0, true, 318, 5000, 8000},
      {"user form wider than the printer", 319, 10900, 20000, 256, 0, true, 319, 2100, 2970},
  };
  for (const PaperCase& c : cases) {
    auto record = Defaults();
    record->dm.dmPaperSize = c.paper;
    record->dm.dmPaperWidth = c.width;
    record->dm.dmPaperLength = c.length;
    record->dm.dmDefaultSource = c.source;
    record->Printing = c.printing;
    record->IsoA = c.isoA ? 1 : 0;
    FinalizeSettings(ddf(), record.get(), printer());
    EXPECT_EQ(record->dm.dmPaperSize, c.wantPaper) << c.what;
    EXPECT_EQ(record->dm.dmPaperWidth, c.wantWidth) << c.what;
    EXPECT_EQ(record->dm.dmPaperLength, c.wantLength) << c.what;
    EXPECT_EQ(record->PaperSize, static_cast<std::uint16_t>(c.wantPaper)) << c.what;
    EXPECT_EQ(record->PageWidth, static_cast<std::uint16_t>(c.wantWidth)) << c.what;
  }
}

TEST_F(SettingsTest, OutputPaperFollowsThePageUnlessEnlarging) {
  const struct {
    const char* what;
    std::uint16_t printing;
    std::int16_t source;
    std::uint16_t paper2;
    std::uint16_t wantPaper2;
    std::uint16_t wantWidth2;
  } cases[] = {
      {"normal size takes the page", 0, 256, 8, 9, 2100},
      {"banner takes the page", 2, 256, 8, 9, 2100},
      {"enlarging onto A2 roll", 1, 256, 66, 66, 4200},
      {"enlarging onto A3 cut sheet: refused, no A4 either", 1, 258, 8, 256, 2100},
      {"enlarging onto an unlisted size", 1, 256, 42, 9, 2100},
      {"enlarging onto a user form", 1, 256, 320, 320, 2100},
  };
  for (const auto& c : cases) {
    auto record = Defaults();
    record->Printing = c.printing;
    record->dm.dmDefaultSource = c.source;
    record->dm.dmPaperSize = 258;  // A0, offered on every feed
    record->PaperSize2 = c.paper2;
    FinalizeSettings(ddf(), record.get(), printer());
    EXPECT_EQ(record->PaperSize2, c.printing == 1 ? c.wantPaper2 : 258) << c.what;
    EXPECT_EQ(record->PageWidth2, c.printing == 1 ? c.wantWidth2 : 8410) << c.what;
  }
}

}  // namespace
}  // namespace tqr
