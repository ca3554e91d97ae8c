// The Linux RTF reader: text, escapes, code pages, Unicode with fallbacks,
// skipped destinations, and documents that are malformed or hostile.
#include "platform/linux/clipboard/PlainRtfConverter.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "history/Utf8.h"

namespace {

std::optional<std::string> convert(std::string_view rtf) {
  return PlainRtfConverter().plainText(Bytes(rtf.begin(), rtf.end()));
}

TEST(PlainRtfConverterTest, DocumentsGiveTheirTextOrNothing) {
  struct Case {
    const char* name;
    std::string rtf;
    std::optional<std::string> text;
  };
  const std::string cocoa =
      "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2761\n{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;}\n"
      "{\\colortbl;\\red255\\green255\\blue255;}\n{\\*\\expandedcolortbl;;}\n\\pard\\tx566\n\n"
      "\\f0\\fs24 \\cf0 Hello \\b bold\\b0  world\\\nsecond line}";
  const int deepest = PlainRtfConverter::maxGroupDepth - 1;
  const Case cases[] = {
      {"paragraphs, lines and tabs", "{\\rtf1\\ansi Hello\\par World\\line x\\tab y}",
       "Hello\nWorld\nx\ty"},
      {"a Cocoa document", cocoa, "Hello bold world\nsecond line"},
      {"one space ends a control word", "{\\rtf1 \\b  two\\b0   three}", " two  three"},
      {"line breaks in the source", "{\\rtf1 one\ntwo\r\nthree}", "onetwothree"},
      {"escaped specials", "{\\rtf1 a\\\\b \\{c\\}}", "a\\b {c}"},
      {"symbol words", "{\\rtf1 \\ldblquote x\\rdblquote \\emdash\\bullet\\~y\\_z\\-w}",
       "\u201Cx\u201D\u2014\u2022\u00A0y\u2011zw"},
      {"hex in Windows-1252 by default", "{\\rtf1 caf\\'e9 \\'80\\'93\\'94\\'9f}",
       "caf\u00E9 \u20AC\u201C\u201D\u0178"},
      {"hex in Latin-1", "{\\rtf1\\ansi\\ansicpg28591 \\'80\\'e9}", "\u0080\u00E9"},
      {"hex in an unsupported code page", "{\\rtf1\\ansi\\ansicpg1251 \\'c0b\\'41}", "\uFFFDbA"},
      {"\\u skips one fallback character", "{\\rtf1 caf\\u233?s}", "caf\u00E9s"},
      {"\\u skips a hex fallback", "{\\rtf1 caf\\u233\\'e9s}", "caf\u00E9s"},
      {"\\uc2 skips two", "{\\rtf1 \\uc2\\u8364 EUR}", "\u20ACR"},
      {"\\uc0 skips none", "{\\rtf1 \\uc0\\u8364 EUR}", "\u20ACEUR"},
      {"\\uc holds only inside its group", "{\\rtf1 {\\uc0 x}\\u233?y}", "x\u00E9y"},
      {"a group end cuts the fallback short", "{\\rtf1 {\\uc3\\u233 a}bc}", "\u00E9bc"},
      {"negative values pair into one character", "{\\rtf1 \\u-10179?\\u-8704?!}", "\U0001F600!"},
      {"a negative value of the private use area", "{\\rtf1 \\u-4064?}", "\uF020"},
      {"a lone high surrogate", "{\\rtf1 \\u-10179?x}", "\uFFFDx"},
      {"a lone low surrogate", "{\\rtf1 \\u-8704?x}", "\uFFFDx"},
      {"a high surrogate at the end", "{\\rtf1 x\\u-10179?}", "x\uFFFD"},
      {"destinations are skipped",
       "{\\rtf1{\\fonttbl{\\f0 Times;}}{\\colortbl;\\red0;}{\\stylesheet{\\s0 Normal;}}"
       "{\\info{\\title Secret}{\\author Someone}}{\\*\\generator Writer 1.0;}"
       "{\\*\\unknown outer {inner text}}{\\pict\\pngblip 89504e47}visible}",
       "visible"},
      {"a field shows its result",
       "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"https://example.com\"}"
       "{\\fldrslt the site}}.}",
       "see the site."},
      {"binary data is skipped whatever it holds", "{\\rtf1 a{\\pict\\bin4 }}{{}b}", "ab"},
      {"an empty document", "{\\rtf1}", ""},
      {"bytes after the document", std::string("{\\rtf1 a}\0trailing}}", 19), "a"},
      {"a malformed hex escape", "{\\rtf1 a\\'zzb}", "azzb"},
      {"a hex escape cut by the group end", "{\\rtf1 a\\'4}", "a"},
      {"an oversized \\u", "{\\rtf1 \\u99999999999999999999999 x}", "\uFFFD"},
      {"an oversized negative \\u", "{\\rtf1 \\u-99999999999999999999 x}", "\uFFFD"},
      {"an oversized \\uc", "{\\rtf1 \\uc99999999999999999999\\u233 abc}", "\u00E9"},
      {"nesting at the bound",
       "{\\rtf1 " + std::string(deepest, '{') + "deep" + std::string(deepest, '}') + "}", "deep"},
      {"nesting past the bound",
       "{\\rtf1 " + std::string(deepest + 1, '{') + "deep" + std::string(deepest + 1, '}') + "}",
       std::nullopt},
      {"a million open groups", "{\\rtf1 " + std::string(1'000'000, '{'), std::nullopt},
      {"empty input", "", std::nullopt},
      {"plain text", "hello", std::nullopt},
      {"a space before the header", " {\\rtf1 x}", std::nullopt},
      {"a cut header", "{\\rt", std::nullopt},
      {"another format", "{\\html x}", std::nullopt},
      {"an unclosed document", "{\\rtf1 text", std::nullopt},
      {"an unclosed inner group", "{\\rtf1 {\\b text}", std::nullopt},
      {"a backslash at the end", "{\\rtf1 text\\", std::nullopt},
      {"an unclosed header", "{\\rtf", std::nullopt},
      {"a hex escape at the end", "{\\rtf1 text\\'4", std::nullopt},
      {"binary data past the end", "{\\rtf1 {\\pict\\bin999999 }}}", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(convert(c.rtf), c.text);
  }
}

TEST(PlainRtfConverterTest, RandomDocumentsNeverYieldInvalidUtf8) {
  // Bytes drawn mostly from RTF's own alphabet, so escapes, groups and
  // parameters meet in every combination.
  const std::string alphabet = "{}\\'*u-0123456789abcdefuc par bin ansicpg?\r\n\x80\xE9\xFF";
  std::mt19937 random(20250301);
  for (int round = 0; round < 5000; ++round) {
    std::string document = "{\\rtf1 ";
    for (auto left = random() % 200; left > 0; --left) {
      document += alphabet[random() % alphabet.size()];
    }
    const auto text = convert(document + "}");
    EXPECT_TRUE(!text || Utf8::isValid(*text)) << document;
  }
}

}  // namespace
