// The queue: one node per address with what waits for it, by flavour and
// kind, and the queue-wide byte totals. Written only by the queue manager
// thread; read by the main thread once the manager has finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "outbound/for_queue.h"
#include "outbound/scan_tally.h"
#include "support/net_addr.h"
#include "support/text_store.h"

namespace zeb {

// One netmail packet, bundle or file of a node.
struct TQIStr {
  std::string_view Name;  // full path as handed over, kept by the queue
  int64_t Size = 0;   // bytes
  int64_t Stamp = 0;  // local Unix time of the record's time
  uint8_t Kind = 0;   // 1 netmail, 2 echomail, 3 file
  uint8_t Flavour = 0;  // kFlavourRequest for a file request
};

// A node's items, newest first. They are kept in merge order underneath, so
// that putting a new item in front costs no move of the others.
class TQueueItems {
 public:
  size_t Count() const { return merged_.size(); }
  const TQIStr& operator[](size_t index) const { return merged_[merged_.size() - 1 - index]; }
  void PushFront(TQIStr item) { merged_.push_back(std::move(item)); }

 private:
  std::vector<TQIStr> merged_;
};

// Flags: 21 characters, 0xFA where nothing of that sort waits.
//  1 "c" call, 2 "b" busy, 3 the highest-ranking delivery flavour's letter,
//  then "M", "X", "F" (netmail, echomail, file) for I at 4..6, C at 7..9,
//  D at 10..12, N at 13..15, H at 16..18 and R at 19..21.
inline constexpr size_t kFlagsLength = 21;
inline constexpr char kNoFlag = '\xFA';

// What the mailer's own files say of a node: binkd holds it until a later
// time (.hld) and counts its sessions (.try). They add nothing to sizes,
// counts, flags or ages.
struct TNodeNotes {
  int64_t HoldUntil = 0;  // local Unix time; 0 = no hold-until file
  bool HasTries = false;
  uint16_t GoodTries = 0;
  uint16_t BadTries = 0;
  std::string TryText;  // the text of the last try
};

struct TQueueNode {
  TNetAddr Addr;
  std::string Flags = std::string(kFlagsLength, kNoFlag);
  int64_t Oldest = 0;  // local Unix time of the oldest record; 0 = none yet
  int64_t NetmailSize = 0;
  int32_t NetmailCount = 0;
  int64_t EchomailSize = 0;
  int32_t EchomailCount = 0;
  int64_t FilesSize = 0;  // file requests included
  int32_t FilesCount = 0;
  TQueueItems Items;
  TNodeNotes Notes;
};

// All nodes in address order, each address once, and the byte totals.
class TQueue {
 public:
  size_t Count() const;
  // The node at a 0-based index, in address order.
  TQueueNode& operator[](size_t index) const;
  // Binary search by address; `index` receives where the address is or
  // would be inserted.
  bool Search(const TNetAddr& addr, size_t& index) const;
  // The node of the address, created empty when there is none yet.
  TQueueNode& NodeFor(const TNetAddr& addr);
  // The notes of the address. Notes alone make no node: those of an
  // address without one wait aside and go to its node when it is made.
  TNodeNotes& NotesFor(const TNetAddr& addr);
  void Clear();

  int64_t NetmailSize = 0;
  int64_t EchomailSize = 0;
  int64_t FilesSize = 0;
  TTextStore Paths;  // of the items
  TScanTally Tally;  // what the scan met beside the nodes

 private:
  // Nodes are found by hashing their address and never move once made; the
  // address order is rebuilt after new nodes arrive, when the queue is next
  // walked.
  const std::vector<TQueueNode*>& Ordered() const;

  std::unordered_map<uint64_t, TQueueNode> nodes_;
  std::unordered_map<uint64_t, TNodeNotes> unclaimedNotes_;
  mutable std::vector<TQueueNode*> ordered_;
  mutable bool orderedStale_ = false;
};

// Folds one hand-over record into the queue (queue manager thread).
void MergeRecord(TQueue& queue, const TForQueue& record);
// Positions 1 to 3 of the node's flags for a record of the flavour.
void SetFlavourMark(uint8_t flavour, TQueueNode& node);

}  // namespace zeb
