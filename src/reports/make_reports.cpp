#include "reports/make_reports.h"

#include "frame/exit_steps.h"

namespace zeb {

void MakeReports() { ControlPoint(1); }

}  // namespace zeb
