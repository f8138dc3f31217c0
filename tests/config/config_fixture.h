// A configuration test bed: a fake disk with the program in /opt/zeb/, an
// empty configuration and its loader, and the lines the loader logged.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/domains.h"
#include "config/loader.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "log/logger.h"
#include "fake_disk.h"
#include "log/log_queue.h"

namespace zeb::test {

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHomeDir("/opt/zeb/");
    ResetLoader();
    TakeLogRecords();
  }

  // A new loader at top level with no open section; the configuration
  // keeps what earlier loads gave it.
  void ResetLoader(int commandLineLogLevel = -1) { loading_.emplace(config_, StartLogger, commandLineLogLevel); }

  // Writes /opt/zeb/<name> and loads it.
  bool Load(const std::string& text, const std::string& name = "zeb.ctl") {
    disk_.AddFile("/opt/zeb/" + name, text);
    return LoadConfig(*loading_, name);
  }

  // The texts logged since the last call.
  std::vector<std::string> Logged() {
    std::vector<std::string> texts;
    for (const auto& rec : TakeLogRecords()) texts.push_back(rec->Text);
    return texts;
  }

  TMainConfig config_;
  std::optional<TLoadContext> loading_;
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
};

using Lines = std::vector<std::string>;

}  // namespace zeb::test
