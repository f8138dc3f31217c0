#include "msgbase/pkt_writer.h"

#include <algorithm>

#include "msgbase/bytes.h"
#include "msgbase/post_file.h"
#include "support/text.h"

namespace zeb {

namespace {

constexpr size_t kPackedHeaderSize = 34;

std::string PacketName(const std::string& dir, uint32_t stamp) { return Format("%s/%.8x.pkt", dir.c_str(), stamp); }

// A field of the packed message: at most `limit` characters, then NUL. A
// longer one would make the packet unreadable for tossers.
void AppendField(std::string& buf, const std::string& text, size_t limit) {
  buf.append(text, 0, limit);
  buf += '\0';
}

}  // namespace

TPktWriter::TPktWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials)
    : TMessageWriter(report, when, serials), dir_(report.PostTo.Path), stamp_(PackDosDateTime(when.Local)) {
  destination_ = PacketName(dir_, stamp_);
}

void TPktWriter::StartMessage(std::string& buf) {
  const TNetAddr& from = report_.From.Addr;
  const TNetAddr& to = report_.To.Addr;
  const TDateTime& t = when_.Local;
  std::string header(kPacketHeaderSize + kPackedHeaderSize, '\0');
  PutU16(header, 0, from.Node);
  PutU16(header, 2, to.Node);
  PutU16(header, 4, static_cast<uint16_t>(t.Year));
  PutU16(header, 6, static_cast<uint16_t>(t.Month - 1));
  PutU16(header, 8, static_cast<uint16_t>(t.Day));
  PutU16(header, 10, static_cast<uint16_t>(t.Hour));
  PutU16(header, 12, static_cast<uint16_t>(t.Minute));
  PutU16(header, 14, static_cast<uint16_t>(t.Second));
  PutU16(header, 18, 2);  // packet type
  PutU16(header, 20, from.Net);
  PutU16(header, 22, to.Net);
  header.replace(26, std::min<size_t>(report_.PostTo.Password.size(), 8), report_.PostTo.Password, 0, 8);
  PutU16(header, 34, from.Zone);
  PutU16(header, 36, to.Zone);
  PutU16(header, 40, 0x0100);  // capability word, byte-swapped copy
  PutU16(header, 44, 0x0001);  // capability word: Type 2+
  PutU16(header, 46, from.Zone);
  PutU16(header, 48, to.Zone);
  PutU16(header, 50, from.Point);
  PutU16(header, 52, to.Point);
  header.replace(54, 4, "ZEB3");

  const size_t m = kPacketHeaderSize;
  PutU16(header, m + 0, 2);  // message type
  PutU16(header, m + 2, from.Node);
  PutU16(header, m + 4, to.Node);
  PutU16(header, m + 6, from.Net);
  PutU16(header, m + 8, to.Net);
  PutText(header, m + 14, 20, FtsDate(t));
  buf += header;
  AppendField(buf, report_.To.Name, 35);
  AppendField(buf, report_.From.Name, 35);
  AppendField(buf, report_.Subject, 71);
  lines_.WriteArea(buf);
  lines_.WriteMsgId(buf);
  lines_.WritePid(buf);
  lines_.WriteChrs(buf);
  lines_.WriteProgram(buf);
  textStart_ = buf.size();
}

void TPktWriter::FinishMessage(std::string& buf) {
  EndText(buf);
  lines_.WriteTearline(buf);
  lines_.WriteOrigin(buf);
  lines_.WriteSeenBy(buf);
  lines_.WritePath(buf);
  // The end of the message text, then the end of the packet.
  buf.append(3, '\0');
}

bool TPktWriter::Post(const std::string& buf) {
  std::string path;
  const bool ok = PostToNewFile([this](uint32_t attempt) { return PacketName(dir_, stamp_ + attempt); }, buf, path);
  destination_ = path;
  return ok;
}

}  // namespace zeb
