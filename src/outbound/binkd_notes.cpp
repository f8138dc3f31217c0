#include "outbound/binkd_notes.h"

#include <charconv>
#include <ctime>

#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/scan_entry.h"
#include "platform/disk.h"
#include "platform/dos_time.h"
#include "support/text.h"
#include "support/unix_time.h"

namespace zeb {

namespace {

// More than either file holds when binkd wrote it: a hold-until line is a
// number, a try file at most 260 bytes.
constexpr size_t kNoteFileLimit = 512;

// The head of a file, up to the limit: a file of any size costs no more.
bool ReadHead(const std::string& path, std::string& head) {
  std::string error;
  auto file = Disk().OpenFile(path, OpenMode::Read, error);
  if (!file) return false;
  head.resize(kNoteFileLimit);
  size_t got = 0;
  const bool ok = file->Read(head.data(), head.size(), got);
  head.resize(ok ? got : 0);
  file->Close();
  return ok;
}

void LogBadNote(const char* kind, const std::string& path) {
  LogLine(Format("Bad %s file %s ignored", kind, path.c_str()), 2);
}

}  // namespace

std::optional<int64_t> ParseHoldUntil(std::string_view contents) {
  std::string_view line = contents.substr(0, contents.find('\n'));
  while (!line.empty() && (line.back() == '\r' || IsBlank(line.back()))) line.remove_suffix(1);
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  if (line.empty() || line.front() < '0' || line.front() > '9') return std::nullopt;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (ec != std::errc() || end != line.data() + line.size()) return std::nullopt;
  return value;
}

std::optional<TTries> ParseTries(std::string_view contents) {
  if (contents.size() < 5) return std::nullopt;
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(contents[i]); };
  const size_t length = byte(4);
  if (contents.size() < 5 + length) return std::nullopt;
  TTries tries;
  tries.Good = static_cast<uint16_t>(byte(0) | byte(1) << 8);
  tries.Bad = static_cast<uint16_t>(byte(2) | byte(3) << 8);
  tries.Text.assign(contents.substr(5, length));
  // The text may come from the remote side's error message: a CR or a
  // control mark in it must not break a report's lines or make a kludge.
  for (char& c : tries.Text)
    if (static_cast<uint8_t>(c) < 0x20) c = ' ';
  return tries;
}

void ScanHoldFile(TForQueueList& list, const std::string& path, const TNetAddr& addr) {
  std::string head;
  std::optional<int64_t> until;
  TDateTime local;
  if (ReadHead(path, head)) until = ParseHoldUntil(head);
  // The file holds a real Unix time; the queue keeps local ones.
  if (!until || !LocalDateTimeOf(static_cast<std::time_t>(*until), local)) {
    LogBadNote("hold-until", path);
    return;
  }
  LogDetail("Hold-until file for %s", FormatNetAddr(addr).c_str());
  AddHoldUntilToQueue(list, addr, DateToUnix(local));
}

void ScanTryFile(TForQueueList& list, const std::string& path, const TNetAddr& addr) {
  std::string head;
  std::optional<TTries> tries;
  if (ReadHead(path, head)) tries = ParseTries(head);
  if (!tries) {
    LogBadNote("try", path);
    return;
  }
  LogDetail("Try file for %s", FormatNetAddr(addr).c_str());
  AddTriesToQueue(list, addr, tries->Good, tries->Bad, tries->Text);
}

}  // namespace zeb
