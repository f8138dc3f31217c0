#include "reports/report_parser.h"

#include "log/console.h"
#include "msgbase/message_time.h"
#include "reports/drive_functions.h"
#include "reports/queue_functions.h"
#include "reports/text_functions.h"
#include "support/text.h"

namespace zeb {

TTextUnits TextUnitsOf(const TReport& report) {
  const std::string_view charset = report.Charset;
  return TTextUnits(SameText(charset.substr(0, charset.find_first_of(" \t")), "UTF-8"));
}

TReportParser::TReportParser(const TReport& report, const TQueue& queue, const TReportShare& share,
                             const TNetAddr& mainAddress, TReportProduction& production,
                             const std::string& templateFileName)
    : TTemplateParser(false, templateFileName),
      Report(report),
      WholeQueue(queue),
      Share(share),
      MainAddress(mainAddress),
      Production(production),
      templateFileName_(templateFileName) {
  SetStepLimit(report.MaxSteps);
  CrLf = true;
  Cr = true;
  Lf = false;
  // A template saved with LF line ends would otherwise lose every line
  // break; it gets the CR line ends of FTN text instead.
  if (HasTemplate() && Template()->Text().find('\r') == std::string_view::npos) LfToCr = true;
  RegisterTextFunctions(*this, TextUnitsOf(Report));
  RegisterQueueFunctions(*this);
  RegisterDriveFunctions(*this);
  RegisterNodeNoteFunctions(*this);
}

void TReportParser::Run() {
  RenderText(Production.AboutRule);
  FrameText();
}

void TReportParser::RenderText(bool aboutRule) {
  aboutStart_ = aboutRule_ = aboutRule;
  TTemplateParser::Run();
}

bool TReportParser::RenderedInTurn() const { return aboutCalls_ == 0 || aboutStart_ == Production.AboutRule; }

// Without a template nothing is stored: no file is named and no MSGID
// serial taken.
void TReportParser::FrameText() {
  if (!HasTemplate()) return;
  if (aboutCalls_ % 2 == 1) Production.AboutRule = !Production.AboutRule;
  if (Discarded()) return;
  writer_ = MakeMessageWriter(Report, MessageTimeNow(), Production.Serials);
  std::string head;
  writer_->StartMessage(head);
  // The text gets its head in place, and the writer the whole message: it
  // may complete the frame at its start (the Squish lengths).
  std::string message = TakeText();
  message.insert(0, head);
  writer_->FinishMessage(message);
  SetText(std::move(message));
}

std::string TReportParser::NextAbout() {
  ++aboutCalls_;
  return NextAboutText(aboutRule_);
}

bool TReportParser::Post() {
  if (!HasTemplate()) {
    AnnounceMissingTemplate();
    return false;
  }
  return writer_->Post(Contents());
}

void TReportParser::AnnounceMissingTemplate() const {
  AnnounceError(Format("Can't open template %s", templateFileName_.c_str()), TemplateError());
}

size_t TReportParser::StoredSize() const { return writer_ ? writer_->StoredSize(Contents()) : 0; }

std::string TReportParser::Made() const { return writer_ ? writer_->Made() : std::string(); }

std::string_view TReportParser::MessageText() const { return writer_ ? writer_->Text(Contents()) : std::string_view(); }

std::string TReportParser::Destination() const { return writer_ ? writer_->Destination() : std::string(); }

TNetAddr TReportParser::OwnAddress() const {
  const TDomain* domain = Report.FirstDomain;
  return domain != nullptr && domain->Aka.Zone != 0 ? domain->Aka : MainAddress;
}

void TReportParser::FindWalkPosition() const {
  walkMoved_ = false;
  currentNode_ = nullptr;
  currentFile_ = nullptr;
  if (nodeIndex_ < 0) return;
  const size_t index = static_cast<size_t>(nodeIndex_);
  if (Prepared) {
    if (PreparedNodes && index < PreparedNodes->Count()) currentNode_ = &(*PreparedNodes)[index];
  } else if (Share.ReportNodes && index < Share.ReportNodes->size()) {
    currentNode_ = (*Share.ReportNodes)[index];
  }
  if (currentNode_ != nullptr && fileIndex_ >= 0 && static_cast<size_t>(fileIndex_) < currentNode_->Items.Count())
    currentFile_ = &currentNode_->Items[static_cast<size_t>(fileIndex_)];
}

std::unique_ptr<TReportParser> MakeReportParser(const TReport& report, const TQueue& queue,
                                                 const TReportShare& share, const TNetAddr& mainAddress,
                                                 TReportProduction& production) {
  if (static_cast<uint8_t>(report.PostTo.Kind) > static_cast<uint8_t>(TPostKind::Netmail)) return nullptr;
  return std::make_unique<TReportParser>(report, queue, share, mainAddress, production, report.Template);
}

}  // namespace zeb
