// The writer of one report message. A report parser calls it in three steps
// around its template run: StartMessage before the template text (header and
// leading control lines), FinishMessage after it (trailing lines, also after
// a template error), then Post to store the buffer at the destination. The
// buffer is the parser's own; the writer only appends to it and, for Squish,
// completes the frame at its start.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "config/records.h"
#include "msgbase/control_lines.h"
#include "msgbase/message_time.h"

namespace zeb {

class TMessageWriter {
 public:
  // `when` is the moment the message is stamped with; the MSGID serial is
  // taken from it here.
  TMessageWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials);
  virtual ~TMessageWriter() = default;
  TMessageWriter(const TMessageWriter&) = delete;
  TMessageWriter& operator=(const TMessageWriter&) = delete;

  virtual void StartMessage(std::string& buf);
  virtual void FinishMessage(std::string& buf);
  // Stores the message. Failures are logged with AnnounceError and give false.
  virtual bool Post(const std::string& buf) = 0;

  TControlLines& Lines() { return lines_; }
  // Where the message goes: the report's destination, or for the writers
  // that make a new file the name of that file (after Post, the one
  // written).
  const std::string& Destination() const { return destination_; }
  const TMessageTime& When() const { return when_; }
  // What Post made: the file written, or the base and the message's
  // number in it.
  std::string Made() const;
  // How many bytes storing `buf` writes as the message.
  virtual size_t StoredSize(const std::string& buf) const { return buf.size(); }
  // The message's text in `buf` as its reader sees it: from the template
  // text on, the trailing lines included, without the NUL bytes that end
  // it.
  std::string_view Text(const std::string& buf) const;

 protected:
  // Readies the template text, from textStart_ to the end of `buf`, for the
  // trailing lines: NUL bytes are dropped (readers of most formats take
  // one for the end of the text, and in a packet for the end of the
  // message), and a text whose last line has no line end gets a CR, so
  // that the tearline starts a line of its own.
  void EndText(std::string& buf) const;

  const TReport& report_;
  std::string destination_;
  TMessageTime when_;
  TControlLines lines_;
  // Where the template text starts in the message buffer; the writers that
  // write lines before it set it at the end of StartMessage.
  size_t textStart_ = 0;
  // The number of the message in its base, set by Post; 0 for the writers
  // that make a file.
  uint32_t storedNumber_ = 0;
};

// The writer for the report's destination kind.
std::unique_ptr<TMessageWriter> MakeMessageWriter(const TReport& report, const TMessageTime& when,
                                                  TMsgIdSerials& serials);

}  // namespace zeb
