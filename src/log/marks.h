// The marks the program puts into its console and log lines, as UTF-8
// characters, so that the log stays text wherever its paths and messages
// are. (Report text keeps its own bytes: FTN text is 8-bit.)
#pragma once

namespace zeb {

inline constexpr char kBulletMark[] = "\u25A0";       // a black square
inline constexpr char kArrowMark[] = "\u25BA";        // a pointer to the right
inline constexpr char kFaultMark[] = "\u263C";        // a sun with rays
inline constexpr char kEmptyFlagMark[] = "\u00B7";    // a middle dot
inline constexpr char kBoxLeftCorner[] = "\u250C";
inline constexpr char kBoxRightCorner[] = "\u2510";

}  // namespace zeb
