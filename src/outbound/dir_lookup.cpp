#include "outbound/dir_lookup.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "log/console.h"
#include "platform/wildcard.h"
#include "support/text.h"

namespace zeb {

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

bool ListDirectory(const std::string& dir, const std::string& pattern, std::vector<TDirEntry>& entries,
                   std::string* error) {
  entries.clear();
  std::string reason;
  const bool read = Disk().FindFiles(dir, pattern, kAttrSearchAll, entries, reason);
  if (!read && error) *error = reason;
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
  return read;
}

struct TLookups {
  // Open directories are file descriptors: past this many the cache starts
  // afresh.
  static constexpr size_t kMaxOpen = 256;
  std::unordered_map<std::string, std::unique_ptr<TDirHandle>> Open;
  std::unordered_map<std::string, std::vector<TDirEntry>> Listed;  // every entry, in name order
};

namespace {

bool StatInCache(TLookups& cache, const std::string& dir, const std::string& name, TDirEntry& entry) {
  auto at = cache.Open.find(dir);
  if (at == cache.Open.end()) {
    if (cache.Open.size() >= TLookups::kMaxOpen) cache.Open.clear();
    at = cache.Open.emplace(dir, Disk().OpenDirectory(dir)).first;
  }
  return at->second->Stat(name, entry);
}

// The first entry matching `name` (a wildcard) in name order, as
// ListDirectory would give it, from a listing made once per directory.
bool FindInListing(TLookups& cache, const std::string& dir, const std::string& name, TDirEntry& entry) {
  auto at = cache.Listed.find(dir);
  if (at == cache.Listed.end()) {
    at = cache.Listed.emplace(dir, std::vector<TDirEntry>()).first;
    ListDirectory(dir, "*", at->second);
  }
  for (const TDirEntry& e : at->second) {
    if (MatchWildcard(name, e.Name)) {
      entry = e;
      return true;
    }
  }
  return false;
}

}  // namespace

TScanContext::TScanContext(bool directoryTrace, bool holdLookups)
    : directoryTrace_(directoryTrace), lookups_(holdLookups ? std::make_unique<TLookups>() : nullptr) {}

TScanContext::~TScanContext() = default;

bool FindPathEntry(TScanContext& scan, const std::string& path, TDirEntry& entry, std::string& realPath) {
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string() : slash == 0 ? "/" : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  TLookups* const lookups = scan.Lookups();
  const bool cached = lookups != nullptr && !dir.empty() && !name.empty();
  if (cached ? StatInCache(*lookups, dir, name, entry) : Disk().Stat(path, entry)) {
    realPath = path;
    return true;
  }
  if (name.empty()) return false;
  if (cached) {
    if (!FindInListing(*lookups, dir, name, entry)) return false;
  } else {
    std::vector<TDirEntry> entries;
    ListDirectory(dir, name, entries);
    if (entries.empty()) return false;
    entry = entries.front();
  }
  realPath = slash == std::string::npos ? entry.Name : JoinPath(dir, entry.Name);
  return true;
}

bool FindDirectory(TScanContext& scan, const std::string& path, std::string& realPath) {
  std::string trimmed = path;
  if (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  TDirEntry entry;
  const bool found = FindPathEntry(scan, trimmed, entry, realPath);
  const bool result = found && entry.IsDirectory();
  if (scan.DirectoryTrace()) {
    const std::string info = Color(kYellow) + "\n" +
                             Format("Dir info => Name: %s => Attrib: 0x%.2x", found ? entry.Name.c_str() : "",
                                    found ? entry.Attr : 0);
    AnnounceLines({info, result ? "TRUE" : "FALSE"});
  }
  return result;
}

bool DirExists(TScanContext& scan, const std::string& path) {
  std::string realPath;
  return FindDirectory(scan, path, realPath);
}

}  // namespace zeb
