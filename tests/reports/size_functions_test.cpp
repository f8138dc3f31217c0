// @sizetostr, @sizetype and @sizetolimitstr, and their argument errors.
#include <gtest/gtest.h>

#include "run_functions.h"
#include "support/thousands.h"

namespace zeb::test {
namespace {

TEST(SizeToStrFunction, GroupsTheDigitsAsWritten) {
  EXPECT_EQ(RunFunctions("@sizetostr(1234567)"), "1.234.567");
  EXPECT_EQ(RunFunctions("@sizetostr(0001234)"), "0.001.234");
  EXPECT_EQ(RunFunctions("@sizetostr(999)|@sizetostr(1000)|@sizetostr( 0 )"), "999|1.000|0");
  EXPECT_EQ(RunFunctions("@sizetostr(123456789012345678901234)"), "123.456.789.012.345.678.901.234");
  SetThousandSeparator('\0');
  EXPECT_EQ(RunFunctions("@sizetostr(1234567)"), "1234567");
  SetThousandSeparator('.');
}

TEST(SizeToStrFunction, RejectsWhatIsNoNumber) {
  EXPECT_EQ(RunFunctions("a@sizetostr(12a)b"), "aBad type of @Integer parametr");
  EXPECT_EQ(RunFunctions("a@sizetostr()b"), "aBad type of @Integer parametr");
  EXPECT_EQ(RunFunctions("a@sizetostr(1,234)b"), "aBad type of @Integer parametr");
  EXPECT_EQ(RunFunctions("a@sizetostr(-5)b"), "aBad type of @Integer parametr");
}

TEST(SizeTypeFunction, WritesKilobytesAndHundredthsOfLargerUnits) {
  EXPECT_EQ(RunFunctions("@sizetype(2048, K)|@sizetype(2047, K)|@sizetype(2048000, Kilo)"), "2K|1K|2.000K");
  EXPECT_EQ(RunFunctions("@sizetype(1572864, M)"), "1M,50");
  EXPECT_EQ(RunFunctions("@sizetype(1053819, M)|@sizetype(1053818, M)"), "1M,01|1M,00") << "halves round up";
  EXPECT_EQ(RunFunctions("@sizetype(1048575, M)"), "1M,00") << "hundredths that round to a whole unit carry";
  EXPECT_EQ(RunFunctions("@sizetype(1073741824000, M)"), "1.024.000M,00");
  EXPECT_EQ(RunFunctions("@sizetype(3221225472, G)|@sizetype(1610612736, Giga)"), "3G,00|1G,50");
  EXPECT_EQ(RunFunctions("@sizetype(0, M)"), "0M,00");
}

TEST(SizeTypeFunction, OtherUnitsGiveNothing) {
  EXPECT_EQ(RunFunctions("[@sizetype(2048, k)][@sizetype(2048, m)][@sizetype(2048, Z)]"), "[][][]");
  EXPECT_EQ(RunFunctions("[@sizetype(2048, kilo)]"), "[]") << "accepted, but only upper case selects a unit";
}

TEST(SizeTypeFunction, RejectsUnitThenSize) {
  EXPECT_EQ(RunFunctions("a@sizetype(2048, ZZ)b"), "aBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("a@sizetype(2048, )b"), "aBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("a@sizetype(x, ZZ)b"), "aBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("a@sizetype(x, K)b"), "aBad type of @Integer parametr");
  EXPECT_EQ(RunFunctions("a@sizetype(K)b"), "aBad type of @Integer parametr");
}

TEST(SizeToLimitStrFunction, TakesTheFirstFormThatFits) {
  EXPECT_EQ(RunFunctions("@sizetolimitstr(999, 5)|@sizetolimitstr(123456, 5)"), "999|120K");
  EXPECT_EQ(RunFunctions("@sizetolimitstr(5000000, 5)|@sizetolimitstr(50000000, 5)"), "4M|47M");
  EXPECT_EQ(RunFunctions("@sizetolimitstr(1000, 3)|@sizetolimitstr(1000, 5)"), "0K|1.000");
  EXPECT_EQ(RunFunctions("@sizetolimitstr(5000000000000, 0)"), "4.656G") << "the G form even when too long";
}

TEST(SizeToLimitStrFunction, RejectsWidthThenSize) {
  EXPECT_EQ(RunFunctions("a@sizetolimitstr(x, y)b"), "aBad type of @MaxLen parametr");
  EXPECT_EQ(RunFunctions("a@sizetolimitstr(1000)b"), "aBad type of @Integer parametr");
  EXPECT_EQ(RunFunctions("a@sizetolimitstr(x, 5)b"), "aBad type of @Integer parametr");
}

}  // namespace
}  // namespace zeb::test
