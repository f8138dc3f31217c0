// An in-memory file system behind DiskInterface, for tests of the scanners
// and the writers. Paths are kept as given ("/" separated).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/disk.h"

namespace zeb::test {

class FakeDisk : public DiskInterface {
 public:
  struct Node {
    bool Directory = false;
    std::string Data;
    uint32_t DosTime = 0;
    uint8_t ExtraAttr = 0;
  };

  // Faults injected into the operations on one path.
  struct Faults {
    bool FailOpen = false;      // every OpenFile of the path fails
    int64_t WriteBudget = -1;   // bytes by which the file may still grow (-1: no
                                // limit), as on a disk that fills up; a write
                                // beyond it stores the part that fits and fails
    int FailWriteAfterCalls = -1;  // this many more writes succeed, the next one
                                   // stores half its bytes and fails, later ones succeed
    bool FailRead = false;      // also FindFiles of a directory
    bool FailTruncate = false;
    bool Locked = false;        // another process holds the record lock
  };

  // Faults by the running count of one kind of operation on any path, for
  // tests that make every single operation of a unit fail in turn. Opens
  // count OpenFile calls; reads, seeks and writes count the calls on open
  // files (SeekEnd as a seek).
  enum class Op { Open, Read, Seek, Write };
  // Operations of the kind seen since the last ResetOps.
  int OpCount(Op op) const { return opCounts_[static_cast<int>(op)]; }
  // Makes the operation of kind `op` numbered `n` (from 0 since ResetOps)
  // fail; a write stores nothing, or half its bytes when `shortWrite`.
  void FailOp(Op op, int n, bool shortWrite = false) {
    failOp_ = op;
    failAt_ = n;
    shortWrite_ = shortWrite;
  }
  // Copies every file and directory right after write number `n` (from 0),
  // the state a crash at that moment leaves behind; CrashImage() holds it
  // once that write happened.
  void SnapshotAfterWrite(int n) { snapshotAt_ = n; }
  const std::map<std::string, Node>* CrashImage() const { return crashImage_ ? &*crashImage_ : nullptr; }
  // Forgets the counts, the operation fault and the snapshot.
  void ResetOps();

  // Creates a file (and its parent directories).
  void AddFile(const std::string& path, const std::string& data, uint32_t dosTime = 0);
  void AddDir(const std::string& path);
  // The contents of a file, or nullptr.
  const std::string* Contents(const std::string& path) const;
  bool Has(const std::string& path) const { return nodes_.count(path) != 0; }

  bool FindFiles(const std::string& dir, const std::string& pattern, uint8_t attrMask,
                 std::vector<TDirEntry>& entries, std::string& error) override;
  bool Stat(const std::string& path, TDirEntry& entry, std::string* error = nullptr) override;
  bool ReadFile(const std::string& path, std::string& contents, std::string& error) override;
  std::unique_ptr<TFile> OpenFile(const std::string& path, OpenMode mode, std::string& error) override;
  bool RemoveFile(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to, std::string& error) override;
  bool RenameNoReplace(const std::string& from, const std::string& to, std::string& error) override;

  std::map<std::string, Node>& Nodes() { return nodes_; }

  Faults& Fault(const std::string& path) { return faults_[path]; }
  // Files opened and not yet destroyed; paths whose lock we hold now; the wait
  // asked for by the last Lock call.
  int OpenFiles() const { return openFiles_; }
  bool LockHeld(const std::string& path) const { return held_.count(path) != 0; }
  int LastLockWait() const { return lastLockWait_; }

 private:
  friend class FakeFile;
  Faults* FaultsOf(const std::string& path);
  // Counts an operation; true when it is the one to fail.
  bool CountOp(Op op);
  void AfterWrite();

  std::map<std::string, Node> nodes_;
  std::map<std::string, Faults> faults_;
  std::map<std::string, bool> held_;
  int openFiles_ = 0;
  int lastLockWait_ = -1;
  int opCounts_[4] = {};
  Op failOp_ = Op::Open;
  int failAt_ = -1;
  bool shortWrite_ = false;
  int snapshotAt_ = -1;
  std::optional<std::map<std::string, Node>> crashImage_;
};

// Installs a disk for the life of a test scope.
class ScopedDisk {
 public:
  explicit ScopedDisk(DiskInterface& disk) { SetDisk(&disk); }
  ~ScopedDisk() { SetDisk(nullptr); }
};

}  // namespace zeb::test
