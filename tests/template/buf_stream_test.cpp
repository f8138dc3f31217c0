// The byte buffer with position and optional file.
#include <gtest/gtest.h>

#include "fake_disk.h"
#include "template/buf_stream.h"

namespace zeb::test {
namespace {

TEST(BufStream, WriteEndsTheContentWhereTheWriteEnded) {
  TBufStream s;
  s.Write("hello world");
  s.Seek(TBufStream::kFromStart, 5);
  s.Write("!");
  EXPECT_EQ(s.Text(), "hello!");
  EXPECT_EQ(s.Position(), 6u);
}

TEST(BufStream, SeekIsClampedAndReadStopsAtTheEnd) {
  TBufStream s = StreamFromText("abcdef");
  EXPECT_EQ(s.Position(), 0u);
  s.Seek(TBufStream::kFromEnd, 2);
  EXPECT_EQ(s.Position(), 4u);
  s.Seek(TBufStream::kFromCurrent, 100);
  EXPECT_EQ(s.Position(), 6u);
  s.Seek(TBufStream::kFromCurrent, -100);
  EXPECT_EQ(s.Position(), 0u);
  char buf[8];
  EXPECT_EQ(s.Read(4, buf), 4u);
  EXPECT_EQ(s.Read(8, buf), 2u);
  EXPECT_EQ(ReadAll(s), "");
  s.Seek(TBufStream::kFromStart, 2);
  EXPECT_EQ(ReadAll(s), "cdef");
  EXPECT_EQ(ReadAll(s), "") << "a second ReadAll gives the empty text";
}

TEST(BufStream, OpenLoadsOrCreatesAndSaveAsReplaces) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  disk.AddFile("/d/in.txt", "content");
  std::string error;
  TBufStream in;
  ASSERT_TRUE(in.Open(true, OpenMode::Read, "/d/in.txt", error));
  EXPECT_EQ(in.Text(), "content");
  TBufStream missing;
  ASSERT_TRUE(missing.Open(true, OpenMode::Read, "/d/new.tpl", error));
  EXPECT_EQ(missing.Size(), 0u);
  EXPECT_TRUE(disk.Has("/d/new.tpl")) << "a missing file is created empty";
  disk.AddFile("/d/out.txt", "old old old");
  ASSERT_TRUE(in.SaveAs("/d/out.txt"));
  EXPECT_EQ(*disk.Contents("/d/out.txt"), "content");
}

TEST(BufStream, WritableFileGetsTheBufferOnDestruction) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  disk.AddDir("/d");
  std::string error;
  {
    TBufStream s;
    ASSERT_TRUE(s.Open(false, OpenMode::ReadWrite, "/d/w.txt", error));
    s.Write("abc");
  }
  EXPECT_EQ(*disk.Contents("/d/w.txt"), "abc");
  {
    TBufStream s;
    ASSERT_TRUE(s.Open(true, OpenMode::Read, "/d/w.txt", error));
    s.Write("zzzz");
  }
  EXPECT_EQ(*disk.Contents("/d/w.txt"), "abc") << "a file opened for reading is never written";
}

}  // namespace
}  // namespace zeb::test
