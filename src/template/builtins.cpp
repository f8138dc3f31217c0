#include "template/builtins.h"

#include <memory>

#include "support/text.h"
#include "template/conditions.h"
#include "template/loops.h"
#include "template/parser.h"
#include "template/statements.h"
#include "template/value_commands.h"

namespace zeb {

namespace {
constexpr int kVersion[4] = {1, 2, 1, 1};  // major, minor, release, build
}

void RegisterBuiltins(TTemplateParser& parser) {
  parser.AddCommand(std::make_unique<TFixedTextCommand>(
      "parser_version", Format("%d.%.2d.%.4d build %.4d", kVersion[0], kVersion[1], kVersion[2], kVersion[3])));
  parser.AddCommand(std::make_unique<TFixedTextCommand>("parser_copyright",
                                                        "zeb template parser, copyright (c) the zeb developers"));
  parser.AddCommand(std::make_unique<TFixedTextCommand>("type", "Win32"));
  parser.AddCommand(std::make_unique<TDefineCommand>());
  parser.AddCommand(std::make_unique<TIfCommand>());
  parser.AddCommand(std::make_unique<TFlagCommand>("end", &TTemplateParser::EndSeen, false));
  parser.AddCommand(std::make_unique<TFlagCommand>("else", &TTemplateParser::ElseSeen, false));
  parser.AddCommand(std::make_unique<TFlagCommand>("break", &TTemplateParser::BreakSeen, true));
  parser.AddCommand(std::make_unique<TForeachCommand>());
  parser.AddCommand(std::make_unique<TAliasStatement>());
  parser.AddCommand(std::make_unique<TForCommand>());
  parser.AddCommand(std::make_unique<TFordownCommand>());
  parser.AddCommand(std::make_unique<TWhileCommand>());
  parser.AddCommand(std::make_unique<TSwitchCommand>("cr", &TTemplateParser::Cr));
  parser.AddCommand(std::make_unique<TSwitchCommand>("lf", &TTemplateParser::Lf));
  parser.AddCommand(std::make_unique<TSwitchCommand>("crlf", &TTemplateParser::CrLf));
  parser.AddCommand(std::make_unique<TSwitchCommand>("lf_to_cr", &TTemplateParser::LfToCr));
  parser.AddCommand(std::make_unique<TRaiseErrorCommand>());
  parser.AddCommand(std::make_unique<TDiscardCommand>());
}

}  // namespace zeb
