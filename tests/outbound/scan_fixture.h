// Common ground for the outbound scanner tests: a fake disk, an empty
// configuration and hand-over list, and the log lines written meanwhile.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/records.h"
#include "fake_disk.h"
#include "log/log_queue.h"
#include "log_capture.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "platform/dos_time.h"
#include "support/text.h"
#include "template/dates.h"

namespace zeb::test {

// A packed DOS date-time for the given day and time.
inline uint32_t Dos(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
  TDateTime t;
  t.Year = year;
  t.Month = month;
  t.Day = day;
  t.Hour = hour;
  t.Minute = minute;
  t.Second = second;
  return PackDosDateTime(t);
}

// One hand-over record in a line: address, flavour letter, kind, name, size;
// for notes the address, the note and what it says.
inline std::string Describe(const TForQueue& r) {
  if (r.Kind == kKindHoldUntil)
    return FormatNetAddr(r.Addr) + " hold-until " + FormatDatePattern("yyyy-mm-dd hh:nn:ss", UnixToDate(r.Size));
  if (r.Kind == kKindTries)
    return Format("%s tries %lld/%lld \"%s\"", FormatNetAddr(r.Addr).c_str(), static_cast<long long>(r.Size >> 16),
                  static_cast<long long>(r.Size & 0xFFFF), std::string(r.Name).c_str());
  static const char* const kKinds[] = {"flag", "netmail", "echomail", "file"};
  std::string text = Format("%s %c %s", FormatNetAddr(r.Addr).c_str(), FlavourLetters[r.Flavour % 10],
                            r.Kind < 4 ? kKinds[r.Kind] : "?");
  if (r.Flavour == 0 || r.Flavour == 9) text += Format("(%d)", r.Flavour);
  if (!r.Name.empty()) text += " " + std::string(r.Name);
  if (r.Size != 0) text += Format(" %lld", static_cast<long long>(r.Size));
  return text;
}

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override { log_.Reset(); }

  std::vector<std::string> Records() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < list_.Count(); ++i) out.push_back(Describe(list_[i]));
    return out;
  }

  // "level:text" of every log line since the test began, oldest first.
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (const auto& r : log_.Records()) out.push_back(Format("%d:%s", r->Level, r->Text.c_str()));
    return out;
  }
  bool Logged(const std::string& line) const {
    for (const std::string& l : Log())
      if (l == line) return true;
    return false;
  }

  TMainConfig config_;
  TForQueueList list_;
  TScanContext scan_{false, false};  // every look-up goes to the disk
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};

 private:
  LogCapture log_;
};

}  // namespace zeb::test
