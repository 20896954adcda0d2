// The features every answer of the driver rests on. A description without
// one of them cannot answer the capability calls soundly (no paper names
// for a paper count, bins without names), so the loader refuses it and says
// which one is missing.
#pragma once

#include <array>
#include <cstdint>

#include "devdesc/ddf.h"

namespace tqr {

inline constexpr const char* kFeaturePaperSize = "PaperSize";
inline constexpr const char* kFeaturePaperFeed = "PaperFeed";
inline constexpr const char* kFeaturePaperWidth = "PaperWidth";
inline constexpr const char* kFeaturePaperLength = "PaperLength";
inline constexpr const char* kFeatureResolution = "Resolution";
inline constexpr const char* kFeatureCopies = "Copies";

inline constexpr std::array<const char*, 6> kNeededFeatures = {
    kFeaturePaperSize,  kFeaturePaperFeed,  kFeaturePaperWidth,
    kFeaturePaperLength, kFeatureResolution, kFeatureCopies,
};

// The first needed feature the image lacks or gives no option, or null when
// it has them all.
const char* MissingNeededFeature(DdfHandle handle);

// The largest paper width or length, in hundredths of a millimetre, that a
// settings record can carry: its fields hold tenths in 16 signed bits.
inline constexpr std::uint32_t kLargestPaperSize = 32767 * 10 + 9;

// Whether a paper size of the image is larger than any settings record can
// carry. No description the driver accepts has one, so the loader refuses
// an image that does, compiled or cached: most bits flipped in a cache's
// paper size (every bit from the 19th up, in any size) land there, and the
// cache is then made again from the text instead of being trusted.
bool HasOversizedPaper(DdfHandle handle);

// A sound image of a description the driver accepts: every needed feature,
// and no value a settings record cannot carry. One rule for the text's
// image and the cache's, so that a cache the text would never have given
// is made again from the text.
inline bool IsAcceptedDescription(DdfHandle image) {
  return MissingNeededFeature(image) == nullptr && !HasOversizedPaper(image);
}

}  // namespace tqr
