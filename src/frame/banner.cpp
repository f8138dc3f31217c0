#include "frame/banner.h"

#include <string>

#include "log/console.h"
#include "support/program_identity.h"
#include "support/thousands.h"

namespace zeb {

void ShowBanner(uint64_t freeMemory) {
  Announce(Color(kYellow) + " " + kProgramTitle + " " + Color(kLightCyan) + kPlatformTag + Color(kLightMagenta) +
           " Version " + kProgramVersion);
  Announce(Color(kWhite) + " " + kBulletMark + " Multithreaded version");
  Announce(Color(kWhite) + " " + kBulletMark + " Available free memory: " + Color(kYellow) +
           GroupThousands(static_cast<int64_t>(freeMemory)));
}

// The designed keys first, then the Linux forms and /da.
void ShowHelp() {
  static const char* const kKeys[][2] = {
      {"/h, /hlp, /help or /?   ", "- display this message"},
      {"/lX  (X=0..4)           ", "- define log level, 0-lower, 4-highest"},
      {"/c, /cfg, /config       ", "- the next parameter is alternativ config"},
      {"/a, /addcfg             ", "- the next parameter is additional config"},
      {"/d                      ", "- work in debug mode"},
      {"--config, --addcfg      ", "- the long forms of /c and /a"},
      {"--help, --version       ", "- this message; the program's version"},
      {"/q, -q, --quiet         ", "- print only errors and reports to con"},
      {"/da                     ", "- trace every directory test of the scan"},
      {"--check                 ", "- make every report and tell how it went; store nothing, write no log"},
      {"--dry-run               ", "- as --check, and show each report's text"},
  };
  PrintLine("");
  PrintLine(Color(kWhite) + "The following keys are supported:");
  for (const auto& key : kKeys) PrintLine(Color(kYellow) + key[0] + Color(kWhite) + key[1]);
  PrintLine("");
}

}  // namespace zeb
