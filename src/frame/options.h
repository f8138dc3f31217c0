// The command line: options begin with "/" or "-" and are matched whole and
// case-sensitively against a list of alternatives separated by "|"; the
// alternative "-name" is the long form "--name".
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zeb {

class TCommandLine {
 public:
  // The parameters 1..n.
  explicit TCommandLine(std::vector<std::string> params) : params_(std::move(params)) {}

  // The 1-based position of the alternative that the first matching
  // parameter equals; 0 when no parameter matches.
  int OptionIndex(std::string_view aliases) const;

  // The parameter after the first matching option (empty when it is last),
  // or `def` when no parameter matches.
  std::string OptionValue(std::string_view aliases, std::string_view def = {}) const;

  // True when a parameter equals `parameter` exactly (the long options such
  // as "--help", which the "/" and "-" matching above does not cover).
  bool ParameterGiven(std::string_view parameter) const;

  // The first parameter that is neither an option zeb knows nor the value
  // of one, told as "Unknown option %s" or "Unexpected parameter %s"; empty
  // when every parameter is understood.
  std::string Mistake() const;

  // The log level the command line asks for (/l0../l4, /d wins), or -1.
  int LogLevel() const;

  // --check: the reports are made and checked, nothing is stored and no log
  // written; --dry-run does the same and shows each report's text.
  bool CheckOnly() const { return ParameterGiven("--check") || DryRun(); }
  bool DryRun() const { return ParameterGiven("--dry-run"); }

 private:
  // Finds the first parameter that is an option equal to one alternative:
  // its parameter index and the alternative's 1-based position.
  bool FindOption(std::string_view aliases, size_t& param, int& alternative) const;

  std::vector<std::string> params_;
};

}  // namespace zeb
