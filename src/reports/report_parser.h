// TReportParser: one report's production. It loads the report's template,
// offers the report functions to it, frames its output as a message of the
// destination's kind (header and leading lines before the template text,
// trailing lines after it) and stores the message with Post. The calling
// order is: construct, Run, Post, destroy; or, where the text is made apart
// from storing it: construct, RenderText (on any thread), FrameText (in the
// production's order), Post, destroy.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "config/records.h"
#include "msgbase/message_writer.h"
#include "outbound/queue.h"
#include "reports/addr_mask.h"
#include "reports/sort_queue.h"
#include "support/utf8.h"
#include "template/parser.h"

namespace zeb {

// How a report's text functions measure and pad: in characters when its
// charset names UTF-8 (any case), otherwise in bytes.
TTextUnits TextUnitsOf(const TReport& report);

// What a production does with the reports it makes: store them; only tell
// how each went (--check); or tell it and show each text (--dry-run).
enum class TReportsMode : uint8_t { Post, Check, DryRun };

// What the reports of one production share: what is done with them, the
// MSGID serials and the turn of @about.
struct TReportProduction {
  explicit TReportProduction(std::string msgIdFile = {}, TReportsMode mode = TReportsMode::Post)
      : Mode(mode), Serials(std::move(msgIdFile)) {}

  const TReportsMode Mode;
  TMsgIdSerials Serials;
  bool AboutRule = false;  // the next @about gives the rule
  std::string Sysop;       // the system's sysop, for @sysop
};

class TReportParser : public TTemplateParser {
 public:
  // Loads the template (case-insensitive names), sets the line ends of FTN
  // text (CR alone: LF dropped, or, for a template without any CR, turned
  // into CR) and registers the report functions.
  // `mainAddress` completes the masks of @prepare.
  TReportParser(const TReport& report, const TQueue& queue, const TReportShare& share, const TNetAddr& mainAddress,
                TReportProduction& production, const std::string& templateFileName);

  // RenderText on the production's turn of @about, then FrameText.
  // Without a template nothing happens.
  void Run() override;
  // The template alone, into the parser's own buffer, its first @about
  // giving the rule when `aboutRule` is set. It reads the queue and the
  // configuration only and changes nothing that other reports share, so it
  // may run on any thread.
  void RenderText(bool aboutRule);
  // Whether the rendered text is the one the production's turn of @about
  // gives: the template called no @about, or began on that turn.
  bool RenderedInTurn() const;
  // Frames the rendered text as a message of the destination's kind (also
  // after an error ended the template run; not when the template discarded
  // the report) and moves the production's turn of @about past the
  // report's calls. Making the destination's writer
  // takes the report's MSGID serial and, for msg, netmail and pkt, names
  // the new file in the destination path.
  void FrameText();
  // Stores the message; every failure is logged and gives false. A report
  // without a template is skipped with a logged error and stores nothing.
  bool Post();
  // The error of a report whose template could not be read.
  void AnnounceMissingTemplate() const;
  // The bytes storing the framed message writes.
  size_t StoredSize() const;
  // What Post made (the file, or the base and the message's number).
  std::string Made() const;
  // The framed message's text as its reader sees it.
  std::string_view MessageText() const;

  // Where the message goes (after Post, the file written); empty without a
  // template.
  std::string Destination() const;

  // The current node of the walk (@nextnode), or null.
  TQueueNode* CurrentNode() const {
    if (walkMoved_) FindWalkPosition();
    return currentNode_;
  }
  // The current file of the current node (@nextfile), or null.
  const TQIStr* CurrentFile() const {
    if (walkMoved_) FindWalkPosition();
    return currentFile_;
  }
  // The walk's position: the index of the node among the report's (or the
  // prepared) nodes and of the file among the node's files.
  int32_t NodeIndex() const { return nodeIndex_; }
  int32_t FileIndex() const { return fileIndex_; }
  void SetNodeIndex(int32_t index) {
    nodeIndex_ = index;
    walkMoved_ = true;
  }
  void SetFileIndex(int32_t index) {
    fileIndex_ = index;
    walkMoved_ = true;
  }

  // The report's own address: its first domain's, else the main address.
  TNetAddr OwnAddress() const;

  const TReport& Report;
  // The whole queue, of which Share is the report's part.
  const TQueue& WholeQueue;
  const TReportShare& Share;
  const TNetAddr MainAddress;
  TReportProduction& Production;
  // Set by @prepare: the walk then goes over PreparedNodes instead of the
  // report's nodes.
  bool Prepared = false;
  std::unique_ptr<TAddrMaskList> PreparedNodes;

  // The text of @about at this call of the report's own turn.
  std::string NextAbout();

 private:
  // Finds the node and file at the walk's position; the functions read
  // them far more often than the walk moves.
  void FindWalkPosition() const;

  std::string templateFileName_;
  bool aboutStart_ = false;  // the turn the report's first @about was given
  bool aboutRule_ = false;   // the turn of its next @about
  uint64_t aboutCalls_ = 0;
  std::unique_ptr<TMessageWriter> writer_;
  int32_t nodeIndex_ = 0;
  int32_t fileIndex_ = 0;
  mutable bool walkMoved_ = true;  // the two below are still to be found
  mutable TQueueNode* currentNode_ = nullptr;
  mutable const TQIStr* currentFile_ = nullptr;
};

// The parser for the report's destination kind, or null for a kind that
// produces nothing.
std::unique_ptr<TReportParser> MakeReportParser(const TReport& report, const TQueue& queue,
                                                 const TReportShare& share, const TNetAddr& mainAddress,
                                                 TReportProduction& production);

}  // namespace zeb
