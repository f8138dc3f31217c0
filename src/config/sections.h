// The section handlers of the top-level table: each receives the text after
// the section name on its "def" line, installs its own table and returns
// false when that text is not acceptable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/section_table.h"

namespace zeb {

bool OpenMainSection(TLoadContext& context, const std::string& rest);
bool OpenLogSection(TLoadContext& context, const std::string& rest);
bool OpenDomainSection(TLoadContext& context, const std::string& rest);
bool OpenOutboundSection(TLoadContext& context, const std::string& rest);
bool OpenTMailSection(TLoadContext& context, const std::string& rest);
bool OpenBinkBoxSection(TLoadContext& context, const std::string& rest);
bool OpenBinkdSection(TLoadContext& context, const std::string& rest);
bool OpenFidoconfigSection(TLoadContext& context, const std::string& rest);
bool OpenCrashmailSection(TLoadContext& context, const std::string& rest);
bool OpenMainAkaSection(TLoadContext& context, const std::string& rest);
bool OpenScanFlagsSection(TLoadContext& context, const std::string& rest);
bool OpenSkipAddressSection(TLoadContext& context, const std::string& rest);
bool OpenReportSection(TLoadContext& context, const std::string& rest);
bool OpenQueueSection(TLoadContext& context, const std::string& rest);

// postto area TAG [password] of a report section: the report goes into the
// base of a message area of a tosser's configuration read before, with its
// tag and its address.
bool PostToArea(TLoadContext& context, std::string rest);

// A flavour word ("imm", "crash", "dir", "norm", "hold" or the long names
// "immediate", "direct", "normal") in any case: its code 3..7, or 0.
uint8_t ParseFlavour(std::string_view word);

}  // namespace zeb
