#include "outbound/scan.h"

namespace zeb {

void ScanOutbounds() {}

}  // namespace zeb
