#include "frame/run.h"

#include <exception>
#include <thread>

#include "config/domains.h"
#include "config/loader.h"
#include "config/paths.h"
#include "frame/banner.h"
#include "frame/exit_steps.h"
#include "frame/options.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "log/logger.h"
#include "outbound/queue_manager.h"
#include "platform/system.h"
#include "reports/make_reports.h"
#include "reports/sort_queue.h"
#include "support/program_identity.h"
#include "support/thousands.h"

namespace zeb {

namespace {

// The exit statuses that RunZeb returns.
constexpr int kExitClean = 0;
constexpr int kExitUnconfigured = 1;
constexpr int kExitWithErrors = 2;

void StartUnits() {
  IgnoreBrokenPipe();
  InitLoggerUnit();
  AddExitStep(LoggerExitStep);
  InitHomeDir(ExecutablePath());
}

// The queue's exit step. The scan has stopped the queue manager and emptied
// the hand-over list long before; the control points of those steps keep
// their places in the log.
void QueueExitStep(TQueue& queue) {
  ControlPoint(4);
  ControlPoint(5);
  ControlPoint(6);
  queue.Clear();
  ControlPoint(7);
}

// A check writes no log: its records go no further than the queue, and only
// those the log would take are kept there.
bool KeepLogOff(const TLogSettings& settings) {
  SetLogLevel(settings.WithDefaults().Level);
  SetLogLineFilter(true);
  return false;
}

TReportsMode ReportsMode(const TCommandLine& commandLine) {
  if (commandLine.DryRun()) return TReportsMode::DryRun;
  return commandLine.CheckOnly() ? TReportsMode::Check : TReportsMode::Post;
}

// The fixed run sequence; returns when the run is over, whatever its outcome.
// `configured` is set once the configuration is loaded or none is needed.
// The queue is the run's: it lives until the exit steps have run.
void MainSequence(const TCommandLine& commandLine, bool& configured, TQueue& queue) {
  if (const std::string mistake = commandLine.Mistake(); !mistake.empty()) {
    PrintError(mistake);
    PrintLine(std::string("Try ") + kProgramName + " --help");
    return;
  }
  if (commandLine.ParameterGiven("--version")) {
    PrintLine(std::string(kProgramName) + " " + kProgramVersion);
    configured = true;
    return;
  }
  SetQuietConsole(commandLine.OptionIndex("q") != 0 || commandLine.ParameterGiven("--quiet"));
  SetThousandSeparator('.');
  ShowBanner(FreeMemory());
  if (commandLine.OptionIndex("h|hlp|help|?") != 0 || commandLine.ParameterGiven("--help")) {
    ShowHelp();
    configured = true;
    return;
  }
  TMainConfig loaded;
  {
    // The loader starts the logger when the log section ends. Paths on the
    // command line are taken from the current directory, as every command
    // takes its arguments.
    TLoadContext loading(loaded, commandLine.CheckOnly() ? KeepLogOff : StartLogger, commandLine.LogLevel());
    if (!LoadConfig(loading, ExpandPathFrom(commandLine.OptionValue("c|cfg|config|-config"), CurrentDirectory())))
      return;
    const std::string additional = ExpandPathFrom(commandLine.OptionValue("a|addcfg|-addcfg"), CurrentDirectory());
    if (!additional.empty()) LoadConfig(loading, additional);
  }
  // Reports from and to 0:0/0 and links of no zone are no run.
  if (loaded.Address.IsEmpty()) {
    AnnounceError("No main address in the configuration",
                  "give one with \"address\" in the main section, or in the file of a binkd, fidoconfig or crashmail section");
    return;
  }
  configured = true;
  const TMainConfig& config = loaded;
  AddExitStep([&queue] { QueueExitStep(queue); });
  queue = ScanQueue(config, commandLine.OptionIndex("da") != 0);
  const std::vector<TReportShare> shares = SortQueue(config.Reports, queue);
  MakeReports(config, queue, shares, std::thread::hardware_concurrency(), ReportsMode(commandLine));
  ControlPoint(2);
}

}  // namespace

int RunZeb(std::vector<std::string> params) {
  const TCommandLine commandLine(std::move(params));
  // The errors of this run: a process may have counted some before it.
  const int errorsBefore = ErrorCount();
  bool configured = false;
  TQueue queue;
  try {
    StartUnits();
    MainSequence(commandLine, configured, queue);
    ControlPoint(3);
    RunExitSteps();
  } catch (const std::exception& error) {
    ReportUnhandledException(error);
    RunExitSteps(true);
  }
  if (!configured) return kExitUnconfigured;
  return ErrorCount() == errorsBefore ? kExitClean : kExitWithErrors;
}

}  // namespace zeb
