#include "frame/exit_steps.h"

#include <vector>


namespace zeb {

namespace {
std::vector<std::function<void()>> g_steps;
}

void AddExitStep(std::function<void()> step) { g_steps.push_back(std::move(step)); }

void RunExitSteps(bool onlyFirst) {
  std::vector<std::function<void()>> steps;
  steps.swap(g_steps);
  if (onlyFirst && steps.size() > 1) steps.resize(1);
  for (auto it = steps.rbegin(); it != steps.rend(); ++it) (*it)();
}

}  // namespace zeb
