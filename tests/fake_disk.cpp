#include "fake_disk.h"

#include <algorithm>
#include <cstring>

#include "platform/wildcard.h"

namespace zeb::test {

namespace {

constexpr const char* kIoError = "Input/output error";

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

class FakeFile : public TFile {
 public:
  FakeFile(FakeDisk& disk, std::string path, std::string& data)
      : disk_(disk), path_(std::move(path)), data_(data) {
    ++disk_.openFiles_;
  }
  ~FakeFile() override {
    Unlock();
    --disk_.openFiles_;
  }
  bool Read(void* out, size_t size, size_t& got) override {
    got = 0;
    if (disk_.CountOp(FakeDisk::Op::Read)) return Fail(kIoError);
    if (FakeDisk::Faults* f = disk_.FaultsOf(path_); f && f->FailRead) return Fail(kIoError);
    got = pos_ >= data_.size() ? 0 : std::min(size, data_.size() - pos_);
    std::memcpy(out, data_.data() + pos_, got);
    pos_ += got;
    return true;
  }
  bool Write(const void* in, size_t size) override {
    size_t stored = size;
    const char* reason = kIoError;
    if (disk_.CountOp(FakeDisk::Op::Write)) stored = disk_.shortWrite_ ? size / 2 : 0;
    FakeDisk::Faults* f = disk_.FaultsOf(path_);
    if (f && f->WriteBudget >= 0) {
      const size_t limit = data_.size() + static_cast<size_t>(f->WriteBudget);
      stored = std::min(size, limit > pos_ ? limit - pos_ : 0);
      if (stored < size) reason = "No space left on device";
      if (pos_ + stored > data_.size()) f->WriteBudget -= static_cast<int64_t>(pos_ + stored - data_.size());
    }
    if (f && f->FailWriteAfterCalls >= 0 && f->FailWriteAfterCalls-- == 0) stored = std::min(stored, size / 2);
    if (data_.size() < pos_ + stored) data_.resize(pos_ + stored);
    std::memcpy(data_.data() + pos_, in, stored);
    pos_ += stored;
    disk_.AfterWrite();
    return stored == size || Fail(reason);
  }
  bool Seek(int64_t position) override {
    if (disk_.CountOp(FakeDisk::Op::Seek)) return Fail(kIoError);
    if (position < 0) return Fail("Invalid argument");
    pos_ = static_cast<size_t>(position);
    return true;
  }
  bool SeekEnd() override {
    if (disk_.CountOp(FakeDisk::Op::Seek)) return Fail(kIoError);
    pos_ = data_.size();
    return true;
  }
  int64_t Position() const override { return static_cast<int64_t>(pos_); }
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  bool Truncate() override {
    if (FakeDisk::Faults* f = disk_.FaultsOf(path_); f && f->FailTruncate) return Fail(kIoError);
    data_.resize(pos_);
    return true;
  }
  bool Flush() override { return true; }
  bool Sync() override { return true; }
  bool Close() override { return true; }
  bool Lock(int waitSeconds) override {
    disk_.lastLockWait_ = waitSeconds;
    if (FakeDisk::Faults* f = disk_.FaultsOf(path_); f && f->Locked) return Fail("Resource temporarily unavailable");
    disk_.held_[path_] = true;
    locked_ = true;
    return true;
  }
  void Unlock() override {
    if (locked_) disk_.held_.erase(path_);
    locked_ = false;
  }

