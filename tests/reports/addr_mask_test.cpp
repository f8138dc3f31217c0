// Address masks of @prepare: reading them and choosing nodes with them.
#include <gtest/gtest.h>

#include "reports/addr_mask.h"

namespace zeb {
namespace {

TNetAddr A(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) { return TNetAddr{point, node, net, zone}; }

const TNetAddr kMain = A(2, 5020, 9999);
const TNetAddr kBase = A(1, 23, 4);

bool Matches(const char* mask, const TNetAddr& addr, const TNetAddr& domain = kBase) {
  return MaskMatches(ParseAddrMask(mask, kMain, domain), addr);
}

TEST(ParseAddrMask, MissingLeadingFieldsComeFromTheBaseAndTheRestIsWild) {
  EXPECT_TRUE(Matches("1:23/*", A(1, 23, 100, 7)));
  EXPECT_FALSE(Matches("1:23/*", A(1, 24, 100)));
  EXPECT_TRUE(Matches("1:23", A(1, 23, 100, 7)));
  EXPECT_FALSE(Matches("1:23", A(2, 23, 100)));

  EXPECT_TRUE(Matches("/45", A(1, 23, 45)));
  EXPECT_TRUE(Matches("/45", A(1, 23, 45, 3)));
  EXPECT_FALSE(Matches("/45", A(1, 23, 46)));
  EXPECT_FALSE(Matches("/45", A(1, 22, 45)));

  EXPECT_TRUE(Matches(".5", A(1, 23, 4, 5)));
  EXPECT_FALSE(Matches(".5", A(1, 23, 4)));
  EXPECT_FALSE(Matches(".5", A(1, 23, 5, 5)));

  EXPECT_TRUE(Matches("1:23/45", A(1, 23, 45)));
  EXPECT_TRUE(Matches("1:23/45", A(1, 23, 45, 3))) << "an unwritten point is wild";

  EXPECT_TRUE(Matches("*:*/*.*", A(7, 8, 9, 10)));
  EXPECT_TRUE(Matches("*:*/*.*", A(0, 0, 0)));
}

TEST(ParseAddrMask, LoneStarAndLeadingDigitsAreReadAsTheZone) {
  // "*" marks the zone wild, and the fields left out after it are wild too.
  EXPECT_TRUE(Matches("*", A(5, 23, 4)));
  EXPECT_TRUE(Matches("*", A(1, 23, 4, 1)));
  EXPECT_TRUE(Matches("/*", A(1, 23, 5, 1)));
  EXPECT_FALSE(Matches("/*", A(1, 24, 5)));

  EXPECT_TRUE(Matches("23/45", A(23, 7, 45)));
  EXPECT_TRUE(Matches("23/45", A(23, 7, 45, 2)));
  EXPECT_FALSE(Matches("23/45", A(1, 23, 45)));
}

TEST(ParseAddrMask, FieldsBaseAndDigitArithmetic) {
  const TAddrMask m = ParseAddrMask("/45", kMain, kBase);
  EXPECT_EQ(m.Value[kMaskZone], 1);
  EXPECT_EQ(m.Value[kMaskNet], 23);
  EXPECT_EQ(m.Value[kMaskNode], 45);
  EXPECT_TRUE(m.Given[kMaskZone] && m.Given[kMaskNet] && m.Given[kMaskNode]);
  EXPECT_FALSE(m.Given[kMaskPoint]);
  EXPECT_TRUE(m.Wild[kMaskPoint]);
  EXPECT_FALSE(m.Wild[kMaskNode]);

  // A domain without a zone: the main address is the base.
  EXPECT_TRUE(Matches("/9999", A(2, 5020, 9999), A(0, 0, 0)));
  EXPECT_FALSE(Matches("/9999", A(1, 23, 9999), A(0, 0, 0)));

  // The empty text is the mask of 0:0/0.0, nothing filled in.
  const TAddrMask empty = ParseAddrMask("", kMain, kBase);
  for (size_t f = 0; f < 4; ++f) EXPECT_FALSE(empty.Given[f] || empty.Wild[f] || empty.Value[f] != 0);
  EXPECT_TRUE(MaskMatches(empty, A(0, 0, 0)));
  EXPECT_FALSE(MaskMatches(empty, kBase));

  // No 16-bit wrap, and characters that are no digit count all the same.
  EXPECT_FALSE(ParseAddrMask("1:70000", kMain, kBase).Valid);
  EXPECT_EQ(ParseAddrMask("1:2a", kMain, kBase).Value[kMaskNet], 2 * 10 + ('a' - 48));
}

TQueueNode Node(const TNetAddr& addr) {
  TQueueNode node;
  node.Addr = addr;
  return node;
}

TEST(AddrMaskList, ExclusionWinsAndInclusionIsRequired) {
  TAddrMaskList list;
  list.AddExclusion(kMain, kBase, "1:23/45");
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 23, 100)))) << "no inclusion mask accepts nothing";
  list.AddInclusion(kMain, kBase, "1:23/*");
  EXPECT_TRUE(list.AcceptsNode(Node(A(1, 23, 100))));
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 23, 45))));
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 23, 45, 3))));
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 24, 1))));

  TQueueNode a = Node(A(1, 23, 100)), b = Node(A(1, 23, 45)), c = Node(A(1, 23, 7));
  list.Insert(a);
  list.Insert(b);
  list.Insert(c);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(&list[0], &a);
  EXPECT_EQ(&list[1], &c);

  list.ClearMasks();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(list.AcceptsNode(a));
}

TEST(AddrMaskList, MasksBeyondTheSixteenthOfAKindAreIgnored) {
  TAddrMaskList list;
  for (int i = 1; i <= 16; ++i) list.AddInclusion(kMain, kBase, "/" + std::to_string(i));
  list.AddInclusion(kMain, kBase, "/17");
  EXPECT_TRUE(list.AcceptsNode(Node(A(1, 23, 16))));
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 23, 17))));

  for (int i = 1; i <= 16; ++i) list.AddExclusion(kMain, kBase, "/" + std::to_string(100 + i));
  list.AddExclusion(kMain, kBase, "/1");
  EXPECT_TRUE(list.AcceptsNode(Node(A(1, 23, 1)))) << "the 17th exclusion is ignored too";
  EXPECT_FALSE(list.AcceptsNode(Node(A(1, 23, 116))));
}

}  // namespace
}  // namespace zeb
