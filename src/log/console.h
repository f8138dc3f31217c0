// The colour console writer and the output operations that also log.
//
// Texts handed to the console may carry colour escapes: the byte 0xFF
// followed by a text-attribute byte (foreground in the low four bits plus
// blink in bit 7, background in bits 4..6).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "log/marks.h"

namespace zeb {

// Attribute bytes used by the program.
inline constexpr char kLightCyan = 0x0B;
inline constexpr char kLightRed = 0x0C;
inline constexpr char kLightMagenta = 0x0D;
inline constexpr char kYellow = 0x0E;
inline constexpr char kWhite = 0x0F;

// A colour escape for the given attribute, to be put into console texts.
std::string Color(char attribute);

// How the console shows a line: with ANSI colours or without, and, on a
// UTF-8 console, a text that is not valid UTF-8 taken as code page 866 and
// converted (valid UTF-8 is shown as it is).
struct TConsoleStyle {
  bool Colors = false;
  bool Utf8 = false;
};

// The style for standard output: colours on a terminal unless NO_COLOR is
// set and not empty; UTF-8 when the locale says so.
TConsoleStyle StdoutStyle();

// Turns one text with colour escapes into the bytes written to the console
// (without the line end). Colours are reset at the end of the text.
std::string RenderConsoleText(std::string_view text, const TConsoleStyle& style);

// Text that carries no colour escapes (a report shown on the console): when
// `utf8` is set and the text is not valid UTF-8, its OEM bytes as UTF-8;
// otherwise unchanged.
std::string RenderOemText(std::string_view text, bool utf8);

// The text without colour escapes.
std::string StripColorEscapes(std::string_view text);

// Writes the text and a line end to the console. Not logged.
void PrintLine(std::string_view text);
// Writes each text and a line end in one write, so that another thread's
// output cannot come between them. Not logged.
void PrintLines(std::initializer_list<std::string_view> lines);

// Prints the text, unless the console is quiet, and queues its log copy
// (escapes and leading characters other than ASCII letters removed) at
// level 0.
void Announce(std::string_view text);
// Announce for lines that belong together, printed as by PrintLines.
void AnnounceLines(std::initializer_list<std::string_view> lines);

// A quiet console shows only errors and what was asked for (the help text,
// reports sent to it); Announce still logs what it no longer shows.
void SetQuietConsole(bool quiet);

// Prints a line that tells of an error, also on a quiet console, and counts
// the error.
void PrintErrorLine(std::string_view text);

// Console only: the arrow mark and "Error: message" in light red, counted.
void PrintError(std::string_view message);

// As PrintError, and the log copy reads "Error: message".
void AnnounceError(std::string_view message);

// The line that follows the message of a failed file operation and gives
// the system's reason: "Reason: " and `reason`.
std::string ReasonText(std::string_view reason);

// Console only: the reason line, indented under the error line before it
// and not counted as another error. Nothing when `reason` is empty.
void PrintReason(std::string_view reason);

// PrintError and AnnounceError, each followed by the reason line (logged by
// AnnounceError at the level of its message), both lines in one write.
void PrintError(std::string_view message, std::string_view reason);
void AnnounceError(std::string_view message, std::string_view reason);

// How many errors were shown so far: the exit status tells whether a run
// met any.
int ErrorCount();

// The log copy of an announced text.
std::string LogCopyOf(std::string_view text);

}  // namespace zeb
