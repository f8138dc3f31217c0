// The logger unit: the logger thread that writes queued records to the log
// file, the unit's start-up and exit step, and the report of an error that
// nobody caught.
#pragma once

#include <exception>

#include "log/log_settings.h"

namespace zeb {

// Records the start time; the run installs LoggerExitStep as its first exit
// step.
void InitLoggerUnit();

// Starts the logger thread with the settings (defaults put in for empty
// texts). False when a logger already runs or the thread cannot be created.
bool StartLogger(const TLogSettings& settings);

// The logger's exit step: reports a pending run-time error, logs
// "Executing time: %d msec", then lets the logger thread write everything and
// waits until it has stopped (no wait when it never started).
void LoggerExitStep();

// Reports an exception that no code caught, on the console and in the log,
// and leaves a run-time error for the exit step to report.
void ReportUnhandledException(const std::exception& error);

}  // namespace zeb
