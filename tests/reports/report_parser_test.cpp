// The report parser: its construction, the framing of a template run, the
// line ends of FTN text and storing the result.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <utility>

#include "fixed_clock.h"
#include "outbound/for_queue.h"
#include "report_fixture.h"
#include "reports/make_reports.h"
#include "reports/queue_functions.h"

namespace zeb::test {
namespace {

using ReportParser = ReportFixture;

TEST(ReportTextUnits, CharactersOnlyForACharsetOfUtf8InAnyCase) {
  const struct {
    const char* Charset;
    size_t Length;
  } kCases[] = {{"UTF-8 4", 1}, {"utf-8 4", 1}, {"Utf-8", 1}, {"", 2}, {"CP866 2", 2}, {"UTF-8x 4", 2}};
  for (const auto& c : kCases) {
    TReport report;
    report.Charset = c.Charset;
    EXPECT_EQ(TextUnitsOf(report).Length("\u00F6"), c.Length) << c.Charset;
  }
}

TEST_F(ReportParser, SumQueueTotalsAddsTheReportsNodesToWhatItHolds) {
  Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindEchomail, 2000, "/o/a.mo0");
  Merge(Addr(2, 1, 11), kFlavourNormal, kKindFile, 40000, "/o/f.zip");
  Merge(Addr(2, 1, 11), kFlavourNormal, kKindFile, 5, "/o/g.zip");
  Merge(Addr(2, 1, 12), kFlavourNormal, kKindNetmail, 7, "/o/0001000c.out");

  SumQueueTotals(share_);
  EXPECT_EQ(share_.NetmailSize + share_.EchomailSize + share_.FilesSize, 0) << "no share of the queue";

