#include "frame/options.h"

#include <algorithm>
#include <iterator>

namespace zeb {

namespace {

// The 1-based position of the alternative that the parameter, as an option,
// equals; 0 when it equals none. A long form "--name" is the alternative
// "-name"; "/-name" is no option.
int MatchAlternative(std::string_view param, std::string_view aliases) {
  if (param.size() < 2 || (param[0] != '-' && param[0] != '/')) return 0;
  const std::string_view name = param.substr(1);
  if (name[0] == '-' && param[0] != '-') return 0;
  int position = 1;
  size_t start = 0;
  for (;;) {
    const size_t bar = aliases.find('|', start);
    if (aliases.substr(start, bar == std::string_view::npos ? bar : bar - start) == name) return position;
    if (bar == std::string_view::npos) return 0;
    start = bar + 1;
    ++position;
  }
}

// Every option zeb knows, and whether the parameter after it is its value.
struct TKnownOption {
  std::string_view Aliases;
  bool TakesValue;
};

constexpr TKnownOption kKnownOptions[] = {
    {"h|hlp|help|?|-help", false}, {"c|cfg|config|-config", true}, {"a|addcfg|-addcfg", true},
    {"l0|l1|l2|l3|l4", false},     {"d|da", false},                {"q|-quiet", false},
    {"-version", false},           {"-check", false},              {"-dry-run", false},
};

// A parameter written as an option: "-x", "--x" or "/x", though not a path
// such as /etc/zeb.ctl.
bool LooksLikeOption(std::string_view param) {
  if (param.size() < 2) return false;
  return param[0] == '-' || (param[0] == '/' && param.find('/', 1) == std::string_view::npos);
}

}  // namespace

bool TCommandLine::FindOption(std::string_view aliases, size_t& param, int& alternative) const {
  for (size_t p = 0; p < params_.size(); ++p) {
    alternative = MatchAlternative(params_[p], aliases);
    if (alternative != 0) {
      param = p;
      return true;
    }
  }
  return false;
}

int TCommandLine::OptionIndex(std::string_view aliases) const {
  size_t param = 0;
  int alternative = 0;
  return FindOption(aliases, param, alternative) ? alternative : 0;
}

std::string TCommandLine::OptionValue(std::string_view aliases, std::string_view def) const {
  size_t param = 0;
  int alternative = 0;
  if (!FindOption(aliases, param, alternative)) return std::string(def);
  return param + 1 < params_.size() ? params_[param + 1] : std::string();
}

bool TCommandLine::ParameterGiven(std::string_view parameter) const {
  for (const std::string& p : params_)
    if (p == parameter) return true;
  return false;
}

std::string TCommandLine::Mistake() const {
  for (size_t p = 0; p < params_.size(); ++p) {
    const auto known = std::find_if(std::begin(kKnownOptions), std::end(kKnownOptions), [&](const TKnownOption& o) {
      return MatchAlternative(params_[p], o.Aliases) != 0;
    });
    if (known != std::end(kKnownOptions)) {
      if (known->TakesValue) ++p;
      continue;
    }
    return (LooksLikeOption(params_[p]) ? "Unknown option " : "Unexpected parameter ") + params_[p];
  }
  return {};
}

int TCommandLine::LogLevel() const {
  if (OptionIndex("d") != 0) return 4;
  const int level = OptionIndex("l0|l1|l2|l3|l4");
  return level != 0 ? level - 1 : -1;
}

}  // namespace zeb
