#include "config/loader.h"

#include "config/paths.h"
#include "log/console.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

bool LoadConfig(const std::string& pathArg) {
  std::string path = pathArg;
  if (path.empty())
    path = HomeDir() + "zeb.ctl";
  else if (path[0] != '/' && path[0] != '\\')
    path = HomeDir() + path;
  path = ExpandPath(path);

  if (!Disk().FileExists(path)) {
    PrintError(Format("Configuration file not found at %s", path.c_str()));
    return false;
  }
  std::string contents, error;
  if (!Disk().ReadFile(path, contents, error)) {
    PrintError(Format("Can't open file %s", path.c_str()));
    return false;
  }
  return true;
}

}  // namespace zeb