  share_.ReportNodes.emplace({&queue_.NodeFor(Addr(2, 1, 10)), &queue_.NodeFor(Addr(2, 1, 11))});
  share_.FilesCount = 1;
  SumQueueTotals(share_);
  EXPECT_EQ(share_.NetmailSize, 100);
  EXPECT_EQ(share_.NetmailCount, 1);
  EXPECT_EQ(share_.EchomailSize, 2000);
  EXPECT_EQ(share_.EchomailCount, 1);
  EXPECT_EQ(share_.FilesSize, 40005);
  EXPECT_EQ(share_.FilesCount, 3);
}

TEST_F(ReportParser, LinesEndInCrAloneWhateverTheTemplateFileUses) {
  EXPECT_EQ(RunReport("a\nb\n"), "a\rb\r") << "LF-only template";
  EXPECT_EQ(RunReport("a\r\nb\r\n"), "a\rb\r");
  EXPECT_EQ(RunReport("a\nb\r\n"), "ab\r") << "a template with a CR gets no LF turned into CR";
  EXPECT_EQ(RunReport("@lf(on)\r\na\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(RunReport("@lf_to_cr(off)\na\nb\n"), "ab");
  EXPECT_EQ(*disk_.Contents("/r/out.txt"), "ab") << "a file report holds the bare output";
}

TEST_F(ReportParser, ATemplateErrorIsStillFramedAndPosted) {
  disk_.AddDir("/m");
  report_.PostTo.Kind = TPostKind::Msg;
  report_.PostTo.Path = "/m";
  RunReport("Queue\n@mailsize(NX)\nnot reached\n");
  EXPECT_FALSE(disk_.Has("/m/1.msg")) << "the message goes to a new file, 2.msg";
  const std::string* msg = disk_.Contents("/m/2.msg");
  ASSERT_NE(msg, nullptr);
  const std::string tail = "Queue\rBad type of @Format parametr\r--- zeb\r * Origin: Test (2:5020/9999)\r";
  EXPECT_EQ(msg->substr(msg->size() - tail.size() - 1), tail + '\0') << *msg;
  EXPECT_EQ(msg->find("not reached"), std::string::npos);
}

TEST_F(ReportParser, MessageTextsEndInALineEndWithoutNulBytesOrEmptyLines) {
  struct TCase {
    const char* Template;
    std::string Message;  // what every message format stores before the origin
    std::string File;     // what a file report stores (its line ends as LF)
  };
  const TCase cases[] = {
      {"last line", "last line\r--- zeb\r", "last line"},
      {"@lf(on)\r\nline\r\n", "line\r\n--- zeb\r", "line\n"},
      {"a@char(0)b\n@RaiseError(x)\nnot reached", "ab\rUser raise error: x\r--- zeb\r",
       std::string("a\0b\nUser raise error: x\n", 24)},
  };
  const std::pair<TPostKind, const char*> kinds[] = {{TPostKind::Jam, ".jdt"}, {TPostKind::Squish, ".sqd"},
                                                     {TPostKind::Msg, ""},     {TPostKind::Netmail, ""},
                                                     {TPostKind::Pkt, ""},     {TPostKind::File, ""}};
  for (const TCase& c : cases) {
    for (const auto& [kind, ext] : kinds) {
      disk_.Nodes().clear();
      disk_.AddDir("/b");
      report_.PostTo.Kind = kind;
      report_.PostTo.Path = kind == TPostKind::File ? "/b/out.txt" : "/b/q";
      if (kind == TPostKind::Msg || kind == TPostKind::Netmail || kind == TPostKind::Pkt) report_.PostTo.Path = "/b";
      RunReport(c.Template);
      const std::string stored = *disk_.Contents(destination_ + ext);
      const std::string place = std::to_string(static_cast<int>(kind)) + " " + c.Template;
      if (kind == TPostKind::File) {
        EXPECT_EQ(stored, c.File) << place;
      } else {
        EXPECT_NE(stored.find(c.Message + " * Origin"), std::string::npos) << place << "\n" << stored;
      }
    }
  }
}

TEST_F(ReportParser, AMissingTemplateStoresNothingAndTheNextReportFollows) {
  disk_.Fault("/t/locked.tpl").FailOpen = true;
  disk_.AddFile("/t/locked.tpl", "text");
  disk_.AddDir("/t/dir.tpl");
  disk_.AddFile("/t/next.tpl", "next report\n");
  for (TPostKind kind : {TPostKind::Jam, TPostKind::Squish, TPostKind::File, TPostKind::Msg, TPostKind::Netmail,
                         TPostKind::Pkt}) {
    for (const auto& [name, reason] : {std::pair<std::string, std::string>{"/t/missing.tpl", "No such file or directory"},
                                       {"/t/locked.tpl", "Permission denied"},
                                       {"/t/dir.tpl", "Is a directory"}}) {
      const std::string place = std::to_string(static_cast<int>(kind)) + " " + name;
      disk_.AddDir("/b");
      config_.Reports.clear();
      auto failing = std::make_unique<TReport>(report_);
      failing->Template = name;
      failing->PostTo.Kind = kind;
      failing->PostTo.Path = kind == TPostKind::File ? "/b/out.txt" : "/b/queue";
      auto next = std::make_unique<TReport>(report_);
      next->Template = "/t/next.tpl";
      config_.Reports.push_back(std::move(failing));
      config_.Reports.push_back(std::move(next));
      log_.Reset();
      MakeAllReports();
      std::vector<std::string> errors;
      for (const std::string& text : log_.Texts())
        if (text.rfind("Error: ", 0) == 0 || text.rfind("Reason: ", 0) == 0) errors.push_back(text);
      EXPECT_EQ(errors, (std::vector<std::string>{"Error: Can't open template " + name, "Reason: " + reason})) << place;
      EXPECT_FALSE(disk_.Has("/t/missing.tpl")) << place << ": a template is never created";
      for (const auto& [path, node] : disk_.Nodes()) EXPECT_TRUE(path == "/b" || path.rfind("/b/", 0) != 0) << path;
      EXPECT_EQ(*disk_.Contents("/r/out.txt"), "next report\n") << place;
      disk_.Nodes().erase("/r/out.txt");
    }
  }
}

TEST_F(ReportParser, TheNodeWalkAndTheFileWalk) {
  const uint32_t t1 = PackDosDateTime(TDateTime{2026, 3, 9, 23, 4, 6});
  const uint32_t t2 = PackDosDateTime(TDateTime{2026, 3, 10, 7, 30, 0});
  Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut", t1);
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindEchomail, 2000, "/o/out/00010000.mo0", t2);
  Merge(Addr(2, 1, 11, 3), kFlavourHold, kKindFile, 300, "/files/nodelist.zip", t2);
  queue_.NetmailSize = 0;
  queue_.EchomailSize = 0;
  queue_.FilesSize = 4800;  // the queue beyond this report
  ShareWholeQueue();

  const std::string out = RunReport(
      "@queue nodes, @mailsize(t)/@mailsize(nEft) bytes\n"
      "@foreach(@queue)\n"
      "@node @mailsize(N) @mailsize(EF) @files(nef) @percent @flags @pflags @filecount:\n"
      "@foreach(@filecount)\n"
      " @filename @fullfilename @filesize @filedatetime(yyyy-mm-dd hh:nn:ss)\n"
      "@nextfile\n"
      "@end\n"
      "@nextnode\n"
      "@end\n"
      "[@node|@mailsize(nef)|@files(n)|@percent|@flags|@pflags|@filecount|@filename|@filesize|@fdays(1)|@old]\n");
  EXPECT_EQ(out,
            "2 nodes, 0/2400 bytes\r"
            "2:1/10 100 2000 2  43.75    C N         CN 2:\r"
            " 00010000.mo0 /o/out/00010000.mo0 2000 2026-03-10 07:30:00\r"
            " 0001000a.cut /o/0001000a.cut 100 2026-03-09 23:04:06\r"
            "2:1/11.3 0 300 1   6.25       H         H 1:\r"
            " nodelist.zip /files/nodelist.zip 300 2026-03-10 07:30:00\r"
            "[0:0/0.0|0|0|  0.00|          |      |0||0| !|0]\r")
      << out;
}

TEST_F(ReportParser, FileIndexRunsOnUntilFileCountResetsIt) {
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindFile, 1, "/o/a");
  Merge(Addr(2, 1, 11), kFlavourNormal, kKindFile, 2, "/o/b");
  Merge(Addr(2, 1, 11), kFlavourNormal, kKindFile, 3, "/o/c");
  ShareWholeQueue();
  EXPECT_EQ(RunReport("@filesize@nextfile@filesize@nextfile@nextnode@filesize @filecount@filesize@nextfile@nextfile@nextfile@filesize"),
            "102 230") << "after the first node's last file the second node's walk starts at its second";
}

TEST_F(ReportParser, PrepareSelectsNodesByMasksAndRestartsTheWalk) {
  TDomain fidonet;
  fidonet.Name = "fidonet";
  fidonet.Aka = Addr(1, 23, 4);
  report_.Domains.Insert(&fidonet);
  report_.FirstDomain = &fidonet;
  for (const TNetAddr& a : {Addr(1, 23, 45), Addr(1, 23, 45, 3), Addr(1, 23, 100), Addr(3, 10, 1), Addr(3, 11, 1), Addr(5, 23, 4)})
    Merge(a, kFlavourNormal, kKindNetmail, 1, "/o/p");
  ShareWholeQueue();

  EXPECT_EQ(RunReport("@prepare()|@node|@queue"), "0|1:23/45|6") << "an empty mask text changes nothing";
  EXPECT_EQ(RunReport("@prepare(!3:10/*)|@node"), "0|0:0/0.0") << "exclusions alone keep nothing";
  EXPECT_EQ(RunReport("@prepare(*:*/*.*,!3:10/*)@foreach(5)@node,@nextnode@end|@queue"),
            "51:23/45,1:23/45.3,1:23/100,3:11/1,5:23/4,|6");
  EXPECT_EQ(RunReport("@prepare(1:23/*,!/45)@foreach(@prepare(3:*/*))@node,@nextnode@end"), "13:10/1,3:11/1,")
      << "a second @prepare rebuilds the list and restarts the walk";
  EXPECT_EQ(RunReport("@nextnode@nextnode@prepare(\"*\")@node|@prepare(.3)@node"), "61:23/45|00:0/0.0")
      << "a lone * matches every address";
  EXPECT_EQ(RunReport("@nextnode@prepare('1:23/45.3')@node"), "11:23/45.3");
  EXPECT_EQ(RunReport("@address|@prepare(*)@prepare(*:*)@prepare(*:*/*)@prepare(/*)"), "1:23/4|6663");
  EXPECT_EQ(RunReport("@prepare(1:23/65537)"), "Bad type of @Mask parametr");
  share_.ReportNodes.reset();
  EXPECT_EQ(RunReport("@prepare(*:*/*.*)|@queue|@node|@nextnode@node"), "0|0|0:0/0.0|0:0/0.0");
}

TEST_F(ReportParser, SysopAgesByKindAndTheStepBudget) {
  FixedClock clock(2026, 1, 2, 0, 0, 0);
  production_.Sysop = "Joe Sysop";
  report_.MaxSteps = 30;  // a loop that never ends spends them
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindNetmail, 1, "/o/a", PackDosDateTime({2026, 1, 1, 12, 0, 0}));
  Merge(Addr(2, 1, 1), kFlavourRequest, kKindFile, 1, "/o/b.req");
  ShareWholeQueue();
  EXPECT_EQ(RunReport("@sysop|@age(N)|@age(nr)|[@age(E)]|@while(1)@end"),
            "Joe Sysop|43200|86400|[]|Template stopped after 30 steps\r");
}

