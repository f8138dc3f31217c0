// Outbound packets: one new FTS-0001 packet with the Type 2+ header per
// report, holding one echomail message.
#pragma once

#include <cstdint>
#include <string>

#include "msgbase/message_writer.h"

namespace zeb {

inline constexpr size_t kPacketHeaderSize = 58;

class TPktWriter : public TMessageWriter {
 public:
  // Names the packet after the message moment as a DOS date-time stamp
  // (eight hexadecimal digits) and replaces the report's destination path
  // with the packet's full name.
  TPktWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials);

  void StartMessage(std::string& buf) override;
  void FinishMessage(std::string& buf) override;
  // Creates the packet (with the next stamp value while the name is taken)
  // and writes the whole buffer to it.
  bool Post(const std::string& buf) override;

 private:
  std::string dir_;
  uint32_t stamp_;
};

}  // namespace zeb
