// The command table: registration order, the case rule, removal, and the
// calling convention as a function registered by another unit sees it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "run_template.h"
#include "template/arguments.h"
#include "template/value_commands.h"

namespace zeb::test {
namespace {

// A function with a parameter list that upper-cases its evaluated argument
// and rejects "bad" the way report functions do.
class TShout : public TTemplateCommand {
 public:
  TShout() : TTemplateCommand("shout", true, true) {}
  std::string InvokeText(TInterpreter&, const std::string& text) override {
    const std::string value = ExpandQuotes(Owner->Evaluate(true, TrimSpaces(text)));
    if (value == "bad") {
      PutText("Bad type of @Format parametr");
      Abort();
      return {};
    }
    std::string result;
    for (char c : value) result += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return result;
  }
};

// A function without parameters that counts its calls.
class TCounter : public TTemplateCommand {
 public:
  explicit TCounter(std::string name) : TTemplateCommand(std::move(name)) {}
  std::string Invoke(TInterpreter&, TBufStream&) override { return std::to_string(++calls_); }

 private:
  int calls_ = 0;
};

TEST(Registry, BuiltinsInRegistrationOrderAndFirstRegistrationWins) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  TTemplateParser parser(false, "/t.tpl");
  EXPECT_EQ(parser.Commands().Count(), 19u);
  EXPECT_FALSE(parser.AddCommand(std::make_unique<TCounter>("if"))) << "a built-in cannot be taken over";
  EXPECT_FALSE(parser.AddCommand(std::make_unique<TCounter>("IF")));
  EXPECT_TRUE(parser.AddCommand(std::make_unique<TCounter>("count")));
  EXPECT_FALSE(parser.AddCommand(std::make_unique<TCounter>("count")));
  EXPECT_EQ(parser.Evaluate(true, "@if(1)"), "Block statement @if is not allowed here\n\r");
}

TEST(Registry, CaseRuleOrdersAndFinds) {
  EXPECT_LT(CompareCommandNames("abc", "ABD", false), 0);
  EXPECT_EQ(CompareCommandNames("abc", "ABC", false), 0);
  EXPECT_NE(CompareCommandNames("abc", "ABC", true), 0);
  EXPECT_LT(CompareCommandNames("ab", "abc", false), 0) << "a proper prefix sorts first";
  EXPECT_LT(CompareCommandNames("Z", "_", false), 0) << "upper-cased, then byte-wise";
  EXPECT_GT(CompareCommandNames("z", "_", true), 0);
  TCommandTable table(false);
  for (const char* name : {"while", "Define", "if", "a_b", "nextnode", "IFX"}) {
    EXPECT_TRUE(table.Insert(std::make_unique<TCounter>(name)));
  }
  for (size_t i = 1; i < table.Count(); ++i) {
    EXPECT_LT(CompareCommandNames(table[i - 1].Name, table[i].Name, false), 0);
  }
  EXPECT_NE(table.Find("DEFINE"), nullptr);
  EXPECT_EQ(table.Find("DEFIN"), nullptr);
  EXPECT_NE(table.Take("ifx"), nullptr);
  EXPECT_EQ(table.Find("IFX"), nullptr);
}

// Look-ups are remembered per name; every change of the table must show in
// the next look-up, under every spelling, and names sharing a slot must not
// be mistaken for one another.
TEST(Registry, RememberedLookupsFollowEveryChange) {
  TCommandTable table(false);
  EXPECT_EQ(table.Find("total"), nullptr);
  ASSERT_TRUE(table.Insert(std::make_unique<TCounter>("Total")));
  TTemplateCommand* first = table.Find("total");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(table.Find("TOTAL"), first);
  const std::unique_ptr<TTemplateCommand> taken = table.Take("TOTAL");
  EXPECT_EQ(taken.get(), first);
  EXPECT_EQ(table.Find("total"), nullptr);
  EXPECT_EQ(table.Find("Total"), nullptr);
  ASSERT_TRUE(table.Insert(std::make_unique<TCounter>("total")));
  EXPECT_NE(table.Find("TOTAL"), nullptr);
  std::vector<TTemplateCommand*> made;
  for (int i = 0; i < 300; ++i) {
    auto command = std::make_unique<TCounter>("name" + std::to_string(i));
    made.push_back(command.get());
    table.Insert(std::move(command));
  }
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 300; ++i) ASSERT_EQ(table.Find("NAME" + std::to_string(i)), made[i]) << i;
}

TEST(Registry, RemovedValueIsWrittenThrough) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  TTemplateParser parser(false, "/t.tpl");
  parser.AddCommand(std::make_unique<TValueCommand>("total", "42"));
  EXPECT_EQ(parser.Evaluate(true, "@total"), "42");
  parser.RemoveCommand("TOTAL");
  EXPECT_EQ(parser.Evaluate(true, "@total"), "@total");
  parser.RemoveCommand("total");  // removing a missing name is harmless
}

TEST(CallingConvention, FunctionsComputeTheirResult) {
  auto setup = [](TTemplateParser& p) {
    p.AddCommand(std::make_unique<TShout>());
    p.AddCommand(std::make_unique<TCounter>("count"));
  };
  EXPECT_EQ(RunTemplate("@define(@w, word)@shout( @w )|@shout(\"a, b\")", false, setup), "WORD|A, B");
  EXPECT_EQ(RunTemplate("@count@count(x)", false, setup), "12(x)");
  EXPECT_EQ(RunTemplate("@shout(@shout(x)y)", false, setup), "XY") << "a function inside its own argument";
  EXPECT_EQ(RunTemplate("@if(0)@count@end@count", false, setup), "2") << "functions run in branches not taken";
  EXPECT_EQ(RunTemplate("a@shout(bad)b", false, setup), "aBad type of @Format parametr");
  EXPECT_EQ(RunTemplate("@if(0)@shout(bad)@end b", false, setup), "") << "an abort ends the run silently here";
}

TEST(CallingConvention, QuotedParametersAreUnquotedInsideBlocks) {
  auto setup = [](TTemplateParser& p) { p.AddCommand(std::make_unique<TShout>()); };
  // Inside a block the raw text is unquoted before the call, so the
  // function's own unquoting sees a text that no longer begins with a quote.
  EXPECT_EQ(RunTemplate("@shout(\"'x'\")|@if(1)@shout(\"'x'\")@end", false, setup), "'X'|X");
}

}  // namespace
}  // namespace zeb::test
