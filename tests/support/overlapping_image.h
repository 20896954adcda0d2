// A description image whose paper option records are laid closer together
// than their size, so that each overlaps the next. Every record read alone
// is whole and every link is right; only the bytes are shared. With 880
// options 74 bytes apart it claims 7,040 bytes of paper sizes in 65,244
// bytes of image.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "support/image_bytes.h"

namespace tqr::test {

inline std::vector<std::uint8_t> OverlappingPaperImage(std::uint16_t options,
                                                       std::uint16_t stride) {
  constexpr std::size_t kHeader = 78;       // one further slot
  constexpr std::size_t kFeature = kHeader;  // "PaperSize", 24 bytes
  constexpr std::size_t kFirst = kFeature + 24;
  const std::size_t last = kFirst + std::size_t{stride} * (options - 1);
  std::vector<std::uint8_t> image(last + 96, 0);
  PutU16(&image, 40, 1);  // N
  PutU16(&image, 42, static_cast<std::uint16_t>(kHeader));
  PutU16(&image, 44, static_cast<std::uint16_t>(image.size()));
  PutU16(&image, 76, static_cast<std::uint16_t>(kFeature));
  image[kFeature] = 102;  // paper
  std::memcpy(&image[kFeature + 4], "PaperSize", 10);
  PutU16(&image, kFeature + 20, static_cast<std::uint16_t>(kFirst));
  // Later records are written over the tails of earlier ones, as the
  // overlap has it.
  for (std::size_t i = 0; i < options; ++i) {
    const std::size_t at = kFirst + stride * i;
    const std::size_t previous = i == 0 ? last : at - stride;
    const std::size_t next = i + 1 == options ? kFirst : at + stride;
    PutU16(&image, at, static_cast<std::uint16_t>(previous));
    PutU16(&image, at + 2, static_cast<std::uint16_t>(next));
    PutU16(&image, at + 4, static_cast<std::uint16_t>(i));
    image[at + 6] = 0;  // empty name
  }
  return image;
}

}  // namespace tqr::test
