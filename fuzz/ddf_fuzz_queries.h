// Runs every request kind against every feature of a description image, with
// output buffers of exactly the size a careful caller would allocate, so that
// AddressSanitizer sees any write past what DdfQuery promises to fill.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

#include "devdesc/ddf.h"
#include "devdesc/ddf_reader.h"

namespace tqr::fuzz {

// A broken promise is a finding: say which and stop, so the fuzzer keeps the
// input.
#define TQR_FUZZ_CHECK(condition)                                                        \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

// Room a caller gives each request kind. DdfQuery itself never asks, so these
// follow the documented contract; names always get the 64 bytes of the
// longest stored name.
inline std::size_t BufferSizeFor(std::uint16_t kind, std::uint32_t count, std::uint16_t size) {
  switch (kind) {
    case DDFQ_NAMES:
      return std::size_t{count} * size;
    case DDFQ_NAME:
    case DDFQ_DEFAULT_NAME:
    case DDFQ_RANGE_MIN_NAME:
    case DDFQ_RANGE_MAX_NAME:
    case DDFQ_RANGE_LEVEL_NAME:
      return ddf::kOptionNameSize;
    case DDFQ_VALUES:
      return std::size_t{count} * (size == 2 ? 2 : 4);
    case DDFQ_PAPER_SIZES:
      return std::size_t{count} * 8;
    case DDFQ_PAPER_SIZE:
    case DDFQ_DEFAULT_PAPER_SIZE:
      return 8;
    case DDFQ_PAPER_EXTRAS:
      return std::size_t{count} * 16;
    case DDFQ_PAPER_EXTRA:
    case DDFQ_DEFAULT_PAPER_EXTRA:
      return 16;
    default:  // count and the value kinds
      return 4;
  }
}

// One query into a fresh heap block of exactly the promised size (new[0]
// still yields a distinct pointer, so a zero-size buffer is a real one).
inline std::uint32_t QueryInto(DdfHandle image, const char* feature, std::uint16_t kind,
                               std::uint32_t count, std::uint16_t index, std::uint16_t size) {
  const std::size_t room = BufferSizeFor(kind, count, size);
  const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[room]);
  return DdfQuery(image, feature, kind, buffer.get(), index, size);
}

// Kinds whose answer depends on the index or the size argument.
inline bool TakesIndex(std::uint16_t kind) {
  return kind == DDFQ_NAME || kind == DDFQ_VALUE || kind == DDFQ_PAPER_SIZE ||
         kind == DDFQ_PAPER_EXTRA;
}
inline bool TakesSize(std::uint16_t kind) {
  return kind == DDFQ_NAMES || kind == DDFQ_NAME || kind == DDFQ_DEFAULT_NAME ||
         kind == DDFQ_VALUES;
}

// `sound` is true for images that passed IsSoundImage: their option lists
// close, so the walking kinds must agree with the count.
inline void ExerciseQueries(DdfHandle image, bool sound) {
  std::vector<ddf::FeatureInfo> features;
  const ddf::DescriptionReader reader(image);
  // Queries go by name, so a name listed twice (crafted images) would only
  // repeat the same work.
  reader.ForEachFeature([&](const ddf::FeatureInfo& feature) {
    for (const ddf::FeatureInfo& seen : features) {
      if (std::strcmp(seen.name, feature.name) == 0) return;
    }
    features.push_back(feature);
  });

  for (const ddf::FeatureInfo& listed : features) {
    const char* name = listed.name;
    // A crafted image may repeat a name; queries answer from the first. A
    // name that fills all 16 bytes without a terminator (unsound images
    // only) is listed cut to 15 and then found under no name at all.
    ddf::FeatureInfo feature;
    if (!reader.FindFeature(name, &feature)) {
      TQR_FUZZ_CHECK(!sound);
      feature = listed;
    }
    const std::uint32_t count = DdfQuery(image, name, DDFQ_COUNT, nullptr, 0, 0);
    // The count is the last option's 16-bit index plus one.
    TQR_FUZZ_CHECK(count <= 0x10000);
    const auto last = static_cast<std::uint16_t>(count == 0 ? 0 : count - 1);
    const auto past = static_cast<std::uint16_t>(count);
    for (std::uint16_t kind = DDFQ_COUNT; kind <= DDFQ_DEFAULT_PAPER_EXTRA; ++kind) {
      const std::uint16_t allIndexes[] = {0, 1, last, past, 0xffff};
      const std::uint16_t allSizes[] = {64, 0, 1, 2, 24};
      const std::size_t indexCount = TakesIndex(kind) ? std::size(allIndexes) : 1;
      const std::size_t sizeCount = TakesSize(kind) ? std::size(allSizes) : 1;
      for (std::size_t i = 0; i < indexCount; ++i) {
        for (std::size_t s = 0; s < sizeCount; ++s) {
          const std::uint16_t index = allIndexes[i];
          const std::uint16_t size = allSizes[s];
          const std::uint32_t result = QueryInto(image, name, kind, count, index, size);
          if (!sound) continue;
          if (kind == DDFQ_VALUES) TQR_FUZZ_CHECK(result == count);
          if (kind == DDFQ_NAMES && feature.type != ddf::kTypeRange) {
            TQR_FUZZ_CHECK(result == count * size);
          }
          if (kind == DDFQ_NAME || kind == DDFQ_DEFAULT_NAME) {
            TQR_FUZZ_CHECK(result <= size);
          }
        }
      }
    }
    // The kinds whose buffer is optional must also cope without one.
    for (const std::uint16_t kind : {DDFQ_COUNT, DDFQ_VALUE, DDFQ_DEFAULT_VALUE, DDFQ_RANGE_MIN,
                                     DDFQ_RANGE_MAX, DDFQ_RANGE_LEVEL}) {
      DdfQuery(image, name, kind, nullptr, last, 4);
    }
  }

  // No stored name reaches 16 characters, so this is always a miss; the
  // empty name may match a feature written "*:".
  char buffer[ddf::kOptionNameSize];
  TQR_FUZZ_CHECK(DdfQuery(image, "LongerThanFifteen", DDFQ_NAME, buffer, 0, 64) == 0);
  DdfQuery(image, "", DDFQ_NAME, buffer, 0, 64);
}

}  // namespace tqr::fuzz
