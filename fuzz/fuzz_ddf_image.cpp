// The cache file is outside input: another tool, an older driver or a
// process that died while writing it may have left any bytes there. The
// soundness check must judge them without reading past them, whatever it
// accepts must answer queries safely, and the loader must fall back to the
// text for whatever it refuses.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ddf_fuzz_queries.h"
#include "support/needed_features_text.h"
#include "devdesc/ddf_compiler.h"
#include "devdesc/ddf_image.h"
#include "devdesc/ddf_needed.h"
#include "sheet/sheetstate.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_system.h"

namespace {

using tqr::ddf::kMaxImageSize;

// Small but with one feature of each type, so a cache refused for being
// unsound is replaced by an image worth querying.
constexpr char kText[] =
    "*FileVersion: \"1.01\";\n"
    "*PrinterID: \"Orlex TQ-R5400\";\n"
    "*Paper: \"A4\", 9, (21000, 29700), (300, 1500, 300, 300);\n"
    "*Copies: DDF_STRUCT_RNGE, Maximum, 999;\n"
    "*Copies: DDF_STRUCT_RNGE, Minimum, 1;\n"
    "*Orientation: \"Portrait\", 1;\n"
    "*Orientation: \"Landscape\", 2;\n"
    "*Default: \"Orientation\", 1;\n"
    TQR_NEEDED_FEATURES_TEXT;
constexpr char kTextPath[] = "C:\\drv\\TQR54GFX.DDF";
constexpr char kCachePath[] = "C:\\drv\\TQR54GFX.BDF";

const std::vector<std::uint8_t>& TextImage() {
  static const std::vector<std::uint8_t> image = [] {
    std::vector<std::uint8_t> compiled;
    TQR_FUZZ_CHECK(tqr::ddf::CompileDescription(reinterpret_cast<const std::uint8_t*>(kText),
                                                sizeof kText - 1, &compiled, nullptr));
    return compiled;
  }();
  return image;
}

// The bytes as a current cache (stamped with the text's time): a sound one
// becomes the handle as it is, an unsound one is stale and gives way to the
// text's image.
void LoadThroughCache(const std::uint8_t* data, std::size_t size, bool sound) {
  tqr::fake::FakeFileSystem files;
  tqr::fake::FakeMachine machine;
  tqr::Ports ports;
  ports.files = &files;
  ports.machine = &machine;
  const tqr::ScopedPorts scoped(ports);
  files.Put(kTextPath, kText);
  files.PutBytes(kCachePath, std::vector<std::uint8_t>(data, data + size));
  files.At(kCachePath).lastWrite = files.At(kTextPath).lastWrite;

  tqr::DdfHandle handle = tqr::DdfLoad(kTextPath);
  TQR_FUZZ_CHECK(handle != nullptr);
  const std::vector<std::uint8_t>& expected =
      sound ? std::vector<std::uint8_t>(data, data + size) : TextImage();
  TQR_FUZZ_CHECK(std::memcmp(handle, expected.data(), expected.size()) == 0);
  TQR_FUZZ_CHECK(files.Exists(kCachePath) && files.At(kCachePath).bytes == expected);
  tqr::fuzz::ExerciseQueries(handle, true);
  tqr::DdfFree(&handle);
  TQR_FUZZ_CHECK(handle == nullptr);
}

// A property sheet builds its whole working model from the image: every list
// it sizes in the counting run must fit the block of the filling run, and
// the tables stay within their slots whatever counts the image claims.
void BuildSheetFrom(tqr::DdfHandle image) {
  tqr::fake::FakeFileSystem files;
  tqr::fake::FakeSpooler spooler;
  tqr::fake::FakeMachine machine;
  const tqr::ScopedPorts scoped(tqr::Ports{&files, &spooler, &machine});
  tqr::DRVDEVMODE record;
  std::memset(&record, 0, sizeof record);
  tqr::SheetState* state = nullptr;
  TQR_FUZZ_CHECK(tqr::BuildSheetState(image, &state, &record, tqr::kDescriptionBaseName,
                                      nullptr) == 1);
  tqr::ApplySheetState(state, &record);
  tqr::FreeSheetState(&state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // libFuzzer's own buffer is exactly `size` bytes, so any over-read shows.
  const bool sound = tqr::ddf::IsSoundImage(data, size);
  // The loader takes a sound cache only of a description it accepts.
  const bool complete = sound && tqr::IsAcceptedDescription(data);
  if (sound) {
    const std::vector<std::uint8_t> block(data, data + size);
    tqr::fuzz::ExerciseQueries(block.data(), true);
    BuildSheetFrom(block.data());
  }

  // A handle is only ever made from a sound block, but the reader promises
  // more: whatever the slots and links say, nothing past the header's total
  // size is read. Make the total match the block so that promise is the
  // only thing standing between a bad link and an over-read.
  if (size >= tqr::ddf::HeaderSizeFor(0) && size <= kMaxImageSize) {
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size]);
    std::memcpy(copy.get(), data, size);
    const auto total = static_cast<std::uint16_t>(size);
    std::memcpy(copy.get() + offsetof(tqr::ddf::ImageHeader, totalSize), &total, 2);
    tqr::fuzz::ExerciseQueries(copy.get(), false);
  }

  LoadThroughCache(data, size, complete);
  return 0;
}