TEST_F(ReportParser, QueueFunctionsChangeNothingWhereOutputIsOff) {
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindFile, 1, "/o/a");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindFile, 2, "/o/b");
  Merge(Addr(2, 1, 11), kFlavourNormal, kKindFile, 3, "/o/c");
  Merge(Addr(2, 1, 12), kFlavourNormal, kKindFile, 4, "/o/d");
  ShareWholeQueue();
  // Each template gives what it gives without its branch not taken or its
  // loop body that does not run. @about alternates over the whole run, so
  // both sides call it equally often.
  const std::pair<const char*, const char*> cases[] = {
      {"@if(1,=,2)@nextnode@end[@node]", "[@node]"},
      {"@foreach(0)@nextnode@end[@node]", "[@node]"},
      {"@for(@i, 2, 1)@nextnode@end[@node]", "[@node]"},
      {"@if(1,=,2)@if(@nextnode@queue,=,3)@end@end[@node]", "[@node]"},
      {"@alias(@step, @nextnode)@if(1,=,2)@step@end[@node]", "[@node]"},
      {"@if(1,=,2)@foreach(@prepare(2:1/12))@end@prepare(2:1/12)@else@foreach(@queue)@node,@nextnode@end@end",
       "@foreach(@queue)@node,@nextnode@end"},
      {"@about|@if(1,=,2)@about@end@about", "@about|@about"},
      {"@filecount@nextfile@if(1,=,2)@filecount@end@filename", "@filecount@nextfile@filename"},
      {"@filecount@foreach(0)@nextfile@end@filename", "@filecount@filename"},
      {"@if(1,=,2)@mailsize(x)@files(y)@end ok", " ok"},
      {"@foreach(0)@mailsize(x)@end ok", " ok"},
  };
  for (const auto& [withDeadCode, without] : cases) EXPECT_EQ(RunReport(withDeadCode), RunReport(without)) << withDeadCode;
  EXPECT_EQ(RunReport("@if(1,=,2)@nextnode@end[@node]"), "[2:1/10]");
}

