#include "outbound/queue.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "log/log_queue.h"
#include "platform/system.h"
#include "support/text.h"
#include "support/unix_time.h"

namespace zeb {

size_t TQueue::Count() const { return nodes_.size(); }

TQueueNode& TQueue::operator[](size_t index) const { return *Ordered()[index]; }

bool TQueue::Search(const TNetAddr& addr, size_t& index) const {
  const auto& ordered = Ordered();
  const auto at = std::lower_bound(ordered.begin(), ordered.end(), addr,
                                   [](const TQueueNode* node, const TNetAddr& key) { return node->Addr < key; });
  index = static_cast<size_t>(at - ordered.begin());
  return at != ordered.end() && (*at)->Addr == addr;
}

TQueueNode& TQueue::NodeFor(const TNetAddr& addr) {
  const auto [at, created] = nodes_.try_emplace(addr.Key());
  if (created) {
    at->second.Addr = addr;
    orderedStale_ = true;
    if (!unclaimedNotes_.empty()) {
      const auto notes = unclaimedNotes_.find(addr.Key());
      if (notes != unclaimedNotes_.end()) {
        at->second.Notes = std::move(notes->second);
        unclaimedNotes_.erase(notes);
      }
    }
  }
  return at->second;
}

TNodeNotes& TQueue::NotesFor(const TNetAddr& addr) {
  const auto node = nodes_.find(addr.Key());
  return node != nodes_.end() ? node->second.Notes : unclaimedNotes_[addr.Key()];
}

void TQueue::Clear() {
  Paths.Clear();
  nodes_.clear();
  unclaimedNotes_.clear();
  ordered_.clear();
  orderedStale_ = false;
  NetmailSize = EchomailSize = FilesSize = 0;
  Tally = {};
}

const std::vector<TQueueNode*>& TQueue::Ordered() const {
  if (orderedStale_) {
    ordered_.clear();
    ordered_.reserve(nodes_.size());
    for (auto& entry : nodes_) ordered_.push_back(const_cast<TQueueNode*>(&entry.second));
    std::sort(ordered_.begin(), ordered_.end(), [](const TQueueNode* a, const TQueueNode* b) { return a->Addr < b->Addr; });
    orderedStale_ = false;
  }
  return ordered_;
}

void SetFlavourMark(uint8_t flavour, TQueueNode& node) {
  if (flavour >= kFlavourImmediate && flavour <= kFlavourRequest) {
    // A letter further left in the table ranks higher: I, C, D, N, H, R.
    const void* current = std::memchr(FlavourLetters, node.Flags[2], std::strlen(FlavourLetters));
    const size_t p = current == nullptr ? 0 : static_cast<const char*>(current) - FlavourLetters + 1;
    if (p == 0 || flavour < p) node.Flags[2] = FlavourLetters[flavour];
  } else if (flavour == kFlavourCall) {
    node.Flags[0] = 'c';
  } else if (flavour == kFlavourBusy) {
    node.Flags[1] = 'b';
  }
}

namespace {

// The manager's line for a merged record, at level 2.
void LogMerge(const TForQueue& r) {
  if (LogLevel() < 2) return;  // the logger would not write it
  const std::string addr = FormatNetAddr(r.Addr);
  const char letter = FlavourLetter(r.Flavour);
  std::string text;
  switch (r.Kind) {
    case kKindFlag: text = Format("Add flag %c for %s", letter, addr.c_str()); break;
    case kKindNetmail: text = Format("Add netmail for %s with flag %c", addr.c_str(), letter); break;
    case kKindEchomail: text = Format("Add echomail for %s with flag %c", addr.c_str(), letter); break;
    case kKindFile: text = Format("Add file for %s with flag %c", addr.c_str(), letter); break;
    case kKindHoldUntil: text = Format("Add hold-until time for %s", addr.c_str()); break;
    case kKindTries: text = Format("Add tries for %s", addr.c_str()); break;
    default: return;
  }
  LogLine(Format("[%d] %s", static_cast<int>(CurrentThreadId()), text.c_str()), 2);
}

// Marks "M", "X" or "F" for a record of a delivery flavour; other flavours
// have no column.
void MarkKind(TQueueNode& node, uint8_t flavour, uint8_t kind) {
  if (flavour < kFlavourImmediate || flavour > kFlavourRequest) return;
  node.Flags[3 * flavour - 5 + (kind - 1) - 1] = "MXF"[kind - 1];
}

// A note goes on the node, or aside until the node is made; it is not an
// item and changes nothing else.
void MergeNote(TQueue& queue, const TForQueue& r) {
  TNodeNotes& notes = queue.NotesFor(r.Addr);
  if (r.Kind == kKindHoldUntil) {
    notes.HoldUntil = r.Size;
  } else {
    notes.HasTries = true;
    notes.GoodTries = static_cast<uint16_t>(r.Size >> 16);
    notes.BadTries = static_cast<uint16_t>(r.Size);
    notes.TryText = r.Name;
  }
  LogMerge(r);
}

}  // namespace

void MergeRecord(TQueue& queue, const TForQueue& r) {
  if (r.Kind == kKindHoldUntil || r.Kind == kKindTries) {
    MergeNote(queue, r);
    return;
  }
  TQueueNode& node = queue.NodeFor(r.Addr);
  SetFlavourMark(r.Flavour, node);

  // Flags count too: a busy flag's or a list file's time ages the node.
  const int64_t stamp = DosDateTimeToUnix(r.Time);
  if (node.Oldest == 0 || stamp < node.Oldest) node.Oldest = stamp;

  LogMerge(r);
  if (r.Kind != kKindFlag) node.Items.PushFront(TQIStr{queue.Paths.Keep(r.Name), r.Size, stamp, r.Kind, r.Flavour});

  switch (r.Kind) {
    case kKindNetmail:
      MarkKind(node, r.Flavour, r.Kind);
      node.NetmailCount += 1;
      node.NetmailSize += r.Size;
      queue.NetmailSize += r.Size;
      break;
    case kKindEchomail:
      MarkKind(node, r.Flavour, r.Kind);
      node.EchomailCount += 1;
      node.EchomailSize += r.Size;
      queue.EchomailSize += r.Size;
      break;
    case kKindFile:
      MarkKind(node, r.Flavour, r.Kind);
      node.FilesCount += 1;
      node.FilesSize += r.Size;
      queue.FilesSize += r.Size;
      break;
    default:
      break;
  }
}

}  // namespace zeb
