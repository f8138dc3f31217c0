// The drive functions: letters name no drive here, paths name the file
// system that holds them.
#include <gtest/gtest.h>

#include "fake_volumes.h"
#include "run_functions.h"

namespace zeb::test {
namespace {

const char kAll[] = "@drvvalid(%s)|@drvlabel(%s)|@drvsize(%s)|@drvfree(%s)|@drvfs(%s)|@drvfreeprc(%s)|";

std::string AllFor(const std::string& drive) {
  std::string text;
  for (const char* p = kAll; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      text += drive;
      ++p;
    } else {
      text += *p;
    }
  }
  return RunFunctions(text);
}

class DriveFunctions : public ::testing::Test {
 protected:
  FakeVolumes volumes_;
  ScopedVolumes scoped_{volumes_};
};

TEST_F(DriveFunctions, LettersAndOtherTextsAreInvalidDrives) {
  volumes_.Add("C", {100, 50, "/", "ext4"});
  for (const char* drive : {"C", "c", "CD", "", "\"C\"", "fido"})
    EXPECT_EQ(AllFor(drive), "FALSE|No label|0|0|||") << drive;
  EXPECT_EQ(volumes_.Queries(), 0) << "only paths are looked up";
}

TEST_F(DriveFunctions, PathsReportTheirFileSystem) {
  volumes_.Add("/var/spool/fido", {10000, 4217, "/var", "ext4"});
  EXPECT_EQ(AllFor("/var/spool/fido"), "TRUE|/var|10000|4217|ext4| 42.17|");
  EXPECT_EQ(AllFor(" \"/var/spool/fido\" "), "TRUE|/var|10000|4217|ext4| 42.17|");
  EXPECT_EQ(RunFunctions("@define(@out, /var/spool/fido)@drvfree(@out)"), "4217");
  EXPECT_EQ(AllFor("/nowhere"), "FALSE|No label|0|0|||");
}

TEST_F(DriveFunctions, MissingLabelsTypesAndFigures) {
  volumes_.Add("/a", {0, 0, "", ""});
  EXPECT_EQ(AllFor("/a"), "TRUE|No label|0|0|Invalid drive letter!|  0.00|");
  volumes_.Add("/b", {-1, -1, "/b", "xfs"});
  EXPECT_EQ(AllFor("/b"), "FALSE|No label|0|0|||") << "both figures unknown";
  volumes_.Add("/c", {3, 3, "/", "tmpfs"});
  EXPECT_EQ(RunFunctions("@drvfreeprc(/c)"), "100.00");
  volumes_.Add("/d", {3, 1, "/", "tmpfs"});
  EXPECT_EQ(RunFunctions("@drvfreeprc(/d)"), " 33.33");
  volumes_.Add("/e", {32, 1, "/", "tmpfs"});
  EXPECT_EQ(RunFunctions("@drvfreeprc(/e)"), "  3.13") << "3.125 rounds away from zero";
}

TEST(DriveFunctionsOnTheRealSystem, RootIsAValidDrive) {
  EXPECT_EQ(RunFunctions("@drvvalid(/)@drvlabel(/)"), "TRUE/");
  EXPECT_FALSE(RunFunctions("@drvfs(/)").empty());
  EXPECT_EQ(RunFunctions("@drvfreeprc(/)").size(), 6u);
  EXPECT_EQ(RunFunctions("@drvvalid(/no/such/dir/at/all)"), "FALSE");
}

TEST(FindMount, TakesTheLongestMountPointThatHoldsThePath) {
  const char kMountInfo[] =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "30 22 0:26 / /var rw shared:5 master:2 - xfs /dev/sdb1 rw\n"
      "31 22 0:27 / /var/sp rw - tmpfs tmpfs rw\n"
      "32 22 0:28 / /mnt/my\\040disk rw - vfat /dev/sdc1 rw\n"
      "33 30 0:29 / /var rw - btrfs /dev/sdd1 rw\n";
  std::string point, type;
  ASSERT_TRUE(FindMount(kMountInfo, "/home/fido", point, type));
  EXPECT_EQ(point + " " + type, "/ ext4");
  ASSERT_TRUE(FindMount(kMountInfo, "/var/spool", point, type));
  EXPECT_EQ(point + " " + type, "/var btrfs") << "a later mount hides an earlier one; /var/sp is no parent";
  ASSERT_TRUE(FindMount(kMountInfo, "/var/sp/x", point, type));
  EXPECT_EQ(point + " " + type, "/var/sp tmpfs");
  ASSERT_TRUE(FindMount(kMountInfo, "/mnt/my disk", point, type));
  EXPECT_EQ(point + " " + type, "/mnt/my disk vfat");
  EXPECT_FALSE(FindMount("garbage line\n", "/x", point, type));
}

}  // namespace
}  // namespace zeb::test
