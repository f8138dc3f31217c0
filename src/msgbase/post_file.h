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
// CR LF or LF) is written as LF. Logs "Can't create file %s" or "Can't write
// to file %s" (also when the console can no longer be written).
bool PostToFile(const std::string& path, std::string_view buf);
// The size PostToFile writes for the buffer.
size_t LfLineEndsSize(std::string_view buf);

// Writes the buffer to a file that did not exist before: the names
// nameOf(0), nameOf(1), ... are tried until one can be created, so that
// nothing is ever overwritten. A file written only in part is removed again.
// `path` receives the name used. Logs as PostToFile.
bool PostToNewFile(const std::function<std::string(uint32_t)>& nameOf, std::string_view buf, std::string& path);

}  // namespace zeb
