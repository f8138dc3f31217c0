// zeb_strict_read KIND PATH: the tests' strict readers over what real
// programs left on disk, for the FTN interop check. KIND is jam or squish
// (PATH is the base without its extension) or msg or pkt (PATH is the
// directory). Prints each message text after a line "--- message N"; exits 1
// naming the first fault, or the mark an interrupted append leaves (a JAM
// header one active message short, a Squish frame linked but not counted).
#include <cstdio>
#include <filesystem>
#include <string>

#include "msgbase/strict_readers.h"

int main(int argc, char** argv) {
  using namespace zeb::test;
  if (argc != 3) {
    std::fprintf(stderr, "usage: zeb_strict_read jam|squish|msg|pkt PATH\n");
    return 2;
  }
  const std::string kind = argv[1];
  const std::filesystem::path given = std::filesystem::absolute(argv[2]).lexically_normal();
  const std::string path = given.string();
  const std::string dir = kind == "jam" || kind == "squish" ? given.parent_path().string() : path;
  std::error_code missing;
  if (!std::filesystem::is_directory(dir, missing)) {
    std::fprintf(stderr, "%s: no such directory\n", dir.c_str());
    return 1;
  }
  const TDiskImage disk = LoadDirectory(dir);
  std::string error;
  const TStrictRead read = kind == "jam"      ? ReadJamStrict(disk, path)
                           : kind == "squish" ? ReadSquishStrict(disk, path)
                                              : ReadFilesStrict(disk, path, kind);
  if (read.ActiveCountLags) error = "the base header counts one active message less than the index";
  if (read.UncountedFrameLinked) error = "a frame is linked that the base header does not count";
  if (!read.Error.empty()) error = read.Error;
  if (!error.empty()) {
    std::fprintf(stderr, "%s %s: %s\n", kind.c_str(), path.c_str(), error.c_str());
    return 1;
  }
  for (size_t n = 0; n < read.Texts.size(); ++n) std::printf("--- message %zu\n%s\n", n + 1, read.Texts[n].c_str());
  return 0;
}
