// Description text is written by hand and edited by whoever installs the
// driver, so the compiler must take any bytes. Whatever it accepts must come
// out as an image the loader would accept from a cache file, and every query
// on it must stay inside the image and inside the caller's buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image;
  tqr::ddf::CompileReport report;
  if (!tqr::ddf::CompileDescription(data, size, &image, &report)) return 0;

  // An image we write that we would then refuse to read back would make the
  // loader rebuild the cache on every call.
  TQR_FUZZ_CHECK(tqr::ddf::IsSoundImage(image.data(), image.size()));

  // Query a block of exactly the image's size, as DdfLoad hands out.
  const std::vector<std::uint8_t> block(image);
  tqr::fuzz::ExerciseQueries(block.data(), true);
  return 0;
}
