#include "outbound/sort_queue.h"

namespace zeb {

void SortQueue() {}

}  // namespace zeb
