// TCommandTable: the names a parser knows, kept sorted for binary search.
// Without case sensitivity names compare upper-cased, byte-wise unsigned, a
// proper prefix first. A name is registered once; the first registration
// stays in force.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "support/sorted_list.h"
#include "template/command.h"

namespace zeb {

// A name as the table compares it: upper-cased unless case matters.
std::string FoldCommandName(std::string_view name, bool caseSensitive);

// Compares command names under the table's case rule.
int CompareCommandNames(std::string_view a, std::string_view b, bool caseSensitive);

// One entry: the name the command reported at registration, that name
// folded under the table's case rule, and the command, owned by the table.
struct TCmdRec {
  std::string Name;
  std::string Key;
  std::unique_ptr<TTemplateCommand> Command;
};

// Orders entries by their folded names, so that a look-up folds the wanted
// name once instead of every character of every name it passes.
struct TCmdRecCompare {
  int operator()(const TCmdRec& rec, const TCmdRec& key) const { return (*this)(rec, key.Key); }
  int operator()(const TCmdRec& rec, std::string_view key) const { return std::string_view(rec.Key).compare(key); }
};

class TCommandTable {
 public:
  explicit TCommandTable(bool caseSensitive) : caseSensitive_(caseSensitive), list_(false) {}

  // False (and the command is released) when the name is taken.
  bool Insert(std::unique_ptr<TTemplateCommand> command);
  // The command of that name, or null.
  TTemplateCommand* Find(std::string_view name) const;
  bool Find(std::string_view name, size_t& index) const;
  // Takes the entry out and hands its command to the caller; null when
  // the name is not registered.
  std::unique_ptr<TTemplateCommand> Take(std::string_view name);

  size_t Count() const { return list_.Count(); }
  // Raised by every change of the table: a look-up remembered under the
  // same generation still holds.
  uint64_t Generation() const { return generation_; }
  const TCmdRec& operator[](size_t i) const { return list_[i]; }

 private:
  // Recent look-ups by the name as written, one per slot of a small table
  // indexed by a hash of the name: a template calls the same few names over
  // and over. A slot holds while the table is unchanged since it was filled;
  // a name that is no command is remembered as null.
  struct TRemembered {
    std::string Name;
    TTemplateCommand* Command = nullptr;
    uint64_t Generation = 0;
  };
  static constexpr size_t kSlots = 64;
  static size_t SlotOf(std::string_view name);
  mutable std::array<TRemembered, kSlots> remembered_{};
  uint64_t generation_ = 1;  // raised by every change of the table

  bool caseSensitive_;
  TSortedList<TCmdRec, TCmdRecCompare> list_;
};

}  // namespace zeb
