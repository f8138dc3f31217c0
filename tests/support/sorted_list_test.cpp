#include "support/sorted_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/text.h"

namespace zeb {
namespace {

struct IntCompare {
  int operator()(int a, int b) const { return a < b ? -1 : (a > b ? 1 : 0); }
};

struct Item {
  std::string Name;
};
struct AllEqual {
  int operator()(const std::unique_ptr<Item>&, const std::unique_ptr<Item>&) const { return 0; }
};

TEST(SortedList, UniqueListKeepsOrderAndRefusesEqual) {
  TSortedList<int, IntCompare> list;
  EXPECT_TRUE(list.Insert(3));
  EXPECT_TRUE(list.Insert(1));
  EXPECT_TRUE(list.Insert(2));
  EXPECT_FALSE(list.Insert(2));
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(list[0], 1);
  EXPECT_EQ(list[1], 2);
  EXPECT_EQ(list[2], 3);
  size_t index = 0;
  EXPECT_TRUE(list.Search(3, index));
  EXPECT_EQ(index, 2u);
  EXPECT_FALSE(list.Search(0, index));
  EXPECT_EQ(index, 0u);
  EXPECT_FALSE(list.Search(9, index));
  EXPECT_EQ(index, 3u);
}

TEST(SortedList, DuplicatesGoInFrontOfTheirEquals) {
  TSortedList<std::unique_ptr<Item>, AllEqual> items(true);
  for (const char* name : {"A", "B", "C"}) items.Insert(std::make_unique<Item>(Item{name}));
  ASSERT_EQ(items.Count(), 3u);
  EXPECT_EQ(items[0]->Name, "C");
  EXPECT_EQ(items[1]->Name, "B");
  EXPECT_EQ(items[2]->Name, "A");

  TSortedList<int, IntCompare> numbers(true);
  for (int n : {5, 1, 5, 3, 5}) numbers.Insert(n);
  size_t index = 0;
  EXPECT_TRUE(numbers.Search(5, index));
  EXPECT_EQ(index, 2u) << "the first of the equal elements";
  EXPECT_EQ(numbers.Count(), 5u);
}

TEST(SortedList, ReferringListLeavesOwnedElementsAlive) {
  std::vector<std::unique_ptr<Item>> owner;
  struct ByName {
    int operator()(const Item* a, const Item* b) const { return CompareText(a->Name, b->Name); }
  };
  {
    TSortedList<Item*, ByName> refs;
    for (const char* name : {"b", "A", "c"}) {
      owner.push_back(std::make_unique<Item>(Item{name}));
      refs.Insert(owner.back().get());
    }
    EXPECT_EQ(refs[0]->Name, "A");
    EXPECT_FALSE(refs.Insert(owner[0].get()));
  }
  EXPECT_EQ(owner[1]->Name, "A");
}

TEST(Text, TrimUnquoteAndFind) {
  EXPECT_EQ(TrimLeft(" \t x \t"), "x \t");
  EXPECT_EQ(TrimRight(" \t x \t"), " \t x");
  EXPECT_EQ(TrimLeft("\t \t "), "");
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(UnquoteText("abc"), "abc");
  EXPECT_EQ(UnquoteText(""), "");
  EXPECT_EQ(UnquoteText("'a''b'"), "a'b");
  EXPECT_EQ(UnquoteText("\"x\""), "x");
  EXPECT_EQ(UnquoteText("\"say \"\"hi\"\"\""), "say \"hi\"");
  EXPECT_EQ(LowerChar('Q'), 'q');
  EXPECT_EQ(LowerChar('\xC0'), '\xC0') << "only ASCII letters change";
  EXPECT_EQ(FindLastChar("a.b.c", 5, '.'), 4u);
  EXPECT_EQ(FindLastChar("abc", 3, '.'), 0u);
  EXPECT_EQ(CompareText("FidoNet", "fidonet"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
}

}  // namespace
}  // namespace zeb
