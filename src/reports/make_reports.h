// Producing every configured report.
#pragma once

namespace zeb {

void MakeReports();

}  // namespace zeb
