// The shipped description compiled once, for the fuzz targets that build
// settings records from it; a target stops at once when it is missing.
#pragma once

#include <cstdint>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "support/shipped_image.h"

namespace tqr::fuzz {

inline const std::vector<std::uint8_t>& ShippedImage() {
  const std::vector<std::uint8_t>& image = tqr::test::ShippedImage();
  TQR_FUZZ_CHECK(!image.empty());
  return image;
}

}  // namespace tqr::fuzz
