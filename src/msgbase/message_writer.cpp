#include "msgbase/message_writer.h"

#include "msgbase/file_writer.h"
#include "msgbase/jam_writer.h"
#include "msgbase/msg_writer.h"
#include "msgbase/pkt_writer.h"
#include "msgbase/post_file.h"
#include "msgbase/squish_writer.h"

namespace zeb {

TMessageWriter::TMessageWriter(TReport& report, const TMessageTime& when)
    : report_(report), when_(when), lines_(report, NextMsgIdSerial(when.Unix)) {}

void TMessageWriter::StartMessage(std::string&) {}
void TMessageWriter::FinishMessage(std::string&) {}

bool TFileWriter::Post(const std::string& buf) { return PostToFile(report_.PostTo.Path, buf); }

std::unique_ptr<TMessageWriter> MakeMessageWriter(TReport& report, const TMessageTime& when) {
  switch (report.PostTo.Kind) {
    case TPostKind::Jam: return std::make_unique<TJamWriter>(report, when);
    case TPostKind::Squish: return std::make_unique<TSquishWriter>(report, when);
    case TPostKind::File: return std::make_unique<TFileWriter>(report, when);
    case TPostKind::Msg: return std::make_unique<TMsgWriter>(report, when);
    case TPostKind::Pkt: return std::make_unique<TPktWriter>(report, when);
    case TPostKind::Netmail: return std::make_unique<TNetmailWriter>(report, when);
  }
  return nullptr;
}

}  // namespace zeb
