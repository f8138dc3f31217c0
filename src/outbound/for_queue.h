// Hand-over records: what the scanners find, on its way into the queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/net_addr.h"

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

// Kind codes.
enum : uint8_t { kKindFlag = 0, kKindNetmail = 1, kKindEchomail = 2, kKindFile = 3 };

struct TForQueue {
  TNetAddr Addr;
  uint8_t Flavour = 0;
  uint8_t Kind = 0;
  std::string Name;   // full path; empty for flags
  int32_t Size = 0;   // 0 for flags
  uint32_t Time = 0;  // packed DOS date-time
};

// Appends a record to the hand-over list (scanners, main thread).
void AddToQueue(const TNetAddr& addr, const std::string& name, int32_t size, uint32_t time, uint8_t flavour,
                uint8_t kind);
// A flag: no name, size 0, kind 0.
void AddFlagToQueue(const TNetAddr& addr, uint32_t time, uint8_t flavour);

// The hand-over list as appended so far.
size_t ForQueueCount();
const TForQueue& ForQueueAt(size_t index);
// Empties the hand-over list (start-up and tests).
void ClearForQueue();

}  // namespace zeb
