// The lines a report message gets around the template text: the control
// lines (kludges) MSGID, PID, CHRS, FMPT, TOPT, INTL, Program and PATH, and
// the AREA, tearline, origin and SEEN-BY lines.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "config/records.h"

namespace zeb {

// The MSGID serials one production of reports hands out.
class TMsgIdSerials {
 public:
  // `file` is the MSGID file: 8 hexadecimal digits and a line end. Empty:
  // none.
  explicit TMsgIdSerials(std::string file = {}) : file_(std::move(file)) {}

  // The MSGID serial of a message made at `unixTime`: that time, or one
  // more than the last serial handed out when that is larger, so that two
  // messages never share a MSGID (dupe checkers would drop the second one).
  // The last serial is kept in the MSGID file, under the base lock, for
  // every run and process that uses it; without that file (none set, or one
  // that could not be used: one error is logged per production) it is the
  // last one handed out here.
  uint32_t Next(uint32_t unixTime);

 private:
  std::string file_;
  bool fileFailed_ = false;
  uint32_t last_ = 0;
  bool any_ = false;
};

// The data of the MSGID line: "zone:net/node[.point] serial".
std::string MsgIdText(const TNetAddr& from, uint32_t serial);
// The data of the PID line: "ZEB-W 3.05".
std::string PidText();
// The Program line without its control mark.
std::string ProgramText();
// The CHRS line without its control mark: "CHRS: " and the report's
// charset value.
std::string ChrsText(const TReport& report);

// Writes the lines of one report into a message buffer, at its end.
class TControlLines {
 public:
  TControlLines(const TReport& report, uint32_t serial) : report_(report), serial_(serial) {}

  uint32_t Serial() const { return serial_; }

  // While true, the control lines are written without their final CR (the
  // Squish control area); AREA, tearline, origin and SEEN-BY keep theirs.
  bool BareKludges = false;

  void WriteMsgId(std::string& buf) const;
  void WritePid(std::string& buf) const;
  void WriteChrs(std::string& buf) const;  // only when the report names a charset
  void WriteFmpt(std::string& buf) const;  // only when the from-address is a point
  void WriteTopt(std::string& buf) const;  // only when the to-address is a point
  void WriteIntl(std::string& buf) const;
  void WriteProgram(std::string& buf) const;  // only with showleftkludges on
  void WriteArea(std::string& buf) const;
  void WriteTearline(std::string& buf) const;
  void WriteOrigin(std::string& buf) const;
  void WriteSeenBy(std::string& buf) const;  // only when the from-address is a point
  void WritePath(std::string& buf) const;    // only when the from-address is a point

 private:
  void Kludge(std::string& buf, const std::string& text) const;

  const TReport& report_;
  uint32_t serial_;
};

}  // namespace zeb
