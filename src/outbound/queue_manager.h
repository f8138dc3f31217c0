// The queue manager thread: the only writer of the queue while the scanners
// hand their findings over.
#pragma once

namespace zeb {

// Starts the manager and installs its exit step.
void StartQueueManager();

}  // namespace zeb
