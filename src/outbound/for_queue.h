// Hand-over records: what the scanners find, on its way into the queue.
//
// Each list has one appending scanner thread; the queue manager reads on its
// own thread. A record is complete before the count that covers it is raised,
// and stored records never move, so the reader needs no lock to read them.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "support/net_addr.h"
#include "support/text_store.h"

namespace zeb {

// Flavour codes; the letter of code n is FlavourLetters[n].
inline constexpr const char* FlavourLetters = "?cbICDNHR?";
enum : uint8_t {
  kFlavourNone = 0,
  kFlavourCall = 1,
  kFlavourBusy = 2,
  kFlavourImmediate = 3,
  kFlavourCrash = 4,
  kFlavourDirect = 5,
  kFlavourNormal = 6,
  kFlavourHold = 7,
  kFlavourRequest = 8,
  kFlavourStatus = 9,
};

// The letter of a flavour code; "?" for codes beyond the table.
inline char FlavourLetter(uint8_t flavour) { return flavour <= kFlavourStatus ? FlavourLetters[flavour] : '?'; }

// Kind codes. The last two are notes from the mailer's own files, kept on
// the node and never as items:
//   kKindHoldUntil: Size is the local Unix time until which the mailer will
//     not call the node;
//   kKindTries: Size is the good session count times 65536 plus the bad
//     one, Name the text of the last try.
enum : uint8_t {
  kKindFlag = 0,
  kKindNetmail = 1,
  kKindEchomail = 2,
  kKindFile = 3,
  kKindHoldUntil = 4,
  kKindTries = 5,
};

struct TForQueue {
  TNetAddr Addr;
  uint8_t Flavour = 0;
  uint8_t Kind = 0;
  std::string_view Name;  // full path (the try text of a try note); empty for flags;
                          // in the list, kept by the list
  int64_t Size = 0;   // 0 for flags
  uint32_t Time = 0;  // packed DOS date-time
};

// The append-only hand-over list. Records live in blocks that double in
// size (128, 256, 512, ... records); a block, once made, is never moved or
// freed before Clear, so a record's place is fixed from the moment it is
// stored.
class TForQueueList {
 public:
  TForQueueList() = default;
  TForQueueList(const TForQueueList&) = delete;
  TForQueueList& operator=(const TForQueueList&) = delete;
  ~TForQueueList() { Clear(); }

  // Stores the record with a copy of its name, then raises the count (the
  // one appending thread).
  void Append(TForQueue record);
  // The appending thread's last word: no record follows. Wakes the reader.
  void Close();
  // True once Close was called; every record appended before is counted.
  bool Closed() const { return closed_.load(std::memory_order_acquire); }
  // Records appended so far; any thread.
  size_t Count() const { return count_.load(std::memory_order_acquire); }
  // A record below Count().
  const TForQueue& operator[](size_t index) const;
  // Destroys every record; nobody may read or append meanwhile.
  void Clear();

  // The reader's wait: returns once kWakeBatch records beyond `seen` exist
  // or WakeReader was called since the last return. Waking the reader for
  // every record would cost two thread switches per file scanned; the
  // appending thread ends its work with Close, so no record is left.
  static constexpr size_t kWakeBatch = 256;
  void WaitBeyond(size_t seen);
  void WakeReader();

 private:
  static constexpr size_t kFirstBlock = 128;
  static constexpr size_t kBlocks = 48;
  struct TBlock {
    TForQueue* Records = nullptr;  // constructed up to the count, raw beyond
  };
  static size_t BlockOf(size_t index, size_t& offset);
  static size_t BlockSize(size_t block) { return kFirstBlock << block; }

  std::array<TBlock, kBlocks> blocks_{};
  TTextStore names_;
  std::atomic<size_t> count_{0};
  std::atomic<bool> closed_{false};
  std::mutex wait_;
  std::condition_variable arrived_;
  std::atomic<size_t> wakeAt_{SIZE_MAX};  // the count that wakes the waiting reader
  bool woken_ = false;
};

// Appends a record to the hand-over list (scanners, main thread).
void AddToQueue(TForQueueList& list, const TNetAddr& addr, std::string_view name, int64_t size, uint32_t time, uint8_t flavour,
                uint8_t kind);
// A flag: no name, size 0, kind 0.
void AddFlagToQueue(TForQueueList& list, const TNetAddr& addr, uint32_t time, uint8_t flavour);
// The notes of a hold-until file (a local Unix time) and of a try file.
void AddHoldUntilToQueue(TForQueueList& list, const TNetAddr& addr, int64_t until);
void AddTriesToQueue(TForQueueList& list, const TNetAddr& addr, uint16_t good, uint16_t bad, const std::string& text);

}  // namespace zeb
