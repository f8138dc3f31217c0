// File systems by path for the drive functions, in place of the real ones.
#pragma once

#include <map>
#include <string>

#include "platform/volumes.h"

namespace zeb::test {

class FakeVolumes : public VolumeInterface {
 public:
  // The figures reported for exactly this path.
  void Add(const std::string& path, const TVolumeInfo& info) { volumes_[path] = info; }
  bool QueryVolume(const std::string& path, TVolumeInfo& info) override {
    ++queries_;
    const auto found = volumes_.find(path);
    if (found == volumes_.end()) return false;
    info = found->second;
    return true;
  }
  int Queries() const { return queries_; }

 private:
  std::map<std::string, TVolumeInfo> volumes_;
  int queries_ = 0;
};

class ScopedVolumes {
 public:
  explicit ScopedVolumes(VolumeInterface& volumes) { SetVolumes(&volumes); }
  ~ScopedVolumes() { SetVolumes(nullptr); }
  ScopedVolumes(const ScopedVolumes&) = delete;
  ScopedVolumes& operator=(const ScopedVolumes&) = delete;
};

}  // namespace zeb::test
