// Whole runs of the zeb executable in a scratch directory of the real disk:
// writing its configuration and templates, running one or more zeb
// processes at once, and reading back what they stored.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "frame/run.h"
#include "msgbase/strict_readers.h"
#include "platform/system.h"
#include "scratch_dir.h"
#include "template/dates.h"

namespace zeb::test {

// The program as the executable runs it, in a child process whose clock
// stands at 2026-12-07 12:00:00 local time, so that two runs date their
// messages alike; its console goes to the file `console`. The child's exit
// status, or -1.
inline int RunZebAtFixedTime(const std::vector<std::string>& params, const std::string& console) {
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    const int out = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(2);
    SetFixedClock(DateToUnix(0, 0, 12, 7, 12, 2026));
    const int status = RunZeb(params);
    fflush(stdout);
    _exit(status);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

class ZebBinaryTest : public ::testing::Test, protected ScratchDir {
 protected:
  // The configuration's head: main address 2:5020/9999@fidonet, the domain,
  // an empty outbound and a log.
  std::string ConfigHead() const {
    std::filesystem::create_directories(Path("out"));
    return "def main\naddress 2:5020/9999@fidonet\nend\n"
           "def domain\nfidonet 2\nend\n"
           "def outbound fidonet\n" + Path("out") + "\nend\n"
           "def log\npath " + Path("zeb.log") + "\nlevel low\nend\n";
  }
  // Runs one zeb process per configuration, all at once, each with the
  // further options; their exit codes (-1 for a process that did not exit).
  // Console output goes to console<i>.txt.
  std::vector<int> RunAll(const std::vector<std::string>& configs, const std::string& options = "") const {
    std::string command;
    for (size_t i = 0; i < configs.size(); ++i) {
      const std::string n = std::to_string(i);
      command += "(" + std::string(ZEB_BINARY) + " /c " + Path(configs[i]) + " " + options + " >" +
                 Path("console" + n + ".txt") + " 2>&1; echo $? >" + Path("rc" + n) + ") & ";
    }
    command += "wait";
    const int status = std::system(command.c_str());
    std::vector<int> codes;
    for (size_t i = 0; i < configs.size(); ++i) {
      const std::string rc = Read("rc" + std::to_string(i));
      codes.push_back(WIFEXITED(status) && !rc.empty() ? std::atoi(rc.c_str()) : -1);
    }
    return codes;
  }
  int Run(const std::string& config, const std::string& options = "") const { return RunAll({config}, options)[0]; }
};

}  // namespace zeb::test
