#include "log/console.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(Console, EscapesBecomeAnsiOrVanish) {
  const std::string text = Color(kYellow) + " Zebrant " + Color(kLightCyan) + "(Win32)";
  EXPECT_EQ(RenderConsoleText(text, {false, false}), " Zebrant (Win32)");
  EXPECT_EQ(RenderConsoleText(text, {true, false}), "\x1b[0;93;40m Zebrant \x1b[0;96;40m(Win32)\x1b[0m");
  EXPECT_EQ(RenderConsoleText(std::string("\xFF\x8C!", 3), {true, false}), "\x1b[0;91;40;5m!\x1b[0m")
      << "bit 7 blinks";
  EXPECT_EQ(RenderConsoleText(std::string("\xFF\x1F", 2), {true, false}), "\x1b[0;97;44m\x1b[0m");
  EXPECT_EQ(RenderConsoleText("plain", {true, false}), "plain") << "no reset without colours";
  EXPECT_EQ(RenderConsoleText("end\xFF", {true, false}), "end") << "a lone escape at the end is dropped";
}

TEST(Console, OemBytesAsUnicodeOnlyOnUtf8) {
  EXPECT_EQ(RenderConsoleText(" \xFE \x10 \xFA \xC4", {false, true}), " \u25A0 \u25BA \u00B7 \u2500");
  EXPECT_EQ(RenderConsoleText("\x80\xAF\xE0\xF1", {false, true}), "\u0410\u043F\u0440\u0451");
  EXPECT_EQ(RenderConsoleText(" \xFE ok\r\n", {false, false}), " \xFE ok\r\n") << "unchanged elsewhere";
}

// On a UTF-8 console a text that is valid UTF-8 is shown as it is; any
// other text is taken as code page 866, whole, as a report in it is.
TEST(Console, Utf8TextAsItIsOtherTextAsCodePage866) {
  const struct {
    std::string Text;
    std::string Shown;
  } kCases[] = {
      {"Gr\u00F6\u00DFe \u041F\u0440\u0438\u0432\u0435\u0442 \u2500\u25A0", "Gr\u00F6\u00DFe \u041F\u0440\u0438\u0432\u0435\u0442 \u2500\u25A0"},
      {"\x8F\xE0\xA8\xA2\xA5\xE2 \xC4\xBF", "\u041F\u0440\u0438\u0432\u0435\u0442 \u2500\u2510"},
      {"\u041C\u0438\u0440 \xFE", "\u2568\u042C\u2568\u2555\u2564\u0410 \u25A0"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RenderOemText(c.Text, true), c.Shown) << c.Text;
    EXPECT_EQ(RenderConsoleText(Color(kWhite) + c.Text, {false, true}), c.Shown) << c.Text;
    EXPECT_EQ(RenderOemText(c.Text, false), c.Text) << "unchanged off a UTF-8 console";
  }
}

TEST(Console, LogCopyDropsEscapesAndLeadingNonLetters) {
  EXPECT_EQ(LogCopyOf(Color(kWhite) + " \xFE Multithreaded version"), "Multithreaded version");
  EXPECT_EQ(LogCopyOf(Color(kLightRed) + " \x10 Error: bad"), "Error: bad");
  EXPECT_EQ(LogCopyOf(" 123 \xFE"), "");
  EXPECT_EQ(StripColorEscapes(Color(kYellow) + "a" + Color(kWhite) + "b"), "ab");
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

TEST(RenderOemText, ReportBytesBecomeUtf8OnlyForAUtf8Console) {
  const std::string text = "a\xC4\xC4\xFF|\x10";
  EXPECT_EQ(RenderOemText(text, false), text);
  EXPECT_EQ(RenderOemText(text, true), "a\u2500\u2500\u00A0|\u25BA") << "0xFF is a character here, no escape";
}

}  // namespace
}  // namespace zeb
