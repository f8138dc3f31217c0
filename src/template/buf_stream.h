// TBufStream: a growable byte buffer with a read/write position and an
// optional backing file. Templates are loaded into one, parameter texts are
// wrapped in one, and every parser collects its output in one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/disk.h"

namespace zeb {

class TBufStream {
 public:
  // Origins of Seek.
  enum : int { kFromStart = 0, kFromCurrent = 1, kFromEnd = 2 };

  TBufStream() = default;
  TBufStream(TBufStream&&) = default;
  TBufStream& operator=(TBufStream&&) = default;
  TBufStream(const TBufStream&) = delete;
  TBufStream& operator=(const TBufStream&) = delete;
  // A stream attached to a file opened for writing first writes its buffer
  // to the file (see Flush).
  virtual ~TBufStream();

  size_t Position() const { return position_; }
  size_t Size() const { return buffer_.size(); }
  // The valid bytes, [0, Size).
  std::string_view Text() const { return buffer_; }
  const std::string& Contents() const { return buffer_; }
  const std::string& FileName() const { return fileName_; }
  bool HasFile() const { return file_ != nullptr; }

  // Copies min(count, Size - Position) bytes to `dest`, advances, returns
  // the number copied.
  size_t Read(size_t count, char* dest);
  // One byte; false at the end.
  bool ReadChar(char& c) {
    if (position_ >= buffer_.size()) return false;
    c = buffer_[position_++];
    return true;
  }
  // The next byte without consuming it; false at the end.
  bool PeekChar(char& c) const {
    if (position_ >= buffer_.size()) return false;
    c = buffer_[position_];
    return true;
  }
  // The bytes from Position to the end, valid until the next change.
  std::string_view Rest() const { return std::string_view(buffer_).substr(position_); }
  // Advances the position by `count` bytes, at most to the end.
  void Skip(size_t count) { position_ += std::min(count, buffer_.size() - position_); }
  // Moves the position by `offset` from the origin (kFromEnd counts back
  // from the end); the result is clamped to 0..Size.
  void Seek(int origin, int64_t offset);

  // Writes at Position; the content then ends where this write ended.
  // (Inline: every run of a parser's output is written with it.)
  void Write(const char* src, size_t count) {
    if (position_ != buffer_.size()) buffer_.resize(position_);
    buffer_.append(src, count);
    position_ += count;
  }
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  void WriteChar(char c) {
    buffer_.resize(position_);
    buffer_.push_back(c);
    ++position_;
  }
  // Moves the content out, leaving the stream empty.
  std::string TakeText() {
    position_ = 0;
    return std::exchange(buffer_, std::string());
  }
  // Makes `text` the content, positioned at its end.
  void SetText(std::string text) {
    buffer_ = std::move(text);
    position_ = buffer_.size();
  }
  // Makes `text` the content, positioned at its start.
  void Reset(std::string text) {
    buffer_ = std::move(text);
    position_ = 0;
  }
  // The same with a copy of `text`, kept in the buffer the stream has.
  void Assign(std::string_view text) {
    buffer_.assign(text);
    position_ = 0;
  }
  // Writes the buffer to the file, if any, then cuts the content at Position.
  bool Truncate();

  // Attaches a file: an existing one is opened with `mode` (sharing denies
  // nobody), a missing one is created empty. With `load` the whole file is
  // read into the buffer and the position set to 0. False, with the
  // system's reason in `error`, when the file can neither be opened nor
  // created, or cannot be read.
  bool Open(bool load, OpenMode mode, const std::string& name, std::string& error);
  // Seeks the file to 0, writes the first Position bytes of the buffer and
  // flushes the file. False on a write failure; true without a file.
  bool Flush();
  // Closes the current file, replaces any file named `name` by a new one
  // holding the whole buffer, and closes it. False when it cannot be
  // created or written.
  bool SaveAs(const std::string& name);

 private:
  std::string fileName_;
  std::unique_ptr<TFile> file_;
  bool writable_ = false;
  size_t position_ = 0;
  std::string buffer_;  // std::string grows geometrically
};

// The bytes from the stream's position to its end; the position is left at
// the end, so a second ReadAll gives the empty text. A stream without a file
// read from its start gives its text away instead of copying it.
std::string ReadAll(TBufStream& stream);

// A new stream without a file holding `text`, positioned at 0.
TBufStream StreamFromText(std::string text);

}  // namespace zeb
