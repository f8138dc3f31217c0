// Squish message bases: the report is appended as one frame to NAME.sqd and
// indexed in NAME.sqi; a missing base is created.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "msgbase/message_writer.h"

namespace zeb {

inline constexpr size_t kSquishBaseHeaderSize = 256;
inline constexpr size_t kSquishFrameHeaderSize = 28;
inline constexpr size_t kSquishMsgHeaderSize = 238;
inline constexpr size_t kSquishIndexRecordSize = 12;
inline constexpr uint32_t kSquishFrameId = 0xAFAE4453;

// The hash of a to-name that Squish keeps in its index (A to Z lowered).
uint32_t SquishHash(std::string_view name);

class TSquishWriter : public TMessageWriter {
 public:
  using TMessageWriter::TMessageWriter;

  // The frame header, the message header and the control area.
  void StartMessage(std::string& buf) override;
  // Tearline, origin and NUL; then the frame's lengths.
  void FinishMessage(std::string& buf) override;
  // Appends the frame under the base lock: the new frame at the end of the
  // used data and its index record; then the base header taking the frame
  // into the used data, and the previous frame's link to it; last the base
  // header that counts it. A kill at any point leaves a base that readers
  // accept (at worst one whole frame linked after the last counted one,
  // which the next append passes over). A failure puts back what was
  // written, so the base stays as it was.
  bool Post(const std::string& buf) override;

 private:
  bool started_ = false;
};

}  // namespace zeb
