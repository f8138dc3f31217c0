#include "template/command_table.h"

#include <algorithm>
#include <cstring>
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

// A hash of the length and the first and last eight bytes of a name: names
// of one template differ there, and it costs a few instructions.
size_t TCommandTable::SlotOf(std::string_view name) {
  uint64_t head = 0, tail = 0;
  if (!name.empty()) std::memcpy(&head, name.data(), std::min<size_t>(name.size(), 8));
  if (name.size() > 8) std::memcpy(&tail, name.data() + name.size() - 8, 8);
  const uint64_t mixed = (head ^ (tail * 0x9E3779B97F4A7C15u) ^ name.size()) * 0xFF51AFD7ED558CCDu;
  return static_cast<size_t>(mixed >> 58) % kSlots;
}

TTemplateCommand* TCommandTable::Find(std::string_view name) const {
  TRemembered& slot = remembered_[SlotOf(name)];
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
