// TReportParser: one report's production. It loads the report's template,
// offers the report functions to it, frames its output as a message of the
// destination's kind (header and leading lines before the template text,
// trailing lines after it) and stores the message with Post. The calling
// order is always: construct, Run, Post, destroy.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

// What the reports of one production share: the MSGID serials and the
// turn of @about.
struct TReportProduction {
  explicit TReportProduction(std::string msgIdFile = {}) : Serials(std::move(msgIdFile)) {}

  TMsgIdSerials Serials;
  bool AboutRule = false;  // the next @about gives the rule
};

class TReportParser : public TTemplateParser {
 public:
  // Loads the template (case-insensitive names), sets the line ends of FTN text (CR alone: LF dropped, or, for a template
  // without any CR, turned into CR), registers the report functions and
  // makes the destination's writer when there is a template (for msg,
  // netmail and pkt this names the new file in the report's destination
  // path).
  // `mainAddress` completes the masks of @prepare.
  TReportParser(const TReport& report, const TQueue& queue, const TReportShare& share, const TNetAddr& mainAddress,
                TReportProduction& production, const std::string& templateFileName);

  // StartMessage, the template, FinishMessage — the last also after an
  // error ended the template run. Without a template nothing happens.
  void Run() override;
  // Stores the message; every failure is logged. A report without a
  // template is skipped with a logged error and stores nothing.
  void Post();

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

 private:
  // Finds the node and file at the walk's position; the functions read
  // them far more often than the walk moves.
  void FindWalkPosition() const;
  void StartMessage();
  void FinishMessage();

  std::string templateFileName_;
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
