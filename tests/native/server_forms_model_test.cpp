// The Server Forms dialog's rules: how typed names stand against the
// server's forms, the form Set writes, and what a deletion leaves shown;
// and the port's form calls in the fake spooler.
#include "ui/server_forms_model.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/settings_fixture.h"

namespace tqr {
namespace {

class ServerFormsModelTest : public test::SettingsTest {
 protected:
  ~ServerFormsModelTest() override { FreeSheetState(&state_); }

  std::unique_ptr<DRVDEVMODE> record_;
  SheetState* state_ = nullptr;
};

TEST_F(ServerFormsModelTest, TypedNamesAgainstTheServersForms) {
  const std::u16string greek = u"\u03c3\u03c7\u03b5\u03b4\u03b9\u03bf";
  const std::vector<FormInfo> forms = {
      {1, u"A4", 210000, 297000},           // built in
      {0, u"Narrow", 200000, 300000},       // a user form too narrow to be listed
      {0, u"Banner 500", 500000, 800000},   // offered
      {2, u"Tray Form", 500000, 800000},    // the printer's own
      {0, greek, 500000, 800000},           // offered
  };
  const struct {
    std::u16string typed;
    bool listHasSelection;
    FormNameClass want;
    std::u16string listedAs;  // the server's spelling a replace uses
  } cases[] = {
      {u"a4", true, FormNameClass::kReserved, u""},
      {u"TRAY FORM", false, FormNameClass::kReserved, u""},
      {u"narrow", true, FormNameClass::kTaken, u""},
      {u"BANNER 500", true, FormNameClass::kListed, u"Banner 500"},
      {u"\u03a3\u03a7\u0395\u0394\u0399\u039f", true, FormNameClass::kListed, greek},
      {u"Banner 500", false, FormNameClass::kNew, u""},
      {u"Banner 50", true, FormNameClass::kNew, u""},
      {u"Fresh", true, FormNameClass::kNew, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
    std::u16string listed;
    EXPECT_EQ(ClassifyFormName(forms, c.typed, c.listHasSelection, &listed), c.want);
    EXPECT_EQ(listed, c.listedAs);
  }
}

TEST_F(ServerFormsModelTest, TheFormSetWritesAndTheStartingRecord) {
  record_ = Defaults();
  ASSERT_EQ(BuildSheetState(ddf(), &state_, record_.get(), kDescriptionBaseName, printer()), 1);
  state_->formSizes[0] = 8409;
  state_->formSizes[1] = 11890;
  SizePairRecord record = ServerFormSizeRecord(state_);
  EXPECT_EQ(record.Value(SizeField::k2, 0), 8409);
  EXPECT_EQ(record.Value(SizeField::k1, 1), 4681);
  EXPECT_EQ(record.Range(SizeField::k2, 1).minimum, 827);
  EXPECT_EQ(record.Range(SizeField::k1, 0).maximum, 26670);
  const FormInfo form = MakeServerForm(u"A0 sheet", record);
  EXPECT_EQ(form.flags, 0u);
  EXPECT_EQ(form.name, u"A0 sheet");
  EXPECT_EQ(form.width, 840900);
  EXPECT_EQ(form.length, 1189000);
  FreeSheetState(&state_);

  // The spooler stores it, refuses a second of that name, and reports a
  // refusal for rights as such.
  Spooler& spooler = spooler_;
  EXPECT_EQ(spooler.AddForm(printer(), form), kErrorSuccess);
  EXPECT_NE(spooler.AddForm(printer(), form), kErrorSuccess);
  EXPECT_EQ(spooler.SetForm(printer(), u"a0 SHEET", FormInfo{0, u"A0 sheet", 841000, 1189000}),
            kErrorSuccess);
  ASSERT_EQ(spooler_.forms.size(), 1u);
  EXPECT_EQ(spooler_.forms[0].width, 841000);
  spooler_.formChangeError = kErrorAccessDenied;
  EXPECT_EQ(spooler.DeleteForm(printer(), u"A0 sheet"), kErrorAccessDenied);
  spooler_.formChangeError = kErrorSuccess;
  EXPECT_EQ(spooler.DeleteForm(printer(), u"A0 sheet"), kErrorSuccess);
  EXPECT_TRUE(spooler_.forms.empty());
}

TEST_F(ServerFormsModelTest, TheEntryShownAfterADeletion) {
  const struct {
    std::size_t removed;
    std::size_t remaining;
    std::optional<std::size_t> want;
  } cases[] = {{2, 3, 1}, {0, 2, 0}, {1, 1, 0}, {0, 0, std::nullopt}};
  for (const auto& c : cases) {
    EXPECT_EQ(EntryAfterDelete(c.removed, c.remaining), c.want) << c.removed << " " << c.remaining;
  }
}

}  // namespace
}  // namespace tqr
