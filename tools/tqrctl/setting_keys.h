// The settings get and set name: every feature of the sheets' rows that lives in
// a field of the settings record, read from the feature table, named by its
// description key, or by its field where several fields carry one key
// ("PaperSize" and "PaperSize2").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/devmode.h"
#include "sheet/sheetstate_rows.h"

namespace tqrctl {

struct SettingKey {
  std::string name;
  const tqr::sheet::Row* row;
};

// In the sheets' order.
const std::vector<SettingKey>& SettingKeys();
// By name, ignoring case; null when there is none.
const SettingKey* FindSettingKey(const std::string& name);

// The key's value in a record, as the sheets see it (a list's option id, a
// setting's value).
int ReadSetting(const tqr::DRVDEVMODE& record, const SettingKey& key);
// Writes the value as a confirmed sheet would, with the public fields that the
// driver takes the value from when it checks a record.
void WriteSetting(tqr::DRVDEVMODE* record, const SettingKey& key, int value);

}  // namespace tqrctl
