#include "template/buf_stream.h"

#include <algorithm>
#include <cstring>

namespace zeb {

TBufStream::~TBufStream() {
  if (file_ != nullptr) {
    if (writable_) Flush();
    file_->Close();
  }
}

size_t TBufStream::Read(size_t count, char* dest) {
  const size_t n = std::min(count, buffer_.size() - position_);
  std::memcpy(dest, buffer_.data() + position_, n);
  position_ += n;
  return n;
}

void TBufStream::Seek(int origin, int64_t offset) {
  const int64_t size = static_cast<int64_t>(buffer_.size());
  int64_t target = offset;
  if (origin == kFromCurrent) target = static_cast<int64_t>(position_) + offset;
  if (origin == kFromEnd) target = size - offset;
  position_ = static_cast<size_t>(std::clamp<int64_t>(target, 0, size));
}

bool TBufStream::Truncate() {
  const bool written = Flush();
  buffer_.resize(position_);
  return written;
}

bool TBufStream::Open(bool load, OpenMode mode, const std::string& name, std::string& error) {
  if (file_ != nullptr) file_->Close();
  file_.reset();
  file_ = Disk().OpenFile(name, Disk().FileExists(name) ? mode : OpenMode::Create, error);
  if (file_ == nullptr) return false;
  fileName_ = name;
  writable_ = mode != OpenMode::Read;
  if (!load) return true;
  buffer_.clear();
  position_ = 0;
  char chunk[65536];
  size_t got = 0;
  bool read = true;
  while ((read = file_->Read(chunk, sizeof chunk, got)) && got > 0) buffer_.append(chunk, got);
  if (!read) error = file_->Error();
  return read;
}

bool TBufStream::Flush() {
  if (file_ == nullptr) return true;
  return file_->Seek(0) && file_->Write(buffer_.data(), position_) && file_->Flush();
}

bool TBufStream::SaveAs(const std::string& name) {
  if (file_ != nullptr) file_->Close();
  file_.reset();
  writable_ = false;
  if (Disk().FileExists(name)) Disk().RemoveFile(name);
  std::string error;
  std::unique_ptr<TFile> file = Disk().OpenFile(name, OpenMode::Create, error);
  if (file == nullptr) return false;
  const bool written = file->Write(buffer_.data(), buffer_.size());
  return file->Close() && written;
}

std::string ReadAll(TBufStream& stream) {
  if (stream.Position() == 0 && !stream.HasFile()) return stream.TakeText();
  std::string text(stream.Text().substr(stream.Position()));
  stream.Seek(TBufStream::kFromEnd, 0);
  return text;
}

TBufStream StreamFromText(std::string text) {
  TBufStream stream;
  stream.Reset(std::move(text));
  return stream;
}

}  // namespace zeb
