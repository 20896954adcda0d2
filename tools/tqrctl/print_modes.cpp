#include "tqrctl/print_modes.h"

#include <cstring>
#include <string_view>

#include "presets/print_mode_file.h"
#include "sheet/sheetstate.h"
#include "tqrctl/failure.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

std::string ModeTitle(const tqr::PrintModeRecord& record) {
  const std::u16string_view title = tqr::TitleOf(record);
  return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(title.data()), title.size()));
}

}  // namespace

bool ListPrintModes(const PrinterDescription& description, HANDLE printer,
                    const tqr::DRVDEVMODE& record, std::vector<PrintMode>* modes) {
  modes->clear();
  tqr::DRVDEVMODE working;
  std::memcpy(static_cast<void*>(&working), &record, sizeof working);
  tqr::SheetState* state = nullptr;
  if (!tqr::BuildSheetState(description.handle(), &state, &working, tqr::kDescriptionBaseName,
                            printer)) {
    return Fail("cannot build the sheet's print modes");
  }
  const Allowed names = description.AllowedFor("PrintMode");
  for (int i = 0; i < tqr::kBuiltInPrintModes; ++i) {
    // A description with fewer modes leaves the slot untitled.
    if (state->builtInModes[i].Title[0] == 0) continue;
    const std::string name = i < static_cast<int>(names.choices.size())
                                 ? names.choices[static_cast<std::size_t>(i)].name
                                 : ModeTitle(state->builtInModes[i]);
    modes->push_back({i, name, state->builtInModes[i]});
  }
  tqr::FreeSheetState(&state);
  std::vector<tqr::PrintModeRecord> users;
  // No user print mode file means no presets of the user's.
  if (tqr::LoadUserPrintModeRecords(&users)) {
    for (std::size_t i = 0; i < users.size(); ++i) {
      modes->push_back({tqr::kBuiltInPrintModes + static_cast<int>(i), ModeTitle(users[i]), users[i]});
    }
  }
  return true;
}

}  // namespace tqrctl
