#include "log/logger.h"

#include <cstdint>
#include <typeinfo>

#include "frame/exit_steps.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "platform/system.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb {

namespace {

uint64_t g_startTick = 0;

void LoggerExitStep() {
  LogLine(Format("Executing time: %d msec", static_cast<int>(TickCount() - g_startTick)), 0);
}

const char* ExceptionTypeName(const std::exception& error) {
  if (dynamic_cast<const EConvertError*>(&error) != nullptr) return "EConvertError";
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "EOutOfMemory";
  return "Exception";
}

}  // namespace

void InitLoggerUnit() {
  g_startTick = TickCount();
  AddExitStep(LoggerExitStep);
}

void ReportUnhandledException(const std::exception& error) {
  WriteStdout("\n\r");
  PrintLine(Color(kLightRed) + " \x0F " + error.what());
  LogLine(Format("%s - %s", ExceptionTypeName(error), error.what()), 0);
}

}  // namespace zeb
