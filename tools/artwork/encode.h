// Windows picture files from finished images: 24-bit bitmaps (.bmp) and icon
// files (.ico) holding 32-bit images with alpha and the AND mask that older
// display paths use.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace tqr::art {

using Bytes = std::vector<std::uint8_t>;

// A BITMAPFILEHEADER, a BITMAPINFOHEADER and bottom-up BGR rows padded to
// four bytes. Alpha is dropped: these pictures are opaque.
Bytes EncodeBmp(const Image& image);

// One icon directory entry per image, in the order given.
Bytes EncodeIco(const std::vector<Image>& images);

}  // namespace tqr::art
