#include "msgbase/squish_writer.h"

#include <algorithm>
#include <string_view>

#include "log/console.h"
#include "msgbase/base_update.h"
#include "msgbase/bytes.h"
#include "support/text.h"

namespace zeb {

namespace {

// Frame header fields.
constexpr size_t kFrameNext = 4;
constexpr size_t kFramePrev = 8;
constexpr size_t kFrameLength = 12;
constexpr size_t kFrameMsgLength = 16;
constexpr size_t kFrameControlLength = 20;

// Base header fields.
constexpr size_t kBaseLen = 0;
constexpr size_t kBaseNumMsg = 4;
constexpr size_t kBaseHighMsg = 8;
constexpr size_t kBaseUid = 20;
constexpr size_t kBaseName = 24;
constexpr size_t kBaseBeginFrame = 104;
constexpr size_t kBaseLastFrame = 108;
constexpr size_t kBaseEndFrame = 120;
constexpr size_t kBaseKeepDays = 128;
constexpr size_t kBaseFrameHeaderSize = 130;

// The message's UMSGID, inside the message header.
constexpr size_t kMsgUmsgid = kSquishFrameHeaderSize + 214;

constexpr uint32_t kSquishAttr = 0x000A0100;  // local (0x0100), UMSGID valid (0x00020000), 0x00080000

std::string NewBaseHeader(const std::string& path, int32_t keepDays) {
  std::string header(kSquishBaseHeaderSize, '\0');
  PutU16(header, kBaseLen, kSquishBaseHeaderSize);
  PutU32(header, kBaseUid, 1);
  PutText(header, kBaseName, 80, path);
  PutU32(header, kBaseEndFrame, kSquishBaseHeaderSize);
  PutU16(header, kBaseKeepDays, static_cast<uint16_t>(keepDays));
  PutU16(header, kBaseFrameHeaderSize, kSquishFrameHeaderSize);
  return header;
}

// The header limits that Squish readers check; a base outside them is not
// written to.
bool SaneBaseHeader(const std::string& h) {
  const uint32_t end = GetU32(h, kBaseEndFrame);
  return GetU16(h, kBaseLen) >= kSquishBaseHeaderSize && GetU16(h, kBaseLen) < 1024 &&
         GetU16(h, kBaseFrameHeaderSize) == kSquishFrameHeaderSize && GetU32(h, kBaseNumMsg) == GetU32(h, kBaseHighMsg) &&
         end >= kSquishBaseHeaderSize && GetU32(h, kBaseLastFrame) < end && GetU32(h, kBaseBeginFrame) < end;
}

void PutAddr(std::string& buf, size_t offset, const TNetAddr& addr) {
  PutU16(buf, offset, addr.Zone);
  PutU16(buf, offset + 2, addr.Net);
  PutU16(buf, offset + 4, addr.Node);
  PutU16(buf, offset + 6, addr.Point);
}

}  // namespace

uint32_t SquishHash(std::string_view name) {
  uint32_t h = 0;
  for (char c : name) {
    h = (h << 4) + static_cast<uint8_t>(LowerChar(c));
    const uint32_t g = h & 0xF0000000u;
    if (g != 0) {
      h |= g >> 24;
      h |= g;
    }
  }
  return h & 0x7FFFFFFFu;
}

void TSquishWriter::StartMessage(std::string& buf) {
  const size_t start = buf.size();
  std::string head(kSquishFrameHeaderSize + kSquishMsgHeaderSize, '\0');
  PutU32(head, 0, kSquishFrameId);
  const size_t m = kSquishFrameHeaderSize;
  PutU32(head, m + 0, kSquishAttr);
  PutText(head, m + 4, 36, report_.From.Name);
  PutText(head, m + 40, 36, report_.To.Name);
  PutText(head, m + 76, 72, report_.Subject);
  PutAddr(head, m + 148, report_.From.Addr);
  PutAddr(head, m + 156, report_.From.Addr);
  for (size_t date : {m + 164, m + 168}) {
    PutU16(head, date, DosDateWord(when_.Local));
    PutU16(head, date + 2, DosTimeWord(when_.Local));
  }
  PutText(head, m + 218, 20, FtsDate(when_.Local));
  buf += head;
  const size_t mark = buf.size();
  lines_.BareKludges = true;
  lines_.WriteMsgId(buf);
  lines_.WritePid(buf);
  lines_.WriteChrs(buf);
  lines_.WriteProgram(buf);
  PutU32(buf, start + kFrameControlLength, static_cast<uint32_t>(buf.size() - mark));
  started_ = start == 0;
  textStart_ = buf.size();
}

void TSquishWriter::FinishMessage(std::string& buf) {
  EndText(buf);
  lines_.WriteTearline(buf);
  lines_.WriteOrigin(buf);
  buf += '\0';
  if (!started_) return;
  PutU32(buf, kFrameLength, static_cast<uint32_t>(buf.size() - kSquishFrameHeaderSize));
  PutU32(buf, kFrameMsgLength, static_cast<uint32_t>(buf.size() - kSquishFrameHeaderSize));
}

bool TSquishWriter::Post(const std::string& buf) {
  const std::string dataName = report_.PostTo.Path + ".sqd";
  const std::string indexName = report_.PostTo.Path + ".sqi";
  if (!started_) {
    // No template text could be loaded, so the buffer holds no frame.
    AnnounceError(Format("Can't write to file %s", dataName.c_str()));
    return false;
  }
  bool created = false;
  auto data = OpenBaseFile(dataName, created);
  if (!data) return false;
  auto index = OpenBaseFile(indexName, created);
  if (!index || !LockBaseFile(*data, dataName)) return false;

  TBaseUpdate update;
  // The header is read only under the lock: another writer may just have
  // changed it.
  std::string header;
  bool ok = true;
  if (data->Size() == 0) {
    // A new base gets its empty header first: data that a crash left
    // without one would refuse every later message.
    header = NewBaseHeader(report_.PostTo.Path, report_.KeepDays);
    ok = update.Write(*data, dataName, 0, header);
  } else if (!update.Read(*data, dataName, 0, kSquishBaseHeaderSize, header)) {
    data->Unlock();
    return false;
  } else if (!SaneBaseHeader(header)) {
    AnnounceError(Format("Can't read file %s", dataName.c_str()));
    data->Unlock();
    return false;
  }

  const uint32_t frameAt = GetU32(header, kBaseEndFrame);
  const uint32_t lastFrame = GetU32(header, kBaseLastFrame);
  const uint32_t count = GetU32(header, kBaseNumMsg);
  const uint32_t umsgid = GetU32(header, kBaseUid);

  // Only the frame and message headers change: they get the links known
  // now, under the lock. The text is written from the report as it stands
  // (a copy would double the memory a large report needs).
  const size_t headSize = std::min(buf.size(), kSquishFrameHeaderSize + kSquishMsgHeaderSize);
  std::string head = buf.substr(0, headSize);
  PutU32(head, kFramePrev, lastFrame);
  PutU32(head, kMsgUmsgid, umsgid);
  const std::string_view text = std::string_view(buf).substr(headSize);

  std::string record;
  AppendU32(record, frameAt);
  AppendU32(record, umsgid);
  AppendU32(record, SquishHash(report_.To.Name));
  const int64_t recordAt = static_cast<int64_t>(count) * kSquishIndexRecordSize;
  const uint32_t endFrame = frameAt + static_cast<uint32_t>(buf.size());

  // The frame and its index record go first, where readers do not look:
  // past the end of the used data and past the records the header counts.
  // Tossers may leave blank records past the last message in the index.
  ok = ok && update.Write(*data, dataName, frameAt, head) &&
       update.Write(*data, dataName, frameAt + static_cast<int64_t>(headSize), text) &&
       update.Write(*index, indexName, recordAt, record) &&
       update.Resize(*index, indexName, recordAt + static_cast<int64_t>(kSquishIndexRecordSize));
  if (ok && lastFrame != 0) {
    std::string previous;
    ok = update.Read(*data, dataName, lastFrame, kSquishFrameHeaderSize, previous);
    if (ok && GetU32(previous, 0) != kSquishFrameId) {
      AnnounceError(Format("Can't read file %s", dataName.c_str()));
      ok = false;
    }
    // The link and the header that counts the message are two writes, so
    // some state lies between them. The used data is first made to take
    // the whole new frame, so that no link ever leads past its end; a kill
    // after the link then leaves one whole frame linked but not counted,
    // and the next append links the last counted frame to its own frame,
    // leaving that one as unused space.
    PutU32(header, kBaseEndFrame, endFrame);
    PutU32(previous, kFrameNext, frameAt);
    ok = ok && update.Write(*data, dataName, 0, header) && update.Write(*data, dataName, lastFrame, previous);
  }

  // The high-water mark stays: it is the echomail scanners' export mark.
  PutU32(header, kBaseNumMsg, count + 1);
  PutU32(header, kBaseHighMsg, GetU32(header, kBaseHighMsg) + 1);
  PutU32(header, kBaseUid, umsgid + 1);
  PutU32(header, kBaseLastFrame, frameAt);
  if (GetU32(header, kBaseBeginFrame) == 0) PutU32(header, kBaseBeginFrame, frameAt);
  PutU32(header, kBaseEndFrame, endFrame);
  ok = ok && update.Write(*data, dataName, 0, header);
  if (!ok) update.Undo();
  if (ok) storedNumber_ = count + 1;  // Squish numbers messages by position
  data->Unlock();
  return ok;
}

}  // namespace zeb
