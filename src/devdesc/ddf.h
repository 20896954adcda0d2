// The device description: the text file written by the driver's authors,
// its compiled cache, and the one way the rest of the driver reads it.
//
// Calling order: DdfGetPath, DdfLoad, any number of DdfQuery calls, DdfFree.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ports.h"

namespace tqr {

// Points at the compiled description image, one block read from the cache.
using DdfHandle = const std::uint8_t*;

// Request kinds of DdfQuery.
enum DdfQueryKind : std::uint16_t {
  DDFQ_COUNT = 1,
  DDFQ_NAMES = 2,
  DDFQ_NAME = 3,
  DDFQ_DEFAULT_NAME = 4,
  DDFQ_VALUES = 5,
  DDFQ_VALUE = 6,
  DDFQ_DEFAULT_VALUE = 7,
  DDFQ_RANGE_MIN = 8,
  DDFQ_RANGE_MAX = 9,
  DDFQ_RANGE_LEVEL = 10,
  DDFQ_RANGE_MIN_NAME = 11,
  DDFQ_RANGE_MAX_NAME = 12,
  DDFQ_RANGE_LEVEL_NAME = 13,
  DDFQ_PAPER_SIZES = 14,
  DDFQ_PAPER_SIZE = 15,
  DDFQ_DEFAULT_PAPER_SIZE = 16,
  DDFQ_PAPER_EXTRAS = 17,
  DDFQ_PAPER_EXTRA = 18,
  DDFQ_DEFAULT_PAPER_EXTRA = 19,
};

// Room of the ANSI path DdfGetPath hands out, terminator included.
constexpr std::size_t kDdfPathCapacity = 260;

// The ANSI path of the printer's description text file (the driver's data
// file directory + "TQR54GFX.DDF"), in a new 260-byte buffer; null when the
// spooler cannot say or the path does not fit.
std::unique_ptr<char[]> DdfGetPath(PrinterHandle printer);
// The same from the driver's data file path as the spooler gave it.
std::unique_ptr<char[]> DdfPathBeside(const std::u16string& dataFile);

// Returns the image of the cache when it is current (it carries the text's
// own last-write time) and sound; otherwise compiles the text, publishes
// the image as the cache stamped with the text's time, and returns the
// image just compiled. Null when the description cannot be had. The path
// stays the caller's.
DdfHandle DdfLoad(const char* textPath);

// DdfGetPath and DdfLoad in one: the printer's description, or null.
DdfHandle DdfLoadForPrinter(PrinterHandle printer);

// Releases the image and nulls the handle; a null handle is left alone.
void DdfFree(DdfHandle* handle);

// Answers one request about `feature` from the image; 0 on failure.
std::uint32_t DdfQuery(DdfHandle handle, const char* feature, std::uint16_t kind, void* buffer,
                       std::uint16_t index, std::uint16_t size);

// Compiles the text file into `image` and publishes it as the cache file
// unless one exists already. False when the text cannot be read, or when
// it cannot be compiled or lacks a feature the driver needs (ddf_needed.h),
// which both leave the last error kErrorInvalidData.
bool DdfCompile(const char* textPath, const char* cachePath, std::vector<std::uint8_t>* image);

}  // namespace tqr
