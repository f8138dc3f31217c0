// The machine's file system behind DiskInterface (POSIX calls).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/disk.h"
#include "platform/dos_time.h"
#include "platform/system.h"
#include "platform/wildcard.h"

namespace zeb {

namespace {

// Fills `entry` from stat data; false for sockets, FIFOs and devices.
bool EntryFromStat(const struct stat& st, const std::string& name, TDirEntry& entry) {
  if (S_ISDIR(st.st_mode)) {
    entry.Attr = kAttrDirectory;
  } else if (S_ISREG(st.st_mode)) {
    entry.Attr = kAttrArchive;
  } else {
    return false;
  }
  if ((st.st_mode & S_IWUSR) == 0) entry.Attr |= kAttrReadOnly;
  entry.Name = name;
  entry.Size = S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
  entry.DosTime = FileTimeToDos(st.st_mtime);
  return true;
}

// The crash-point hook: with ZEB_CRASH_BEFORE_WRITE=n in the environment
// the process kills itself right before its n-th write-like call on a file
// (write, truncate, sync, rename, remove), as a shutdown or an OOM kill may
// stop it. The crash-point test runs zeb so for every n in turn.
void BeforeWriteLikeCall() {
  static const long crashAt = [] {
    const std::optional<std::string> value = GetEnv("ZEB_CRASH_BEFORE_WRITE");
    return value ? std::atol(value->c_str()) : 0L;
  }();
  if (crashAt <= 0) return;
  static std::atomic<long> calls{0};
  if (++calls == crashAt) ::kill(::getpid(), SIGKILL);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

class PosixFile : public TFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { Close(); }

  bool Read(void* data, size_t size, size_t& got) override {
    got = 0;
    while (got < size) {
      const ssize_t n = ::read(fd_, static_cast<char*>(data) + got, size - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return FailWithErrno();
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    return true;
  }
  bool Write(const void* data, size_t size) override {
    BeforeWriteLikeCall();
    size_t done = 0;
    while (done < size) {
      const ssize_t n = ::write(fd_, static_cast<const char*>(data) + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return FailWithErrno();
      if (n == 0) return Fail(std::strerror(ENOSPC));
      done += static_cast<size_t>(n);
    }
    return true;
  }
  bool Seek(int64_t position) override {
    return ::lseek(fd_, position, SEEK_SET) == position || FailWithErrno();
  }
  bool SeekEnd() override { return ::lseek(fd_, 0, SEEK_END) >= 0 || FailWithErrno(); }
  int64_t Position() const override { return ::lseek(fd_, 0, SEEK_CUR); }
  int64_t Size() const override {
    struct stat st;
    return ::fstat(fd_, &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
  }
  bool Truncate() override {
    BeforeWriteLikeCall();
    const off_t pos = ::lseek(fd_, 0, SEEK_CUR);
    return (pos >= 0 && ::ftruncate(fd_, pos) == 0) || FailWithErrno();
  }
  // Writes go straight to the kernel, so nothing waits in a buffer of ours.
  bool Flush() override { return true; }
  bool Sync() override {
    BeforeWriteLikeCall();
    return ::fsync(fd_) == 0 || FailWithErrno();
  }
  bool Lock(int waitSeconds) override {
    for (int attempt = 0;; ++attempt) {
      if (SetLock(F_WRLCK)) return true;
      if (attempt >= waitSeconds || (errno != EACCES && errno != EAGAIN && errno != EINTR)) return FailWithErrno();
      std::this_thread::sleep_for(std::chrono::seconds(1));
    }
  }
  void Unlock() override { SetLock(F_UNLCK); }
  bool Close() override {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 || FailWithErrno();
  }

 private:
  bool FailWithErrno() { return Fail(std::strerror(errno)); }

  // A POSIX record lock (fcntl), as the Linux tossers and editors take it:
  // flock() locks would not exclude them.
  bool SetLock(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    return ::fcntl(fd_, F_SETLK, &lock) == 0;
  }

  int fd_;
};

class PosixDirHandle : public TDirHandle {
 public:
  explicit PosixDirHandle(int fd) : fd_(fd) {}
  ~PosixDirHandle() override { ::close(fd_); }
  bool Stat(const std::string& name, TDirEntry& entry) override {
    struct stat st;
    if (::fstatat(fd_, name.c_str(), &st, 0) != 0) return false;
    return EntryFromStat(st, name, entry);
  }

 private:
  int fd_;
};

class PosixDisk : public DiskInterface {
 public:
  bool FindFiles(const std::string& dir, const std::string& pattern, uint8_t attrMask,
                 std::vector<TDirEntry>& entries, std::string& error) override {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) {
      error = std::strerror(errno);
      return false;
    }
    while (const dirent* de = ::readdir(d)) {
      const char* name = de->d_name;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
      if (!MatchWildcard(pattern, name)) continue;
      // Relative to the open directory: the kernel does not walk the
      // directory's path again for every entry.
      struct stat st;
      if (::fstatat(::dirfd(d), name, &st, 0) != 0) continue;
      TDirEntry entry;
      if (!EntryFromStat(st, name, entry)) continue;
      if (entry.IsDirectory() && (attrMask & kAttrDirectory) == 0) continue;
      entries.push_back(std::move(entry));
    }
    ::closedir(d);
    return true;
  }

  bool Stat(const std::string& path, TDirEntry& entry, std::string* error) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
      if (error) *error = std::strerror(errno);
      return false;
    }
    if (EntryFromStat(st, BaseName(path), entry)) return true;
    if (error) *error = "Not a regular file or directory";
    return false;
  }

  std::unique_ptr<TDirHandle> OpenDirectory(const std::string& dir) override {
    const int fd = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return DiskInterface::OpenDirectory(dir);
    return std::make_unique<PosixDirHandle>(fd);
  }

  bool ReadFile(const std::string& path, std::string& contents, std::string& error) override {
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      error = std::strerror(errno);
      return false;
    }
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = std::strerror(errno);
        ::close(fd);
        return false;
      }
      if (n == 0) break;
      contents.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
  }

