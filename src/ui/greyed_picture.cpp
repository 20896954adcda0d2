#include "ui/greyed_picture.h"

namespace tqr {

std::uint32_t GreyedPixel(std::uint32_t color, std::uint32_t face) {
  const std::uint32_t red = color & 0xFF;
  const std::uint32_t green = (color >> 8) & 0xFF;
  const std::uint32_t blue = (color >> 16) & 0xFF;
  // The eye's weights, so that a dark ink stays darker than a light one.
  const std::uint32_t grey = (red * 299 + green * 587 + blue * 114) / 1000;
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    result |= ((grey + ((face >> shift) & 0xFF)) / 2) << shift;
  }
  return result;
}

ClassicGrey ClassicGreyOf(std::uint32_t color) {
  switch (color & 0x00FFFFFF) {
    case 0x00C0C0C0:
      return ClassicGrey::kFace;
    case 0x00808080:
      return ClassicGrey::kShadow;
    case 0x00DFDFDF:
      return ClassicGrey::kLight;
    default:
      return ClassicGrey::kNone;
  }
}

}  // namespace tqr