 private:
  FakeDisk& disk_;
  std::string path_;
  std::string& data_;
  size_t pos_ = 0;
  bool locked_ = false;
};

FakeDisk::Faults* FakeDisk::FaultsOf(const std::string& path) {
  auto it = faults_.find(path);
  return it == faults_.end() ? nullptr : &it->second;
}

bool FakeDisk::CountOp(Op op) {
  const int n = opCounts_[static_cast<int>(op)]++;
  return op == failOp_ && n == failAt_;
}

void FakeDisk::AfterWrite() {
  if (opCounts_[static_cast<int>(Op::Write)] - 1 == snapshotAt_) crashImage_ = nodes_;
}

void FakeDisk::ResetOps() {
  for (int& count : opCounts_) count = 0;
  failAt_ = -1;
  snapshotAt_ = -1;
  crashImage_.reset();
}

void FakeDisk::AddDir(const std::string& path) {
  for (std::string p = path; !p.empty(); p = ParentOf(p)) nodes_[p].Directory = true;
}

void FakeDisk::AddFile(const std::string& path, const std::string& data, uint32_t dosTime) {
  if (!ParentOf(path).empty()) AddDir(ParentOf(path));
  Node& node = nodes_[path];
  node.Directory = false;
  node.Data = data;
  node.DosTime = dosTime;
}

const std::string* FakeDisk::Contents(const std::string& path) const {
  auto it = nodes_.find(path);
  return it == nodes_.end() || it->second.Directory ? nullptr : &it->second.Data;
}

bool FakeDisk::FindFiles(const std::string& dir, const std::string& pattern, uint8_t attrMask,
                         std::vector<TDirEntry>& entries, std::string& error) {
  auto d = nodes_.find(dir);
  if (d == nodes_.end() || !d->second.Directory) {
    error = d == nodes_.end() ? "No such file or directory" : "Not a directory";
    return false;
  }
  if (const Faults* f = FaultsOf(dir); f && f->FailRead) {
    error = "Permission denied";
    return false;
  }
  for (const auto& [path, node] : nodes_) {
    if (ParentOf(path) != dir || path == dir) continue;
    const std::string name = path.substr(dir.size() + 1);
    if (!MatchWildcard(pattern, name)) continue;
    if (node.Directory && (attrMask & kAttrDirectory) == 0) continue;
    TDirEntry entry;
    Stat(path, entry);
    entries.push_back(entry);
  }
  return true;
}

bool FakeDisk::Stat(const std::string& path, TDirEntry& entry, std::string* error) {
  auto it = nodes_.find(path);
  if (it == nodes_.end()) {
    if (error) *error = "No such file or directory";
    return false;
  }
  const size_t slash = path.find_last_of('/');
  entry.Name = slash == std::string::npos ? path : path.substr(slash + 1);
  entry.Attr = static_cast<uint8_t>((it->second.Directory ? kAttrDirectory : kAttrArchive) | it->second.ExtraAttr);
  entry.Size = it->second.Directory ? 0 : static_cast<int64_t>(it->second.Data.size());
  entry.DosTime = it->second.DosTime;
  return true;
}

bool FakeDisk::ReadFile(const std::string& path, std::string& contents, std::string& error) {
  const std::string* data = Contents(path);
  if (data == nullptr) {
    error = Has(path) ? "Is a directory" : "No such file or directory";
    return false;
  }
  contents = *data;
  return true;
}

std::unique_ptr<TFile> FakeDisk::OpenFile(const std::string& path, OpenMode mode, std::string& error) {
  if (CountOp(Op::Open)) {
    error = "Input/output error";
    return nullptr;
  }
  if (Faults* f = FaultsOf(path); f && f->FailOpen) {
    error = "Permission denied";
    return nullptr;
  }
  auto it = nodes_.find(path);
  if (mode == OpenMode::CreateNew && it != nodes_.end()) {
    error = "File exists";
    return nullptr;
  }
  if (mode == OpenMode::Create || mode == OpenMode::CreateNew) {
    if (!ParentOf(path).empty() && !DirExists(ParentOf(path))) {
      error = "No such file or directory";
      return nullptr;
    }
    Node& node = nodes_[path];
    node.Directory = false;
    node.Data.clear();
    return std::make_unique<FakeFile>(*this, path, node.Data);
  }
  if (it == nodes_.end() || it->second.Directory) {
    error = it == nodes_.end() ? "No such file or directory" : "Is a directory";
    return nullptr;
  }
  return std::make_unique<FakeFile>(*this, path, it->second.Data);
}

bool FakeDisk::RemoveFile(const std::string& path) {
  auto it = nodes_.find(path);
  if (it == nodes_.end() || it->second.Directory) return false;
  nodes_.erase(it);
  return true;
}

bool FakeDisk::Rename(const std::string& from, const std::string& to, std::string& error) {
  auto it = nodes_.find(from);
  if (it == nodes_.end() || it->second.Directory) return (error = "No such file or directory", false);
  nodes_[to] = std::move(nodes_.extract(it).mapped());
  return true;
}

bool FakeDisk::RenameNoReplace(const std::string& from, const std::string& to, std::string& error) {
  return nodes_.count(to) == 0 ? Rename(from, to, error) : (error = "File exists", false);
}

bool FakeDisk::MakeDirectory(const std::string& path) {
  if (nodes_.count(path) != 0) return false;
  if (!ParentOf(path).empty() && !DirExists(ParentOf(path))) return false;
  nodes_[path].Directory = true;
  return true;
}

}  // namespace zeb::test
