// TTemplateParser: the streaming interpreter of "@" templates. It reads the
// template once, front to back, copies text to its own buffer (it is a
// TBufStream), looks every command name up in its command table and lets the
// command act on the input that follows. Report parsers and the log writer
// derive from it and register their functions with AddCommand.
//
// Output passes through a line-end filter (PutChar) steered by four switches
// and by SwallowLineEnd, which drops the line end right after a command
// whose result was empty.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "template/buf_stream.h"
#include "template/command.h"
#include "template/command_table.h"
#include "template/interpreter.h"

namespace zeb {

class TBlockCommand;

// Commands keep a pointer to their parser, so a parser is built in place
// (it is neither copied nor moved).
class TTemplateParser : public TBufStream, public TInterpreter {
 public:
  // Past this many open blocks, or nested evaluations (an alias that uses
  // itself), the run ends with "Nesting too deep\n\r".
  static constexpr int kMaxNesting = 1000;

  // The minimal parser: no template and no built-in statements; its owner
  // registers its own functions and expands texts with Evaluate.
  explicit TTemplateParser(bool caseSensitive);
  // The full parser: loads the template file (one that is missing or cannot
  // be opened or read leaves the parser without a template)
  // and registers the built-in statements and functions. Derived parsers
  // register their own functions afterwards, so a built-in name can never be
  // taken over.
  TTemplateParser(bool caseSensitive, const std::string& templateFileName);
  ~TTemplateParser() override;
  TTemplateParser(const TTemplateParser&) = delete;
  TTemplateParser& operator=(const TTemplateParser&) = delete;

  // Interprets the template from its current position to its end into this
  // parser's buffer (without a template it does nothing). Nothing rewinds
  // the template: a parser runs once. A parser that frames the output
  // overrides it and calls TTemplateParser::Run between its frame parts.
  virtual void Run();
  bool HasTemplate() const { return template_ != nullptr; }
  // Without a template: the system's reason why it could not be read.
  const std::string& TemplateError() const { return templateError_; }
  TBufStream* Template() const { return template_.get(); }

  // Runs the commands inside a text (output on or off as `enabled`) and
  // returns everything it produced; copied text and command results are
  // collected without the line-end filter. Stops only when the run is
  // stopped; a block statement in it is an error.
  std::string Evaluate(bool enabled, TBufStream& stream);
  std::string Evaluate(bool enabled, std::string_view text);
  // True when Evaluate would give `text` back unchanged: it holds no
  // command character and no NUL, and the run goes on.
  bool EvaluatesToItself(std::string_view text) const;

  // Registers a command under its GetName. False when the name is taken:
  // the offered command is then released and the existing one stays.
  bool AddCommand(std::unique_ptr<TTemplateCommand> command);
  // The command of that name under the table's case rule, or null.
  TTemplateCommand* FindCommand(std::string_view name) const;
  bool FindCommand(std::string_view name, size_t& index) const;
  // Takes the entry out and frees the command (once its running calls, if
  // any, have returned).
  void RemoveCommand(std::string_view name);
  const TCommandTable& Commands() const { return commands_; }

  void SetCommandChar(char c) { CommandChar = c; }
  char GetCommandChar() const { return CommandChar; }

  // The line-end filter, in this order: a CR right after an LF that LfToCr
  // turned into CR is dropped (the pair is one line end); LF becomes CR when
  // LfToCr is on; an
  // LF is dropped when SwallowLF is armed (disarming both) or when CrLf or Lf
  // is off; a CR is dropped when SwallowCR is armed (disarming it; otherwise
  // SwallowLF is disarmed) or when CrLf or Cr is off; any other character
  // disarms both. What passes is captured in capture mode, else written at
  // Position when Enabled and Active. Writers that frame the output with
  // bytes of their own use Write, which bypasses the filter.
  void PutChar(char c) final;
  // Runs without CR or LF pass whole: they only disarm the suppression.
  void PutChars(std::string_view text) final;
  void SwallowLineEnd() override {
    SwallowCR = true;
    SwallowLF = true;
  }
  bool IsStopped() const override { return Stopped; }
  void Abort() override { Stopped = true; }

  // A mistake of the template, noted where it stands: an error of the run
  // (the run's error count tells of it) or a warning.
  struct TProblem {
    bool Error = true;
    std::string Message;  // without a line end
    // The template position of the command character of the call that
    // stands in the template text; npos when no call was running.
    size_t At = std::string::npos;
  };
  // The problems in the order they were met.
  const std::vector<TProblem>& Problems() const { return problems_; }
  size_t ErrorCount() const;
  // Notes a problem at the call of the template text that runs now; a
  // problem met again at the same place (a loop's next pass) is noted once.
  void NoteProblem(bool error, std::string message) { NoteProblemAt(error, std::move(message), callAt_); }
  // The 1-based line and column of a template position.
  std::pair<int, int> LineAndColumn(size_t at) const;

  // @discard: ends the run, and the report stores nothing.
  void Discard();
  bool Discarded() const { return discarded_; }
  // Where the @discard stands (npos: no call of the template text).
  size_t DiscardedAt() const { return discardedAt_; }

  // How many block bodies are running.
  int BlockDepth() const { return blockDepth_; }

