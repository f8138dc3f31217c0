#include "config/section_table.h"

namespace zeb {

TKeywordHandler TSectionTable::Find(std::string_view keyword) const {
  for (const TKeyword& k : Keywords)
    if (keyword == k.Name) return k.Handler;
  return nullptr;
}

bool OpenPlainSection(TLoadContext& context, const std::string& rest, const TSectionTable& table) {
  if (!rest.empty()) return Reject(context, "nothing may follow the section's name");
  context.SelectTable(table);
  return true;
}

bool Reject(TLoadContext& context, std::string reason) {
  context.Reason = std::move(reason);
  return false;
}

std::string JoinChoices(std::span<const char* const> choices) {
  std::string joined;
  for (const char* choice : choices) joined += (joined.empty() ? "" : ", ") + std::string(choice);
  return joined;
}

bool RejectUnknown(TLoadContext& context, std::string_view what, std::string_view word,
                   std::span<const char* const> choices) {
  return Reject(context, "unknown " + std::string(what) + " \"" + std::string(word) + "\" (" + JoinChoices(choices) + ")");
}

bool RejectEmptyPath(TLoadContext& context) {
  return Reject(context, "the path is empty once expanded (an unset %VARIABLE% or an unclosed %)");
}

bool DomainNotDefined(TLoadContext& context, std::string_view name) {
  context.PendingMessage = "Domain name \"" + std::string(name) + "\" is not defined";
  return false;
}

}  // namespace zeb
