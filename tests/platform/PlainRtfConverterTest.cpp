// The Linux RTF reader: text, escapes, code pages, Unicode with fallbacks,
// skipped destinations, and documents that are malformed or hostile.
#include "platform/linux/PlainRtfConverter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace {

// Strict UTF-8 check: no overlongs, surrogates or values past U+10FFFF.
bool isValidUtf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    int length = 0;
    std::uint32_t value = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      value = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size())
      return false;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      value = (value << 6) | (next & 0x3F);
    }
    if ((length == 3 && value < 0x800) || (length == 4 && value < 0x10000) || value > 0x10FFFF ||
        (value >= 0xD800 && value <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

class PlainRtfConverterTest : public ::testing::Test {
 protected:
  std::optional<std::string> convert(std::string_view rtf) {
    return converter.plainText(Bytes(rtf.begin(), rtf.end()));
  }

  PlainRtfConverter converter;
};

TEST_F(PlainRtfConverterTest, ParagraphsLinesAndTabsBecomeCharacters) {
  EXPECT_EQ(convert("{\\rtf1\\ansi Hello\\par World\\line x\\tab y}"), "Hello\nWorld\nx\ty");
}

TEST_F(PlainRtfConverterTest, CocoaDocumentGivesItsText) {
  const char* document =
      "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2761\n"
      "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;}\n"
      "{\\colortbl;\\red255\\green255\\blue255;}\n"
      "{\\*\\expandedcolortbl;;}\n"
      "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
      "\\pard\\tx566\\tx1133\\pardirnatural\\partightenfactor0\n"
      "\n"
      "\\f0\\fs24 \\cf0 Hello \\b bold\\b0  world\\\n"
      "second line}";
  EXPECT_EQ(convert(document), "Hello bold world\nsecond line");
}

TEST_F(PlainRtfConverterTest, OnlyOneSpaceEndsAControlWord) {
  EXPECT_EQ(convert("{\\rtf1 \\b  two\\b0   three}"), " two  three");
}

TEST_F(PlainRtfConverterTest, LineBreaksInTheSourceAreNotText) {
  EXPECT_EQ(convert("{\\rtf1 one\ntwo\r\nthree}"), "onetwothree");
}

TEST_F(PlainRtfConverterTest, EscapedSpecialCharactersAreLiteral) {
  EXPECT_EQ(convert("{\\rtf1 a\\\\b \\{c\\}}"), "a\\b {c}");
}

TEST_F(PlainRtfConverterTest, SymbolWordsBecomeTheirCharacters) {
  EXPECT_EQ(convert("{\\rtf1 \\ldblquote x\\rdblquote \\emdash\\bullet\\~y\\_z\\-w}"),
            "\u201Cx\u201D\u2014\u2022\u00A0y\u2011zw");
}

TEST_F(PlainRtfConverterTest, HexEscapesUseWindows1252ByDefault) {
  EXPECT_EQ(convert("{\\rtf1 caf\\'e9 \\'80\\'93\\'94\\'9f}"),
            "caf\u00E9 \u20AC\u201C\u201D\u0178");
}

TEST_F(PlainRtfConverterTest, HexEscapesFollowALatin1CodePage) {
  EXPECT_EQ(convert("{\\rtf1\\ansi\\ansicpg28591 \\'80\\'e9}"), "\u0080\u00E9");
}

TEST_F(PlainRtfConverterTest, UnsupportedCodePageGivesReplacementCharacters) {
  EXPECT_EQ(convert("{\\rtf1\\ansi\\ansicpg1251 \\'c0b\\'41}"), "\uFFFDbA");
}

TEST_F(PlainRtfConverterTest, UnicodeSkipsOneFallbackCharacterByDefault) {
  EXPECT_EQ(convert("{\\rtf1 caf\\u233?s}"), "caf\u00E9s");
  EXPECT_EQ(convert("{\\rtf1 caf\\u233\\'e9s}"), "caf\u00E9s");
}

TEST_F(PlainRtfConverterTest, UnicodeFallbackCountFollowsUc) {
  EXPECT_EQ(convert("{\\rtf1 \\uc2\\u8364 EUR}"), "\u20ACR");
  EXPECT_EQ(convert("{\\rtf1 \\uc0\\u8364 EUR}"), "\u20ACEUR");
}

TEST_F(PlainRtfConverterTest, UcAppliesOnlyInsideItsGroup) {
  EXPECT_EQ(convert("{\\rtf1 {\\uc0 x}\\u233?y}"), "x\u00E9y");
}

TEST_F(PlainRtfConverterTest, GroupEndCutsTheFallbackShort) {
  EXPECT_EQ(convert("{\\rtf1 {\\uc3\\u233 a}bc}"), "\u00E9bc");
}

TEST_F(PlainRtfConverterTest, NegativeUnicodeValuesFormSurrogatePairs) {
  EXPECT_EQ(convert("{\\rtf1 \\u-10179?\\u-8704?!}"), "\U0001F600!");
  EXPECT_EQ(convert("{\\rtf1 \\u-4064?}"), "\uF020");
}

TEST_F(PlainRtfConverterTest, UnpairedSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(convert("{\\rtf1 \\u-10179?x}"), "\uFFFDx");
  EXPECT_EQ(convert("{\\rtf1 \\u-8704?x}"), "\uFFFDx");
  EXPECT_EQ(convert("{\\rtf1 x\\u-10179?}"), "x\uFFFD");
}

TEST_F(PlainRtfConverterTest, DestinationsAreSkipped) {
  const char* document =
      "{\\rtf1{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0;}{\\stylesheet{\\s0 Normal;}}"
      "{\\info{\\title Secret title}{\\author Someone}}{\\*\\generator Writer 1.0;}"
      "{\\*\\unknown outer {inner text}}"
      "{\\pict\\pngblip 89504e47}"
      "visible}";
  EXPECT_EQ(convert(document), "visible");
}

TEST_F(PlainRtfConverterTest, FieldShowsItsResultNotItsInstruction) {
  EXPECT_EQ(convert("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"https://example.com\"}"
                    "{\\fldrslt the site}}.}"),
            "see the site.");
}

TEST_F(PlainRtfConverterTest, BinaryDataIsSkippedWhateverItHolds) {
  EXPECT_EQ(convert("{\\rtf1 a{\\pict\\bin4 }}{{}b}"), "ab");
}

TEST_F(PlainRtfConverterTest, EmptyDocumentIsEmptyText) {
  EXPECT_EQ(convert("{\\rtf1}"), "");
}

TEST_F(PlainRtfConverterTest, BytesAfterTheDocumentAreIgnored) {
  EXPECT_EQ(convert(std::string_view("{\\rtf1 a}\0trailing}}", 19)), "a");
}

TEST_F(PlainRtfConverterTest, InputThatIsNotRtfGivesNothing) {
  EXPECT_EQ(convert(""), std::nullopt);
  EXPECT_EQ(convert("hello"), std::nullopt);
  EXPECT_EQ(convert(" {\\rtf1 x}"), std::nullopt);
  EXPECT_EQ(convert("{\\rt"), std::nullopt);
  EXPECT_EQ(convert("{\\html x}"), std::nullopt);
}

TEST_F(PlainRtfConverterTest, UnclosedGroupsGiveNothing) {
  EXPECT_EQ(convert("{\\rtf"), std::nullopt);
  EXPECT_EQ(convert("{\\rtf1 text"), std::nullopt);
  EXPECT_EQ(convert("{\\rtf1 {\\b text}"), std::nullopt);
  EXPECT_EQ(convert("{\\rtf1 text\\"), std::nullopt);
  EXPECT_EQ(convert("{\\rtf1 text\\'4"), std::nullopt);
  EXPECT_EQ(convert("{\\rtf1 {\\pict\\bin999999 }}}"), std::nullopt);
}

TEST_F(PlainRtfConverterTest, MalformedHexEscapeIsDroppedAndTextGoesOn) {
  EXPECT_EQ(convert("{\\rtf1 a\\'zzb}"), "azzb");
  EXPECT_EQ(convert("{\\rtf1 a\\'4}"), "a");
}

TEST_F(PlainRtfConverterTest, OversizedParametersAreHarmless) {
  EXPECT_EQ(convert("{\\rtf1 \\u99999999999999999999999 x}"), "\uFFFD");
  EXPECT_EQ(convert("{\\rtf1 \\uc99999999999999999999\\u233 abc}"), "\u00E9");
  EXPECT_EQ(convert("{\\rtf1 \\u-99999999999999999999 x}"), "\uFFFD");
}

TEST_F(PlainRtfConverterTest, NestingUpToTheBoundIsRead) {
  const int extra = PlainRtfConverter::maxGroupDepth - 1;
  std::string document =
      "{\\rtf1 " + std::string(extra, '{') + "deep" + std::string(extra, '}') + "}";
  EXPECT_EQ(convert(document), "deep");
}

TEST_F(PlainRtfConverterTest, NestingPastTheBoundIsRefused) {
  const int extra = PlainRtfConverter::maxGroupDepth;
  std::string document =
      "{\\rtf1 " + std::string(extra, '{') + "deep" + std::string(extra, '}') + "}";
  EXPECT_EQ(convert(document), std::nullopt);
  std::string hostile = "{\\rtf1 " + std::string(1'000'000, '{');
  EXPECT_EQ(convert(hostile), std::nullopt);
}

TEST_F(PlainRtfConverterTest, RandomDocumentsNeverYieldInvalidUtf8) {
  // Bytes drawn mostly from RTF's own alphabet, so escapes, groups and
  // parameters meet in every combination.
  const std::string alphabet = "{}\\'*u-0123456789abcdefuc par bin ansicpg?\r\n\x80\xE9\xFF";
  std::mt19937 random(20250301);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 200);
  for (int round = 0; round < 5000; ++round) {
    std::string document = "{\\rtf1 ";
    const int n = length(random);
    for (int i = 0; i < n; ++i)
      document += alphabet[pick(random)];
    document += '}';
    const auto text = convert(document);
    if (text) {
      EXPECT_TRUE(isValidUtf8(*text)) << document;
    }
  }
}

}  // namespace