  const bool CaseSensitive;
  // Armed line-end suppression.
  bool SwallowCR = false;
  bool SwallowLF = false;
  // Line-end switches, set by the statements crlf, lf, cr and lf_to_cr.
  bool CrLf = true;
  bool Lf = true;
  bool Cr = true;
  bool LfToCr = false;
  // Carry the effect of end, else, break and errors to the running block.
  bool EndSeen = false;
  bool ElseSeen = false;
  bool BreakSeen = false;
  bool Stopped = false;
  // The message of the error that ended the run inside an evaluated text,
  // until the call that stands in the template has written it.
  std::string UnshownError;
  // The steps a run may take (command calls and block passes) before it
  // ends with "Template stopped after %d steps": a loop that never ends is
  // an error of its report, not a run that never ends. Without a limit set
  // there is none.
  static constexpr int64_t kNoStepLimit = INT64_MAX;
  void SetStepLimit(int64_t limit) { stepLimit_ = stepsLeft_ = limit; }
  int64_t StepsTaken() const { return stepLimit_ - stepsLeft_; }
  // Every so many bytes of text that a call produces or a pass copies cost
  // a step too, so that a value that doubles on every pass ends the run
  // before memory runs out.
  static constexpr size_t kBytesPerStep = 1024;

 protected:
  void PutErrorText(std::string_view text) override;
  void NoteError(std::string_view message) override { NoteRunError(message, {}); }

 private:
  friend class TBlockCommand;
  friend class TTemplateCommand;

  // Interprets `input` on behalf of `self`: the root's main loop when
  // `block` is null, else the body of that block statement.
  void RunBody(TInterpreter& self, TBufStream& input, const TBlockCommand* block);
  // The command called at the input's position (just past the command
  // character), or null for a name that is no command; `name` is the name
  // as written, `params` holds the parameter list (when the command takes
  // one) from its start. The input is left after the call.
  TTemplateCommand* ReadCall(TBufStream& input, std::string_view& name, TBufStream& params);
  // Copies text up to the next command character (consumed; true) or the
  // end of the input (false); NUL characters are dropped.
  bool CopyText(TInterpreter& self, TBufStream& input);
  // The command name after the command character (a view into the input);
  // false, with one character consumed and dropped, when no name character
  // follows.
  static bool ReadName(TBufStream& input, std::string_view& name);
  // The parameter list after a name, without its outer parentheses; empty
  // (and nothing consumed) when no "(" follows the blanks.
  // `open` tells what the input ended inside: NUL when the list was closed,
  // "(" for the list itself, a quote character for a quoted run in it.
  static std::string ReadParams(TBufStream& input, char& open);
  // Calls a command, keeping it alive until its call returns even when the
  // template removes it meanwhile.
  void CallCommand(TTemplateCommand& command, TInterpreter& caller, bool enabled, bool active,
                   TBufStream& params);
  std::string CaptureCommand(TTemplateCommand& command, TInterpreter& caller, bool enabled,
                             TBufStream& params);
  void ReleaseIfRetired(TTemplateCommand& command);
  void NoteProblemAt(bool error, std::string message, size_t at);
  // The error that ends the run, raised by the command named `raiser`
  // (empty: by the engine): the message names that command unless it
  // already does.
  void NoteRunError(std::string_view message, std::string_view raiser);
  // Counts steps against the limit; false, with the run ended, when not
  // enough are left. (Inline, one subtraction whose sign tells: every call
  // and copied text takes steps.)
  bool TakeSteps(int64_t count = 1) {
    if ((stepsLeft_ -= count) >= 0) [[likely]]
      return true;
    return StepLimitReached();
  }
  bool StepLimitReached();
  // The steps of a text a call produced or a pass copied: none for the
  // short texts of most calls.
  bool TakeTextSteps(size_t bytes) {
    return bytes < kBytesPerStep || TakeSteps(static_cast<int64_t>(bytes / kBytesPerStep));
  }

  // A call of the template as first read. The template's text does not
  // change while it runs and its loops pass the same calls for every node
  // and file, so each call is read and looked up once; it holds while the
  // command table is unchanged since.
  struct TTemplateCall {
    uint64_t TableGeneration = 0;
    TTemplateCommand* Command = nullptr;
    size_t NameLength = 0;
    size_t End = 0;  // the template position after the call
    std::string Params;
  };
  std::vector<TTemplateCall> templateCalls_;
  // By the template position just past the command character: 1 + the
  // index of the call read there, or 0.
  std::vector<uint32_t> templateCallAt_;

  std::unique_ptr<TBufStream> template_;
  std::string templateError_;
  TCommandTable commands_;
  std::vector<std::unique_ptr<TTemplateCommand>> retired_;
  int64_t stepLimit_ = kNoStepLimit;
  int64_t stepsLeft_ = kNoStepLimit;
  int blockDepth_ = 0;
  int evalDepth_ = 0;
  bool lfBecameCr_ = false;  // the last character was an LF written as CR
  // The template position of the command character of the innermost call
  // of the template text that runs now (npos: none). Kept as a position
  // alone: the line and column are counted only for a problem shown.
  size_t callAt_ = std::string::npos;
  std::vector<TProblem> problems_;
  bool discarded_ = false;
  size_t discardedAt_ = std::string::npos;
};

}  // namespace zeb
