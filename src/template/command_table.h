// TCommandTable: the names a parser knows, kept sorted for binary search.
// Without case sensitivity names compare upper-cased, byte-wise unsigned, a
// proper prefix first. A name is registered once; the first registration
// stays in force.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "support/sorted_list.h"
#include "template/command.h"

namespace zeb {

// One entry: the name the command reported at registration and the command,
// owned by the table.
struct TCmdRec {
  std::string Name;
  std::unique_ptr<TTemplateCommand> Command;
};

// Compares command names under the table's case rule.
int CompareCommandNames(std::string_view a, std::string_view b, bool caseSensitive);

struct TCmdRecCompare {
  bool CaseSensitive = false;
  int operator()(const TCmdRec& rec, const TCmdRec& key) const { return (*this)(rec, key.Name); }
  int operator()(const TCmdRec& rec, std::string_view key) const {
    return CompareCommandNames(rec.Name, key, CaseSensitive);
  }
};

class TCommandTable {
 public:
  explicit TCommandTable(bool caseSensitive) : list_(false, TCmdRecCompare{caseSensitive}) {}

  // False (and the command is released) when the name is taken.
  bool Insert(std::unique_ptr<TTemplateCommand> command);
  // The command of that name, or null.
  TTemplateCommand* Find(std::string_view name) const;
  bool Find(std::string_view name, size_t& index) const { return list_.Search(name, index); }
  // Takes the entry out and hands its command to the caller; null when
  // the name is not registered.
  std::unique_ptr<TTemplateCommand> Take(std::string_view name);

  size_t Count() const { return list_.Count(); }
  const TCmdRec& operator[](size_t i) const { return list_[i]; }

 private:
  TSortedList<TCmdRec, TCmdRecCompare> list_;
};

}  // namespace zeb
