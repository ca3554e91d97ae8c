// Random identifiers and the canonical text form.
#include "history/Uuid.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(UuidTest, RandomIdentifiersCarryVersionFourAndTheStandardVariant) {
  for (int i = 0; i < 64; ++i) {
    Uuid uuid = Uuid::random();
    EXPECT_EQ(uuid.bytes()[6] >> 4, 4);
    EXPECT_EQ(uuid.bytes()[8] >> 6, 2);
    std::string text = uuid.toString();
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(text[19], '0') << text;  // 8, 9, A or B
  }
}

TEST(UuidTest, RandomIdentifiersDoNotRepeat) {
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i)
    EXPECT_TRUE(seen.insert(Uuid::random().toString()).second);
}

TEST(UuidTest, TextIsUpperCaseCanonicalForm) {
  std::array<std::uint8_t, 16> bytes{0xe6, 0x21, 0xe1, 0xf8, 0xc3, 0x6c, 0x49, 0x5a,
                                     0x93, 0xfc, 0x0c, 0x24, 0x7a, 0x3e, 0x6e, 0x5f};
  EXPECT_EQ(Uuid(bytes).toString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
}

TEST(UuidTest, ParsesEitherCaseToTheSameIdentifier) {
  auto upper = Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  auto lower = Uuid::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
  auto mixed = Uuid::parse("e621E1f8-C36c-495A-93fC-0c247A3e6E5f");
  ASSERT_TRUE(upper && lower && mixed);
  EXPECT_EQ(*upper, *lower);
  EXPECT_EQ(*upper, *mixed);
  EXPECT_EQ(lower->toString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
}

TEST(UuidTest, RandomIdentifierSurvivesTextRoundTrip) {
  Uuid uuid = Uuid::random();
  EXPECT_EQ(Uuid::parse(uuid.toString()), uuid);
}

TEST(UuidTest, NonVersionFourTextIsStillAnIdentifier) {
  EXPECT_TRUE(Uuid::parse("00000000-0000-0000-0000-000000000000"));
  EXPECT_TRUE(Uuid::parse("FFFFFFFF-FFFF-1FFF-FFFF-FFFFFFFFFFFF"));
}

TEST(UuidTest, RejectsEverythingButThe8x4x4x4x12Form) {
  const char* bad[] = {
      "",
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5",    // one short
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0",  // one long
      "E621E1F8C36C495A93FC0C247A3E6E5F",       // no dashes
      "{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}",
      "E621E1F8-C36C-495A-93FC0-C247A3E6E5F",  // dash moved
      "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",  // not hex
      "E621E1F8 C36C-495A-93FC-0C247A3E6E5F",
      " E621E1F8-C36C-495A-93FC-0C247A3E6E5",
      "+621E1F8-C36C-495A-93FC-0C247A3E6E5F",
      "E621E1F8-C36C-495A-93FC-0C247A3E6E\xC3\xA9",
  };
  for (const char* text : bad)
    EXPECT_FALSE(Uuid::parse(text)) << text;
}

TEST(UuidTest, EqualIdentifiersHashEqually) {
  auto a = Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
  auto b = Uuid::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
  EXPECT_EQ(std::hash<Uuid>()(*a), std::hash<Uuid>()(*b));
  EXPECT_NE(std::hash<Uuid>()(Uuid::random()), std::hash<Uuid>()(Uuid::random()));
}

}  // namespace
