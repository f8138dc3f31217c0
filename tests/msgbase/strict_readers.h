// Strict readers of the message bases and directories the writers fill, for
// the fault and crash tests: every count, link and offset is checked, and
// the first thing wrong is named. They return the message texts in order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fake_disk.h"

namespace zeb::test {

struct TStrictRead {
  std::string Error;  // empty when the base is sound
  std::vector<std::string> Texts;
  // JAM only: the active-message count of the base header is one short of
  // the index (see ReadJamStrict).
  bool ActiveCountLags = false;
  bool UncountedFrameLinked = false;  // Squish only: see ReadSquishStrict
};

using TDiskImage = std::map<std::string, FakeDisk::Node>;

// The files and folders under the real directory `dir` keyed by full path,
// for judging what zeb (or another program) wrote to the real disk.
TDiskImage LoadDirectory(const std::string& dir);

// A Squish base `path`.sqd/.sqi. Missing or empty files make an empty base.
// The header counts n messages; the chain from the first frame holds
// exactly n whole frames linked both ways, the n-th being the last one; the
// index holds at least n records, the first n naming those frames and their
// message ids (records past n are ignored, as readers do). The last frame's
// forward link is 0, or (UncountedFrameLinked: an append stopped between the
// link and the header that counts it) names a whole frame inside the used
// data that links back to it and ends the chain.
TStrictRead ReadSquishStrict(const TDiskImage& disk, const std::string& path);

// A JAM base `path`.jhr/.jdt/.jdx. Missing or empty files make an empty
// base. Every index record names a message header inside the header file
// whose number is the base number plus its position, whose subfields end
// inside the header file and whose text lies inside the text file. The
// active count of the base header equals the number of records, or is one
// short of it (ActiveCountLags): the index record and the base header are
// two writes, and the record goes first.
TStrictRead ReadJamStrict(const TDiskImage& disk, const std::string& path);

// The files of `dir` named *.msg or *.pkt (by `ext`), in name order: each
// must be a whole message (*.msg: 190-byte header, text ending in NUL) or a
// whole packet (58-byte header, message type 2, ending in the two-NUL mark).
TStrictRead ReadFilesStrict(const TDiskImage& disk, const std::string& dir, const std::string& ext);

}  // namespace zeb::test
