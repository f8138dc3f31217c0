// What the readers of other programs' configuration files (binkd's, husky's
// fidoconfig, crashmail's prefs) share: the notes on lines that cannot be
// used, addresses as those files write them, and a reader of files with
// includes that knows which file and line it is at.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/net_addr.h"

namespace zeb {

class DiskInterface;

// A line of a keyword zeb reads that could not be understood or names
// something not usable here; the line (or the unusable part of it) is left
// out of the result.
struct TConfigNote {
  std::string File;
  int Line = 0;
  std::string Text;
};

// An address with the name of the domain it belongs to (empty where the
// file leaves that to the reader of the result).
struct TDomainAddress {
  TNetAddr Addr;
  std::string Domain;
};

// A number of an address part: decimal digits only, at most 65535.
bool ParseAddrPart(std::string_view text, uint16_t& value);

// An address as written: [[zone:]net/]node[.point][@domain].
struct TWrittenAddr {
  TNetAddr Addr;
  bool HasZone = false;
  bool HasNet = false;
  std::string Domain;
};

// False when a part is not a number, a zone comes without a net, or a
// domain without a zone.
bool ParseWrittenAddr(std::string_view text, TWrittenAddr& out);

// A path as the other program uses it on this system, with "\" read as "/";
// false for a path that only means something elsewhere: one with a drive
// letter, or a network share.
bool UsablePath(std::string& path);

// Reads a file and the files it includes line by line, catching include
// loops; File() and Line() tell where a line came from.
class TLineFileReader {
 public:
  TLineFileReader(DiskInterface& disk, std::string& error) : disk_(disk), error_(error) {}
  virtual ~TLineFileReader() = default;

  // False with the error set when the file cannot be read, the includes form
  // a loop, or ReadLine returned false.
  bool ReadFile(const std::string& path);

 protected:
  // One line without its line end; false stops all reading.
  virtual bool ReadLine(std::string_view line) = 0;

  const std::string& File() const { return file_; }
  int Line() const { return line_; }
  // An include's path: a relative one is taken from the including file's
  // directory.
  std::string IncludePath(const std::string& path) const;

 private:
  DiskInterface& disk_;
  std::string& error_;
  std::vector<std::string> loading_;  // the files being read, outermost first
  std::string file_;
  int line_ = 0;
};

// An echo, local or netmail area of a tosser's configuration.
enum class TAreaBase : uint8_t { Msg, Squish, Jam, Passthrough };
struct TTosserArea {
  std::string Tag;
  bool Netmail = false;
  TAreaBase Base = TAreaBase::Msg;
  std::string Path;      // the base without extension, or the *.MSG directory
  TDomainAddress Aka;    // the tosser's address in the area; empty: the main one
};

// Splits a line into words at blanks; a double quote opens or closes a run
// in which blanks are plain text. False when a quoted run is not closed.
bool SplitQuotedWords(std::string_view line, std::vector<std::string>& words);

}  // namespace zeb
