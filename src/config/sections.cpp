#include "config/sections.h"

#include "config/section_table.h"

namespace zeb {

const TSectionTable& TopLevelTable() {
  static const TSectionTable table{{
      {"main", OpenMainSection},
      {"log", OpenLogSection},
      {"domain", OpenDomainSection},
      {"outbound", OpenOutboundSection},
      {"t-mail", OpenTMailSection},
      {"bink/+", OpenBinkBoxSection},
      {"binkd", OpenBinkdSection},
      {"fidoconfig", OpenFidoconfigSection},
      {"crashmail", OpenCrashmailSection},
      {"mainaka", OpenMainAkaSection},
      {"scanflags", OpenScanFlagsSection},
      {"skipaddress", OpenSkipAddressSection},
      {"report", OpenReportSection},
      {"queue", OpenQueueSection},
  }};
  return table;
}

}  // namespace zeb
