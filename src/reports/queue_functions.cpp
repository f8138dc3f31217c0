#include "reports/queue_functions.h"

#include <memory>

#include "outbound/queue.h"
#include "platform/system.h"
#include "reports/node_age.h"
#include "reports/node_flags.h"
#include "reports/node_notes.h"
#include "reports/node_sizes.h"
#include "reports/prepare.h"
#include "reports/report_parser.h"
#include "support/program_identity.h"
#include "support/text.h"
#include "template/arguments.h"
#include "template/dates.h"

namespace zeb {

namespace {

// One call of a queue function: its parser, the command itself (for
// errors) and the parameter text, trimmed, evaluated and unquoted.
struct TQueueCall {
  TReportParser& Parser;
  TTemplateCommand& Self;
  std::string_view Arg;

  TQueueNode* Node() const { return Parser.CurrentNode(); }
};

using TQueueFn = std::string (*)(TQueueCall&);

class TQueueFunction : public TTemplateCommand {
 public:
  TQueueFunction(const char* name, bool hasParams, TReportParser& parser, TQueueFn fn)
      : TTemplateCommand(name, hasParams, hasParams), parser_(parser), fn_(fn) {}

  // Where output is off (a branch that is not taken, a loop body that does
  // not run) a queue function does nothing: the walks, @prepare and @about
  // keep their state, and a rejected argument ends nothing.
  std::string Invoke(TInterpreter&, TBufStream&) override {
    if (!Enabled || !Active) return {};
    TQueueCall call{parser_, *this, {}};
    return fn_(call);
  }
  std::string InvokeText(TInterpreter&, const std::string& text) override {
    if (!Enabled || !Active) return {};
    // A plain argument (the usual case) is used where it stands, uncopied.
    const std::string_view trimmed = TrimmedSpaces(text);
    std::string evaluated;
    std::string_view arg = trimmed;
    if (!Owner->EvaluatesToItself(trimmed) || (!trimmed.empty() && IsQuote(trimmed[0]))) {
      evaluated = ExpandQuotes(Owner->Evaluate(true, trimmed), CommandChar);
      if (IsStopped()) return {};
      arg = evaluated;
    }
    TQueueCall call{parser_, *this, arg};
    return fn_(call);
  }

