// The section handlers of the top-level table: each receives the text after
// the section name on its "def" line, installs its own table and returns
// false when that text is not acceptable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

bool OpenMainSection(const std::string& rest);
bool OpenLogSection(const std::string& rest);
bool OpenDomainSection(const std::string& rest);
bool OpenOutboundSection(const std::string& rest);
bool OpenTMailSection(const std::string& rest);
bool OpenBinkBoxSection(const std::string& rest);
bool OpenMainAkaSection(const std::string& rest);
bool OpenScanFlagsSection(const std::string& rest);
bool OpenSkipAddressSection(const std::string& rest);
bool OpenReportSection(const std::string& rest);
bool OpenQueueSection(const std::string& rest);

// A flavour word ("imm", "crash", "dir", "norm", "hold" or the long names
// "immediate", "direct", "normal") in any case: its code 3..7, or 0.
uint8_t ParseFlavour(std::string_view word);

}  // namespace zeb