  std::unique_ptr<TFile> OpenFile(const std::string& path, OpenMode mode, std::string& error) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::Read: flags |= O_RDONLY; break;
      case OpenMode::ReadWrite: flags |= O_RDWR; break;
      case OpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
      case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
      error = std::strerror(errno);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  bool RemoveFile(const std::string& path) override {
    BeforeWriteLikeCall();
    return ::unlink(path.c_str()) == 0;
  }
  bool MakeDirectory(const std::string& path) override { return ::mkdir(path.c_str(), 0777) == 0; }

  bool Rename(const std::string& from, const std::string& to, std::string& error) override {
    BeforeWriteLikeCall();
    // Exchanging the names, then removing the old file under the name the
    // new one had, replaces the file as a rename does; ext4, though, writes
    // out the new file's data before a rename over an existing file, which
    // costs milliseconds for a large report and buys nothing against a kill.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
      BeforeWriteLikeCall();
      ::unlink(from.c_str());
      return true;
    }
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    error = std::strerror(errno);
    return false;
  }

  bool RenameNoReplace(const std::string& from, const std::string& to, std::string& error) override {
    BeforeWriteLikeCall();
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // File systems without the no-replace rename (some network and FUSE
    // ones) take a hard link to the new name, which fails as well when the
    // name is taken, and the old name is removed after it.
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP) {
      if (::link(from.c_str(), to.c_str()) == 0) {
        BeforeWriteLikeCall();
        ::unlink(from.c_str());
        return true;
      }
      // Those without hard links either (SMB shares) get a plain rename
      // once the name is seen free: only another writer in the same moment
      // could take it in between.
      struct stat st;
      if ((errno == EPERM || errno == ENOTSUP || errno == ENOSYS) && ::lstat(to.c_str(), &st) != 0 && errno == ENOENT &&
          ::rename(from.c_str(), to.c_str()) == 0)
        return true;
    }
    error = std::strerror(errno);
    return false;
  }

  bool ReplacementTarget(const std::string& path, std::string& target) override {
    target = path;
    struct stat st;
    // A new file, or a link that leads nowhere yet, is made at the name.
    if (::stat(path.c_str(), &st) != 0) return true;
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return false;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
    // A file that may be written in a directory where no file may be made
    // (a report in a web server's tree) is written in place, as before.
    const size_t slash = target.find_last_of('/');
    return ::access(slash == std::string::npos ? "." : target.substr(0, slash + 1).c_str(), W_OK) == 0;
  }
};

DiskInterface* g_disk = nullptr;

class TPathDirHandle : public TDirHandle {
 public:
  TPathDirHandle(DiskInterface& disk, std::string dir) : disk_(disk), dir_(std::move(dir)) {}
  bool Stat(const std::string& name, TDirEntry& entry) override {
    return disk_.Stat(dir_.empty() || dir_.back() == '/' ? dir_ + name : dir_ + "/" + name, entry);
  }

 private:
  DiskInterface& disk_;
  std::string dir_;
};

}  // namespace

std::unique_ptr<TDirHandle> DiskInterface::OpenDirectory(const std::string& dir) {
  return std::make_unique<TPathDirHandle>(*this, dir);
}

bool DiskInterface::ReplacementTarget(const std::string& path, std::string& target) {
  target = path;
  return true;
}

bool DiskInterface::FileExists(const std::string& path) {
  TDirEntry entry;
  return Stat(path, entry) && !entry.IsDirectory();
}

bool DiskInterface::FileExists(const std::string& path, std::string& reason) {
  TDirEntry entry;
  if (!Stat(path, entry, &reason)) return false;
  if (!entry.IsDirectory()) return true;
  reason = "Is a directory";
  return false;
}

bool DiskInterface::DirExists(const std::string& path) {
  TDirEntry entry;
  return Stat(path, entry) && entry.IsDirectory();
}

DiskInterface& RealDisk() {
  static PosixDisk disk;
  return disk;
}

DiskInterface& Disk() { return g_disk ? *g_disk : RealDisk(); }
void SetDisk(DiskInterface* disk) { g_disk = disk; }

}  // namespace zeb
