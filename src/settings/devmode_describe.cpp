#include "settings/devmode_describe.h"

#include <cstring>

#include "settings/devmode_fields.h"

namespace tqr {
namespace {

std::string Number(const std::uint8_t* bytes, std::size_t size, bool isSigned) {
  std::uint32_t raw = 0;
  std::memcpy(&raw, bytes, size);
  if (!isSigned) return std::to_string(raw);
  if (size == 1) return std::to_string(static_cast<std::int8_t>(raw));
  if (size == 2) return std::to_string(static_cast<std::int16_t>(raw));
  return std::to_string(static_cast<std::int32_t>(raw));
}

// Text fields up to their terminator; characters beyond 7-bit ASCII as '?'.
std::string Text(const std::uint8_t* bytes, std::size_t size, bool wide) {
  std::string text = "\"";
  const std::size_t unit = wide ? 2 : 1;
  for (std::size_t i = 0; i + unit <= size; i += unit) {
    std::uint16_t c = bytes[i];
    if (wide) std::memcpy(&c, bytes + i, 2);
    if (c == 0) break;
    text += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
  }
  return text + "\"";
}

}  // namespace

std::string DescribeRecord(const DRVDEVMODE& record) {
  const auto* base = reinterpret_cast<const std::uint8_t*>(&record);
  std::string out;
  for (const RecordField& field : kRecordFields) {
    out += field.name;
    out += " =";
    const std::uint8_t* bytes = base + field.offset;
    if (field.kind == FieldKind::kText || field.kind == FieldKind::kWideText) {
      out += " " + Text(bytes, field.size, field.kind == FieldKind::kWideText);
    } else {
      for (std::size_t i = 0; i < field.count; ++i) {
        out += " " + Number(bytes + i * field.size, field.size, field.kind == FieldKind::kSigned);
      }
    }
    out += '\n';
  }
  return out;
}

}  // namespace tqr
