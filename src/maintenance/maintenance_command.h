// The command blocks of the printer's maintenance jobs: head cleaning by ink,
// nozzle check, automatic alignment, the alignment test pattern and the seven
// alignment values set by hand. A job is one or more 68-byte blocks back to
// back and no page data; the printer, not the driver, interprets them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace tqr {

#pragma pack(push, 1)
struct MaintenanceCommand {
  std::uint32_t BlockType;
  std::uint32_t BlockLength;
  // Read together as one little-endian word at offset 8, the command word:
  // Operation × 256 + Operand.
  std::uint8_t Operand;
  std::uint8_t Operation;
  std::uint8_t Reserved[58];
};
#pragma pack(pop)

static_assert(std::endian::native == std::endian::little,
              "blocks go to the printer as they lie in memory");
static_assert(offsetof(MaintenanceCommand, BlockType) == 0);
static_assert(offsetof(MaintenanceCommand, BlockLength) == 4);
static_assert(offsetof(MaintenanceCommand, Operand) == 8);
static_assert(offsetof(MaintenanceCommand, Operation) == 9);
static_assert(offsetof(MaintenanceCommand, Reserved) == 10);
static_assert(sizeof(MaintenanceCommand) == 68);

constexpr std::uint32_t kCommandBlockType = 0x00001000;

// Command words; cleaning adds the ink mask, alignment value i (0 = A) is
// (kAlignmentValueCommand + i) × 256 + value.
constexpr std::uint16_t kCleaningCommand = 0x1000;
constexpr std::uint16_t kNozzleCheckCommand = 0x8100;
constexpr std::uint16_t kAutoAlignCommand = 0x4000;
constexpr std::uint16_t kTestPatternCommand = 0x8000;
constexpr std::uint8_t kAlignmentValueOperation = 0x20;

// Ink bits of the cleaning mask.
constexpr std::uint8_t kInkPhotoCyan = 0x01;
constexpr std::uint8_t kInkPhotoMagenta = 0x02;
constexpr std::uint8_t kInkBlack = 0x04;
constexpr std::uint8_t kInkCyan = 0x08;
constexpr std::uint8_t kInkMagenta = 0x10;
constexpr std::uint8_t kInkYellow = 0x20;
constexpr std::uint8_t kAllInks = 0x3F;

// The inks in the order the cleaning dialog lists its boxes.
constexpr int kInkCount = 6;
constexpr std::uint8_t kInksInBoxOrder[kInkCount] = {kInkCyan,      kInkMagenta,      kInkYellow,
                                                     kInkPhotoCyan, kInkPhotoMagenta, kInkBlack};

// Alignment values A to G, each chosen from 1 to 9 (list positions 0 to 8).
constexpr int kAlignmentValueCount = 7;
constexpr int kAlignmentChoices = 9;
constexpr int kDefaultAlignmentPosition = 4;  // the value 5

// One job as it goes to the printer.
struct MaintenanceJob {
  MaintenanceCommand blocks[kAlignmentValueCount];
  std::uint32_t count;

  const void* Bytes() const { return blocks; }
  std::uint32_t Length() const { return count * static_cast<std::uint32_t>(sizeof blocks[0]); }
};

// The cleaning mask of the checked boxes, in kInksInBoxOrder.
std::uint8_t InkMaskFromChecks(const bool (&checked)[kInkCount]);

// One block with `commandWord`; the rest of the block is zero.
MaintenanceCommand MakeCommand(std::uint16_t commandWord);

// Cleans the heads of the inks in `inkMask`; bits beyond the six inks are
// left out. The caller sees to it that at least one ink is chosen.
MaintenanceJob CleaningJob(std::uint8_t inkMask);
MaintenanceJob NozzleCheckJob();
MaintenanceJob AutoAlignJob();
MaintenanceJob TestPatternJob();
// Seven blocks, A to G: block i carries the value (positions[i] + 1). The
// value is kept to its byte (modulo 256), so a position the lists cannot
// hold never spills into the operation byte.
MaintenanceJob AlignmentValuesJob(const int (&positions)[kAlignmentValueCount]);

}  // namespace tqr
