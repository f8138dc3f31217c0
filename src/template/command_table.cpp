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
  return list_.Insert(TCmdRec{std::move(name), std::move(key), std::move(command)});
}

bool TCommandTable::Find(std::string_view name, size_t& index) const {
  return list_.Search(std::string_view(FoldCommandName(name, caseSensitive_)), index);
}

TTemplateCommand* TCommandTable::Find(std::string_view name) const {
  size_t index = 0;
  return Find(name, index) ? list_[index].Command.get() : nullptr;
}

std::unique_ptr<TTemplateCommand> TCommandTable::Take(std::string_view name) {
  size_t index = 0;
  if (!Find(name, index)) return nullptr;
  std::unique_ptr<TTemplateCommand> command = std::move(list_[index].Command);
  list_.Erase(index);
  return command;
}

}  // namespace zeb