TEST_F(ReportParser, MailsizeAndFilesEvaluateTheirLettersAndRejectOthers) {
  Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  ShareWholeQueue();
  EXPECT_EQ(RunReport("@define(@k, N)@mailsize(@k)|@files(\"n\")|@mailsize()|@files(NT)"), "100|1|0|1");
  EXPECT_EQ(RunReport("a @files(nx) b"), "a Bad type of @Format parametr");
  EXPECT_EQ(RunReport("@if(1,=,2)@mailsize(q)@end after"), " after") << "nothing in a branch not taken";
}

TEST_F(ReportParser, AboutAlternatesAcrossReports) {
  const std::string text = "Zebrant (Win32) V3.05  by the zeb developers";
  const std::string rule(text.size(), '\xC4');
  const std::string first = RunReport("@about|@about|@about");
  const std::string second = RunReport("@about");
  if (first.rfind(text, 0) == 0) {
    EXPECT_EQ(first, text + "|" + rule + "|" + text);
    EXPECT_EQ(second, rule);
  } else {
    EXPECT_EQ(first, rule + "|" + text + "|" + rule);
    EXPECT_EQ(second, text);
  }
  EXPECT_EQ(NextAboutText(production_.AboutRule), second == text ? rule : text);
}

TEST_F(ReportParser, MakeReportsProducesEveryReportInOrderAndLogsItsTime) {
  MakeAllReports();
  std::vector<std::string> texts = log_.Texts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "Make reports");
  EXPECT_EQ(texts[1].rfind("All reports maked after ", 0), 0u) << texts[1];
  EXPECT_TRUE(log_.Contains("Control point - 1"));

  disk_.AddFile("/t/a.tpl", "A @queue @mailsize(nt)\n");
  disk_.AddFile("/t/b.tpl", "B @queue\n");
  for (const char* name : {"a", "b"}) {
    auto report = std::make_unique<TReport>();
    report->Template = std::string("/t/") + name + ".tpl";
    report->PostTo.Kind = TPostKind::File;
    report->PostTo.Path = std::string("/r/") + name + ".txt";
    config_.Reports.push_back(std::move(report));
  }
  Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  TReportShare first;
  first.ReportNodes.emplace({&queue_[0]});
  SumQueueTotals(first);
  MakeAllReports({first});
  EXPECT_EQ(*disk_.Contents("/r/a.txt"), "A 1 100\n");
  EXPECT_EQ(*disk_.Contents("/r/b.txt"), "B 0\n") << "a report without a share of the queue is still made";
}

