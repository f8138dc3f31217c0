#include "msgbase/message_writer.h"

#include <algorithm>
#include <string_view>

#include "msgbase/file_writer.h"
#include "msgbase/jam_writer.h"
#include "msgbase/msg_writer.h"
#include "msgbase/pkt_writer.h"
#include "msgbase/post_file.h"
#include "msgbase/squish_writer.h"
#include "support/text.h"

namespace zeb {

// A file report carries no MSGID and takes no serial.
TMessageWriter::TMessageWriter(const TReport& report, const TMessageTime& when, TMsgIdSerials& serials)
    : report_(report),
      destination_(report.PostTo.Path),
      when_(when),
      lines_(report, report.PostTo.Kind == TPostKind::File ? 0 : serials.Next(when.Unix)) {}

void TMessageWriter::StartMessage(std::string&) {}
void TMessageWriter::FinishMessage(std::string&) {}

void TMessageWriter::EndText(std::string& buf) const {
  const size_t start = std::min(textStart_, buf.size());
  buf.erase(std::remove(buf.begin() + static_cast<std::ptrdiff_t>(start), buf.end(), '\0'), buf.end());
  std::string_view text = std::string_view(buf).substr(start);
  // With LF switched on, lines end in CR LF.
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (!text.empty() && !text.ends_with('\r')) buf += '\r';
}

std::string TMessageWriter::Made() const {
  return storedNumber_ == 0 ? destination_ : Format("%s message %u", destination_.c_str(), storedNumber_);
}

std::string_view TMessageWriter::Text(const std::string& buf) const {
  std::string_view text = std::string_view(buf).substr(std::min(textStart_, buf.size()));
  while (text.ends_with('\0')) text.remove_suffix(1);
  return text;
}

bool TFileWriter::Post(const std::string& buf) { return PostToFile(report_.PostTo.Path, buf); }

size_t TFileWriter::StoredSize(const std::string& buf) const { return LfLineEndsSize(buf); }

std::unique_ptr<TMessageWriter> MakeMessageWriter(const TReport& report, const TMessageTime& when,
                                                  TMsgIdSerials& serials) {
  switch (report.PostTo.Kind) {
    case TPostKind::Jam: return std::make_unique<TJamWriter>(report, when, serials);
    case TPostKind::Squish: return std::make_unique<TSquishWriter>(report, when, serials);
    case TPostKind::File: return std::make_unique<TFileWriter>(report, when, serials);
    case TPostKind::Msg: return std::make_unique<TMsgWriter>(report, when, serials);
    case TPostKind::Pkt: return std::make_unique<TPktWriter>(report, when, serials);
    case TPostKind::Netmail: return std::make_unique<TNetmailWriter>(report, when, serials);
  }
  return nullptr;
}

}  // namespace zeb
