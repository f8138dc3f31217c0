// Opening, locking and updating the files of a Squish or JAM message base so
// that a failure part-way leaves the base as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk.h"

namespace zeb {

// How long a writer waits for a base that another program has locked.
inline constexpr int kBaseLockWait = 10;

// Opens a file of a base for reading and writing, creating it when it does
// not exist (never replacing one that appears meanwhile); `created` tells
// which. Logs "Can't open file %s" or "Can't create file %s".
std::unique_ptr<TFile> OpenBaseFile(const std::string& path, bool& created);

// Takes the base lock on `file`; logs "Can't lock file %s" when another
// program still holds it after kBaseLockWait seconds.
bool LockBaseFile(TFile& file, const std::string& path);

// The writes of one message into a base. Every read and write is checked and
// a failure logged ("Can't read file %s", "Can't write to file %s"); Undo
// then puts back what the writes replaced and cuts every file touched back
// to its size before.
class TBaseUpdate {
 public:
  // Reads exactly `size` bytes at `offset`.
  bool Read(TFile& file, const std::string& path, int64_t offset, size_t size, std::string& out);
  bool Write(TFile& file, const std::string& path, int64_t offset, std::string_view data);
  // Cuts (or extends) the file to `size` bytes.
  bool Resize(TFile& file, const std::string& path, int64_t size);
  // Best effort: the failure that calls it has already been logged.
  void Undo();

 private:
  struct TTouched {
    TFile* File;
    int64_t Size;
  };
  struct TReplaced {
    TFile* File;
    int64_t Offset;
    std::string Bytes;
  };
  // Remembers the file's size at the first change and the bytes of
  // [offset, end) that lie within it.
  bool Remember(TFile& file, const std::string& path, int64_t offset, int64_t end);

  std::vector<TTouched> touched_;
  std::vector<TReplaced> replaced_;
};

}  // namespace zeb
