// The plain statements end, else, break, RaiseError and discard, the line-end
// switches cr, lf, crlf and lf_to_cr, and the information functions
// parser_version, parser_copyright and type.
#pragma once

#include <string>

#include "template/command.h"

namespace zeb {

class TTemplateParser;

// A command without parameters that always gives the same text.
class TFixedTextCommand : public TTemplateCommand {
 public:
  TFixedTextCommand(std::string name, std::string text) : TTemplateCommand(std::move(name)), text_(std::move(text)) {}
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;

 private:
  std::string text_;
};

// @end, @else, @break: raise the root's EndSeen, ElseSeen or BreakSeen for
// the running block (@break only with output on).
class TFlagCommand : public TTemplateCommand {
 public:
  TFlagCommand(std::string name, bool TTemplateParser::*flag, bool onlyWithOutput)
      : TTemplateCommand(std::move(name)), flag_(flag), onlyWithOutput_(onlyWithOutput) {}
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;

 private:
  bool TTemplateParser::*flag_;
  bool onlyWithOutput_;
};

// @crlf(word), @lf(word), @cr(word), @lf_to_cr(word): set a line-end switch
// with "0", "1", "off", "on", "false", "true"; other words change nothing.
// They act even in a branch that is not taken.
class TSwitchCommand : public TTemplateCommand {
 public:
  TSwitchCommand(std::string name, bool TTemplateParser::*flag)
      : TTemplateCommand(std::move(name), true, true), flag_(flag) {}
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;

 private:
  bool TTemplateParser::*flag_;
};

// @RaiseError(message): ends the run with "User raise error: " and the
// message.
class TRaiseErrorCommand : public TTemplateCommand {
 public:
  TRaiseErrorCommand() : TTemplateCommand("RaiseError", true, true) {}
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;
};

// @discard: ends the run, and the report stores nothing (a template that
// finds nothing worth posting).
class TDiscardCommand : public TTemplateCommand {
 public:
  TDiscardCommand() : TTemplateCommand("discard") {}
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;
};

}  // namespace zeb
