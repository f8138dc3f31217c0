// FTN addresses: the four-number address value, its text forms and its order.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zeb {

// Raised when a part of an address (or any number the configuration converts
// the same way) is not a decimal integer. Nothing in the configuration
// catches it: the run ends through the unhandled-error path of the logger.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TNetAddr {
  uint16_t Point = 0;
  uint16_t Node = 0;
  uint16_t Net = 0;
  uint16_t Zone = 0;

  // The four numbers read as one unsigned number, zone most significant:
  // the order of addresses everywhere, so that zones from 32768 up sort
  // after zone 1 in the queue as in every report.
  uint64_t Key() const {
    return (static_cast<uint64_t>(Zone) << 48) | (static_cast<uint64_t>(Net) << 32) |
           (static_cast<uint64_t>(Node) << 16) | Point;
  }
  bool IsEmpty() const { return Key() == 0; }
  friend bool operator==(const TNetAddr& a, const TNetAddr& b) { return a.Key() == b.Key(); }
  friend auto operator<=>(const TNetAddr& a, const TNetAddr& b) { return a.Key() <=> b.Key(); }
};

// Compares two addresses by Key: negative, zero or positive.
int CompareNetAddr(const TNetAddr& a, const TNetAddr& b);

// A message party: a name and its address.
struct TFTAddr {
  std::string Name;
  TNetAddr Addr;
};

// Converts a decimal integer with an optional sign; raises EConvertError with
// "'%s' is not a valid integer value" when the text is not one.
int64_t StrToIntStrict(std::string_view text);

// Parses zone:net/node.point, filling missing leading parts from `def`.
// The point is never taken from `def`.
TNetAddr ParseNetAddr(std::string_view text, const TNetAddr& def);

struct TAddrDomain {
  TNetAddr Addr;
  std::string Domain;
};

// Splits off "@domain" at the first "@" and parses the rest with ParseNetAddr.
TAddrDomain ParseAddrDomain(std::string_view text, const TNetAddr& def);

// zone:net/node, and ".point" only when the point is not 0.
std::string FormatNetAddr(const TNetAddr& addr);

}  // namespace zeb
