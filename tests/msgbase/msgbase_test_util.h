// Shared pieces of the message writer tests: a fixed report and moment, the
// three steps of a report parser around a template text, and little-endian
// reading of the bytes the writers leave on the (fake) disk.
#pragma once

#include <cstdint>
#include <string>

#include "config/records.h"
#include "fake_disk.h"
#include "log/log_queue.h"
#include "msgbase/message_writer.h"

namespace zeb::test {

inline uint16_t U16(const std::string& s, size_t off) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s.at(off)) | static_cast<uint8_t>(s.at(off + 1)) << 8);
}

inline uint32_t U32(const std::string& s, size_t off) {
  return static_cast<uint32_t>(U16(s, off)) | static_cast<uint32_t>(U16(s, off + 2)) << 16;
}

inline std::string Le32(uint32_t v) {
  std::string s;
  for (int k = 0; k < 4; ++k) s += static_cast<char>(v >> (8 * k));
  return s;
}

// Writes a little-endian value into test data built by hand.
inline void Set32(std::string& s, size_t off, uint32_t v) { s.replace(off, 4, Le32(v)); }

// The text of a fixed field: its bytes up to the first NUL.
inline std::string Field(const std::string& s, size_t off, size_t size) {
  const std::string f = s.substr(off, size);
  return f.substr(0, f.find('\0'));
}

// 2012-04-19 19:51:02: DOS date word 0x4093, time word 0x9E61, Unix 0x4F906CA6.
inline TMessageTime SampleTime() {
  TDateTime dt;
  dt.Year = 2012;
  dt.Month = 4;
  dt.Day = 19;
  dt.Hour = 19;
  dt.Minute = 51;
  dt.Second = 2;
  dt.Millisecond = 345;
  return MessageTime(dt);
}

inline TReport SampleReport(TPostKind kind, const std::string& path) {
  TReport r;
  r.PostTo.Kind = kind;
  r.PostTo.Path = path;
  r.From.Name = "Zebrant";
  r.From.Addr = {0, 9999, 5020, 2};
  r.To.Name = "All";
  r.To.Addr = {0, 9999, 5020, 2};
  r.Subject = "Queue Report";
  r.Tearline = "zeb";
  r.Origin = "Example Node";
  return r;
}

// What a report parser does around its template run.
inline std::string Produce(TMessageWriter& writer, const std::string& text) {
  std::string buf;
  writer.StartMessage(buf);
  buf += text;
  writer.FinishMessage(buf);
  return buf;
}

// The serials the messages of the writer tests take, one production as
// long as the tests run, so that no two of them share a MSGID.
inline TMsgIdSerials& TestSerials() {
  static TMsgIdSerials serials;
  return serials;
}

// Produces and posts one message; its MSGID serial goes to `serial`.
inline bool PostReport(const TReport& report, const std::string& text, uint32_t* serial = nullptr,
                       const TMessageTime& when = SampleTime()) {
  auto writer = MakeMessageWriter(report, when, TestSerials());
  if (serial) *serial = writer->Lines().Serial();
  return writer->Post(Produce(*writer, text));
}

// The newest queued log lines, `lines` of them joined by line ends (a
// failure's message and its reason); the queue is emptied so the next call
// sees only newer lines.
inline std::string LastLog(size_t lines = 1) {
  TLogRecs records = TakeLogRecords();
  std::string text;
  for (size_t i = records.size() > lines ? records.size() - lines : 0; i < records.size(); ++i)
    text += (text.empty() ? "" : "\n") + records[i]->Text;
  return text;
}

}  // namespace zeb::test
