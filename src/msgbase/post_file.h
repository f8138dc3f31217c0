// Storing a whole message buffer as one file: a report file or the console,
// and the new files of *.MSG directories and outbound packets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zeb {

// Writes the buffer to the console when `path` is "con" (any case),
// otherwise to the file `path`, replacing it; either way each line end (CR,
// CR LF or LF) is written as LF. The file is written whole under a
// temporary name beside it and then renamed over the old one, so that a
// reader sees the old report or the new one, never a part. Logs "Can't
// create file %s" or "Can't write to file %s" (also when the console can no
// longer be written).
bool PostToFile(const std::string& path, std::string_view buf);
// The size PostToFile writes for the buffer.
size_t LfLineEndsSize(std::string_view buf);

// Writes the buffer to a file that did not exist before, whole or not at
// all: it is written under a temporary name in the same directory, flushed
// to the disk and only then given the first of the names nameOf(0),
// nameOf(1), ... that is free, never replacing a file. A failure removes
// the temporary file. `path` receives the name used. Logs as PostToFile.
//
// Both first remove the temporary files that a killed run left in the
// directory more than an hour ago.
bool PostToNewFile(const std::function<std::string(uint32_t)>& nameOf, std::string_view buf, std::string& path);

}  // namespace zeb
