// Scanning every configured outbound into the queue.
#pragma once

namespace zeb {

void ScanOutbounds();

}  // namespace zeb
