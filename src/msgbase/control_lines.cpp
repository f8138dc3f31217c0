#include "msgbase/control_lines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>

#include "log/console.h"
#include "msgbase/base_update.h"
#include "platform/disk.h"
#include "support/program_identity.h"
#include "support/text.h"

namespace zeb {

namespace {

constexpr char kKludgeMark = '\x01';
constexpr char kCr = '\r';

void Line(std::string& buf, const std::string& text) {
  buf += text;
  buf += kCr;
}

// Raises `serial` above the one stored in the MSGID file and stores it
// there. A file that is missing or does not hold a serial is written anew.
// False, with the failure logged, when the file cannot be used.
bool StoreSerial(const std::string& path, uint32_t& serial) {
  bool created = false;
  std::unique_ptr<TFile> file = OpenBaseFile(path, created);
  if (!file) return false;
  if (!LockBaseFile(*file, path)) {
    file->Close();
    return false;
  }
  char stored[8];
  size_t got = 0;
  uint32_t last = 0;
  if (file->Seek(0) && file->Read(stored, sizeof stored, got) && got == sizeof stored &&
      std::from_chars(stored, stored + sizeof stored, last, 16).ptr == stored + sizeof stored && last != UINT32_MAX)
    serial = std::max(serial, last + 1);
  const std::string line = Format("%.8x\n", serial);
  const bool written = file->Seek(0) && file->Write(line.data(), line.size()) && file->Truncate() && file->Flush();
  file->Unlock();
  if (!(file->Close() && written)) {
    AnnounceError(Format("Can't write to file %s", path.c_str()), file->Error());
    return false;
  }
  return true;
}

}  // namespace

uint32_t TMsgIdSerials::Next(uint32_t unixTime) {
  uint32_t serial = any_ && unixTime <= last_ ? last_ + 1 : unixTime;
  if (!file_.empty() && !fileFailed_) fileFailed_ = !StoreSerial(file_, serial);
  last_ = serial;
  any_ = true;
  return serial;
}

std::string MsgIdText(const TNetAddr& from, uint32_t serial) {
  return Format("%s %.8x", FormatNetAddr(from).c_str(), serial);
}

std::string PidText() { return Format("%s%s %s", kProgramTag, kPidTag, kProgramVersion); }

std::string ChrsText(const TReport& report) { return "CHRS: " + report.Charset; }

std::string ProgramText() { return Format("Program: %s %s  V %s", kProgramTitle, kPlatformTag, kProgramVersion); }

void TControlLines::Kludge(std::string& buf, const std::string& text) const {
  buf += kKludgeMark;
  buf += text;
  if (!BareKludges) buf += kCr;
}

void TControlLines::WriteMsgId(std::string& buf) const {
  Kludge(buf, "MSGID: " + MsgIdText(report_.From.Addr, serial_));
}

void TControlLines::WritePid(std::string& buf) const { Kludge(buf, "PID: " + PidText()); }

void TControlLines::WriteChrs(std::string& buf) const {
  if (!report_.Charset.empty()) Kludge(buf, ChrsText(report_));
}

void TControlLines::WriteFmpt(std::string& buf) const {
  if (report_.From.Addr.Point != 0) Kludge(buf, Format("FMPT %d", report_.From.Addr.Point));
}

void TControlLines::WriteTopt(std::string& buf) const {
  if (report_.To.Addr.Point != 0) Kludge(buf, Format("TOPT %d", report_.To.Addr.Point));
}

void TControlLines::WriteIntl(std::string& buf) const {
  const TNetAddr& to = report_.To.Addr;
  const TNetAddr& from = report_.From.Addr;
  Kludge(buf, Format("INTL: %d:%d/%d %d:%d/%d", to.Zone, to.Net, to.Node, from.Zone, from.Net, from.Node));
}

void TControlLines::WriteProgram(std::string& buf) const {
  if (report_.ShowLeftKludges) Kludge(buf, ProgramText());
}

void TControlLines::WriteArea(std::string& buf) const { Line(buf, "AREA:" + report_.PostTo.Area); }

void TControlLines::WriteTearline(std::string& buf) const { Line(buf, "--- " + report_.Tearline); }

void TControlLines::WriteOrigin(std::string& buf) const {
  Line(buf, Format(" * Origin: %s (%s)", report_.Origin.c_str(), FormatNetAddr(report_.From.Addr).c_str()));
}

void TControlLines::WriteSeenBy(std::string& buf) const {
  const TNetAddr& from = report_.From.Addr;
  if (from.Point != 0) Line(buf, Format("SEEN-BY: %d/%d", from.Net, from.Node));
}

void TControlLines::WritePath(std::string& buf) const {
  const TNetAddr& from = report_.From.Addr;
  if (from.Point != 0) Kludge(buf, Format("PATH: %d/%d", from.Net, from.Node));
}

}  // namespace zeb
