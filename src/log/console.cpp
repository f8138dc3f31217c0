#include "log/console.h"

#include <initializer_list>

#include <atomic>
#include <cstdlib>

#include "log/log_queue.h"
#include "platform/system.h"
#include "support/utf8.h"

namespace zeb {

namespace {

// Code page 866, bytes 0x80..0xFF, as Unicode.
constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

// The glyphs of the OEM control bytes that the program prints as markers.
char16_t OemGlyph(unsigned char c) {
  if (c >= 0x80) return kCp866High[c - 0x80];
  if (c == 0x0F) return 0x263C;
  if (c == 0x10) return 0x25BA;
  return 0;
}

void AppendUtf8(std::string& out, char16_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

// DOS colour numbers in ANSI order.
constexpr int kAnsiOfDos[8] = {0, 4, 2, 6, 1, 5, 3, 7};

std::string AnsiFor(unsigned char attribute) {
  const int fg = attribute & 0x0F;
  const int bg = (attribute & 0x70) >> 4;
  std::string sgr = "\x1b[0;";
  sgr += std::to_string((fg >= 8 ? 90 : 30) + kAnsiOfDos[fg & 7]);
  sgr += ';';
  sgr += std::to_string(40 + kAnsiOfDos[bg]);
  if (attribute & 0x80) sgr += ";5";
  sgr += 'm';
  return sgr;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string Color(char attribute) { return std::string{'\xFF', attribute}; }

TConsoleStyle StdoutStyle() {
  TConsoleStyle style;
  const char* noColor = std::getenv("NO_COLOR");
  style.Colors = StdoutIsTerminal() && (noColor == nullptr || *noColor == '\0');
  style.Utf8 = LocaleIsUtf8();
  return style;
}

std::string RenderConsoleText(std::string_view text, const TConsoleStyle& style) {
  std::string out;
  out.reserve(text.size() + 16);
  const bool convert = style.Utf8 && !IsValidUtf8(StripColorEscapes(text));
  bool colored = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0xFF) {
      if (i + 1 < text.size()) {
        if (style.Colors) {
          out += AnsiFor(static_cast<unsigned char>(text[i + 1]));
          colored = true;
        }
        ++i;
      }
      continue;
    }
    const char16_t glyph = convert ? OemGlyph(c) : 0;
    if (glyph != 0)
      AppendUtf8(out, glyph);
    else
      out += static_cast<char>(c);
  }
  if (colored) out += "\x1b[0m";
  return out;
}

std::string RenderOemText(std::string_view text, bool utf8) {
  if (!utf8 || IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    const char16_t glyph = OemGlyph(static_cast<unsigned char>(c));
    if (glyph != 0)
      AppendUtf8(out, glyph);
    else
      out += c;
  }
  return out;
}

std::string StripColorEscapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) == 0xFF) {
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

std::string LogCopyOf(std::string_view text) {
  std::string copy = StripColorEscapes(text);
  size_t first = 0;
  while (first < copy.size() && !IsAsciiLetter(copy[first])) ++first;
  return copy.substr(first);
}

namespace {
std::atomic<bool> g_quiet{false};
std::atomic<int> g_errors{0};

std::string ErrorText(std::string_view message) {
  std::string text = Color(kLightRed) + " " + kArrowMark + " Error: ";
  text += message;
  return text;
}
}  // namespace

void PrintLines(std::initializer_list<std::string_view> lines) {
  static const TConsoleStyle style = StdoutStyle();
  std::string out;
  for (const std::string_view text : lines) {
    out += RenderConsoleText(text, style);
    out += '\n';
  }
  WriteStdout(out);
}

void PrintLine(std::string_view text) { PrintLines({text}); }

void AnnounceLines(std::initializer_list<std::string_view> lines) {
  if (!g_quiet) PrintLines(lines);
  for (const std::string_view text : lines) LogLine(LogCopyOf(text), 0);
}

void Announce(std::string_view text) { AnnounceLines({text}); }

void SetQuietConsole(bool quiet) { g_quiet = quiet; }

void PrintErrorLine(std::string_view text) {
  ++g_errors;
  PrintLine(text);
}

void PrintError(std::string_view message) { PrintErrorLine(ErrorText(message)); }

void AnnounceError(std::string_view message) {
  const std::string text = ErrorText(message);
  PrintErrorLine(text);
  LogLine(LogCopyOf(text), 0);
}

std::string ReasonText(std::string_view reason) { return "Reason: " + std::string(reason); }

namespace {

std::string ReasonLine(std::string_view reason) { return Color(kLightRed) + "   " + ReasonText(reason); }

// The error line and its reason line in one write, so that no other
// thread's line comes between them.
void PrintErrorWithReason(std::string_view text, std::string_view reason) {
  if (reason.empty()) return PrintErrorLine(text);
  ++g_errors;
  PrintLines({text, ReasonLine(reason)});
}

}  // namespace

void PrintReason(std::string_view reason) {
  if (!reason.empty()) PrintLine(ReasonLine(reason));
}

void PrintError(std::string_view message, std::string_view reason) { PrintErrorWithReason(ErrorText(message), reason); }

void AnnounceError(std::string_view message, std::string_view reason) {
  const std::string text = ErrorText(message);
  PrintErrorWithReason(text, reason);
  LogLine(LogCopyOf(text), 0);
  if (!reason.empty()) LogLine(ReasonText(reason), 0);
}

int ErrorCount() { return g_errors; }

}  // namespace zeb
