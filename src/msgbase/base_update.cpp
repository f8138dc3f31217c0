#include "msgbase/base_update.h"

#include <algorithm>

#include "log/console.h"
#include "support/text.h"

namespace zeb {

std::unique_ptr<TFile> OpenBaseFile(const std::string& path, bool& created) {
  created = false;
  std::string error;
  // Another writer may create the file between the open and the create:
  // the open is then tried again. Only a file that was there before the
  // open and is there after it has really failed to open.
  for (;;) {
    const bool existed = Disk().FileExists(path);
    if (auto file = Disk().OpenFile(path, OpenMode::ReadWrite, error)) return file;
    if (existed && Disk().FileExists(path)) {
      AnnounceError(Format("Can't open file %s", path.c_str()), error);
      return nullptr;
    }
    if (auto file = Disk().OpenFile(path, OpenMode::CreateNew, error)) {
      created = true;
      return file;
    }
    if (!Disk().FileExists(path)) {
      AnnounceError(Format("Can't create file %s", path.c_str()), error);
      return nullptr;
    }
  }
}

bool LockBaseFile(TFile& file, const std::string& path) {
  if (file.Lock(kBaseLockWait)) return true;
  AnnounceError(Format("Can't lock file %s", path.c_str()), file.Error());
  return false;
}

bool TBaseUpdate::Read(TFile& file, const std::string& path, int64_t offset, size_t size, std::string& out) {
  out.assign(size, '\0');
  size_t got = 0;
  const bool read = file.Seek(offset) && file.Read(out.data(), size, got);
  if (read && got == size) return true;
  // A read that stops short fails without a reason from the system.
  AnnounceError(Format("Can't read file %s", path.c_str()), read ? "Unexpected end of file" : file.Error());
  return false;
}

bool TBaseUpdate::Remember(TFile& file, const std::string& path, int64_t offset, int64_t end) {
  auto it = std::find_if(touched_.begin(), touched_.end(), [&](const TTouched& t) { return t.File == &file; });
  if (it == touched_.end()) {
    const int64_t size = file.Size();
    if (size < 0) {
      AnnounceError(Format("Can't read file %s", path.c_str()));
      return false;
    }
    touched_.push_back({&file, size});
    it = touched_.end() - 1;
  }
  end = std::min(end, it->Size);
  if (offset >= end) return true;
  TReplaced replaced{&file, offset, {}};
  if (!Read(file, path, offset, static_cast<size_t>(end - offset), replaced.Bytes)) return false;
  replaced_.push_back(std::move(replaced));
  return true;
}

bool TBaseUpdate::Write(TFile& file, const std::string& path, int64_t offset, std::string_view data) {
  if (!Remember(file, path, offset, offset + static_cast<int64_t>(data.size()))) return false;
  if (file.Seek(offset) && file.Write(data.data(), data.size())) return true;
  AnnounceError(Format("Can't write to file %s", path.c_str()), file.Error());
  return false;
}

bool TBaseUpdate::Resize(TFile& file, const std::string& path, int64_t size) {
  if (!Remember(file, path, size, INT64_MAX)) return false;
  if (file.Seek(size) && file.Truncate()) return true;
  AnnounceError(Format("Can't write to file %s", path.c_str()), file.Error());
  return false;
}

void TBaseUpdate::Undo() {
  for (const TTouched& t : touched_) {
    if (t.File->Seek(t.Size)) t.File->Truncate();
  }
  for (auto it = replaced_.rbegin(); it != replaced_.rend(); ++it) {
    if (it->File->Seek(it->Offset)) it->File->Write(it->Bytes.data(), it->Bytes.size());
  }
  touched_.clear();
  replaced_.clear();
}

}  // namespace zeb
