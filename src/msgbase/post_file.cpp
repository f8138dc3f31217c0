#include "msgbase/post_file.h"

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

bool WriteAll(TFile& file, const std::string& path, std::string_view buf) {
  const bool written = file.Write(buf.data(), buf.size());
  if (file.Close() && written) return true;
  AnnounceError(Format("Can't write to file %s", path.c_str()), file.Error());
  return false;
}

}  // namespace

bool PostToFile(const std::string& path, std::string_view buf) {
  const std::string text = WithLfLineEnds(buf);
  if (SameText(path, "con")) {
    if (WriteStdout(RenderOemText(text, StdoutStyle().Utf8))) return true;
    AnnounceError(Format("Can't write to file %s", path.c_str()));
    return false;
  }
  std::string error;
  auto file = Disk().OpenFile(path, OpenMode::Create, error);
  if (!file) {
    AnnounceError(Format("Can't create file %s", path.c_str()), error);
    return false;
  }
  return WriteAll(*file, path, text);
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
  if (WriteAll(*file, path, buf)) return true;
  file.reset();
  Disk().RemoveFile(path);
  return false;
}

}  // namespace zeb
