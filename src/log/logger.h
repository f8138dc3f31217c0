// The logger unit: its start-up, its exit step and the report of an error
// that nobody caught.
#pragma once

#include <exception>

namespace zeb {

// Records the start time and installs the logger's exit step.
void InitLoggerUnit();

// Reports an exception that no code caught, on the console and in the log.
void ReportUnhandledException(const std::exception& error);

}  // namespace zeb
