#include "log/logger.h"

#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <typeinfo>

#include "log/console.h"
#include "log/log_queue.h"
#include "log/log_writer.h"
#include "platform/disk.h"
#include "platform/system.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb {

namespace {

uint64_t g_startTick = 0;
std::thread g_thread;  // not joinable while no logger thread exists
std::atomic<bool> g_shutdown{false};
std::string g_runtimeError;  // set when an exception reached the top

// Opens the log file: created empty when rewritable or new, otherwise
// appended to after an empty line that separates this run from the last.
std::unique_ptr<TFile> OpenLogFile(const TLogSettings& settings) {
  std::string error;
  const bool append = !settings.Rewritable && Disk().FileExists(settings.Path);
  std::unique_ptr<TFile> file = Disk().OpenFile(settings.Path, append ? OpenMode::ReadWrite : OpenMode::Create, error);
  if (file && append && !(file->SeekEnd() && file->Write("\n", 1))) {
    error = file->Error();
    file.reset();
  }
  if (!file) {
    PrintErrorLine(" " + Color(kLightRed) + " " + kArrowMark + " Can't open log-file!");
    PrintReason(error);
  }
  return file;
}

// The log's lines go to a file, or to standard output when its path is
// "con" (any case), the console: then no file is made.
class TLogFileLines {
 public:
  explicit TLogFileLines(const TLogSettings& settings)
      : level_(settings.Level),
        writer_(settings),
        console_(SameText(settings.Path, "con")),
        file_(console_ ? nullptr : OpenLogFile(settings)) {}
  ~TLogFileLines() {
    if (file_) file_->Close();
  }

  // Writes one record as a whole line and hands it to the system at once,
  // so a crash loses queued records but never half a line.
  void Write(const TLogRec& rec) {
    if ((!file_ && !console_) || rec.Level > level_) return;
    std::string line = writer_.FormatRecord(rec);
    line += '\n';
    if (console_) {
      WriteStdout(RenderOemText(line, StdoutStyle().Utf8));
      return;
    }
    file_->Write(line.data(), line.size());
    file_->Flush();
  }

 private:
  int level_;
  TLogWriter writer_;
  bool console_;
  std::unique_ptr<TFile> file_;
};

void LoggerThread(TLogSettings settings, std::promise<void>* started) {
  const int id = static_cast<int>(CurrentThreadId());
  LogLine(Format("[%d] Loger - started", id), 0);
  started->set_value();
  TLogFileLines lines(settings);
  bool flushing = false;
  for (;;) {
    const TLogRecs batch = TakeLogRecords();
    for (const auto& rec : batch) lines.Write(*rec);
    if (g_shutdown.exchange(false)) {
      flushing = true;
      LogLine(Format("[%d] Detect a shutdown flag - flushing log buffers", id), 0);
      continue;
    }
    if (!batch.empty()) continue;
    if (flushing) break;
    WaitForLogRecords(std::chrono::milliseconds(settings.SleepTime), g_shutdown);
  }
  TLogRec last;
  last.Time = LocalUnixNow();
  last.Text = Format("[%d] Flushed buffers and stoped", id);
  lines.Write(last);
}

const char* ExceptionTypeName(const std::exception& error) {
  if (dynamic_cast<const EConvertError*>(&error) != nullptr) return "EConvertError";
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "EOutOfMemory";
  return "Exception";
}

// The run-time error of a run that an exception ended: logged as it reads,
// shown on the console with the thread on a line of its own.
void ReportRuntimeError() {
  if (g_runtimeError.empty()) return;
  LogLine(g_runtimeError, 0);
  const size_t in = g_runtimeError.find(" in thread ");
  PrintErrorLine(Color(kLightRed) + " " + kFaultMark + " " + g_runtimeError.substr(0, in));
  if (in != std::string::npos) PrintLine(Color(kLightRed) + "Thread ID: " + g_runtimeError.substr(in + 11));
  g_runtimeError.clear();
}

}  // namespace

void InitLoggerUnit() {
  g_startTick = TickCount();
}

bool StartLogger(const TLogSettings& settings) {
  if (g_thread.joinable()) return false;
  const TLogSettings used = settings.WithDefaults();
  SetLogLevel(used.Level);
  SetLogLineFilter(true);
  g_shutdown = false;
  // The start line is queued before anything the caller logs next.
  std::promise<void> started;
  std::future<void> startLine = started.get_future();
  try {
    g_thread = std::thread(LoggerThread, used, &started);
    startLine.wait();
  } catch (const std::system_error&) {
    SetLogLineFilter(false);
    return false;
  }
  return true;
}

void LoggerExitStep() {
  ReportRuntimeError();
  LogLine(Format("Executing time: %d msec", static_cast<int>(TickCount() - g_startTick)), 0);
  if (!g_thread.joinable()) return;
  g_shutdown = true;
  WakeLogConsumer();
  g_thread.join();
  SetLogLineFilter(false);
}

void ReportUnhandledException(const std::exception& error) {
  WriteStdout("\n\r");
  PrintErrorLine(Color(kLightRed) + " " + kFaultMark + " " + error.what());
  LogLine(Format("%s - %s", ExceptionTypeName(error), error.what()), 0);
  g_runtimeError = Format("Runtime error 217 in thread %d", static_cast<int>(CurrentThreadId()));
}

}  // namespace zeb
