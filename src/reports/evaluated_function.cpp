#include "reports/evaluated_function.h"

#include "template/arguments.h"
#include "template/parser.h"

namespace zeb {

std::string TEvaluatedFunction::InvokeText(TInterpreter&, const std::string& text) {
  if (!Enabled || !Active) return {};
  return body_(*this, Owner->Evaluate(true, TrimmedSpaces(text)));
}

std::string TEvaluatedFunction::BadParameter(const char* argument) {
  ReportError("Bad type of @%s parametr", {argument});
  return {};
}

TLastCommaCut CutAtLastComma(std::string_view text) {
  const size_t comma = text.rfind(',');
  if (comma == std::string_view::npos) return {{}, TrimSpaces(text)};
  return {TrimSpaces(text.substr(0, comma)), TrimSpaces(text.substr(comma + 1))};
}

}  // namespace zeb
