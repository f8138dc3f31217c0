#include "outbound/queue_manager.h"

#include "frame/exit_steps.h"

namespace zeb {

namespace {

void QueueManagerExitStep() {
  ControlPoint(4);
  ControlPoint(5);
  ControlPoint(6);
  ControlPoint(7);
}

}  // namespace

void StartQueueManager() { AddExitStep(QueueManagerExitStep); }

}  // namespace zeb
