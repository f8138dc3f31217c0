#include "reports/make_reports.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "config/records.h"
#include "outbound/queue.h"
#include "log/log_queue.h"
#include "msgbase/control_lines.h"
#include "platform/system.h"
#include "reports/report_outcome.h"
#include "reports/report_parser.h"
#include "support/text.h"

namespace zeb {

namespace {

// Room for a report that lists every queued item and node, so that such a
// report is never copied to a larger buffer while it grows. The system only
// provides the pages the report fills; a larger report grows as usual, and
// without the room (a tight memory limit) nothing is lost.
size_t ReportRoom(const TQueue& queue) {
  constexpr size_t kBase = 64 * 1024, kPerItem = 128, kPerNode = 1024;
  size_t room = kBase;
  for (size_t i = 0; i < queue.Count(); ++i) room += kPerNode + kPerItem * queue[i].Items.Count();
  return room;
}

std::string ReportSpace(size_t room) {
  std::string storage;
  try {
    storage.reserve(room);
  } catch (const std::bad_alloc&) {
  }
  return storage;
}

// The MSGID file as configured, or "zeb.msgid" in the directory of the log
// file (the current directory for the default log and the console).
std::string MsgIdFile(const TMainConfig& config) {
  if (!config.MsgIdFile.empty()) return config.MsgIdFile;
  const size_t slash = config.LogPath.find_last_of('/');
  if (slash == std::string::npos) return "zeb.msgid";
  return config.LogPath.substr(0, slash + 1) + "zeb.msgid";
}

// Makes and concludes report `index` on the production's turn, in
// `storage` (emptied first); gives the storage back.
std::string MakeInTurn(const TMainConfig& config, size_t index, const TQueue& queue, const TReportShare& share,
                       TReportProduction& production, std::string storage) {
  std::unique_ptr<TReportParser> parser =
      MakeReportParser(*config.Reports[index], queue, share, config.Address, production);
  if (parser == nullptr) return storage;
  storage.clear();
  parser->SetText(std::move(storage));
  parser->Run();
  ConcludeReport(*parser, index + 1);
  return parser->TakeText();
}

// How often the letters of @about stand in the template. A template without
// loops or branches around @about calls it that often, which tells on what
// turn of @about the next report will start.
size_t AboutMentions(const TReportParser& parser) {
  if (!parser.HasTemplate()) return 0;
  const std::string text = LowerStr(parser.Template()->Text());
  size_t count = 0;
  for (size_t at = text.find("about"); at != std::string::npos; at = text.find("about", at + 1)) ++count;
  return count;
}

// The reports' texts made on worker threads while the calling thread frames
// and stores them in the configuration's order. A worker starts a report
// only while fewer than `workers` texts are made and not yet stored, and
// takes over the buffer of a stored one, so that memory stays that of
// `workers` reports. Each report is made on the turn of @about that the
// @about in the earlier templates suggest; a report whose turn proves wrong
// once the earlier ones are stored is made again in its place, on the right
// turn, as in a run of one report after the other.
class TSideBySide {
 public:
  TSideBySide(const TMainConfig& config, const TQueue& queue, const std::vector<TReportShare>& shares,
              TReportProduction& production, size_t workers)
      : config_(config),
        queue_(queue),
        shares_(shares),
        production_(production),
        window_(workers),
        room_(ReportRoom(queue)) {
    bool turn = production.AboutRule;
    for (size_t i = 0; i < config.Reports.size(); ++i) {
      TSlot& slot = slots_.emplace_back();
      slot.Parser = MakeReportParser(*config.Reports[i], queue, shares[i], config.Address, production);
      if (slot.Parser == nullptr) continue;
      slot.AboutRule = turn;
      if (AboutMentions(*slot.Parser) % 2 == 1) turn = !turn;
    }
    // Where the system gives fewer threads, fewer work.
    try {
      for (size_t i = 0; i < workers; ++i) threads_.emplace_back([this] { Render(); });
    } catch (const std::system_error&) {
    }
  }

  bool Started() const { return !threads_.empty(); }

