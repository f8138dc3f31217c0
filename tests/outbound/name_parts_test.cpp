#include <gtest/gtest.h>

#include "outbound/name_parts.h"

namespace zeb {
namespace {

TEST(SplitLastPart, CutsTheExtensionAfterTheLastSeparator) {
  struct Case {
    const char* text;
    const char* last;
    const char* rest;
  } cases[] = {
      {"0001000a.out", "out", "0001000a"},
      {"x.2.1.10.0.crash.mail", "mail", "x.2.1.10.0.crash"},
      {"noext", "noext", ""},
      {"/fido/out.002", "002", "/fido/out"},
      {"/fido.d/out", "/fido.d/out", ""},  // the dot belongs to a directory
      {"name.", "", "name"},
      {".hidden", "hidden", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    const TLastPart p = SplitLastPart(c.text);
    EXPECT_EQ(p.Last, c.last) << c.text;
    EXPECT_EQ(p.Rest, c.rest) << c.text;
  }
}

TEST(ParseNumber, DigitsOfEachBaseAndTheDefaultOnError) {
  struct Case {
    int base;
    const char* text;
    uint16_t value;
    bool error;
  } cases[] = {
      {10, "123", 123, false},    {10, "", 0, false},        {10, "12a", 77, true},
      {10, "-1", 77, true},       {10, "65536", 0, false},   {10, "65537", 1, false},
      {16, "000a", 10, false},    {16, "FFFF", 65535, false}, {16, "00g1", 77, true},
      {32, "0z", 35, false},      {32, "10", 32, false},     {32, "V", 31, false},
      {32, "a-", 77, true},       {16, "10000", 0, false},
  };
  for (const Case& c : cases) {
    bool error = !c.error;
    EXPECT_EQ(ParseNumber(c.base, 77, c.text, error), c.value) << c.base << " " << c.text;
    EXPECT_EQ(error, c.error) << c.base << " " << c.text;
  }
}

}  // namespace
}  // namespace zeb
