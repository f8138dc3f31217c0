#include "msgbase/post_file.h"

#include <algorithm>

#include "log/console.h"
#include "platform/disk.h"
#include "platform/system.h"
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
  std::string error;
  auto file = Disk().OpenFile(path, OpenMode::Create, error);
  if (!file) {
    AnnounceError(Format("Can't create file %s", path.c_str()), error);
    return false;
  }
  return Closed(*file, path, WriteWithLfLineEnds(*file, buf));
}

bool PostToNewFile(const std::function<std::string(uint32_t)>& nameOf, std::string_view buf, std::string& path) {
  std::unique_ptr<TFile> file;
  for (uint32_t attempt = 0;; ++attempt) {
    path = nameOf(attempt);
    std::string error;
    file = Disk().OpenFile(path, OpenMode::CreateNew, error);
    if (file) break;
    // Only a name taken meanwhile (another report, another run) is worth
    // the next try; any other failure would repeat.
    if (!Disk().FileExists(path)) {
      AnnounceError(Format("Can't create file %s", path.c_str()), error);
      return false;
    }
  }
  if (Closed(*file, path, file->Write(buf.data(), buf.size()))) return true;
  file.reset();
  Disk().RemoveFile(path);
  return false;
}

}  // namespace zeb
