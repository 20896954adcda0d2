#include "platform/spooler_block.h"

#include <cstring>

namespace tqr {
namespace {

// dmSize and dmDriverExtra, the two words that say how long a record is.
constexpr std::size_t kSizeWordsOffset = 68;
constexpr std::size_t kSizeWordsEnd = kSizeWordsOffset + 4;

}  // namespace

std::size_t BytesLeftInBlock(const void* block, std::size_t size, const void* item) {
  if (block == nullptr || item == nullptr) return 0;
  const auto begin = reinterpret_cast<std::uintptr_t>(block);
  const auto at = reinterpret_cast<std::uintptr_t>(item);
  return at >= begin && at - begin < size ? size - (at - begin) : 0;
}

std::vector<std::uint8_t> CopyRecordInBlock(const void* block, std::size_t size,
                                            const void* record) {
  const std::size_t left = BytesLeftInBlock(block, size, record);
  if (left < kSizeWordsEnd) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(record);
  std::uint16_t words[2];
  std::memcpy(words, bytes + kSizeWordsOffset, sizeof words);
  const std::size_t claimed = std::size_t{words[0]} + words[1];
  return std::vector<std::uint8_t>(bytes, bytes + (claimed < left ? claimed : left));
}

bool CopyStringInBlock(const void* block, std::size_t size, const char16_t* text,
                       std::u16string* out) {
  const std::size_t units = BytesLeftInBlock(block, size, text) / sizeof(char16_t);
  std::size_t length = 0;
  while (length < units && text[length] != u'\0') ++length;
  if (length >= units) return false;
  out->assign(text, length);
  return true;
}

}  // namespace tqr
