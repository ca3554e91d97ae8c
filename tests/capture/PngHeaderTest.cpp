// The PNG header check against headers patched field by field, each with its
// CRC recomputed by zlib, so that every rule is met or broken on its own.
#include "capture/PngHeader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "TestPng.h"

namespace {

void setBigEndian32(Bytes& data, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    data[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

/// The 4 x 4 header, changed by `patch`, with a correct CRC over the result.
Bytes patched(const std::function<void(Bytes&)>& patch) {
  Bytes png = pngOfSize(64);
  patch(png);
  setBigEndian32(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)));
  return png;
}

Bytes field(std::size_t at, std::uint8_t value) {
  return patched([&](Bytes& png) { png[at] = value; });
}

TEST(PngHeaderTest, ReadsTheSizeOfAWellFormedHeaderOnly) {
  auto header = PngHeader::parse(pngOfSize(33));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->width, 4U);
  EXPECT_EQ(header->height, 4U);
  EXPECT_TRUE(PngHeader::parse(patched([](Bytes& png) {
    setBigEndian32(png, 16, 0x7FFFFFFF);  // the largest size, interlaced
    setBigEndian32(png, 20, 0x7FFFFFFF);
    png[28] = 1;
  })));

  // Each colour type takes exactly the bit depths the format defines.
  const std::map<int, std::set<int>> depths = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  for (int colourType = 0; colourType <= 7; ++colourType) {
    for (int depth : {0, 1, 2, 3, 4, 5, 8, 16, 32}) {
      const bool valid = depths.count(colourType) != 0 && depths.at(colourType).count(depth) != 0;
      const Bytes png = patched([&](Bytes& data) {
        data[24] = static_cast<std::uint8_t>(depth);
        data[25] = static_cast<std::uint8_t>(colourType);
      });
      EXPECT_EQ(PngHeader::parse(png).has_value(), valid) << colourType << " at " << depth;
    }
  }

  const std::string text = "plain text offered as image/png, as a text owner answers";
  Bytes crcOff = pngOfSize(64);
  ++crcOff[32];
  Bytes truncated = pngOfSize(33);
  truncated.pop_back();
  const struct {
    const char* name;
    Bytes data;
  } refused[] = {
      {"text", Bytes(text.begin(), text.end())},
      {"one byte short", truncated},
      {"signature", field(1, 'p')},
      {"chunk length", patched([](Bytes& png) { setBigEndian32(png, 8, 12); })},
      {"chunk type", field(15, 'X')},
      {"chunk type in lower case", field(12, 'i')},
      {"zero width", patched([](Bytes& png) { setBigEndian32(png, 16, 0); })},
      {"zero height", patched([](Bytes& png) { setBigEndian32(png, 20, 0); })},
      {"width over 2^31 - 1", patched([](Bytes& png) { setBigEndian32(png, 16, 0x80000000); })},
      {"height over 2^31 - 1", patched([](Bytes& png) { setBigEndian32(png, 20, 0x80000000); })},
      {"compression method", field(26, 1)},
      {"filter method", field(27, 1)},
      {"interlace method", field(28, 2)},
      {"CRC", crcOff},
  };
  for (const auto& c : refused)
    EXPECT_FALSE(PngHeader::parse(c.data)) << c.name;
}

}  // namespace
