#include "reports/drive_functions.h"

namespace zeb {

void RegisterDriveFunctions(TTemplateParser&) {}

}  // namespace zeb
