#include "frame/run.h"

#include <exception>

#include "config/domains.h"
#include "config/loader.h"
#include "config/paths.h"
#include "frame/banner.h"
#include "frame/exit_steps.h"
#include "frame/options.h"
#include "log/logger.h"
#include "outbound/queue_manager.h"
#include "outbound/scan.h"
#include "outbound/sort_queue.h"
#include "platform/system.h"
#include "reports/make_reports.h"
#include "support/thousands.h"

namespace zeb {

namespace {

void StartUnits() {
  InitLoggerUnit();
  InitHomeDir(ExecutablePath());
  ClearConfig();
  AddExitStep(ClearConfig);
}

// The fixed run sequence; returns when the run is over, whatever its outcome.
void MainSequence() {
  SetThousandSeparator('.');
  ShowBanner(FreeMemory());
  if (OptionIndex("h|hlp|help|?") != 0) {
    ShowHelp();
    return;
  }
  // Paths on the command line are taken from the current directory, as
  // every command takes its arguments.
  if (!LoadConfig(ExpandPathFrom(OptionValue("c|cfg|config"), CurrentDirectory()))) return;
  SetDirectoryTrace(OptionIndex("da") != 0);
  const std::string additional = ExpandPathFrom(OptionValue("a|addcfg"), CurrentDirectory());
  if (!additional.empty()) LoadConfig(additional);
  StartQueueManager();
  ScanOutbounds();
  SortQueue();
  MakeReports();
  ControlPoint(2);
}

}  // namespace

int RunZeb(std::vector<std::string> params) {
  SetCommandLine(std::move(params));
  try {
    StartUnits();
    MainSequence();
    ControlPoint(3);
    RunExitSteps();
  } catch (const std::exception& error) {
    ReportUnhandledException(error);
    RunExitSteps(true);
  }
  return 0;
}

}  // namespace zeb
