// A scratch folder on the real disk for the tests that need one: made empty
// under /tmp when the test starts and removed, with everything in it, when
// it ends. Fixtures derive from it to get Dir, Path, Write and Read.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace zeb::test {

class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/zeb-test-XXXXXX";
    // Without a folder of its own a test would write into the paths it
    // names from the root up.
    if (mkdtemp(pattern) == nullptr) {
      std::perror(pattern);
      std::abort();
    }
    dir_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Dir() const { return dir_; }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // Writes `text` byte for byte to `name`, making the folders on its way.
  void Write(const std::string& name, const std::string& text) const {
    std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
    std::ofstream(Path(name), std::ios::binary) << text;
  }
  // The bytes of `name`; empty when it cannot be read.
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  std::string dir_;
};

}  // namespace zeb::test
