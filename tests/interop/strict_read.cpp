// zeb_strict_read KIND PATH: the tests' strict readers over what real
// programs left on disk, for the FTN interop check. KIND is jam or squish
// (PATH is the base without its extension) or msg or pkt (PATH is the
// directory). Prints each message text after a line "--- message N"; exits 1
// naming the first fault, or when a JAM header counts fewer active messages
// than its index holds.
#include <cstdio>
#include <string>

#include "msgbase/strict_readers.h"

int main(int argc, char** argv) {
  using namespace zeb::test;
  if (argc != 3) {
    std::fprintf(stderr, "usage: zeb_strict_read jam|squish|msg|pkt PATH\n");
    return 2;
  }
  const std::string kind = argv[1], path = argv[2];
  const bool base = kind == "jam" || kind == "squish";
  const std::string dir = base ? path.substr(0, path.rfind('/')) : path;
  TDiskImage disk;
  std::string error;
  if (!LoadDiskImage(dir, disk, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const TStrictRead read = kind == "jam"      ? ReadJamStrict(disk, path)
                           : kind == "squish" ? ReadSquishStrict(disk, path)
                                              : ReadFilesStrict(disk, path, kind);
  if (read.Error.empty() && read.ActiveCountLags) error = "the base header counts one active message less than the index";
  if (!read.Error.empty()) error = read.Error;
  if (!error.empty()) {
    std::fprintf(stderr, "%s %s: %s\n", kind.c_str(), path.c_str(), error.c_str());
    return 1;
  }
  for (size_t n = 0; n < read.Texts.size(); ++n) std::printf("--- message %zu\n%s\n", n + 1, read.Texts[n].c_str());
  return 0;
}
