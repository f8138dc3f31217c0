#include "platform/system.h"

#include <langinfo.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>

#include "support/text.h"

extern char** environ;

namespace zeb {

uint64_t TickCount() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {
// The fixed clock of tests; kRunning while the real clock is used.
constexpr int64_t kRunning = INT64_MIN;
std::atomic<int64_t> g_fixedClock{kRunning};
}  // namespace

void SetFixedClock(std::optional<int64_t> localUnixTime) { g_fixedClock = localUnixTime.value_or(kRunning); }

TDateTime LocalNow() {
  TDateTime dt;
  const int64_t fixed = g_fixedClock;
  if (fixed != kRunning) {
    WallClockDateTimeOf(static_cast<std::time_t>(fixed), dt);
    return dt;
  }
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  LocalDateTimeOf(ts.tv_sec, dt);
  dt.Millisecond = static_cast<int>(ts.tv_nsec / 1000000);
  return dt;
}

int64_t LocalUnixNow() {
  const int64_t fixed = g_fixedClock;
  if (fixed != kRunning) return fixed;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int64_t>(timegm(&local));
}

int64_t UnixNow() {
  const int64_t fixed = g_fixedClock;
  return fixed != kRunning ? fixed : static_cast<int64_t>(std::time(nullptr));
}

namespace {

struct Separators {
  char date = '/';
  char time = ':';
};

// The first character of a strftime format that is neither a conversion nor
// a letter or digit is the separator it uses.
char SeparatorOf(const char* format, char fallback) {
  if (format == nullptr) return fallback;
  for (const char* p = format; *p; ++p) {
    if (*p == '%') {
      if (p[1] == '\0') break;
      ++p;
      if (*p == 'E' || *p == 'O') ++p;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x80 && !std::isalnum(c) && c != ' ') return *p;
  }
  return fallback;
}

const Separators& LocaleSeparators() {
  static const Separators separators = [] {
    Separators s;
    const char* old = std::setlocale(LC_TIME, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_TIME, "") != nullptr) {
      s.date = SeparatorOf(nl_langinfo(D_FMT), '/');
      s.time = SeparatorOf(nl_langinfo(T_FMT), ':');
    }
    std::setlocale(LC_TIME, saved.c_str());
    return s;
  }();
  return separators;
}

}  // namespace

char DateSeparator() { return LocaleSeparators().date; }
char TimeSeparator() { return LocaleSeparators().time; }

std::optional<std::string> GetEnv(std::string_view name) {
  for (char** env = environ; env && *env; ++env) {
    const char* entry = *env;
    const char* eq = std::strchr(entry, '=');
    if (eq == nullptr) continue;
    if (SameText(std::string_view(entry, static_cast<size_t>(eq - entry)), name)) return std::string(eq + 1);
  }
  return std::nullopt;
}

std::string ExecutablePath() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

std::string CurrentDirectory() {
  char buf[4096];
  if (::getcwd(buf, sizeof buf) == nullptr) return "./";
  std::string dir(buf);
  if (dir.back() != '/') dir += '/';
  return dir;
}

uint64_t FreeMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  uint64_t value = 0, available = 0, swapFree = 0;
  std::string unit;
  while (meminfo >> key >> value) {
    std::getline(meminfo, unit);
    if (key == "MemAvailable:") available = value * 1024;
    if (key == "SwapFree:") swapFree = value * 1024;
  }
  uint64_t total = available + swapFree;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < total)
    total = limit.rlim_cur;
  return total;
}

uint32_t CurrentThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

uint32_t CurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

bool StdoutIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

bool LocaleIsUtf8() {
  static const bool utf8 = [] {
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = std::getenv(var);
      if (value && *value) {
        const std::string v = LowerStr(value);
        return v.find("utf-8") != std::string::npos || v.find("utf8") != std::string::npos;
      }
    }
    return false;
  }();
  return utf8;
}

bool WriteStdout(std::string_view bytes) {
  static std::mutex mutex;
  static bool closed = false;
  std::lock_guard<std::mutex> lock(mutex);
  while (!closed && !bytes.empty()) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n > 0)
      bytes.remove_prefix(static_cast<size_t>(n));
    else if (!(n < 0 && errno == EINTR))
      closed = true;
  }
  return !closed;
}

void IgnoreBrokenPipe() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace zeb
