// The Server Forms dialog without its window: how a typed name stands
// against the server's forms, the form a size pair makes, the size record
// the dialog starts from, and which entry a deletion leaves shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "sheet/sheetstate.h"
#include "ui/size_pair.h"

namespace tqr {

// What a name typed for a new form runs into.
enum class FormNameClass {
  kNew = 0,       // no form of that name: Set adds one
  kListed = 1,    // an offered form of that name, selected in the list: Set replaces it
  kReserved = 2,  // a built-in or printer form has it
  kTaken = 3,     // a user form too large or too small to be listed has it
};

// Walks the server's forms in order; the first form of that name (compared
// as the spooler compares names) decides. An offered form counts as listed
// only while the list has a selection; `listedName`, when given, then takes
// the name as the server spells it.
FormNameClass ClassifyFormName(const std::vector<FormInfo>& forms, const std::u16string& typed,
                               bool listHasSelection, std::u16string* listedName = nullptr);

// The user form Set writes: the record's millimetre sizes (whatever unit was
// typed) in thousandths of a millimetre, printable all over.
FormInfo MakeServerForm(const std::u16string& name, const SizePairRecord& record);

// Height is field 1 and width field 2, ranges from the custom paper size
// settings, values the page's server-form size.
SizePairRecord ServerFormSizeRecord(const SheetState* state);

// The size shown for an empty name, 210.0 x 297.0 mm.
constexpr std::int32_t kBlankFormWidth = 2100;
constexpr std::int32_t kBlankFormLength = 2970;

// The list entry to show after entry `removed` was deleted from a list that
// now holds `remaining` entries: the one before it, the new first one, or
// none when the list is empty.
std::optional<std::size_t> EntryAfterDelete(std::size_t removed, std::size_t remaining);

extern const char16_t kAdministratorRequiredMessage[];
extern const char16_t kReservedFormNameMessage[];
extern const char16_t kFormNameTakenMessage[];
extern const char16_t kFormNameTakenCaption[];

}  // namespace tqr
