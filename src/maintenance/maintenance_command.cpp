#include "maintenance/maintenance_command.h"

namespace tqr {
namespace {

MaintenanceJob SingleBlockJob(std::uint16_t commandWord) {
  MaintenanceJob job{};
  job.blocks[0] = MakeCommand(commandWord);
  job.count = 1;
  return job;
}

}  // namespace

std::uint8_t InkMaskFromChecks(const bool (&checked)[kInkCount]) {
  std::uint8_t mask = 0;
  for (int i = 0; i < kInkCount; ++i) {
    if (checked[i]) mask = static_cast<std::uint8_t>(mask | kInksInBoxOrder[i]);
  }
  return mask;
}

MaintenanceCommand MakeCommand(std::uint16_t commandWord) {
  MaintenanceCommand command{};
  command.BlockType = kCommandBlockType;
  command.BlockLength = sizeof(MaintenanceCommand);
  command.Operand = static_cast<std::uint8_t>(commandWord & 0xFF);
  command.Operation = static_cast<std::uint8_t>(commandWord >> 8);
  return command;
}

MaintenanceJob CleaningJob(std::uint8_t inkMask) {
  return SingleBlockJob(static_cast<std::uint16_t>(kCleaningCommand | (inkMask & kAllInks)));
}

MaintenanceJob NozzleCheckJob() { return SingleBlockJob(kNozzleCheckCommand); }

MaintenanceJob AutoAlignJob() { return SingleBlockJob(kAutoAlignCommand); }

MaintenanceJob TestPatternJob() { return SingleBlockJob(kTestPatternCommand); }

MaintenanceJob AlignmentValuesJob(const int (&positions)[kAlignmentValueCount]) {
  MaintenanceJob job{};
  for (int i = 0; i < kAlignmentValueCount; ++i) {
    const unsigned value = (static_cast<unsigned>(positions[i]) + 1u) & 0xFFu;
    const unsigned operation = kAlignmentValueOperation + static_cast<unsigned>(i);
    job.blocks[i] = MakeCommand(static_cast<std::uint16_t>(operation << 8 | value));
  }
  job.count = kAlignmentValueCount;
  return job;
}

}  // namespace tqr
