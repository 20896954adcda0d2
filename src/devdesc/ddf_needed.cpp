#include "devdesc/ddf_needed.h"

#include "devdesc/ddf_reader.h"

namespace tqr {

const char* MissingNeededFeature(DdfHandle handle) {
  const ddf::DescriptionReader reader(handle);
  for (const char* name : kNeededFeatures) {
    ddf::FeatureInfo feature;
    if (!reader.FindFeature(name, &feature) || feature.optionCount == 0) return name;
  }
  return nullptr;
}

}  // namespace tqr
