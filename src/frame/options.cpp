#include "frame/options.h"

namespace zeb {

bool TCommandLine::FindOption(std::string_view aliases, size_t& param, int& alternative) const {
  for (size_t p = 0; p < params_.size(); ++p) {
    const std::string& s = params_[p];
    if (s.empty() || (s[0] != '-' && s[0] != '/')) continue;
    const std::string_view name = std::string_view(s).substr(1);
    int position = 1;
    size_t start = 0;
    for (;;) {
      const size_t bar = aliases.find('|', start);
      const std::string_view alt = aliases.substr(start, bar == std::string_view::npos ? bar : bar - start);
      if (alt == name) {
        param = p;
        alternative = position;
        return true;
      }
      if (bar == std::string_view::npos) break;
      start = bar + 1;
      ++position;
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

int TCommandLine::LogLevel() const {
  if (OptionIndex("d") != 0) return 4;
  const int level = OptionIndex("l0|l1|l2|l3|l4");
  return level != 0 ? level - 1 : -1;
}

}  // namespace zeb
