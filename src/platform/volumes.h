// VolumeInterface: what the drive functions of report templates learn about
// the file system that holds a path, behind an interface so that tests can
// fake it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

struct TVolumeInfo {
  int64_t Size = -1;       // bytes
  int64_t Free = -1;       // bytes available to an unprivileged user
  std::string MountPoint;  // empty when it cannot be found
  std::string FsType;      // ext4, xfs, tmpfs, ...; empty when it cannot be found
};

class VolumeInterface {
 public:
  virtual ~VolumeInterface() = default;
  // Asks anew on every call; false when the file system holding `path`
  // cannot be queried.
  virtual bool QueryVolume(const std::string& path, TVolumeInfo& info) = 0;
};

// The process-wide volumes. Tests may replace them with SetVolumes and
// restore the real ones with SetVolumes(nullptr).
VolumeInterface& Volumes();
void SetVolumes(VolumeInterface* volumes);

// The mount point and file-system type of the mount that holds the absolute,
// resolved `path`, read from the text of /proc/self/mountinfo: the longest
// mount point containing the path, the later of two equal ones (it is
// mounted over the earlier). False when no mount holds it.
bool FindMount(std::string_view mountInfo, std::string_view path, std::string& mountPoint, std::string& fsType);

}  // namespace zeb