// Every kind of destination, two *.MSG reports in one directory, and @about
// called an odd number of times by some reports (which turns the next
// report's first @about into the rule), in a walk by another, and named in
// the text of one that does not call it (so that the turn the next one is
// made on proves wrong and it is made again).
TEST_F(ReportParser, ReportsMadeSideBySideAreTheReportsMadeOneByOne) {
  FixedClock clock(2026, 12, 7, 12, 0, 0);
  for (uint16_t node = 1; node <= 3; ++node)
    Merge(Addr(2, 5020, node), kFlavourCrash, kKindNetmail, 100 * node, Format("/o/13ec%.4x.cut", node));
  const std::pair<TPostKind, const char*> reports[] = {
      {TPostKind::File, "/r/a.txt"}, {TPostKind::Jam, "/j/area"}, {TPostKind::Msg, "/m"},
      {TPostKind::Squish, "/s/area"}, {TPostKind::Msg, "/m"}, {TPostKind::Pkt, "/p"}};
  // The first report is slow, so that with several workers the next ones
  // are made while it runs.
  const char* templates[] = {"@for(@i, 1, 20000)@end@about\n@foreach(@queue)@node @mailsize(n)\n@nextnode\n@end",
                             "@foreach(@queue)@node @about\n@nextnode\n@end", "plain @queue, no about\n",
                             "@about\n@ABOUT\n@about\n", "@queue @files(tn)\n", "@about\n"};
  config_.MsgIdFile = "/r/zeb.msgid";
  for (size_t i = 0; i < std::size(reports); ++i) {
    auto report = std::make_unique<TReport>(report_);
    report->PostTo.Kind = reports[i].first;
    report->PostTo.Path = reports[i].second;
    report->Template = Format("/t/%zu.tpl", i);
    disk_.AddFile(report->Template, templates[i]);
    config_.Reports.push_back(std::move(report));
  }
  for (const char* dir : {"/j", "/m", "/s", "/p"}) disk_.AddDir(dir);
  ShareWholeQueue();
  SumQueueTotals(share_);
  const std::vector<TReportShare> shares(config_.Reports.size(), share_);
  const std::map<std::string, FakeDisk::Node> before = disk_.Nodes();
  const auto run = [&](unsigned workers) {
    disk_.Nodes() = before;
    MakeReports(config_, queue_, shares, workers);
    std::map<std::string, std::string> files;
    for (const auto& [path, node] : disk_.Nodes())
      if (!node.Directory && !before.count(path)) files[path] = node.Data;
    return files;
  };
  const std::map<std::string, std::string> oneByOne = run(1);
  EXPECT_EQ(oneByOne.size(), 11u) << "every report stored, the *.MSG ones under two numbers, and the MSGID file";
  for (const unsigned workers : {2u, 4u}) {
    std::map<std::string, std::string> sideBySide = run(workers);
    for (const auto& [path, data] : oneByOne) EXPECT_EQ(sideBySide[path], data) << path << ", " << workers << " workers";
    EXPECT_EQ(sideBySide.size(), oneByOne.size());
  }
}

