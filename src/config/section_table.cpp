#include "config/section_table.h"

namespace zeb {

TKeywordHandler TSectionTable::Find(std::string_view keyword) const {
  for (const TKeyword& k : Keywords)
    if (keyword == k.Name) return k.Handler;
  return nullptr;
}

bool OpenPlainSection(TLoadContext& context, const std::string& rest, const TSectionTable& table) {
  if (!rest.empty()) return false;
  context.SelectTable(table);
  return true;
}

bool DomainNotDefined(TLoadContext& context, std::string_view name) {
  context.PendingMessage = "Domain name \"" + std::string(name) + "\" is not defined";
  return false;
}

}  // namespace zeb
