// Strings the spooler packs into the block a Get... call fills
// (GetPrinterW, GetPrinterDriverW), copied out without leaving the block.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cwchar>

#include "platform/spooler_block.h"

namespace tqr {

// Copies `text`, a string the spooler placed in the `size`-byte block at
// `block`, into `destination` (`capacity` units, NUL included). False, and
// the destination untouched, when the pointer lies outside the block, the
// string runs to the block's end without a NUL, or it does not fit: a path
// or name cut short would name something else.
inline bool CopySpoolerString(const void* block, std::size_t size, const wchar_t* text,
                              wchar_t* destination, std::size_t capacity) {
  if (destination == nullptr || capacity == 0) return false;
  const std::size_t room = BytesLeftInBlock(block, size, text) / sizeof(wchar_t);
  if (room == 0) return false;
  const std::size_t length = wcsnlen(text, room < capacity ? room : capacity);
  if (length >= room || length >= capacity) return false;
  wmemcpy(destination, text, length + 1);
  return true;
}

}  // namespace tqr
