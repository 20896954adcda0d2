#include "ui/server_forms_model.h"

#include "settings/settings.h"

namespace tqr {

const char16_t kAdministratorRequiredMessage[] = u"Administrator privileges are required.";
const char16_t kReservedFormNameMessage[] =
    u"The name entered for the media size is reserved by the system and cannot be used.\nPlease "
    u"use another name.";
const char16_t kFormNameTakenMessage[] = u"Name already exists. Try to save again with another name.";
const char16_t kFormNameTakenCaption[] = u"Media Setting Error";

namespace {

constexpr std::uint32_t kUserFormFlags = 0;

SizeRange RangeOf(const NumericSetting& setting) { return {setting.minimum, setting.maximum}; }

}  // namespace

FormNameClass ClassifyFormName(const std::vector<FormInfo>& forms, const std::u16string& typed,
                               bool listHasSelection, std::u16string* listedName) {
  for (const FormInfo& form : forms) {
    if (!SameFormName(form.name, typed)) continue;
    if (form.flags != kUserFormFlags) return FormNameClass::kReserved;
    if (!IsOfferedForm(form)) return FormNameClass::kTaken;
    if (!listHasSelection) return FormNameClass::kNew;
    if (listedName != nullptr) *listedName = form.name;
    return FormNameClass::kListed;
  }
  return FormNameClass::kNew;
}

FormInfo MakeServerForm(const std::u16string& name, const SizePairRecord& record) {
  return FormInfo{kUserFormFlags, name, record.Value(SizeField::k2, 0) * 100,
                  record.Value(SizeField::k1, 0) * 100};
}

SizePairRecord ServerFormSizeRecord(const SheetState* state) {
  SizePairRecord record{};
  record.range[static_cast<int>(SizeField::k1)][0] = RangeOf(state->paperLength);
  record.range[static_cast<int>(SizeField::k1)][1] = RangeOf(state->paperLengthI);
  record.range[static_cast<int>(SizeField::k2)][0] = RangeOf(state->paperWidth);
  record.range[static_cast<int>(SizeField::k2)][1] = RangeOf(state->paperWidthI);
  SetFieldInMillimetres(&record, SizeField::k1, static_cast<std::int32_t>(state->formSizes[1]));
  SetFieldInMillimetres(&record, SizeField::k2, static_cast<std::int32_t>(state->formSizes[0]));
  return record;
}

std::optional<std::size_t> EntryAfterDelete(std::size_t removed, std::size_t remaining) {
  if (remaining == 0) return std::nullopt;
  return removed == 0 ? 0 : removed - 1;
}

}  // namespace tqr
