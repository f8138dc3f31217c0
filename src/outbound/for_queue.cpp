#include "outbound/for_queue.h"

#include <bit>
#include <memory>
#include <utility>

namespace zeb {

size_t TForQueueList::BlockOf(size_t index, size_t& offset) {
  // Block b holds the records from kFirstBlock * (2^b - 1) on.
  const size_t block = static_cast<size_t>(std::bit_width(index / kFirstBlock + 1)) - 1;
  offset = index - kFirstBlock * ((size_t{1} << block) - 1);
  return block;
}

void TForQueueList::Append(TForQueue record) {
  const size_t index = count_.load(std::memory_order_relaxed);
  size_t offset = 0;
  const size_t b = BlockOf(index, offset);
  TBlock& block = blocks_[b];
  // Raw storage: pages of a large block are only touched as records arrive.
  if (block.Records == nullptr) block.Records = std::allocator<TForQueue>().allocate(BlockSize(b));
  record.Name = names_.Keep(record.Name);
  std::construct_at(block.Records + offset, record);
  count_.store(index + 1, std::memory_order_seq_cst);
  // Pairs with WaitBeyond: either the reader sees the new count before it
  // sleeps, or it is already asleep and this wakes it.
  if (index + 1 >= wakeAt_.load(std::memory_order_seq_cst)) {
    std::lock_guard<std::mutex> lock(wait_);
    arrived_.notify_one();
  }
}

void TForQueueList::Close() {
  closed_.store(true, std::memory_order_release);
  WakeReader();
}

const TForQueue& TForQueueList::operator[](size_t index) const {
  size_t offset = 0;
  return blocks_[BlockOf(index, offset)].Records[offset];
}

void TForQueueList::Clear() {
  size_t left = count_.load(std::memory_order_acquire);
  for (size_t b = 0; b < kBlocks && blocks_[b].Records != nullptr; ++b) {
    const size_t used = left < BlockSize(b) ? left : BlockSize(b);
    std::destroy_n(blocks_[b].Records, used);
    std::allocator<TForQueue>().deallocate(blocks_[b].Records, BlockSize(b));
    blocks_[b].Records = nullptr;
    left -= used;
  }
  names_.Clear();
  count_.store(0, std::memory_order_release);
  closed_.store(false, std::memory_order_relaxed);
  std::lock_guard<std::mutex> lock(wait_);
  woken_ = false;
}

void TForQueueList::WaitBeyond(size_t seen) {
  std::unique_lock<std::mutex> lock(wait_);
  const size_t wanted = seen + kWakeBatch;
  wakeAt_.store(wanted, std::memory_order_seq_cst);
  while (count_.load(std::memory_order_seq_cst) < wanted && !woken_) arrived_.wait(lock);
  wakeAt_.store(SIZE_MAX, std::memory_order_relaxed);
  woken_ = false;
}

void TForQueueList::WakeReader() {
  std::lock_guard<std::mutex> lock(wait_);
  woken_ = true;
  arrived_.notify_one();
}

void AddToQueue(TForQueueList& list, const TNetAddr& addr, std::string_view name, int64_t size, uint32_t time,
                uint8_t flavour, uint8_t kind) {
  list.Append(TForQueue{addr, flavour, kind, name, size, time});
}

void AddFlagToQueue(TForQueueList& list, const TNetAddr& addr, uint32_t time, uint8_t flavour) {
  AddToQueue(list, addr, {}, 0, time, flavour, kKindFlag);
}

void AddHoldUntilToQueue(TForQueueList& list, const TNetAddr& addr, int64_t until) {
  AddToQueue(list, addr, {}, until, 0, kFlavourNone, kKindHoldUntil);
}

void AddTriesToQueue(TForQueueList& list, const TNetAddr& addr, uint16_t good, uint16_t bad, const std::string& text) {
  AddToQueue(list, addr, text, int64_t{good} << 16 | bad, 0, kFlavourNone, kKindTries);
}

}  // namespace zeb
