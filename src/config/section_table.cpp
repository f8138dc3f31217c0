#include "config/section_table.h"

namespace zeb {

namespace {

struct TLoaderState {
  const TSectionTable* Table = nullptr;  // null: the top-level table
  std::string CurrentSection;
  std::string PendingMessage;
};

TLoaderState& State() {
  static TLoaderState state;
  return state;
}

}  // namespace

TKeywordHandler TSectionTable::Find(std::string_view keyword) const {
  for (const TKeyword& k : Keywords)
    if (keyword == k.Name) return k.Handler;
  return nullptr;
}

const TSectionTable& CurrentTable() { return State().Table != nullptr ? *State().Table : TopLevelTable(); }
void SelectTable(const TSectionTable& table) { State().Table = &table; }
bool AtTopLevel() { return &CurrentTable() == &TopLevelTable(); }

const std::string& CurrentSection() { return State().CurrentSection; }
void SetCurrentSection(std::string name) { State().CurrentSection = std::move(name); }

const std::string& PendingMessage() { return State().PendingMessage; }
void SetPendingMessage(std::string text) { State().PendingMessage = std::move(text); }

bool OpenPlainSection(const std::string& rest, const TSectionTable& table) {
  if (!rest.empty()) return false;
  SelectTable(table);
  return true;
}

bool DomainNotDefined(std::string_view name) {
  SetPendingMessage("Domain name \"" + std::string(name) + "\" is not defined");
  return false;
}

void ResetLoader() { State() = TLoaderState{}; }

}  // namespace zeb