TEST_F(ReportParser, TheMsgIdFileKeepsTheLastSerialAndAFileThatFailsOnlyLogs) {
  struct TCase {
    const char* Name;
    std::function<void(FakeDisk&)> Setup;
    const char* Error;  // the one error logged and its reason, or empty
  };
  const TCase cases[] = {
      {"stored", [](FakeDisk& d) { d.AddFile("/s/zeb.msgid", "f8000000\n"); }, ""},
      {"missing", [](FakeDisk&) {}, ""},
      {"not a serial", [](FakeDisk& d) { d.AddFile("/s/zeb.msgid", "zebra"); }, ""},
      {"directory", [](FakeDisk& d) { d.AddDir("/s/zeb.msgid"); }, "Error: Can't create file /s/zeb.msgid\nReason: File exists"},
      {"unreadable",
       [](FakeDisk& d) {
         d.AddFile("/s/zeb.msgid", "7fffffff\n");
         d.Fault("/s/zeb.msgid").FailOpen = true;
       },
       "Error: Can't open file /s/zeb.msgid\nReason: Permission denied"},
      {"locked",
       [](FakeDisk& d) {
         d.AddFile("/s/zeb.msgid", "7fffffff\n");
         d.Fault("/s/zeb.msgid").Locked = true;
       },
       "Error: Can't lock file /s/zeb.msgid\nReason: Resource temporarily unavailable"},
  };
  const std::regex msgId("\x01MSGID: \\S+ ([0-9a-f]{8})\r");
  for (const TCase& c : cases) {
    disk_.Nodes().clear();
    disk_.AddDir("/s");
    disk_.AddDir("/b");
    disk_.AddFile("/t/a.tpl", "text\n");
    disk_.Fault("/s/zeb.msgid") = {};
    c.Setup(disk_);
    config_.Reports.clear();
    config_.MsgIdFile = "/s/zeb.msgid";
    for (int i = 0; i < 2; ++i) {
      auto report = std::make_unique<TReport>(report_);
      report->Template = "/t/a.tpl";
      report->PostTo.Kind = TPostKind::Msg;
      report->PostTo.Path = "/b";
      config_.Reports.push_back(std::move(report));
    }
    log_.Reset();
    MakeAllReports();
    std::string errors;
    std::vector<std::string> serials;
    for (const std::string& text : log_.Texts())
      if (text.rfind("Error: ", 0) == 0 || text.rfind("Reason: ", 0) == 0) errors += (errors.empty() ? "" : "\n") + text;
    EXPECT_EQ(errors, c.Error) << c.Name;
    for (const char* name : {"/b/2.msg", "/b/3.msg"}) {
      std::smatch m;
      const std::string* msg = disk_.Contents(name);
      ASSERT_TRUE(msg && std::regex_search(*msg, m, msgId)) << c.Name << " " << name;
      serials.push_back(m[1]);
    }
    EXPECT_LT(serials[0], serials[1]) << c.Name;
    if (c.Error[0] == 0) {
      EXPECT_EQ(*disk_.Contents("/s/zeb.msgid"), serials[1] + "\n") << c.Name;
    }
    if (c.Name == std::string("stored")) {
      EXPECT_GT(serials[0], "f8000000") << "past the stored serial, later than the clock";
    }
  }
}

}  // namespace
}  // namespace zeb::test
