// TTextStore: texts kept end to end in large blocks that never move.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace zeb {

// One allocation per block instead of one per text, and texts stored one
// after another lie together in memory. A kept text stays where it is until
// Clear.
class TTextStore {
 public:
  // A lasting copy of `text`.
  std::string_view Keep(std::string_view text);
  void Clear();

 private:
  static constexpr size_t kBlockSize = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the unused end of the last block
  size_t room_ = 0;       // and its length
};

}  // namespace zeb
