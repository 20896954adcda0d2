// clean, nozzle-check, align, test-pattern, align-values: the Maintenance page's
// jobs, sent through the same routine to a printer named on the command line.
#include <windows.h>

#include <string>

#include "maintenance/maintenance_command.h"
#include "maintenance/win32/command_job.h"
#include "tqrctl/commands.h"
#include "tqrctl/failure.h"
#include "tqrctl/job_port.h"
#include "tqrctl/printers.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

struct PreparedJob {
  tqr::MaintenanceJob job;
  const char* what;
};

PreparedJob PrepareJob(const Options& options) {
  switch (options.command) {
    case Command::kClean:
      return {tqr::CleaningJob(options.inks), "head cleaning"};
    case Command::kAlign:
      return {tqr::AutoAlignJob(), "automatic head alignment"};
    case Command::kTestPattern:
      return {tqr::TestPatternJob(), "alignment test pattern"};
    case Command::kAlignValues: {
      int positions[tqr::kAlignmentValueCount] = {};
      for (int i = 0; i < tqr::kAlignmentValueCount; ++i) positions[i] = options.alignValues[i] - 1;
      return {tqr::AlignmentValuesJob(positions), "alignment values"};
    }
    default:
      return {tqr::NozzleCheckJob(), "nozzle check"};
  }
}

const char* Failure(tqr::CommandJobResult result) {
  switch (result) {
    case tqr::CommandJobResult::kNotOpened:
      return "cannot open the printer";
    case tqr::CommandJobResult::kNotStarted:
      return "the spooler refused the document for";
    case tqr::CommandJobResult::kNotWritten:
      return "the job did not reach the spooler whole for";
    default:
      return "the spooler could not end the document for";
  }
}

}  // namespace

int RunMaintenance(const Options& options) {
  // The parser lets no other value through; checked again, as a wrong count
  // would send a different job.
  if (options.command == Command::kAlignValues &&
      options.alignValues.size() != tqr::kAlignmentValueCount) {
    Fail("align-values needs seven values");
    return kExitFailed;
  }
  const PreparedJob prepared = PrepareJob(options);
  const tqr::CommandJobResult result =
      tqr::SendMaintenanceJob(options.printer.c_str(), prepared.job);
  if (result != tqr::CommandJobResult::kSent) {
    FailLastError(Failure(result), options.printer);
    return kExitFailed;
  }
  std::string where;
  PrinterHandle printer;
  std::wstring port;
  if (printer.Open(options.printer, PRINTER_ACCESS_USE) && GetPrinterPort(printer.get(), &port)) {
    where = " on " + DescribeJobDestination(port);
  }
  Say(std::string("Sent the ") + prepared.what + " job (" + std::to_string(prepared.job.Length()) +
      " bytes) to \"" + Utf8(options.printer) + "\"" + where);
  return kExitOk;
}

}  // namespace tqrctl
