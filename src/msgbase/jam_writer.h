// JAM message bases: the report is appended as one local echomail message to
// NAME.jdt (text), NAME.jhr (header and subfields) and NAME.jdx (index); a
// missing base is created, with an empty NAME.jlr.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "msgbase/message_writer.h"

namespace zeb {

inline constexpr size_t kJamBaseHeaderSize = 1024;
inline constexpr size_t kJamMsgHeaderSize = 76;
inline constexpr size_t kJamIndexRecordSize = 8;

// CRC-32 (reflected 0xEDB88320, start 0xFFFFFFFF, no final inversion) of the
// text with A to Z lowered, as JAM keeps it for names and MSGIDs.
uint32_t JamCrc(std::string_view text);

class TJamWriter : public TMessageWriter {
 public:
  using TMessageWriter::TMessageWriter;

  // The message text carries no control lines: they go into subfields.
  void FinishMessage(std::string& buf) override;
  // Appends under the base lock, in the order text, header with subfields,
  // index record, base header, whose active count is set to the live
  // records of the index. A kill before the base header leaves the count
  // one short (readers number messages by the index) and the next append
  // mends it. A failure puts back what was written, so the base stays as it
  // was. Without FinishMessage (no template text could be loaded) nothing is
  // stored.
  bool Post(const std::string& buf) override;

  // The subfields of the message, in their order.
  std::string Subfields() const;

 private:
  bool finished_ = false;
};

}  // namespace zeb
