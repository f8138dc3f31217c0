// DiskInterface: every file and directory operation of zeb goes through this
// narrow interface, so that the scanners and the writers can be tested on a
// fake file system (and fault injection can make any operation fail).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

// Attribute bytes as the original platform reported them.
enum : uint8_t {
  kAttrReadOnly = 0x01,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

// One entry of a directory search, with its real name as stored on disk.
struct TDirEntry {
  std::string Name;
  int64_t Size = 0;
  uint8_t Attr = 0;
  uint32_t DosTime = 0;  // modification time, packed DOS date-time (local)

  bool IsDirectory() const { return (Attr & kAttrDirectory) != 0; }
};

enum class OpenMode {
  Read,       // existing file, read only
  ReadWrite,  // existing file, read and write
  Create,     // create or truncate, read and write
  CreateNew,  // create a file that must not exist yet, read and write
};

// An open file. Every operation reports failure as a value, and Error()
// then gives the system's reason.
class TFile {
 public:
  virtual ~TFile() = default;
  // Reads up to `size` bytes; `got` receives how many were read (0 at end).
  virtual bool Read(void* data, size_t size, size_t& got) = 0;
  // Writes all `size` bytes; false when fewer were written.
  virtual bool Write(const void* data, size_t size) = 0;
  virtual bool Seek(int64_t position) = 0;
  virtual bool SeekEnd() = 0;
  virtual int64_t Position() const = 0;
  virtual int64_t Size() const = 0;
  // Cuts the file at the current position.
  virtual bool Truncate() = 0;
  // Hands buffered data to the operating system.
  virtual bool Flush() = 0;
  // Waits until the file's data is on the disk itself, so that a name given
  // to it afterwards never names a file whose data a power cut could lose.
  virtual bool Sync() = 0;
  // Closes the file; false when data could not be written out.
  virtual bool Close() = 0;
  // Takes the write lock that message-base tools agree on (a record lock on
  // byte 0, length 1), trying once a second for up to `waitSeconds`; false
  // when another process still holds it. The file must be open for writing.
  virtual bool Lock(int waitSeconds) = 0;
  virtual void Unlock() = 0;

  // The system's reason for the last operation that failed.
  const std::string& Error() const { return error_; }

 protected:
  // Keeps the reason of a failed operation; false, for `return Fail(...)`.
  bool Fail(std::string reason) {
    error_ = std::move(reason);
    return false;
  }

 private:
  std::string error_;
};

// A directory held open for looking at many of its entries: the system then
// does not walk the directory's path again for each of them.
class TDirHandle {
 public:
  virtual ~TDirHandle() = default;
  // Looks at the entry `name` of the directory; false when it does not exist.
  virtual bool Stat(const std::string& name, TDirEntry& entry) = 0;
};

class DiskInterface {
 public:
  virtual ~DiskInterface() = default;

  // Lists the entries of `dir` whose names match the DOS wildcard `pattern`
  // without regard to case. Regular files are always listed, directories
  // only when `attrMask` holds kAttrDirectory. False with `error` set when
  // `dir` cannot be read.
  virtual bool FindFiles(const std::string& dir, const std::string& pattern, uint8_t attrMask,
                         std::vector<TDirEntry>& entries, std::string& error) = 0;
  // Looks at one path; false when it does not exist or is neither a file nor
  // a directory, with the reason in `*error` when that is given.
  virtual bool Stat(const std::string& path, TDirEntry& entry, std::string* error = nullptr) = 0;
  // A handle on `dir` for looking at its entries. The default one looks
  // each entry up by its full path with Stat.
  virtual std::unique_ptr<TDirHandle> OpenDirectory(const std::string& dir);
  // Reads a whole file; false with `error` set when it cannot.
  virtual bool ReadFile(const std::string& path, std::string& contents, std::string& error) = 0;
  // Opens a file; nullptr with `error` set when it cannot.
  virtual std::unique_ptr<TFile> OpenFile(const std::string& path, OpenMode mode, std::string& error) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual bool MakeDirectory(const std::string& path) = 0;
  // Gives the file `from` the name `to` in one step, replacing a file of
  // that name: readers see the old file or the new one, never a part.
  virtual bool Rename(const std::string& from, const std::string& to, std::string& error) = 0;
  // As Rename, but never replaces: false, with `error` "File exists", when
  // `to` is taken.
  virtual bool RenameNoReplace(const std::string& from, const std::string& to, std::string& error) = 0;
  // The name that a new file replacing `path` whole must be renamed to:
  // the file that a symbolic link leads to (the link stays), otherwise
  // `path` itself. False for a device, a named pipe or a socket, and for a
  // file in a directory where no new file may be made: those can only be
  // written in place.
  virtual bool ReplacementTarget(const std::string& path, std::string& target);

  bool FileExists(const std::string& path);
  // As FileExists, with the reason in `reason` when there is no such file.
  bool FileExists(const std::string& path, std::string& reason);
  bool DirExists(const std::string& path);
};

// The process-wide disk. Tests may replace it with SetDisk and restore the
// real one with SetDisk(nullptr).
DiskInterface& Disk();
void SetDisk(DiskInterface* disk);

// The real disk of the machine.
DiskInterface& RealDisk();

}  // namespace zeb
