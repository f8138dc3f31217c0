#include "msgbase/msg_writer.h"

#include <vector>

#include "msgbase/bytes.h"
#include "msgbase/post_file.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

constexpr uint16_t kAttrPrivate = 0x0001;
constexpr uint16_t kAttrKillSent = 0x0080;
constexpr uint16_t kAttrLocal = 0x0100;

// The number a *.msg name stands for: its decimal digits before ".msg", or 0.
uint32_t MsgNumberOf(const std::string& name) {
  const std::string stem = name.substr(0, name.size() - 4);
  if (stem.empty() || stem.size() > 9) return 0;
  uint32_t value = 0;
  for (char c : stem) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

std::string MsgName(const std::string& dir, uint32_t number) { return Format("%s/%u.msg", dir.c_str(), number); }

}  // namespace

uint32_t NextMsgNumber(const std::string& dir, uint32_t lowest) {
  uint32_t number = lowest;
  std::vector<TDirEntry> entries;
  // A directory that cannot be read fails again when the message is made,
  // and is reported there.
  std::string unreported;
  Disk().FindFiles(dir, "*.msg", 0, entries, unreported);
  for (const TDirEntry& entry : entries) {
    const uint32_t value = MsgNumberOf(entry.Name);
    if (value >= number) number = value + 1;
  }
  return number;
}

TMsgWriter::TMsgWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials)
    : TMessageWriter(report, when, serials),
      dir_(report.PostTo.Path),
      number_(NextMsgNumber(dir_, report.PostTo.Kind == TPostKind::Msg ? 2 : 1)) {
  destination_ = MsgName(dir_, number_);
}

void TMsgWriter::StartMessage(std::string& buf) {
  const TNetAddr& from = report_.From.Addr;
  std::string header(kMsgHeaderSize, '\0');
  PutText(header, 0, 36, report_.From.Name);
  PutText(header, 36, 36, report_.To.Name);
  PutText(header, 72, 72, report_.Subject);
  PutText(header, 144, 20, FtsDate(when_.Local));
  PutU16(header, 164, 1);  // times read
  PutU16(header, 166, from.Node);
  PutU16(header, 168, from.Node);
  PutU16(header, 172, from.Net);
  PutU16(header, 174, from.Net);
  PutU16(header, 176, DosDateWord(when_.Local));
  PutU16(header, 178, DosTimeWord(when_.Local));
  // Tossers export only local messages from *.MSG echo areas.
  PutU16(header, 186, kAttrPrivate | kAttrLocal);
  BeforeHeader(header);
  buf += header;
  lines_.WriteMsgId(buf);
  lines_.WritePid(buf);
  lines_.WriteChrs(buf);
  AfterIdLines(buf);
  lines_.WriteProgram(buf);
  textStart_ = buf.size();
}

void TMsgWriter::FinishMessage(std::string& buf) {
  EndText(buf);
  lines_.WriteTearline(buf);
  lines_.WriteOrigin(buf);
  buf += '\0';
}

bool TMsgWriter::Post(const std::string& buf) {
  std::string path;
  const bool ok = PostToNewFile([this](uint32_t attempt) { return MsgName(dir_, number_ + attempt); }, buf, path);
  destination_ = path;
  return ok;
}

void TMsgWriter::BeforeHeader(std::string&) {}
void TMsgWriter::AfterIdLines(std::string&) {}

void TNetmailWriter::BeforeHeader(std::string& header) {
  PutU16(header, 166, report_.To.Addr.Node);
  PutU16(header, 174, report_.To.Addr.Net);
  PutU16(header, 186, kAttrPrivate | kAttrKillSent | kAttrLocal);
}

// The stored header has no zones and no points: INTL carries the zones (a
// netmail between zones would otherwise be routed within the sender's zone),
// TOPT and FMPT the points.
void TNetmailWriter::AfterIdLines(std::string& buf) {
  lines_.WriteIntl(buf);
  lines_.WriteTopt(buf);
  lines_.WriteFmpt(buf);
}

}  // namespace zeb
