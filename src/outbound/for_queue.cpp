#include "outbound/for_queue.h"

#include <vector>

namespace zeb {

namespace {
std::vector<TForQueue> g_forQueue;
}

void AddToQueue(const TNetAddr& addr, const std::string& name, int32_t size, uint32_t time, uint8_t flavour,
                uint8_t kind) {
  g_forQueue.push_back(TForQueue{addr, flavour, kind, name, size, time});
}

void AddFlagToQueue(const TNetAddr& addr, uint32_t time, uint8_t flavour) {
  AddToQueue(addr, std::string(), 0, time, flavour, kKindFlag);
}

size_t ForQueueCount() { return g_forQueue.size(); }
const TForQueue& ForQueueAt(size_t index) { return g_forQueue[index]; }
void ClearForQueue() { g_forQueue.clear(); }

}  // namespace zeb
