#include "reports/text_functions.h"

#include <memory>

#include "reports/arithmetic_functions.h"
#include "reports/char_functions.h"
#include "reports/date_functions.h"
#include "reports/evaluated_function.h"
#include "reports/layout_functions.h"
#include "reports/size_functions.h"
#include "template/parser.h"

namespace zeb {

void RegisterTextFunctions(TTemplateParser& parser, TTextUnits units) {
  auto evaluated = [&parser, units](const char* name, TEvaluatedFunction::Body body) {
    auto function = std::make_unique<TEvaluatedFunction>(name, body);
    function->Units = units;
    parser.AddCommand(std::move(function));
  };
  auto now = [&parser](const char* name, const char* pattern) {
    parser.AddCommand(std::make_unique<TNowFunction>(name, pattern));
  };
  auto arithmetic = [&parser](const char* name, TArithmeticFunction::Operation operation) {
    parser.AddCommand(std::make_unique<TArithmeticFunction>(name, operation));
  };
  evaluated("center", CenterFunction);
  evaluated("sizetolimitstr", SizeToLimitStrFunction);
  evaluated("sizetostr", SizeToStrFunction);
  evaluated("sizetype", SizeTypeFunction);
  evaluated("just", JustFunction);
  evaluated("time", TimeFunction);
  evaluated("date", DateFunction);
  now("year", "yyyy");
  now("month", "mmm");
  now("day", "d");
  now("dayofweek", "dddd");
  now("hours", "h");
  now("minutes", "nn");
  evaluated("char", CharFunction);
  evaluated("code", CodeFunction);
  evaluated("len", LenFunction);
  arithmetic("add", AddValues);
  arithmetic("sub", SubValues);
  arithmetic("div", DivValues);
  arithmetic("mul", MulValues);
  arithmetic("mod", ModValues);
}

}  // namespace zeb
