// The shipped description compiled once, for the fuzz targets that build
// settings records from it.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "devdesc/ddf_compiler.h"

namespace tqr::fuzz {

inline const std::vector<std::uint8_t>& ShippedImage() {
  static const std::vector<std::uint8_t> image = [] {
    std::ifstream file(TQR_SHIPPED_DDF, std::ios::binary);
    const std::vector<std::uint8_t> text((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    std::vector<std::uint8_t> compiled;
    TQR_FUZZ_CHECK(!text.empty() &&
                   tqr::ddf::CompileDescription(text.data(), text.size(), &compiled, nullptr));
    return compiled;
  }();
  return image;
}

}  // namespace tqr::fuzz
