#include "msgbase/jam_writer.h"

#include <array>

#include "log/console.h"
#include "msgbase/base_update.h"
#include "msgbase/bytes.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

// Base header fields.
constexpr size_t kBaseDateCreated = 4;
constexpr size_t kBaseModCounter = 8;
constexpr size_t kBaseActiveMsgs = 12;
constexpr size_t kBasePasswordCrc = 16;
constexpr size_t kBaseMsgNum = 20;

constexpr uint32_t kNoCrc = 0xFFFFFFFF;
constexpr uint32_t kDeletedRecord = 0xFFFFFFFF;  // header offset of a deleted message's index record
constexpr uint32_t kLocalEchomail = 0x01000001;

// Subfield kinds.
constexpr uint16_t kOrigAddress = 0;
constexpr uint16_t kDestAddress = 1;
constexpr uint16_t kSenderName = 2;
constexpr uint16_t kReceiverName = 3;
constexpr uint16_t kMsgId = 4;
constexpr uint16_t kSubject = 6;
constexpr uint16_t kPid = 7;
constexpr uint16_t kFtsKludge = 2000;

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  return table;
}

void AppendSubfield(std::string& buf, uint16_t id, const std::string& data) {
  AppendU16(buf, id);
  AppendU16(buf, 0);
  AppendU32(buf, static_cast<uint32_t>(data.size()));
  buf += data;
}

// A new base: no password, the first message numbered 1.
std::string NewBaseHeader(uint32_t now) {
  std::string header(kJamBaseHeaderSize, '\0');
  header.replace(0, 4, std::string("JAM\0", 4));
  PutU32(header, kBaseDateCreated, now);
  PutU32(header, kBasePasswordCrc, kNoCrc);
  PutU32(header, kBaseMsgNum, 1);
  return header;
}

// The index records that name a message.
uint32_t LiveIndexRecords(std::string_view index) {
  uint32_t live = 0;
  for (size_t at = 0; at + kJamIndexRecordSize <= index.size(); at += kJamIndexRecordSize)
    live += GetU32(index, at + 4) != kDeletedRecord;
  return live;
}

struct TJamFiles {
  std::string Base;
  std::unique_ptr<TFile> Header, Text, Index;
  std::string Name(const char* ext) const { return Base + "." + ext; }
};

// Opens the base, creating what is missing; the header file is locked and,
// when new, given its base header under the lock.
bool OpenJamBase(TJamFiles& f, uint32_t now) {
  bool created = false;
  f.Header = OpenBaseFile(f.Name("jhr"), created);
  if (!f.Header || !LockBaseFile(*f.Header, f.Name("jhr"))) return false;
  if (f.Header->Size() == 0) {
    const std::string header = NewBaseHeader(now);
    if (!(f.Header->Seek(0) && f.Header->Write(header.data(), header.size()))) {
      AnnounceError(Format("Can't write to file %s", f.Name("jhr").c_str()), f.Header->Error());
      // An empty header file is taken for a new base next time; a short one
      // would refuse every later message.
      if (f.Header->Seek(0)) f.Header->Truncate();
      return false;
    }
  }
  f.Text = OpenBaseFile(f.Name("jdt"), created);
  if (f.Text) f.Index = OpenBaseFile(f.Name("jdx"), created);
  if (!f.Index) return false;
  // Common JAM libraries take a base without its lastread file for a
  // missing one, and create it anew, empty, losing every message.
  return Disk().FileExists(f.Name("jlr")) || OpenBaseFile(f.Name("jlr"), created) != nullptr;
}

}  // namespace

uint32_t JamCrc(std::string_view text) {
  uint32_t crc = 0xFFFFFFFFu;
  for (char c : text) crc = CrcTable()[(crc ^ static_cast<uint8_t>(LowerChar(c))) & 0xFF] ^ (crc >> 8);
  return crc;
}

void TJamWriter::FinishMessage(std::string& buf) {
  EndText(buf);
  lines_.WriteTearline(buf);
  lines_.WriteOrigin(buf);
  finished_ = true;
}

