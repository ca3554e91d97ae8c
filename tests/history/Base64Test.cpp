// Standard Base64 against the RFC's test vectors and malformed texts.
#include "history/Base64.h"

#include <gtest/gtest.h>

namespace {

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::string encoded(const Bytes& bytes) {
  std::string out = "prefix:";
  Base64::append(out, bytes);
  return out.substr(7);
}

TEST(Base64Test, EncodesTheStandardVectors) {
  EXPECT_EQ(encoded(bytesOf("")), "");
  EXPECT_EQ(encoded(bytesOf("f")), "Zg==");
  EXPECT_EQ(encoded(bytesOf("fo")), "Zm8=");
  EXPECT_EQ(encoded(bytesOf("foo")), "Zm9v");
  EXPECT_EQ(encoded(bytesOf("foob")), "Zm9vYg==");
  EXPECT_EQ(encoded(bytesOf("fooba")), "Zm9vYmE=");
  EXPECT_EQ(encoded(bytesOf("foobar")), "Zm9vYmFy");
  EXPECT_EQ(encoded(Bytes{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64Test, DecodesTheStandardVectors) {
  EXPECT_EQ(Base64::decode(""), Bytes{});
  EXPECT_EQ(Base64::decode("Zg=="), bytesOf("f"));
  EXPECT_EQ(Base64::decode("Zm8="), bytesOf("fo"));
  EXPECT_EQ(Base64::decode("Zm9vYmFy"), bytesOf("foobar"));
  EXPECT_EQ(Base64::decode("+/+/"), (Bytes{0xFB, 0xFF, 0xBF}));
}

TEST(Base64Test, EveryByteValueAndLengthRoundTrips) {
  Bytes bytes;
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(Base64::decode(encoded(bytes)), bytes) << i;
    bytes.push_back(static_cast<std::uint8_t>(i * 7));
  }
}

TEST(Base64Test, RefusesAnythingButCanonicalStandardText) {
  const char* bad[] = {
      "Zg",     "Zg=",          "Zm9",                                // missing padding
      "Zg===",  "=Zg=",         "Z===",  "====", "Zm=v", "Zg==Zg==",  // padding inside
      "Zm9v\n", "Zm9v\r\nYmFy", " Zm9v",                              // white space and line breaks
      "Zm-_",   "Zm9v*A==",  // other alphabets and characters
      "Zh==",   "Zm9=",      // pad bits not zero
  };
  for (const char* text : bad)
    EXPECT_FALSE(Base64::decode(text)) << text;
}

}  // namespace
