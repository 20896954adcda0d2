#include "tqrctl/setting_keys.h"

#include <cstring>
#include <cwchar>

#include "settings/devmode_fields.h"

namespace tqrctl {
namespace {

using tqr::sheet::ApplyHow;
using tqr::sheet::EntryKind;

bool IsPublic(const tqr::RecordField& field) { return field.offset < tqr::kPublicSize; }

// Features the record keeps: not the print mode's bookkeeping with no key, and
// not the public fields a record's own value never reaches (the sheets write
// duplex and colour as constants).
bool Settable(const tqr::sheet::Row& row) {
  return row.key != nullptr && row.kind != EntryKind::Plain && row.field.size != 0 &&
         !(row.apply.how == ApplyHow::kSkip && IsPublic(row.field));
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<SettingKey> MakeKeys() {
  std::vector<SettingKey> keys;
  for (std::size_t i = 0; i < tqr::sheet::kRowCount; ++i) {
    const tqr::sheet::Row& row = tqr::sheet::kRows[i];
    if (!Settable(row)) continue;
    int sharing = 0;
    for (std::size_t j = 0; j < tqr::sheet::kRowCount; ++j) {
      const tqr::sheet::Row& other = tqr::sheet::kRows[j];
      if (Settable(other) && std::strcmp(other.key, row.key) == 0) ++sharing;
    }
    keys.push_back({sharing > 1 ? row.field.name : row.key, &row});
  }
  return keys;
}

std::int32_t ReadField(const tqr::DRVDEVMODE& record, const tqr::RecordField& field) {
  const auto* at = reinterpret_cast<const std::uint8_t*>(&record) + field.offset;
  const bool isSigned = field.kind == tqr::FieldKind::kSigned;
  switch (field.size) {
    case 1:
      return isSigned ? static_cast<std::int8_t>(*at) : *at;
    case 2: {
      std::uint16_t value = 0;
      std::memcpy(&value, at, sizeof value);
      return isSigned ? static_cast<std::int16_t>(value) : value;
    }
    case 4: {
      std::int32_t value = 0;
      std::memcpy(&value, at, sizeof value);
      return value;
    }
    default:
      return 0;
  }
}

// At the field's width; 32-bit fields take the value sign-extended from 16 bits,
// as the sheets write them.
void WriteField(tqr::DRVDEVMODE* record, const tqr::RecordField& field, int value) {
  auto* at = reinterpret_cast<std::uint8_t*>(record) + field.offset;
  const auto narrow = static_cast<std::uint16_t>(value);
  switch (field.size) {
    case 1:
      *at = static_cast<std::uint8_t>(narrow);
      break;
    case 2:
      std::memcpy(at, &narrow, sizeof narrow);
      break;
    case 4: {
      const std::int32_t wide = static_cast<std::int16_t>(narrow);
      std::memcpy(at, &wide, sizeof wide);
      break;
    }
    default:
      break;
  }
}

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
  static const std::vector<SettingKey> keys = MakeKeys();
  return keys;
}

const SettingKey* FindSettingKey(const std::string& name) {
  for (const SettingKey& key : SettingKeys()) {
    if (SameIgnoringCase(key.name, name)) return &key;
  }
  return nullptr;
}

int ReadSetting(const tqr::DRVDEVMODE& record, const SettingKey& key) {
  const std::int32_t value = ReadField(record, key.row->field);
  switch (key.row->apply.how) {
    case ApplyHow::kLowByte:
      return value & 0xFF;
    case ApplyHow::kRasterFlag:
      return value == 1 ? 1 : 0;
    default:
      return value;
  }
}

void WriteSetting(tqr::DRVDEVMODE* record, const SettingKey& key, int value) {
  const tqr::sheet::Row& row = *key.row;
  switch (row.apply.how) {
    case ApplyHow::kLowByte:
      WriteField(record, row.field, value & 0xFF);
      break;
    case ApplyHow::kRasterFlag:
      WriteField(record, row.field, value != 0 ? 1 : 2);
      break;
    case ApplyHow::kAlsoPrivate:
      WriteField(record, row.field, value);
      WriteField(record, row.apply.also, value);
      break;
    default:
      WriteField(record, row.field, value);
      break;
  }
  // A document's record keeps its paper size and paper source in the public
  // header too, and the driver takes them from there when it checks a record.
  if (std::strcmp(row.field.name, "PaperSize") == 0) {
    record->dm.dmPaperSize = static_cast<std::int16_t>(value);
  } else if (std::strcmp(row.field.name, "PaperFeed") == 0) {
    record->dm.dmDefaultSource = static_cast<std::int16_t>(value + 256);
  }
}

}  // namespace tqrctl
