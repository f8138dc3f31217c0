// Exclusive creation and the message-base record lock on the real disk. The
// lock belongs to a process, so another process (a child) holds it here.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "platform/disk.h"
#include "scratch_dir.h"

namespace zeb {
namespace {

class FileLockTest : public ::testing::Test, protected test::ScratchDir {
 protected:
  // A child process that takes the lock on `path`, tells us, and keeps it
  // until `holdMs` have passed.
  pid_t HoldLockInChild(const std::string& path, int holdMs) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
      std::string error;
      auto file = RealDisk().OpenFile(path, OpenMode::ReadWrite, error);
      const char ok = file && file->Lock(0) ? 'y' : 'n';
      if (write(ready[1], &ok, 1) != 1) _exit(2);
      usleep(static_cast<useconds_t>(holdMs) * 1000);
      _exit(0);
    }
    char ok = 'n';
    if (read(ready[0], &ok, 1) != 1 || ok != 'y') ok = 'n';
    close(ready[0]);
    close(ready[1]);
    return ok == 'y' ? pid : -1;
  }
};

TEST_F(FileLockTest, CreateNewNeverReplacesAFile) {
  std::string error;
  const std::string path = Dir() + "/1.msg";
  auto first = RealDisk().OpenFile(path, OpenMode::CreateNew, error);
  ASSERT_NE(first, nullptr) << error;
  ASSERT_TRUE(first->Write("kept", 4));
  EXPECT_EQ(RealDisk().OpenFile(path, OpenMode::CreateNew, error), nullptr);
  std::string contents;
  ASSERT_TRUE(RealDisk().ReadFile(path, contents, error));
  EXPECT_EQ(contents, "kept");
}

TEST_F(FileLockTest, LockOfAnotherProcessIsWaitedFor) {
  std::string error;
  const std::string path = Dir() + "/base.sqd";
  auto file = RealDisk().OpenFile(path, OpenMode::Create, error);
  ASSERT_NE(file, nullptr) << error;

  pid_t child = HoldLockInChild(path, 3000);
  ASSERT_GT(child, 0);
  EXPECT_FALSE(file->Lock(0)) << "held by the child";
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(file->Lock(0)) << "released when the child ended";
  file->Unlock();

  child = HoldLockInChild(path, 500);
  ASSERT_GT(child, 0);
  EXPECT_TRUE(file->Lock(3)) << "taken on a later try once the child lets go";
  file->Unlock();
  waitpid(child, nullptr, 0);
}

}  // namespace
}  // namespace zeb
