#include "template/command_table.h"

#include <utility>

#include "support/text.h"

namespace zeb {

std::string FoldCommandName(std::string_view name, bool caseSensitive) {
  return caseSensitive ? std::string(name) : UpperStr(name);
}

// Byte-wise unsigned, a proper prefix first (std::string_view::compare).
int CompareCommandNames(std::string_view a, std::string_view b, bool caseSensitive) {
  return FoldCommandName(a, caseSensitive).compare(FoldCommandName(b, caseSensitive));
}

bool TCommandTable::Insert(std::unique_ptr<TTemplateCommand> command) {
  std::string name = command->GetName();
  std::string key = FoldCommandName(name, caseSensitive_);
  ++generation_;
  return list_.Insert(TCmdRec{std::move(name), std::move(key), std::move(command)});
}

bool TCommandTable::Find(std::string_view name, size_t& index) const {
  return list_.Search(std::string_view(FoldCommandName(name, caseSensitive_)), index);
}

TTemplateCommand* TCommandTable::Find(std::string_view name) const {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (char c : name) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  TRemembered& slot = remembered_[hash % kSlots];
  if (slot.Generation == generation_ && slot.Name == name) return slot.Command;
  size_t index = 0;
  slot.Command = Find(name, index) ? list_[index].Command.get() : nullptr;
  slot.Name.assign(name);
  slot.Generation = generation_;
  return slot.Command;
}

std::unique_ptr<TTemplateCommand> TCommandTable::Take(std::string_view name) {
  size_t index = 0;
  if (!Find(name, index)) return nullptr;
  ++generation_;
  std::unique_ptr<TTemplateCommand> command = std::move(list_[index].Command);
  list_.Erase(index);
  return command;
}

}  // namespace zeb
