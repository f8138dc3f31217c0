#include "reports/text_functions.h"

namespace zeb {

void RegisterTextFunctions(TTemplateParser&) {}

}  // namespace zeb
