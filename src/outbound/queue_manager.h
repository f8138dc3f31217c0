// The queue manager thread: the only writer of the queue while the scanners
// hand their findings over.
#pragma once

namespace zeb {

// Creates the empty hand-over list and queue and starts the manager thread.
// Without reports nobody reads the queue: at the stop the records still
// waiting are then dropped instead of merged.
void StartQueueManager(bool reportsConfigured);

// The manager's exit step: stops the manager, then frees the hand-over list
// and the queue, with a control point before and after each.
void QueueManagerExitStep();

// Asks the manager to finish and waits until it has: every record handed
// over by then has been merged (or, with no report configured, the waiting
// ones dropped). Returns at once when no manager runs.
void StopQueueManager();

}  // namespace zeb
