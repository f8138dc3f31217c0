#include "msgbase/post_file.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "log/console.h"
#include "log/log_queue.h"
#include "platform/disk.h"
#include "platform/dos_time.h"
#include "platform/system.h"
#include "support/temporary_name.h"
#include "support/text.h"

namespace zeb {

namespace {

// FTN text ends lines with CR alone; files and terminals on this system
// expect LF. A CR LF pair becomes one LF too, so no line gets two ends.
std::string WithLfLineEnds(std::string_view buf) {
  std::string out;
  out.reserve(buf.size());
  size_t start = 0;
  for (size_t cr; (cr = buf.find('\r', start)) != std::string_view::npos;) {
    out.append(buf.substr(start, cr - start)).push_back('\n');
    start = cr + 1;
    if (start < buf.size() && buf[start] == '\n') ++start;
  }
  out.append(buf.substr(start));
  return out;
}

// Writes the text with LF line ends a block at a time, so that a large
// report is not held twice.
bool WriteWithLfLineEnds(TFile& file, std::string_view buf) {
  constexpr size_t kBlock = 1 << 20;
  bool written = true;
  while (written && !buf.empty()) {
    size_t take = std::min(kBlock, buf.size());
    // A CR LF pair stays in one block.
    if (take < buf.size() && buf[take - 1] == '\r') ++take;
    const std::string block = WithLfLineEnds(buf.substr(0, take));
    written = file.Write(block.data(), block.size());
    buf.remove_prefix(take);
  }
  return written;
}

bool Closed(TFile& file, const std::string& path, bool written) {
  if (file.Close() && written) return true;
  AnnounceError(Format("Can't write to file %s", path.c_str()), file.Error());
  return false;
}

// The directory part of a path, with its slash; empty for a bare name.
std::string DirectoryPart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Removes the temporary files in the directory `dir` (with its slash) that
// a killed run left more than an hour ago: a run still writing one is never
// that slow.
void RemoveStaleTemporaries(const std::string& dir) {
  std::vector<TDirEntry> entries;
  std::string unreported;  // the post that follows reports a directory it cannot use
  TDateTime hourAgo;
  if (!Disk().FindFiles(dir.empty() ? "." : dir, kTemporaryPattern, 0, entries, unreported) || entries.empty() ||
      !WallClockDateTimeOf(LocalUnixNow() - 3600, hourAgo))
    return;
  const uint32_t cutoff = PackDosDateTime(hourAgo);
  for (const TDirEntry& entry : entries) {
    const std::string path = dir + entry.Name;
    if (entry.DosTime < cutoff && Disk().RemoveFile(path))
      LogLine(Format("Removed %s, left by an interrupted run", path.c_str()), 1);
  }
}

// How a temporary file is written: a report file has LF line ends and is
// only renamed over the old one (a reader sees the old or the new report
// either way); a message or packet, which a tosser takes and the sender may
// never write again, is on the disk before it gets its name.
enum class TTemporaryKind { ReportFile, FtnFile };

// Writes the whole buffer to a new temporary file beside `target`, as its
// kind wants. Failures are logged under the name `target`; the temporary
// file is then removed again. `temp` receives its name.
bool WriteTemporary(const std::string& target, std::string_view buf, TTemporaryKind kind, std::string& temp) {
  const std::string dir = DirectoryPart(target);
  RemoveStaleTemporaries(dir);
  static std::atomic<uint32_t> sequence{0};
  std::unique_ptr<TFile> file;
  std::string error;
  // A name that a killed run with the same process id left is passed over.
  do {
    temp = dir + std::string(kTemporaryPrefix) + std::to_string(CurrentProcessId()) + "-" + std::to_string(sequence++) +
           std::string(kTemporarySuffix);
    file = Disk().OpenFile(temp, OpenMode::CreateNew, error);
  } while (!file && Disk().FileExists(temp));
  if (!file) {
    AnnounceError(Format("Can't create file %s", target.c_str()), error);
    return false;
  }
  const bool written = kind == TTemporaryKind::ReportFile ? WriteWithLfLineEnds(*file, buf)
                                                          : file->Write(buf.data(), buf.size()) && file->Sync();
  if (Closed(*file, target, written)) return true;
  file.reset();
  Disk().RemoveFile(temp);
  return false;
}

}  // namespace

size_t LfLineEndsSize(std::string_view buf) {
  size_t pairs = 0;
  for (size_t cr = buf.find("\r\n"); cr != std::string_view::npos; cr = buf.find("\r\n", cr + 2)) ++pairs;
  return buf.size() - pairs;
}

bool PostToFile(const std::string& path, std::string_view buf) {
  if (SameText(path, "con")) {
    if (WriteStdout(RenderOemText(WithLfLineEnds(buf), StdoutStyle().Utf8))) return true;
    AnnounceError(Format("Can't write to file %s", path.c_str()));
    return false;
  }
  std::string target, temp, error;
  if (!Disk().ReplacementTarget(path, target)) {
    // A device, a named pipe, or a file whose directory takes no new file.
    auto file = Disk().OpenFile(path, OpenMode::Create, error);
    if (file) return Closed(*file, path, WriteWithLfLineEnds(*file, buf));
    AnnounceError(Format("Can't create file %s", path.c_str()), error);
    return false;
  }
  if (!WriteTemporary(target, buf, TTemporaryKind::ReportFile, temp)) return false;
  if (Disk().Rename(temp, target, error)) return true;
  AnnounceError(Format("Can't create file %s", target.c_str()), error);
  Disk().RemoveFile(temp);
  return false;
}

bool PostToNewFile(const std::function<std::string(uint32_t)>& nameOf, std::string_view buf, std::string& path) {
  // The first name free now is the one failures are logged under.
  uint32_t attempt = 0;
  while (Disk().FileExists(path = nameOf(attempt))) ++attempt;
  std::string temp;
  if (!WriteTemporary(path, buf, TTemporaryKind::FtnFile, temp)) return false;
  for (;;) {
    std::string error;
    if (Disk().RenameNoReplace(temp, path, error)) return true;
    // Only a name taken meanwhile (another report, another run) is worth
    // the next try; any other failure would repeat.
    if (!Disk().FileExists(path)) {
      AnnounceError(Format("Can't create file %s", path.c_str()), error);
      Disk().RemoveFile(temp);
      return false;
    }
    path = nameOf(++attempt);
  }
}

}  // namespace zeb
