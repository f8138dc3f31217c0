#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "fake_disk.h"
#include "platform/disk.h"
#include "platform/dos_time.h"
#include "platform/wildcard.h"
#include "scratch_dir.h"

namespace zeb {
namespace {

TEST(Wildcard, DosRulesWithoutRegardToCase) {
  EXPECT_TRUE(MatchWildcard("*.msg", "1.MSG"));
  EXPECT_TRUE(MatchWildcard("P.*", "p.003"));
  EXPECT_TRUE(MatchWildcard("outbound.*", "outbound")) << "name.* matches the bare name";
  EXPECT_TRUE(MatchWildcard("*.*", "noext"));
  EXPECT_TRUE(MatchWildcard("0001000?.?ut", "0001000A.CUT"));
  EXPECT_FALSE(MatchWildcard("*.msg", "1.msgx"));
  EXPECT_FALSE(MatchWildcard("?.msg", "12.msg"));
  EXPECT_FALSE(MatchWildcard("outbound.*", "outbounds"));
  EXPECT_TRUE(MatchWildcard("*", ""));
  EXPECT_TRUE(MatchWildcard("a*b*c", "aXXbYYbZc"));
}

TEST(DosTime, PackAndUnpackRoundTrip) {
  TDateTime dt;
  dt.Year = 2026;
  dt.Month = 12;
  dt.Day = 7;
  dt.Hour = 23;
  dt.Minute = 59;
  dt.Second = 59;
  const TDateTime back = UnpackDosDateTime(PackDosDateTime(dt));
  EXPECT_EQ(back.Year, 2026);
  EXPECT_EQ(back.Month, 12);
  EXPECT_EQ(back.Day, 7);
  EXPECT_EQ(back.Hour, 23);
  EXPECT_EQ(back.Minute, 59);
  EXPECT_EQ(back.Second, 58) << "seconds are stored halved";
  TDateTime old;
  old.Year = 1975;
  EXPECT_EQ(PackDosDateTime(old), 0x00210000u) << "before 1980 packs as 1980-01-01 00:00:00";
  EXPECT_EQ(FileTimeToDos(0), 0x00210000u) << "the epoch is before 1980 in every time zone";
}

class RealDiskTest : public ::testing::Test, protected test::ScratchDir {};

TEST_F(RealDiskTest, FindFilesKeepsRealNamesAndFiltersDirectories) {
  Write("0001000A.CUT", "12345");
  Write("readme.txt", "x");
  ASSERT_EQ(mkdir((Dir() + "/P.001").c_str(), 0777), 0);
  ASSERT_EQ(mkfifo((Dir() + "/pipe.cut").c_str(), 0666), 0);

  std::vector<TDirEntry> entries;
  std::string error;
  ASSERT_TRUE(RealDisk().FindFiles(Dir(), "*.cut", 0, entries, error));
  ASSERT_EQ(entries.size(), 1u) << "FIFOs are skipped";
  EXPECT_EQ(entries[0].Name, "0001000A.CUT");
  EXPECT_EQ(entries[0].Size, 5);
  EXPECT_EQ(entries[0].Attr & kAttrArchive, kAttrArchive);
  EXPECT_NE(entries[0].DosTime, 0u);

  entries.clear();
  ASSERT_TRUE(RealDisk().FindFiles(Dir(), "p.*", 0, entries, error));
  EXPECT_TRUE(entries.empty()) << "directories only with the directory attribute";
  ASSERT_TRUE(RealDisk().FindFiles(Dir(), "p.*", kAttrDirectory, entries, error));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "P.001");
  EXPECT_TRUE(entries[0].IsDirectory());

  EXPECT_FALSE(RealDisk().FindFiles(Dir() + "/missing", "*", 0, entries, error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_TRUE(RealDisk().DirExists(Dir()));
  EXPECT_FALSE(RealDisk().FileExists(Dir()));
  EXPECT_TRUE(RealDisk().FileExists(Dir() + "/readme.txt"));
}

TEST_F(RealDiskTest, FilesWriteSeekTruncateAndRead) {
  std::string error;
  const std::string path = Dir() + "/base.sqd";
  auto file = RealDisk().OpenFile(path, OpenMode::Create, error);
  ASSERT_NE(file, nullptr) << error;
  ASSERT_TRUE(file->Write("hello world", 11));
  ASSERT_TRUE(file->Seek(5));
  ASSERT_TRUE(file->Truncate());
  EXPECT_EQ(file->Size(), 5);
  ASSERT_TRUE(file->SeekEnd());
  ASSERT_TRUE(file->Write("!", 1));
  ASSERT_TRUE(file->Close());
  std::string contents;
  ASSERT_TRUE(RealDisk().ReadFile(path, contents, error));
  EXPECT_EQ(contents, "hello!");
  EXPECT_EQ(RealDisk().OpenFile(Dir() + "/none", OpenMode::Read, error), nullptr);
  EXPECT_EQ(error, "No such file or directory");
  auto readOnly = RealDisk().OpenFile(path, OpenMode::Read, error);
  ASSERT_NE(readOnly, nullptr) << error;
  EXPECT_FALSE(readOnly->Write("x", 1));
  EXPECT_EQ(readOnly->Error(), "Bad file descriptor") << "a failed write keeps the system's reason";
}

TEST(FakeDisk, BehavesLikeTheRealSearch) {
  test::FakeDisk disk;
  disk.AddFile("/out/0001000A.CUT", "12345");
  disk.AddDir("/out/P.001");
  std::vector<TDirEntry> entries;
  std::string error;
  ASSERT_TRUE(disk.FindFiles("/out", "*.cut", 0, entries, error));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "0001000A.CUT");
  entries.clear();
  ASSERT_TRUE(disk.FindFiles("/out", "*", kAttrDirectory, entries, error));
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_FALSE(disk.FindFiles("/none", "*", 0, entries, error));
  EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
}  // namespace zeb
