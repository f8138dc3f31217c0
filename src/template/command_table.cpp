#include "template/command_table.h"

#include <utility>

#include "support/text.h"

namespace zeb {

int CompareCommandNames(std::string_view a, std::string_view b, bool caseSensitive) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (!caseSensitive) {
      x = static_cast<unsigned char>(UpperChar(static_cast<char>(x)));
      y = static_cast<unsigned char>(UpperChar(static_cast<char>(y)));
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool TCommandTable::Insert(std::unique_ptr<TTemplateCommand> command) {
  std::string name = command->GetName();
  return list_.Insert(TCmdRec{std::move(name), std::move(command)});
}

TTemplateCommand* TCommandTable::Find(std::string_view name) const {
  size_t index = 0;
  return list_.Search(name, index) ? list_[index].Command.get() : nullptr;
}

std::unique_ptr<TTemplateCommand> TCommandTable::Take(std::string_view name) {
  size_t index = 0;
  if (!list_.Search(name, index)) return nullptr;
  std::unique_ptr<TTemplateCommand> command = std::move(list_[index].Command);
  list_.Erase(index);
  return command;
}

}  // namespace zeb