 private:
  TReportParser& parser_;
  TQueueFn fn_;
};

std::string SumText(TQueueCall& call, bool bytes) {
  if (call.Arg.empty()) return "0";
  const auto sum = SumByType(call.Parser.Share, call.Node(), call.Arg, bytes);
  if (!sum) {
    call.Self.ReportError("Bad type of @%s parametr", {"Format"});
    return {};
  }
  return std::to_string(*sum);
}

std::string NextNode(TQueueCall& call) {
  TReportParser& p = call.Parser;
  const size_t count = p.Prepared ? (p.PreparedNodes ? p.PreparedNodes->Count() : 0)
                                  : (p.Share.ReportNodes ? p.Share.ReportNodes->size() : 0);
  if (p.NodeIndex() >= 0 && static_cast<size_t>(p.NodeIndex()) < count) p.SetNodeIndex(p.NodeIndex() + 1);
  return {};
}

std::string FileCount(TQueueCall& call) {
  const TQueueNode* node = call.Node();
  if (node == nullptr) return "0";
  call.Parser.SetFileIndex(0);
  return std::to_string(node->Items.Count());
}

std::string NextFile(TQueueCall& call) {
  const TQueueNode* node = call.Node();
  TReportParser& p = call.Parser;
  if (node != nullptr && p.FileIndex() >= 0 && static_cast<size_t>(p.FileIndex()) < node->Items.Count())
    p.SetFileIndex(p.FileIndex() + 1);
  return {};
}

std::string FileName(TQueueCall& call) {
  const TQIStr* file = call.Parser.CurrentFile();
  if (file == nullptr) return {};
  return std::string(file->Name.substr(file->Name.find_last_of('/') + 1));
}

struct TQueueFunctionDef {
  const char* Name;
  bool HasParams;
  TQueueFn Fn;
};

// The registration order.
const TQueueFunctionDef kQueueFunctions[] = {
    {"about", false, [](TQueueCall& c) { return c.Parser.NextAbout(); }},
    {"queue", false,
     [](TQueueCall& c) {
       const auto& nodes = c.Parser.Share.ReportNodes;
       return nodes ? std::to_string(nodes->size()) : std::string("0");
     }},
    {"prepare", true,
     [](TQueueCall& c) {
       std::optional<std::string> count = PrepareNodes(c.Parser, c.Arg);
       if (!count) c.Self.ReportError("Bad type of @%s parametr", {"Mask"});
       return count.value_or(std::string());
     }},
    {"node", false,
     [](TQueueCall& c) { return c.Node() ? FormatNetAddr(c.Node()->Addr) : std::string("0:0/0.0"); }},
    {"mailsize", true, [](TQueueCall& c) { return SumText(c, true); }},
    {"files", true, [](TQueueCall& c) { return SumText(c, false); }},
    {"percent", false,
     [](TQueueCall& c) {
       const TQueue& queue = c.Parser.WholeQueue;
       return PercentText(c.Node(), queue.NetmailSize + queue.EchomailSize + queue.FilesSize);
     }},
    {"nextnode", false, NextNode},
    {"old", false, [](TQueueCall& c) { return OldText(c.Node(), LocalUnixNow()); }},
    {"flags", false, [](TQueueCall& c) { return FlagsText(c.Node()); }},
    {"pflags", false, [](TQueueCall& c) { return PFlagsText(c.Node()); }},
    {"extflags", false,
     [](TQueueCall& c) { return c.Node() ? c.Node()->Flags : std::string(kFlagsLength, ' '); }},
    {"cdaytime", true, [](TQueueCall& c) { return CDayTimeText(c.Node(), LocalUnixNow(), c.Arg, TextUnitsOf(c.Parser.Report)); }},
    {"fdays", true, [](TQueueCall& c) { return FDaysText(c.Node(), LocalUnixNow(), c.Arg, TextUnitsOf(c.Parser.Report)); }},
    {"fromday", false, [](TQueueCall& c) { return FromDayText(c.Node(), LocalNow()); }},
    {"filecount", false, FileCount},
    {"fullfilename", false,
     [](TQueueCall& c) {
       const TQIStr* file = c.Parser.CurrentFile();
       return file ? std::string(file->Name) : std::string();
     }},
    {"filename", false, FileName},
    {"filesize", false,
     [](TQueueCall& c) {
       const TQIStr* file = c.Parser.CurrentFile();
       return file ? std::to_string(file->Size) : std::string("0");
     }},
    {"filedatetime", true,
     [](TQueueCall& c) {
       const TQIStr* file = c.Parser.CurrentFile();
       return file ? FormatDatePattern(c.Arg, UnixToDate(file->Stamp)) : std::string();
     }},
    {"nextfile", false, NextFile},
};

// Registered after every designed function of reports.
const TQueueFunctionDef kNodeNoteFunctions[] = {
    {"holduntil", true, [](TQueueCall& c) { return HoldUntilText(c.Node(), LocalUnixNow(), c.Arg); }},
    {"trycount", false, [](TQueueCall& c) { return TryCountText(c.Node()); }},
    {"trytext", false, [](TQueueCall& c) { return TryTextOf(c.Node()); }},
    {"address", false, [](TQueueCall& c) { return FormatNetAddr(c.Parser.OwnAddress()); }},
    {"sysop", false, [](TQueueCall& c) { return c.Parser.Production.Sysop; }},
    {"unixtime", false, [](TQueueCall&) { return std::to_string(UnixNow()); }},
    {"age", true,
     [](TQueueCall& c) {
       std::optional<std::string> age = AgeText(c.Node(), LocalUnixNow(), c.Arg);
       if (!age) c.Self.ReportError("Bad type of @%s parametr", {"Format"});
       return age.value_or(std::string());
     }},
    {"strays", false, [](TQueueCall& c) { return std::to_string(c.Parser.Share.Strays); }},
    {"scanerrors", false, [](TQueueCall& c) { return std::to_string(c.Parser.WholeQueue.Tally.ScanErrors); }},
};

template <size_t N>
void Register(TReportParser& parser, const TQueueFunctionDef (&defs)[N]) {
  for (const TQueueFunctionDef& def : defs) {
    parser.AddCommand(std::make_unique<TQueueFunction>(def.Name, def.HasParams, parser, def.Fn));
  }
}

}  // namespace

std::string NextAboutText(bool& rule) {
  std::string text = Format("%s %s V%s  by %s", kProgramTitle, kPlatformTag, kProgramVersion, kProgramAuthor);
  if (rule) text.assign(text.size(), '\xC4');
  rule = !rule;
  return text;
}

void RegisterQueueFunctions(TReportParser& parser) { Register(parser, kQueueFunctions); }

void RegisterNodeNoteFunctions(TReportParser& parser) { Register(parser, kNodeNoteFunctions); }

}  // namespace zeb
