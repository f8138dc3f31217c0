// *.MSG directories: one new numbered file per report, a 190-byte stored
// message header followed by the NUL-terminated text. "msg" writes an
// echomail-style message, "netmail" one addressed to the to-address.
#pragma once

#include <cstdint>
#include <string>

#include "msgbase/message_writer.h"

namespace zeb {

inline constexpr size_t kMsgHeaderSize = 190;

// One more than the highest number of the *.msg files in `dir`, at least
// `lowest` (names that are not numbers count as 0).
uint32_t NextMsgNumber(const std::string& dir, uint32_t lowest = 1);

class TMsgWriter : public TMessageWriter {
 public:
  // Chooses the message number and replaces the report's destination path
  // with the full name of the new file. An empty echomail area starts at 2:
  // tossers of *.MSG areas keep their high-water mark in 1.msg and would
  // never export a report stored there.
  TMsgWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials);

  void StartMessage(std::string& buf) override;
  void FinishMessage(std::string& buf) override;
  // Creates the numbered file (the next free number when another writer took
  // it meanwhile) and writes the whole buffer to it.
  bool Post(const std::string& buf) override;

 protected:
  // Hooks of the netmail kind: header fields, and lines after MSGID and PID.
  virtual void BeforeHeader(std::string& header);
  virtual void AfterIdLines(std::string& buf);

 private:
  std::string dir_;
  uint32_t number_;
};

class TNetmailWriter : public TMsgWriter {
 public:
  using TMsgWriter::TMsgWriter;

 protected:
  void BeforeHeader(std::string& header) override;
  void AfterIdLines(std::string& buf) override;
};

}  // namespace zeb
