// What the run says and does once a report's text is made and framed: the
// template's mistakes with their places, then the report stored, checked or
// shown.
#pragma once

#include <cstddef>

#include "reports/report_parser.h"

namespace zeb {

// Announces the errors of the report's template (each counted as an error of
// the run) and its warnings (logged at level 1; on the console when only
// checking), then does what the production's mode says: stores the report
// and logs what was stored; or prints one line on how the report went
// (--check), followed by its text (--dry-run). A report its template
// discarded stores nothing and is logged at level 1. `number` counts the
// reports of the configuration from 1.
void ConcludeReport(TReportParser& parser, size_t number);

}  // namespace zeb