std::string TJamWriter::Subfields() const {
  std::string out;
  AppendSubfield(out, kSenderName, report_.From.Name);
  AppendSubfield(out, kOrigAddress, FormatNetAddr(report_.From.Addr));
  AppendSubfield(out, kReceiverName, report_.To.Name);
  AppendSubfield(out, kDestAddress, FormatNetAddr(report_.To.Addr));
  AppendSubfield(out, kSubject, report_.Subject);
  AppendSubfield(out, kMsgId, MsgIdText(report_.From.Addr, lines_.Serial()));
  AppendSubfield(out, kPid, PidText());
  if (!report_.Charset.empty()) AppendSubfield(out, kFtsKludge, ChrsText(report_));
  if (report_.ShowLeftKludges) AppendSubfield(out, kFtsKludge, ProgramText());
  return out;
}

bool TJamWriter::Post(const std::string& buf) {
  TJamFiles f{report_.PostTo.Path, nullptr, nullptr, nullptr};
  if (!finished_) {
    AnnounceError(Format("Can't write to file %s", f.Name("jdt").c_str()));
    return false;
  }
  const bool opened = OpenJamBase(f, when_.Unix);
  bool ok = opened;
  TBaseUpdate update;
  std::string base;
  if (ok) ok = update.Read(*f.Header, f.Name("jhr"), 0, kJamBaseHeaderSize, base);
  if (ok && base.compare(0, 4, std::string("JAM\0", 4)) != 0) {
    AnnounceError(Format("Can't read file %s", f.Name("jhr").c_str()));
    ok = false;
  }
  if (ok) {
    const int64_t indexSize = f.Index->Size();
    const int64_t textAt = f.Text->Size();
    const int64_t headerAt = f.Header->Size();
    const uint32_t records = static_cast<uint32_t>(indexSize / kJamIndexRecordSize);

    const std::string subfields = Subfields();
    std::string header(kJamMsgHeaderSize, '\0');
    header.replace(0, 4, std::string("JAM\0", 4));
    PutU16(header, 4, 1);  // revision
    PutU32(header, 8, static_cast<uint32_t>(subfields.size()));
    PutU32(header, 16, JamCrc(MsgIdText(report_.From.Addr, lines_.Serial())));
    PutU32(header, 20, kNoCrc);  // no reply
    PutU32(header, 36, when_.Unix);
    PutU32(header, 40, when_.Unix);
    PutU32(header, 44, when_.Unix);
    // Numbers are positional: the base's first number plus the index position.
    PutU32(header, 48, GetU32(base, kBaseMsgNum) + records);
    PutU32(header, 52, kLocalEchomail);
    PutU32(header, 60, static_cast<uint32_t>(textAt));
    PutU32(header, 64, static_cast<uint32_t>(buf.size()));
    PutU32(header, 68, kNoCrc);  // no password

    std::string record;
    AppendU32(record, JamCrc(report_.To.Name));
    AppendU32(record, static_cast<uint32_t>(headerAt));

    // Other programs notice a changed base by its modification counter.
    PutU32(base, kBaseModCounter, GetU32(base, kBaseModCounter) + 1);
    // The active count is taken from the index rather than raised by one:
    // an append killed between its index record and the base header left
    // the count one short, and this mends it.
    std::string index;
    ok = update.Read(*f.Index, f.Name("jdx"), 0, static_cast<size_t>(records) * kJamIndexRecordSize, index);
    PutU32(base, kBaseActiveMsgs, LiveIndexRecords(index) + 1);

    ok = ok && update.Write(*f.Text, f.Name("jdt"), textAt, buf) &&
         update.Write(*f.Header, f.Name("jhr"), headerAt, header + subfields) &&
         update.Write(*f.Index, f.Name("jdx"), static_cast<int64_t>(records) * kJamIndexRecordSize, record) &&
         update.Write(*f.Header, f.Name("jhr"), 0, base);
    if (!ok) update.Undo();
    if (ok) storedNumber_ = GetU32(base, kBaseMsgNum) + records;
  }
  if (f.Header) f.Header->Unlock();
  return ok;
}

}  // namespace zeb
