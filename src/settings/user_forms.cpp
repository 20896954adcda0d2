// The print server's user forms that fit the printer, numbered after the
// description's own paper sizes.
#include <algorithm>
#include <cstring>
#include <vector>

#include "settings/settings.h"

namespace tqr {
namespace {

constexpr std::uint32_t kFormUser = 0;

struct UserForm {
  const FormInfo* form;
  std::int16_t width;   // 0.1 mm
  std::int16_t length;  // 0.1 mm
  std::int16_t number;  // 318 + k
};

// The forms that qualify, in the server's order; false when the server's
// forms cannot be had.
bool ListUserForms(PrinterHandle printer, std::vector<FormInfo>* all,
                   std::vector<UserForm>* offered) {
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler == nullptr || !spooler->EnumForms(printer, all)) return false;
  for (const FormInfo& form : *all) {
    const std::int32_t width = form.width / 100;
    const std::int32_t length = form.length / 100;
    if (form.flags != kFormUser || width < 2100 || width > 10822 || length < 2970 ||
        length > 26670) {
      continue;
    }
    offered->push_back(UserForm{&form, static_cast<std::int16_t>(width),
                                static_cast<std::int16_t>(length),
                                static_cast<std::int16_t>(kFirstFormPaper + offered->size())});
  }
  return true;
}

// A form name as a 64-unit field holds it: cut to 63 units, zero-padded.
// Copied byte-wise, since the record's fields sit unaligned.
void CopyName(const std::u16string& name, void* field) {
  char16_t text[64] = {};
  const std::size_t length = std::min<std::size_t>(name.size(), 63);
  std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), text);
  std::memcpy(field, text, sizeof text);
}

}  // namespace

int MatchUserForm(PrinterHandle printer, DRVDEVMODE* record) {
  std::vector<FormInfo> all;
  std::vector<UserForm> offered;
  if (record == nullptr || !ListUserForms(printer, &all, &offered)) return 0;
  for (const UserForm& form : offered) {
    PublicDevMode& dm = record->dm;
    if (dm.dmPaperSize == DMPAPER_USER && dm.dmPaperWidth == form.width &&
        dm.dmPaperLength == form.length) {
      dm.dmPaperSize = form.number;
    } else if (dm.dmPaperSize != form.number) {
      continue;
    }
    dm.dmPaperWidth = form.width;
    dm.dmPaperLength = form.length;
    return 1;
  }
  return 0;
}

std::uint32_t EnumUserForms(PrinterHandle printer, int what, void* output) {
  std::vector<FormInfo> all;
  std::vector<UserForm> offered;
  if (!ListUserForms(printer, &all, &offered)) return 0;
  if (output != nullptr) {
    for (std::size_t i = 0; i < offered.size(); ++i) {
      const UserForm& form = offered[i];
      if (what == kFormNumbers) {
        static_cast<std::int16_t*>(output)[i] = form.number;
      } else if (what == kFormSizes) {
        const std::int32_t size[2] = {form.width, form.length};
        std::memcpy(static_cast<std::int32_t*>(output) + 2 * i, size, sizeof size);
      } else if (what == kFormNames) {
        CopyName(form.form->name, static_cast<char16_t*>(output) + 64 * i);
      }
    }
  }
  return static_cast<std::uint32_t>(offered.size());
}

void CopyFormNames(PrinterHandle printer, DRVDEVMODE* record) {
  std::vector<FormInfo> all;
  std::vector<UserForm> offered;
  if (record == nullptr || !ListUserForms(printer, &all, &offered)) return;
  for (const UserForm& form : offered) {
    if (record->PaperSize == static_cast<std::uint16_t>(form.number)) {
      CopyName(form.form->name, reinterpret_cast<std::uint8_t*>(record) +
                                    offsetof(DRVDEVMODE, FormName));
    }
    if (record->PaperSize2 == static_cast<std::uint16_t>(form.number)) {
      CopyName(form.form->name, reinterpret_cast<std::uint8_t*>(record) +
                                    offsetof(DRVDEVMODE, FormName2));
    }
  }
}

}  // namespace tqr
