// What the spooler packs behind the fixed part of the block a Get... call
// fills (GetPrinterW, GetPrinterDriverW): records and strings the fixed
// part points at. The pointers come from outside, so each item is read only
// as far as the block reaches, whatever the item claims of itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tqr {

// Bytes from `item` to the end of the `size`-byte block at `block`; 0 when
// `item` does not point inside the block.
std::size_t BytesLeftInBlock(const void* block, std::size_t size, const void* item);

// The settings record at `record` inside the block: its dmSize +
// dmDriverExtra bytes, cut where the block ends. A record too short to say
// its sizes, or outside the block, gives no bytes.
std::vector<std::uint8_t> CopyRecordInBlock(const void* block, std::size_t size,
                                            const void* record);

// The UTF-16 string at `text` inside the block, up to its NUL. False, and
// `out` untouched, when `text` lies outside the block or runs to its end
// without a NUL.
bool CopyStringInBlock(const void* block, std::size_t size, const char16_t* text,
                       std::u16string* out);

}  // namespace tqr
