#include "support/thousands.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(Thousands, GroupsByThreesWithTheSeparator) {
  SetThousandSeparator('.');
  EXPECT_EQ(GroupThousands(0), "0");
  EXPECT_EQ(GroupThousands(999), "999");
  EXPECT_EQ(GroupThousands(1000), "1.000");
  EXPECT_EQ(GroupThousands(1234567890), "1.234.567.890");
  EXPECT_EQ(GroupThousands(-1234), "-1.234");
  EXPECT_EQ(GroupThousands(INT64_MIN), "-9.223.372.036.854.775.808");
}

}  // namespace
}  // namespace zeb
