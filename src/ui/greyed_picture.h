// How a picture looks on a control that cannot be used: its colours washed
// to grey halfway towards the face colour, so that it reads as unavailable
// and its own face-coloured backdrop stays the face colour.
#pragma once

#include <cstdint>

namespace tqr {

// One pixel, colours as 0x00BBGGRR.
std::uint32_t GreyedPixel(std::uint32_t color, std::uint32_t face);

// The driver's pictures of controls are drawn in the classic 3-D greys; the
// pages show them in the system's own colours, as the platform does for
// pictures with a colour table.
enum class ClassicGrey { kNone, kFace, kShadow, kLight };
ClassicGrey ClassicGreyOf(std::uint32_t color);

}  // namespace tqr
