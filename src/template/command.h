// TTemplateCommand: everything a template can call — statements, named
// values, aliases and the functions other units add — is one of these,
// registered under its name in a parser's command table.
//
// Calling convention. When the interpreter meets @name it reads the
// parameter list (only when HasParams is set) and calls
// Execute(caller, enabled, active, params) with the caller's output flags.
// The default Execute sets Enabled and Active, asks InvokeText (RawParams
// set: the whole parameter text) or Invoke (the parameter stream) for the
// result, and writes it (PutText) — or, when it is empty, swallows the line
// end that follows. A function therefore only computes and returns its
// text; to get argument values it uses TrimSpaces, FindSeparator or a plain
// comma search, Owner->Evaluate and ExpandQuotes, and checks numbers with
// ClassifyNumber and TextToInt. To reject an argument it calls ReportError,
// and where output is off (Enabled or Active clear) a function with an
// effect does nothing at all.
//
// A function of another unit, for example:
//
//   class TLenFunction : public TTemplateCommand {
//    public:
//     TLenFunction() : TTemplateCommand("len", /*hasParams=*/true, /*rawParams=*/true) {}
//     std::string InvokeText(TInterpreter&, const std::string& text) override {
//       const std::string value = ExpandQuotes(Owner->Evaluate(true, TrimmedSpaces(text)), CommandChar);
//       return std::to_string(value.size());
//     }
//   };
//   parser.AddCommand(std::make_unique<TLenFunction>());
//
// A command's result may be the empty text; a command that keeps state
// between calls (an iteration position) keeps it in its own fields.
#pragma once

#include <string>
#include <string_view>

#include "template/interpreter.h"

namespace zeb {

class TTemplateParser;

class TTemplateCommand : public TInterpreter {
 public:
  explicit TTemplateCommand(std::string name, bool hasParams = false, bool rawParams = false)
      : Name(std::move(name)), HasParams(hasParams), RawParams(rawParams) {}

  // Set only for named values and aliases: define, alias and for may then
  // replace or remove the entry.
  bool Replaceable = false;
  // The parser this command is registered in; set by AddCommand.
  TTemplateParser* Owner = nullptr;
  // The name without the command character.
  std::string Name;
  // A parenthesised parameter list is read after the name.
  bool HasParams = false;
  // The command wants its parameter text unparsed (InvokeText) rather than
  // as a stream (Invoke).
  bool RawParams = false;

  const std::string& GetName() const { return Name; }

  // Runs the command where the interpreter met it. Block statements
  // override it to run their body.
  virtual void Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params);
  // The capture entry used inside an evaluated text: runs Execute with both
  // flags set to `enabled` into a capture buffer of its own and returns what
  // it produced.
  virtual std::string Capture(TInterpreter& caller, bool enabled, TBufStream& params);
  // The result for a command without RawParams; the default is empty.
  virtual std::string Invoke(TInterpreter& caller, TBufStream& params);
  // The result for a command with RawParams; the default is empty.
  virtual std::string InvokeText(TInterpreter& caller, const std::string& text);

  // Captured in capture mode, else handed to the owner when Enabled and
  // Active.
  void PutChar(char c) final;
  void PutChars(std::string_view text) final;
  void SwallowLineEnd() override;
  bool IsStopped() const override;
  // Stops the owner's run.
  void Abort() override;

 protected:
  void PutErrorText(std::string_view text) override;
  void NoteError(std::string_view message) override;

 private:
  friend class TTemplateParser;
  int busy_ = 0;         // calls of this command in progress
  bool retired_ = false;  // removed from the table while busy
};

}  // namespace zeb
