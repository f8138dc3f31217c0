#include <gtest/gtest.h>

#include "outbound/dir_lookup.h"
#include "outbound/list_file.h"
#include "outbound/scan_entry.h"
#include "scan_fixture.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

class ListFileScan : public ScanTest {
 protected:
  const TNetAddr node_{0, 10, 1, 2};
};

TEST_F(ListFileScan, PrefixesBlanksAndLineEnds) {
  const uint32_t t = Dos(2026, 7, 7);
  for (const char* name : {"a.zip", "b.zip", "c.su0", "d.tic", "e.txt", "f.zip"})
    disk_.AddFile(std::string("/files/") + name, name, t);
  disk_.AddFile("/out/0001000a.clo",
                "~/files/a.zip\r\n"
                "^/files/b.zip\r\n"
                "#/files/c.su0\n"
                " \t/files/d.tic\n"
                "\n"
                "   \r\n"
                "\\files\\e.txt   \n"
                "/files/missing.zip\n"
                "/files/f.zip");  // the last line has no line end
  const uint32_t before = CurrentDosTime();
  ScanListFile(list_, scan_, 4, "/out/0001000a.clo", node_);
  const uint32_t after = CurrentDosTime();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/10 C file /files/b.zip 5",
                           "2:1/10 C echomail /files/c.su0 5",
                           "2:1/10 C file /files/d.tic 5",
                           "2:1/10 C file /files/e.txt 5",
                           "2:1/10 C file /files/f.zip 5",
                       }));
  EXPECT_EQ(list_[1].Time, t) << "bundles keep their own time";
  EXPECT_EQ(list_[2].Time, t) << "TIC files keep their own time";
  for (size_t i : {0, 3, 4}) {
    EXPECT_GE(list_[i].Time, before);
    EXPECT_LE(list_[i].Time, after);
  }
  EXPECT_TRUE(Logged("1:File not found on path /files/missing.zip"));
  EXPECT_TRUE(Logged("3:\u25BA Echomail for 2:1/10 with size 5"));
  EXPECT_TRUE(Logged("3:\u25BA File for 2:1/10 with size 5"));
  EXPECT_FALSE(Logged("1:File not found on path /files/a.zip"));
}

// A scan holds the directories it looks into open and lists a directory
// once for names that differ in case; what it finds must not change.
TEST_F(ListFileScan, LookupsHeldForTheScanFindWhatSingleLookupsFind) {
  const uint32_t t = Dos(2026, 7, 7);
  disk_.AddFile("/files/UPPER.ZIP", "12", t);
  disk_.AddFile("/files/Mixed.Zip", "123", t);
  disk_.AddFile("/files/exact.zip", "1", t);
  disk_.AddFile("/out/0001000a.hlo",
                "/files/upper.zip\n/files/MIXED.ZIP\n/files/exact.zip\n/files/missing.zip\n/nodir/x.zip\n"
                "/files/upper.zip\n");
  ScanListFile(list_, scan_, 7, "/out/0001000a.hlo", node_);
  const Lines single = Records();
  const Lines expected{"2:1/10 H file /files/UPPER.ZIP 2", "2:1/10 H file /files/Mixed.Zip 3",
                       "2:1/10 H file /files/exact.zip 1", "2:1/10 H file /files/UPPER.ZIP 2"};
  EXPECT_EQ(single, expected);
  list_.Clear();
  TScanContext held(false, true);
  ScanListFile(list_, held, 7, "/out/0001000a.hlo", node_);
  EXPECT_EQ(Records(), expected);
  EXPECT_TRUE(Logged("1:File not found on path /nodir/x.zip"));
  list_.Clear();
  // Again from what the first pass holds.
  ScanListFile(list_, held, 7, "/out/0001000a.hlo", node_);
  EXPECT_EQ(Records(), expected);
}

TEST_F(ListFileScan, MissingListFileIsLogged) {
  ScanListFile(list_, scan_, 6, "/out/0001000a.flo", node_);
  EXPECT_EQ(list_.Count(), 0u);
  EXPECT_EQ(Log(), (Lines{"1:Can't access to file fo 2:1/10 at /out/0001000a.flo", "1:Reason: No such file or directory"}));
}

TEST_F(ListFileScan, LinesOfAnyLength) {
  std::string deep = "/files";
  for (int i = 0; i < 40; ++i) deep += "/directory" + std::to_string(i);
  deep += "/name.zip";
  ASSERT_GT(deep.size(), 400u);
  disk_.AddFile(deep, "1234567");
  const std::string missing = "/files/" + std::string(5000, 'x');
  disk_.AddFile("/out/list.flo", missing + "\n" + deep + "\n");
  ScanListFile(list_, scan_, 6, "/out/list.flo", node_);
  EXPECT_EQ(Records(), (Lines{"2:1/10 N file " + deep + " 7"}));
  EXPECT_TRUE(Logged("1:File not found on path " + missing));
}

TEST_F(ListFileScan, ListedNamesMatchWithoutRegardToCase) {
  disk_.AddFile("/files/Report.TXT", "12");
  disk_.AddFile("/out/list.flo", "/files/report.txt\n/FILES/report.txt\n");
  ScanListFile(list_, scan_, 7, "/out/list.flo", node_);
  EXPECT_EQ(Records(), (Lines{"2:1/10 H file /files/Report.TXT 2"}));
  EXPECT_TRUE(Logged("1:File not found on path /FILES/report.txt")) << "only the name itself, not its directories";
  EXPECT_TRUE(Logged("3:Analyse Report.TXT"));
}

}  // namespace
}  // namespace zeb::test
