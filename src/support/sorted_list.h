// TSortedList: the ordered collection behind every sorted list of the system.
//
// Elements are kept in the order of a compare rule; `Search` is a binary
// search that, with duplicates allowed, finds the first of the equal elements,
// so a new element goes in front of those it equals. Without duplicates an
// element equal to an existing one is not inserted. The element type decides
// ownership: std::unique_ptr for lists that own their elements, a plain
// pointer for lists that only refer to elements owned elsewhere.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace zeb {

template <typename T, typename Compare>
class TSortedList {
 public:
  TSortedList() = default;
  explicit TSortedList(bool duplicates, Compare compare = Compare())
      : duplicates_(duplicates), compare_(std::move(compare)) {}

  // Binary search for `key`; `index` receives the position of the key, or
  // the position where it belongs when absent.
  template <typename Key>
  bool Search(const Key& key, size_t& index) const {
    ptrdiff_t low = 0, high = static_cast<ptrdiff_t>(items_.size()) - 1;
    bool found = false;
    while (low <= high) {
      const ptrdiff_t mid = (low + high) / 2;
      const int c = compare_(items_[static_cast<size_t>(mid)], key);
      if (c < 0) {
        low = mid + 1;
      } else {
        high = mid - 1;
        if (c == 0) {
          found = true;
          if (!duplicates_) low = mid;
        }
      }
    }
    index = static_cast<size_t>(low);
    return found;
  }

  // Inserts where `Search` places the element. Returns false (and drops the
  // element) when an equal one exists and duplicates are off.
  bool Insert(T element) {
    size_t index = 0;
    if (Search(element, index) && !duplicates_) return false;
    items_.insert(items_.begin() + static_cast<ptrdiff_t>(index), std::move(element));
    return true;
  }

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  void Erase(size_t i) { items_.erase(items_.begin() + static_cast<ptrdiff_t>(i)); }
  void Clear() { items_.clear(); }
  void Reserve(size_t n) { items_.reserve(n); }
  bool Duplicates() const { return duplicates_; }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<T> items_;
  bool duplicates_ = false;
  Compare compare_{};
};

}  // namespace zeb