  // A storing left by an exception starts no more reports.
  ~TSideBySide() {
    {
      std::lock_guard lock(mutex_);
      next_ = slots_.size();
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

  void Store() {
    for (size_t i = 0; i < slots_.size(); ++i) {
      std::unique_ptr<TReportParser> parser;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return slots_[i].Rendered; });
        if (slots_[i].Failure) std::rethrow_exception(slots_[i].Failure);
        parser = std::move(slots_[i].Parser);
      }
      if (parser == nullptr) {
        Stored(i, std::nullopt);
        continue;
      }
      const bool inTurn = parser->RenderedInTurn();
      if (inTurn) {
        parser->FrameText();
        ConcludeReport(*parser, i + 1);
      }
      std::string buffer = parser->TakeText();
      parser.reset();
      if (!inTurn) buffer = MakeInTurn(config_, i, queue_, shares_[i], production_, std::move(buffer));
      Stored(i, std::move(buffer));
    }
  }

 private:
  struct TSlot {
    std::unique_ptr<TReportParser> Parser;
    bool AboutRule = false;  // the turn its first @about is given
    bool Rendered = false;
    // What ended the making of the text (as it would have ended a run of
    // one report after the other), handed to the storing thread.
    std::exception_ptr Failure;
  };

  void Render() {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return next_ == slots_.size() || next_ < stored_ + window_; });
      if (next_ == slots_.size()) return;
      TSlot& slot = slots_[next_++];
      if (slot.Parser != nullptr) {
        std::string buffer;
        const bool spare = !spare_.empty();
        if (spare) {
          buffer = std::move(spare_.back());
          spare_.pop_back();
        }
        lock.unlock();
        try {
          slot.Parser->SetText(spare ? std::move(buffer) : ReportSpace(room_));
          slot.Parser->RenderText(slot.AboutRule);
        } catch (...) {
          slot.Failure = std::current_exception();
        }
        lock.lock();
      }
      slot.Rendered = true;
      changed_.notify_all();
    }
  }

  // Report `index` is stored; the buffer of its text serves a later one.
  void Stored(size_t index, std::optional<std::string> buffer) {
    std::lock_guard lock(mutex_);
    stored_ = index + 1;
    if (buffer) {
      buffer->clear();
      spare_.push_back(std::move(*buffer));
    }
    changed_.notify_all();
  }

  const TMainConfig& config_;
  const TQueue& queue_;
  const std::vector<TReportShare>& shares_;
  TReportProduction& production_;
  const size_t window_;
  const size_t room_;
  std::vector<TSlot> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t next_ = 0;    // the next report to make
  size_t stored_ = 0;  // reports stored so far
  std::vector<std::string> spare_;
  std::vector<std::thread> threads_;
};

}  // namespace

void MakeReports(const TMainConfig& config, const TQueue& queue, const std::vector<TReportShare>& shares,
                 unsigned workers, TReportsMode mode) {
  const uint64_t start = TickCount();
  LogLine("Make reports", 1);
  // Only checking takes no MSGID serial: the MSGID file stays as it is.
  TReportProduction production(mode == TReportsMode::Post ? MsgIdFile(config) : std::string(), mode);
  production.Sysop = config.Sysop;
  workers = static_cast<unsigned>(std::min<size_t>(workers, config.Reports.size()));
  std::optional<TSideBySide> sideBySide;
  if (workers > 1) sideBySide.emplace(config, queue, shares, production, workers);
  if (sideBySide && sideBySide->Started()) {
    sideBySide->Store();
  } else {
    sideBySide.reset();
    // One report's memory serves the next: a large report would otherwise
    // have every page of its buffer fresh from the system again.
    std::string storage = ReportSpace(ReportRoom(queue));
    for (size_t i = 0; i < config.Reports.size(); ++i)
      storage = MakeInTurn(config, i, queue, shares[i], production, std::move(storage));
  }
  LogLine(Format("All reports maked after %d msec", static_cast<int>(TickCount() - start)), 1);
  ControlPoint(1);
}

}  // namespace zeb
