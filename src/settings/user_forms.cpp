// The print server's user forms that fit the printer, numbered after the
// description's own paper sizes.
#include <algorithm>
#include <cstring>
#include <vector>

#include "settings/settings.h"

namespace tqr {
namespace {

constexpr std::uint32_t kFormUser = 0;

// A form name as a 64-unit field holds it: cut to 63 units, zero-padded.
// Copied byte-wise, since the record's fields sit unaligned.
void CopyName(const std::u16string& name, void* field) {
  char16_t text[64] = {};
  const std::size_t length = std::min<std::size_t>(name.size(), 63);
  std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length), text);
  std::memcpy(field, text, sizeof text);
}

char16_t FoldCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  // Latin-1 small letters, but for the division sign and y with diaeresis.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  return c;
}

}  // namespace

bool SameFormName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool IsOfferedForm(const FormInfo& form) {
  const std::int32_t width = form.width / 100;
  const std::int32_t length = form.length / 100;
  return form.flags == kFormUser && width >= 2100 && width <= 10822 && length >= 2970 &&
         length <= 26670;
}

bool ListOfferedForms(PrinterHandle printer, std::vector<OfferedForm>* offered) {
  offered->clear();
  std::vector<FormInfo> all;
  Spooler* spooler = CurrentPorts().spooler;
  if (spooler == nullptr || !spooler->EnumForms(printer, &all)) return false;
  for (const FormInfo& form : all) {
    if (!IsOfferedForm(form)) continue;
    offered->push_back(OfferedForm{form.name, static_cast<std::int16_t>(form.width / 100),
                                   static_cast<std::int16_t>(form.length / 100),
                                   static_cast<std::int16_t>(kFirstFormPaper + offered->size())});
  }
  return true;
}

int MatchUserForm(PrinterHandle printer, DRVDEVMODE* record) {
  std::vector<OfferedForm> offered;
  if (record == nullptr || !ListOfferedForms(printer, &offered)) return 0;
  for (const OfferedForm& form : offered) {
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

std::uint32_t EnumUserForms(PrinterHandle printer, int what, void* output, bool* listed) {
  std::vector<OfferedForm> offered;
  const bool read = ListOfferedForms(printer, &offered);
  if (listed != nullptr) *listed = read;
  if (!read) return 0;
  if (output != nullptr) {
    for (std::size_t i = 0; i < offered.size(); ++i) {
      const OfferedForm& form = offered[i];
      if (what == kFormNumbers) {
        static_cast<std::int16_t*>(output)[i] = form.number;
      } else if (what == kFormSizes) {
        const std::int32_t size[2] = {form.width, form.length};
        std::memcpy(static_cast<std::int32_t*>(output) + 2 * i, size, sizeof size);
      } else if (what == kFormNames) {
        CopyName(form.name, static_cast<char16_t*>(output) + 64 * i);
      }
    }
  }
  return static_cast<std::uint32_t>(offered.size());
}

void CopyFormNames(PrinterHandle printer, DRVDEVMODE* record) {
  std::vector<OfferedForm> offered;
  if (record == nullptr || !ListOfferedForms(printer, &offered)) return;
  for (const OfferedForm& form : offered) {
    if (record->PaperSize == static_cast<std::uint16_t>(form.number)) {
      CopyName(form.name, reinterpret_cast<std::uint8_t*>(record) +
                                    offsetof(DRVDEVMODE, FormName));
    }
    if (record->PaperSize2 == static_cast<std::uint16_t>(form.number)) {
      CopyName(form.name, reinterpret_cast<std::uint8_t*>(record) +
                                    offsetof(DRVDEVMODE, FormName2));
    }
  }
}

}  // namespace tqr
