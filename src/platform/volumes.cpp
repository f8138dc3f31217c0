#include "platform/volumes.h"

#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace zeb {

namespace {

// Fields of mountinfo escape blanks, tabs, newlines and backslashes as three
// octal digits after a backslash.
std::string Unescape(std::string_view field) {
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() &&
        field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (start < line.size()) {
    const size_t blank = line.find(' ', start);
    const size_t end = blank == std::string_view::npos ? line.size() : blank;
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

// True when `mountPoint` is `path` or one of its parent directories.
bool Holds(const std::string& mountPoint, std::string_view path) {
  if (path.substr(0, mountPoint.size()) != mountPoint) return false;
  return mountPoint == "/" || path.size() == mountPoint.size() || path[mountPoint.size()] == '/';
}

class RealVolumes : public VolumeInterface {
 public:
  bool QueryVolume(const std::string& path, TVolumeInfo& info) override {
    struct statvfs figures {};
    if (statvfs(path.c_str(), &figures) != 0) return false;
    info = TVolumeInfo{};
    info.Size = static_cast<int64_t>(figures.f_blocks) * static_cast<int64_t>(figures.f_frsize);
    info.Free = static_cast<int64_t>(figures.f_bavail) * static_cast<int64_t>(figures.f_frsize);
    char resolved[PATH_MAX];
    std::ifstream file("/proc/self/mountinfo");
    if (realpath(path.c_str(), resolved) != nullptr && file) {
      std::ostringstream text;
      text << file.rdbuf();
      FindMount(text.str(), resolved, info.MountPoint, info.FsType);
    }
    return true;
  }
};

VolumeInterface* g_volumes = nullptr;

}  // namespace

VolumeInterface& Volumes() {
  static RealVolumes real;
  return g_volumes != nullptr ? *g_volumes : real;
}

void SetVolumes(VolumeInterface* volumes) { g_volumes = volumes; }

bool FindMount(std::string_view mountInfo, std::string_view path, std::string& mountPoint, std::string& fsType) {
  bool found = false;
  size_t start = 0;
  while (start < mountInfo.size()) {
    const size_t newline = mountInfo.find('\n', start);
    const size_t end = newline == std::string_view::npos ? mountInfo.size() : newline;
    const std::vector<std::string_view> fields = Fields(mountInfo.substr(start, end - start));
    start = end + 1;
    // id, parent, major:minor, root, mount point, options, optional fields,
    // "-", file-system type, source, super options.
    size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-") ++dash;
    if (dash + 1 >= fields.size()) continue;
    const std::string point = Unescape(fields[4]);
    if (!Holds(point, path) || (found && point.size() < mountPoint.size())) continue;
    mountPoint = point;
    fsType = Unescape(fields[dash + 1]);
    found = true;
  }
  return found;
}

}  // namespace zeb
