// The features every answer of the driver rests on. A description without
// one of them cannot answer the capability calls soundly (no paper names
// for a paper count, bins without names), so the loader refuses it and says
// which one is missing.
#pragma once

#include <array>

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

}  // namespace tqr
