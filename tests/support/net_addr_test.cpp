#include "support/net_addr.h"

#include <gtest/gtest.h>

#include "config/domains.h"

namespace zeb {
namespace {

TNetAddr A(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) { return TNetAddr{point, node, net, zone}; }

TEST(NetAddrParse, FillsMissingLeadingPartsFromDefault) {
  const TNetAddr def = A(1, 23, 45, 7);
  EXPECT_EQ(ParseNetAddr("1", def), A(1, 23, 1));
  EXPECT_EQ(ParseNetAddr("/1", def), A(1, 23, 1));
  EXPECT_EQ(ParseNetAddr(".3", def), A(1, 23, 45, 3));
  EXPECT_EQ(ParseNetAddr("30/1", def), A(1, 30, 1));
  EXPECT_EQ(ParseNetAddr("3:4/5.6", def), A(3, 4, 5, 6));
  EXPECT_EQ(ParseNetAddr("", def), A(1, 23, 45)) << "the point never comes from the default";
  EXPECT_EQ(ParseNetAddr("1:300", def), A(1, 23, 300)) << "a number after ':' with no '/' is a node";
}

TEST(NetAddrParse, WrapsAndRejectsNumbers) {
  EXPECT_EQ(ParseNetAddr("1:2/70000", {}).Node, 4464);
  EXPECT_EQ(ParseNetAddr("-1:2/3", {}).Zone, 65535);
  try {
    ParseNetAddr("1:2x4/5", {});
    FAIL() << "expected a conversion error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2x4' is not a valid integer value");
  }
  EXPECT_EQ(ParseNetAddr("1:/5", A(9, 8, 7)), A(1, 8, 5)) << "an empty part is taken from the default";
}

TEST(NetAddrParse, DomainIsSplitAtFirstAt) {
  const TAddrDomain a = ParseAddrDomain("1:23/45.0@fidonet", {});
  const TAddrDomain b = ParseAddrDomain("1:23/45@fidonet", {});
  EXPECT_EQ(a.Addr, b.Addr);
  EXPECT_EQ(a.Domain, "fidonet");
  const TAddrDomain plain = ParseAddrDomain("1:23/45", {});
  EXPECT_EQ(plain.Addr, A(1, 23, 45));
  EXPECT_EQ(plain.Domain, "");
  const TAddrDomain bare = ParseAddrDomain("@FidoNet", A(2, 5020, 1, 9));
  EXPECT_EQ(bare.Addr, A(2, 5020, 1));
  EXPECT_EQ(bare.Domain, "FidoNet");
}

TEST(NetAddrFormat, HidesPointZeroAndDomain) {
  EXPECT_EQ(FormatNetAddr(A(1, 23, 45)), "1:23/45");
  EXPECT_EQ(FormatNetAddr(A(1, 23, 45, 7)), "1:23/45.7");
  EXPECT_EQ(FormatNetAddr({}), "0:0/0");
  EXPECT_EQ(FormatNetAddr(A(65535, 65535, 65535, 65535)), "65535:65535/65535.65535");
}

TEST(NetAddrOrder, ZoneNetNodePoint) {
  EXPECT_LT(A(1, 99, 99), A(2, 1, 1));
  EXPECT_LT(A(2, 1, 1, 1), A(2, 1, 1, 2));
  EXPECT_LT(A(2, 1, 1, 65535), A(2, 1, 2, 0));
  EXPECT_LT(CompareNetAddr(A(1, 99, 99), A(2, 1, 1)), 0);
  EXPECT_EQ(CompareNetAddr(A(3, 2, 1), A(3, 2, 1)), 0);
}

class FindDomainForTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TDomain* fido = GetOrAddDomain(config_, "fidonet");
    AddZone(*fido, 1);
    AddZone(*fido, 2);
    TDomain* other = GetOrAddDomain(config_, "amiganet");
    AddZone(*other, 39);
    AddZone(*other, 2);
  }

  TMainConfig config_;
};

TEST_F(FindDomainForTest, ByNameIgnoringCaseOrByZone) {
  const TDomainList& domains = config_.Domains;
  size_t index = 99;
  ASSERT_TRUE(FindDomainFor(domains, "1:2/3@FIDONET", index));
  EXPECT_EQ(domains[index]->Name, "fidonet");
  EXPECT_FALSE(FindDomainFor(domains, "1:2/3@nosuch", index)) << "a named domain is not looked up by zone";
  ASSERT_TRUE(FindDomainFor(domains, "1:23/45@", index)) << "nothing after '@' falls back to the zone";
  EXPECT_EQ(domains[index]->Name, "fidonet");
  ASSERT_TRUE(FindDomainFor(domains, "2:5020/1", index)) << "domains in name order: amiganet lists zone 2 too";
  EXPECT_EQ(domains[index]->Name, "amiganet");
  EXPECT_FALSE(FindDomainFor(domains, "7:1/1", index));
  EXPECT_FALSE(FindDomainFor(domains, ":1/1", index)) << "':' must stand at position 2 or later";
  EXPECT_FALSE(FindDomainFor(domains, "1/1", index));
}

TEST_F(FindDomainForTest, AddZoneKeepsFirstOrderAndRefusesZero) {
  TDomain* fido = FindDomain(config_, "FidoNet");
  ASSERT_NE(fido, nullptr);
  EXPECT_TRUE(AddZone(*fido, 2));
  EXPECT_TRUE(AddZone(*fido, 3));
  EXPECT_FALSE(AddZone(*fido, 0));
  EXPECT_EQ(fido->Zones, (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_EQ(GetOrAddDomain(config_, "FIDONET"), fido);
  EXPECT_EQ(config_.Domains.Count(), 2u);
}

}  // namespace
}  // namespace zeb
