// The PNG header check against headers patched field by field, each with its
// CRC recomputed by zlib, so that every rule is met or broken on its own.
#include "capture/PngHeader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
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
  EXPECT_TRUE(PngHeader::parse(field(24, 16)));  // 16-bit RGB
  EXPECT_TRUE(PngHeader::parse(patched([](Bytes& png) {
    png[24] = 1;  // a one-bit palette, interlaced
    png[25] = 3;
    png[28] = 1;
  })));

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
      {"zero width", patched([](Bytes& png) { setBigEndian32(png, 16, 0); })},
      {"zero height", patched([](Bytes& png) { setBigEndian32(png, 20, 0); })},
      {"width over 2^31 - 1", patched([](Bytes& png) { setBigEndian32(png, 16, 0x80000000); })},
      {"height over 2^31 - 1", patched([](Bytes& png) { setBigEndian32(png, 20, 0x80000000); })},
      {"RGB at 4 bits", field(24, 4)},
      {"grey at 3 bits", patched([](Bytes& png) {
         png[24] = 3;
         png[25] = 0;
       })},
      {"palette at 16 bits", patched([](Bytes& png) {
         png[24] = 16;
         png[25] = 3;
       })},
      {"colour type 5", field(25, 5)},
      {"compression method", field(26, 1)},
      {"filter method", field(27, 1)},
      {"interlace method", field(28, 2)},
      {"CRC", crcOff},
  };
  for (const auto& c : refused)
    EXPECT_FALSE(PngHeader::parse(c.data)) << c.name;
}

}  // namespace
