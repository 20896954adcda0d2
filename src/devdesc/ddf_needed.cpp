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

bool HasOversizedPaper(DdfHandle handle) {
  const ddf::DescriptionReader reader(handle);
  ddf::FeatureInfo feature;
  if (!reader.FindFeature(kFeaturePaperSize, &feature)) return false;
  std::uint16_t offset = feature.firstOption;
  for (std::uint32_t visited = 0; visited < feature.optionCount; ++visited) {
    ddf::OptionInfo option;
    if (!reader.ReadOption(feature, offset, &option)) return false;
    if (option.size[0] > kLargestPaperSize || option.size[1] > kLargestPaperSize) return true;
    offset = option.next;
  }
  return false;
}

}  // namespace tqr
