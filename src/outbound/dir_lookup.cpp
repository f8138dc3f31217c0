#include "outbound/dir_lookup.h"

#include <algorithm>

#include "frame/options.h"
#include "log/console.h"
#include "support/text.h"

namespace zeb {

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

void ListDirectory(const std::string& dir, const std::string& pattern, std::vector<TDirEntry>& entries) {
  entries.clear();
  Disk().FindFiles(dir, pattern, kAttrSearchAll, entries);
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
}

bool FindPathEntry(const std::string& path, TDirEntry& entry, std::string& realPath) {
  if (Disk().Stat(path, entry)) {
    realPath = path;
    return true;
  }
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string() : slash == 0 ? "/" : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  std::vector<TDirEntry> entries;
  ListDirectory(dir, name, entries);
  if (entries.empty()) return false;
  entry = entries.front();
  realPath = slash == std::string::npos ? entry.Name : JoinPath(dir, entry.Name);
  return true;
}

bool FindDirectory(const std::string& path, std::string& realPath) {
  std::string trimmed = path;
  if (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  TDirEntry entry;
  const bool found = FindPathEntry(trimmed, entry, realPath);
  const bool result = found && entry.IsDirectory();
  if (DirectoryTrace()) {
    Announce(Color(kYellow) + "\n" +
             Format("Dir info => Name: %s => Attrib: 0x%.2x", found ? entry.Name.c_str() : "", found ? entry.Attr : 0));
    Announce(result ? "TRUE" : "FALSE");
  }
  return result;
}

bool DirExists(const std::string& path) {
  std::string realPath;
  return FindDirectory(path, realPath);
}

}  // namespace zeb
