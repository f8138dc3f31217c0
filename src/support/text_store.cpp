#include "support/text_store.h"

#include <algorithm>
#include <cstring>

namespace zeb {

std::string_view TTextStore::Keep(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > room_) {
    // A text longer than a block gets a block of its own.
    room_ = std::max(text.size(), kBlockSize);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(room_));
    free_ = blocks_.back().get();
  }
  char* at = free_;
  std::memcpy(at, text.data(), text.size());
  free_ += text.size();
  room_ -= text.size();
  return std::string_view(at, text.size());
}

void TTextStore::Clear() {
  blocks_.clear();
  free_ = nullptr;
  room_ = 0;
}

}  // namespace zeb
