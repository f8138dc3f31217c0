// Address masks of @prepare and the node list they select.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "outbound/queue.h"
#include "support/net_addr.h"

namespace zeb {

// Fields of a mask, in the order point, node, net, zone.
enum : size_t { kMaskPoint = 0, kMaskNode = 1, kMaskNet = 2, kMaskZone = 3 };

struct TAddrMask {
  std::array<uint16_t, 4> Value{};
  std::array<bool, 4> Given{};  // written in the mask or filled from the base
  std::array<bool, 4> Wild{};   // matches any value
  bool Valid = true;            // false: a field beyond 65535
};

// Reads a mask such as 1:23/*, /45, .5 or *:*/*.*: ":" moves on to the net,
// "/" to the node, "." to the point; "*" makes the current field wild; any
// other character is taken as a digit of it. Leading fields not written are
// taken from the base address (`domain`, or `main` when the domain's zone is
// 0) up to the first written or wild one; the fields left out after it are
// wild. A field beyond 65535 makes the mask not Valid. The empty text gives
// the mask of 0:0/0.0.
TAddrMask ParseAddrMask(std::string_view text, const TNetAddr& main, const TNetAddr& domain);

// Every field that is not wild equals the address's.
bool MaskMatches(const TAddrMask& mask, const TNetAddr& addr);

// The nodes that @prepare selects, in the order offered, with up to 16
// exclusion and 16 inclusion masks. It refers to queue nodes; it owns none.
class TAddrMaskList {
 public:
  static constexpr size_t kMaxMasks = 16;

  TAddrMaskList() { nodes_.reserve(128); }

  // Parse the mask and add it; a mask beyond the 16th of its kind is ignored.
  // False, adding nothing, for a mask that is not Valid.
  bool AddExclusion(const TNetAddr& main, const TNetAddr& domain, std::string_view text);
  bool AddInclusion(const TNetAddr& main, const TNetAddr& domain, std::string_view text);
  // Forgets the nodes and both mask tables.
  void ClearMasks();
  // Appends the node when AcceptsNode.
  void Insert(TQueueNode& node);
  // False when an exclusion mask matches; else true when an inclusion mask
  // matches. With no inclusion mask nothing is accepted.
  bool AcceptsNode(const TQueueNode& node) const;

  size_t Count() const { return nodes_.size(); }
  TQueueNode& operator[](size_t index) const { return *nodes_[index]; }

 private:
  std::vector<TQueueNode*> nodes_;
  std::vector<TAddrMask> exclusions_;
  std::vector<TAddrMask> inclusions_;
};

}  // namespace zeb
