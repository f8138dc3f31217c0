// Dividing the queue among the reports.
#pragma once

namespace zeb {

// Stops the queue manager, then gives every report its share of the queue.
void SortQueue();

}  // namespace zeb
