// The queue manager thread: the only writer of the queue while the scanners
// hand their findings over.
#pragma once

namespace zeb {

// Creates the empty hand-over list and queue, installs the manager's exit
// step and starts the manager thread.
void StartQueueManager();

// Asks the manager to finish and waits until it has: every record handed
// over by then has been merged (or, with no report configured, the waiting
// ones dropped). Returns at once when no manager runs.
void StopQueueManager();

}  // namespace zeb
