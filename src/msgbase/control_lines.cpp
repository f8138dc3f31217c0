#include "msgbase/control_lines.h"

#include "support/text.h"

namespace zeb {

namespace {

constexpr char kKludgeMark = '\x01';
constexpr char kCr = '\r';

void Line(std::string& buf, const std::string& text) {
  buf += text;
  buf += kCr;
}

}  // namespace

uint32_t NextMsgIdSerial(uint32_t unixTime) {
  static uint32_t last = 0;
  static bool any = false;
  if (any && unixTime <= last) unixTime = last + 1;
  last = unixTime;
  any = true;
  return unixTime;
}

std::string MsgIdText(const TNetAddr& from, uint32_t serial) {
  return Format("%s %.8x", FormatNetAddr(from).c_str(), serial);
}

std::string PidText() { return Format("ZEB%s %s", kPidTag, kProgramVersion); }

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
