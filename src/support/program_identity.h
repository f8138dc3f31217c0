// The program's name and version as the console, the log, stored messages
// and the package show them. CMake reads kProgramVersion from this file for
// the package version, so the line that sets it keeps its simple form.
#pragma once

namespace zeb {

inline constexpr const char* kProgramName = "zeb";
inline constexpr const char* kProgramTitle = "Zebrant";
inline constexpr const char* kProgramVersion = "3.05";
// The short name that other systems read in PID lines and default sender
// names.
inline constexpr const char* kProgramTag = "ZEB";
inline constexpr const char* kPlatformTag = "(Win32)";
inline constexpr const char* kPidTag = "-W";
inline constexpr const char* kProgramAuthor = "the zeb developers";

}  // namespace zeb
