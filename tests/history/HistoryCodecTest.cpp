// The history file format: what is written, read back, tolerated or refused.
#include "history/HistoryCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <regex>

#include "history/HistoryDecoder.h"
#include "history/JsonString.h"
#include "history/UtcTimestamp.h"
#include "platform/FileReader.h"
#include "platform/Sha256.h"

namespace {

using namespace std::chrono_literals;

const std::string idText = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const std::string fffd = "\xEF\xBF\xBD";

TimePoint at(const char* text) {
  return *UtcTimestamp::parse(text);
}

// One entry with every required key; `extra` goes in before "pinned". An
// unknown key opens it, so that every required key follows a comma.
std::string entry(const std::string& extra = "") {
  return R"({"v":1,"id":")" + idText +
         R"(","kind":"text","signature":"T:x","createdAt":"2025-03-01T09:30:05Z",)" + extra +
         R"("pinned":false})";
}

// A file of `entry(...)` as written back; `fields` are its optional ones.
std::string canonical(const std::string& fields) {
  return R"([{"id":")" + idText + R"(","kind":"text",)" + fields +
         R"("signature":"T:x","createdAt":"2025-03-01T09:30:05Z","pinned":false}])";
}

// `entry()` with the value of `key` written as `raw`, or without the key.
std::string with(const std::string& key, const std::string& raw = "") {
  const std::regex field(",\"" + key + "\":(\"[^\"]*\"|false)");
  return std::regex_replace(entry(), field, raw.empty() ? "" : ",\"" + key + "\":" + raw);
}

// Every kind, field, escape and ill-formed UTF-8, with texts that cross any
// piece size; the same every run.
std::vector<ClipboardItem> everyKindHistory() {
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  auto next = [&] { return state = state * 6364136223846793005ULL + 1442695040888963407ULL; };
  const std::string_view specials[] = {
      "\"",       "\\",           "/",          std::string_view("\0", 1),
      "\x01",     "\x1f",         "\b\f\n\r\t", "\x7f",
      "\u00e9",   "\u2028",       "\U0001F600", "\xFF",
      "\xE2\x82", "\xED\xA0\x80", "\xC3"};
  auto longText = [&](std::size_t size) {
    std::string text;
    while (text.size() < size) {
      text.append(next() % 40, static_cast<char>('a' + next() % 26));
      text += specials[next() % std::size(specials)];
    }
    return text;
  };
  std::vector<ClipboardItem> items(9);
  items[0].text = longText(3'000'000);
  items[1].kind = ClipboardItemKind::rtf;
  items[1].text = longText(2'000);
  Bytes rtf(100'001);
  for (std::uint8_t& byte : rtf)
    byte = static_cast<std::uint8_t>(next() >> 56);
  items[1].rtfData = std::move(rtf);
  items[2].kind = ClipboardItemKind::image;
  items[2].imageFileName = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F.png";
  items[2].setSignature("I:ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  items[2].pinned = true;
  items[3].kind = ClipboardItemKind::files;
  items[3].filePaths = PathList{"/Users/a/R\u00e9port \"1\".pdf", "", "C:\\x\xFF"};
  items[3].setSignature("F:/Users/a/R\u00e9port \"1\".pdf||C:\\x\xFF");
  items[4].kind = ClipboardItemKind::files;
  items[4].filePaths = PathList{};
  items[4].setSignature("F:");
  // Written elsewhere: a signature that is not "T:" + text, or an entry without text.
  items[5].text = longText(1'000);
  items[5].setSignature("T:" + longText(70'000));
  items[7].kind = ClipboardItemKind::rtf;
  items[7].text = longText(2'000'000);
  items[7].rtfData = Bytes{'{', '}'};
  items[7].pinned = true;
  items[8].text = "\xFF\xFE";
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i].id = *Uuid::parse("E621E1F8-C36C-495A-93FC-0C247A3E6E" + std::to_string(10 + i));
    items[i].createdAt = at("2025-03-01T09:30:05Z") - std::chrono::seconds(next() % 100'000'000);
    if (items[i].text && i != 5)
      items[i].setSignature("T:" + *items[i].text);
  }
  return items;
}

std::string hexSha256(std::string_view bytes) {
  Sha256Digest digest = sha256(bytes.data(), bytes.size());
  std::string hex;
  for (std::uint8_t byte : digest) {
    constexpr std::string_view digits = "0123456789abcdef";
    hex += digits[byte >> 4];
    hex += digits[byte & 0x0f];
  }
  return hex;
}

// A file served `size` bytes a read, failing after `failAfter` bytes.
class PieceReader : public FileReader {
 public:
  PieceReader(std::string_view text, std::size_t size, std::size_t failAfter = SIZE_MAX)
      : text_(text), size_(size), failAfter_(failAfter) {}
  std::optional<std::size_t> read(char* into, std::size_t size) override {
    if (offset_ >= failAfter_)
      return std::nullopt;
    const std::size_t count = std::min({size, size_, text_.size() - offset_});
    std::memcpy(into, text_.data() + offset_, count);
    offset_ += count;
    return count;
  }

 private:
  std::string_view text_;
  std::size_t size_;
  std::size_t failAfter_;
  std::size_t offset_ = 0;
};

TEST(HistoryCodecTest, WritesTheFormerBytesInBoundedPiecesAndReadsThemBackInAnyPieces) {
  // The size and SHA-256 of what the encoder wrote when it still built the
  // whole file in memory and every text entry held its signature.
  const std::string former = "a77fbca40d561d8332a741831a26b48e5963eadb72314831d3312d3e4d48a7a8";
  const std::vector<ClipboardItem> items = everyKindHistory();
  std::string json;
  std::size_t largest = 0;
  ASSERT_TRUE(HistoryCodec::encode(items, [&](std::string_view piece) {
    json += piece;
    largest = std::max(largest, piece.size());
    return true;
  }));
  EXPECT_EQ(json.size(), 11'277'730u);
  EXPECT_EQ(hexSha256(json), former);
  EXPECT_LE(largest, HistoryCodec::maxPieceSize);
  int pieces = 0;
  EXPECT_FALSE(HistoryCodec::encode(items, [&](std::string_view) { return ++pieces < 2; }));
  EXPECT_EQ(pieces, 2);

  HistoryDecoder decoder;
  using Outcome = HistoryDecoder::FileOutcome;
  for (std::size_t size : {std::size_t{7}, std::size_t{65'537}}) {
    std::vector<ClipboardItem> decoded;
    PieceReader file(json, size);
    ASSERT_EQ(decoder.decode(file, decoded), Outcome::decoded);
    EXPECT_EQ(hexSha256(HistoryCodec::encode(decoded)), former);
    // Only a key that the text or the paths do not give is held.
    EXPECT_FALSE(decoded[0].storedSignature || decoded[7].storedSignature);
    EXPECT_FALSE(decoded[3].storedSignature || decoded[4].storedSignature);
    EXPECT_TRUE(decoded[5].storedSignature && decoded[2].storedSignature);
  }
  const std::pair<PieceReader, Outcome> files[] = {
      {PieceReader("", 1), Outcome::empty},
      {PieceReader(json, 4096, 1 << 20), Outcome::unreadable},
      {PieceReader(std::string_view(json).substr(0, 1 << 20), 4096), Outcome::malformed},
      {PieceReader(" ", 1), Outcome::malformed},
  };
  for (auto [file, outcome] : files) {
    std::vector<ClipboardItem> decoded;
    EXPECT_EQ(decoder.decode(file, decoded), outcome);
  }
}

TEST(HistoryCodecTest, WritesCompactObjectsInFixedKeyOrderLeavingAbsentFieldsOut) {
  ClipboardItem full;
  full.id = *Uuid::parse(idText);
  full.text = "hi";
  full.rtfData = Bytes{'{', '}'};
  full.htmlData = Bytes{'<', 'b', '>'};
  full.imageFileName = "A.png";
  full.filePaths = PathList{"/a", "b"};
  full.setSignature("T:hi");
  full.createdAt = at("2025-03-01T09:30:05Z") + 700ms;
  full.pinned = true;
  ClipboardItem bare;
  bare.id = full.id;
  bare.kind = ClipboardItemKind::image;
  bare.setSignature("I:00");
  // Whole seconds, floored: before 1970 too.
  bare.createdAt = at("1969-12-31T23:59:59Z") + 300ms;
  EXPECT_EQ(HistoryCodec::encode({full, bare}),
            R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"text","text":"hi",)"
            R"("rtfData":"e30=","htmlData":"PGI+","imageFileName":"A.png","filePaths":["\/a","b"],)"
            R"("signature":"T:hi","createdAt":"2025-03-01T09:30:05Z","pinned":true},)"
            R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"image",)"
            R"("signature":"I:00","createdAt":"1969-12-31T23:59:59Z","pinned":false}])");
}

TEST(HistoryCodecTest, StringsEscapeWhatJsonRequiresAndRepairIllFormedUtf8) {
  struct Case {
    const char* name;
    std::string text;
    std::string written;
  };
  const Case cases[] = {
      {"solidus, quote, backslash", "/\"\\", R"(\/\"\\)"},
      {"short escapes", "\b\f\n\r\t", R"(\b\f\n\r\t)"},
      {"other controls", std::string("\0\x01\x1f", 3), R"(\u0000\u0001\u001f)"},
      {"delete and non-ASCII", "\x7f\u00e9\U0001F600\u2028", "\x7f\u00e9\U0001F600\u2028"},
      {"ill-formed UTF-8", "ok\xFF/\xE2\x82", "ok" + fffd + "\\/" + fffd},
      {"encoded surrogate", "\xED\xA0\x80.png", fffd + fffd + fffd + ".png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out;
    JsonString::append(out, c.text);
    EXPECT_EQ(out, '"' + c.written + '"');
  }
}

TEST(HistoryCodecTest, EscapesAtEveryOffsetOfALongText) {
  // Long texts are scanned a word at a time: each special byte at each offset
  // inside and across the words must still read back.
  for (char special : {'/', '"', '\\', '\n', '\x1f'}) {
    for (std::size_t pos = 0; pos < 24; ++pos) {
      ClipboardItem item;
      item.text = std::string(24, 'a').replace(pos, 1, 1, special);
      auto decoded = HistoryCodec::decode(HistoryCodec::encode({item}));
      ASSERT_TRUE(decoded) << int(special) << " at " << pos;
      EXPECT_EQ(decoded->at(0).text, item.text);
    }
  }
}

TEST(HistoryCodecTest, EveryKindAndFieldReadsBackInOrder) {
  std::vector<ClipboardItem> items(5);
  items[0].text = "caf\u00e9 \"/path/\" line\n\t\\ ";
  items[0].setSignature("T:" + *items[0].text);
  items[0].createdAt = at("2025-03-01T09:30:05Z");
  items[0].htmlData = Bytes{'<', 0xFF, '>'};
  items[1].kind = ClipboardItemKind::rtf;
  items[1].rtfData = Bytes{0x00, 0xFF, '{', '\\', 'r', 't', 'f', '}', 0x80};
  items[2].kind = ClipboardItemKind::image;
  items[2].imageFileName = Uuid::random().toString() + ".png";
  items[2].pinned = true;
  items[3].kind = ClipboardItemKind::files;
  items[3].filePaths = PathList{"/Users/a/Report.pdf", "/Users/a/Photos/"};
  // Empty strings and lists stay present.
  items[4].text = "";
  items[4].rtfData = Bytes{};
  items[4].filePaths = PathList{};
  // The writer shows every field, so writing what was read shows any loss.
  auto decoded = HistoryCodec::decode(HistoryCodec::encode(items));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(HistoryCodec::encode(*decoded), HistoryCodec::encode(items));
}

TEST(HistoryCodecTest, ReaderToleratesWhatItShould) {
  struct Case {
    const char* name;
    std::string extra;   // spliced into a good entry
    std::string fields;  // the optional ones, as written back
  };
  const Case cases[] = {
      {"missing optionals", "", ""},
      {"null optionals",
       R"("text":null,"rtfData":null,"htmlData":null,"imageFileName":null,"filePaths":null,)", ""},
      {"unknown keys",
       R"("colour":"green","x":{"n":[1,-0.5E-3,18446744073709551615,null,true,{}]},"text":"t",)",
       R"("text":"t",)"},
      {"escapes", R"("text":"\ud83d\ude00\u00E9\/\b",)", "\"text\":\"\U0001F600\u00e9\\/\\b\","},
      {"last duplicate wins", R"("text":"a","text":"b","pinned":true,)", R"("text":"b",)"},
      {"optional fields in any order",
       R"("filePaths":["/a","b"],"htmlData":"PGI+","imageFileName":"A.png","rtfData":"e30=",)",
       R"("rtfData":"e30=","htmlData":"PGI+","imageFileName":"A.png","filePaths":["\/a","b"],)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = HistoryCodec::decode("[" + entry(c.extra) + "]");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(HistoryCodec::encode(*decoded), canonical(c.fields));
  }
}

TEST(HistoryCodecTest, ASignatureAfterItsTextIsHeldOnlyWhenTheTextDoesNotGiveIt) {
  struct Case {
    const char* name;
    std::string keys;       // text and signature, as written
    std::string signature;  // as decoded
    bool held;
  };
  const Case cases[] = {
      {"equal through escapes", R"("text":"a\n\/\u00e9","signature":"\u0054:a\n/é",)",
       "T:a\n/\u00e9", false},
      {"written alike, to an escaped reverse solidus", R"("text":"\\","signature":"T:\\",)", "T:\\",
       false},
      {"last byte differs", R"("text":"ab","signature":"T:ac",)", "T:ac", true},
      {"shorter", R"("text":"ab","signature":"T:a",)", "T:a", true},
      {"longer, by an escape", R"("text":"ab","signature":"T:ab\n",)", "T:ab\n", true},
      {"at an escape", R"("text":"a\nb","signature":"T:a\tb",)", "T:a\tb", true},
      {"within an escape's bytes", R"("text":"è","signature":"T:\u00e9",)", "T:\u00e9", true},
      {"the text read again after it", R"("text":"a","signature":"T:a","text":"b",)", "T:a", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string json = "[" + with("signature", "") + "]";
    const std::string file =
        json.substr(0, json.find("\"pinned\"")) + c.keys + "\"pinned\":false}]";
    for (std::size_t size : {std::size_t{1}, file.size()}) {
      PieceReader reader(file, size);
      std::vector<ClipboardItem> items;
      ASSERT_EQ(HistoryDecoder().decode(reader, items), HistoryDecoder::FileOutcome::decoded);
      EXPECT_EQ(items[0].signature(), c.signature);
      EXPECT_EQ(items[0].storedSignature.has_value(), c.held);
    }
  }
}

TEST(HistoryCodecTest, TimesBeyondTheClockAreClampedNotWrapped) {
  auto far = UtcTimestamp::parse("9999-12-31T23:59:59Z");
  auto early = UtcTimestamp::parse("0000-01-01T00:00:00Z");
  ASSERT_TRUE(far && early);
  EXPECT_GT(*far, at("2200-01-01T00:00:00Z"));
  EXPECT_LT(*early, at("1800-01-01T00:00:00Z"));
}

TEST(HistoryCodecTest, AnyBadEntryOrBadStructureFailsTheWholeFile) {
  const std::string good = entry();
  const std::string besideGood = "[" + good + ",";
  const auto refused = [&](std::initializer_list<std::string> entries) {
    for (const std::string& bad : entries)
      EXPECT_FALSE(HistoryCodec::decode((besideGood + bad).append("]"))) << bad;
  };
  const auto time = [](const std::string& text) { return with("createdAt", '"' + text + '"'); };
  // The helpers themselves make good entries.
  ASSERT_TRUE(HistoryCodec::decode("[" + with("kind", "\"rtf\"") + "," +
                                   time("2024-02-29T00:00:00Z") + "]"));
  // Not one array of objects.
  for (const std::string& file : {std::string(), good, "[" + good, "[" + good + "]x",
                                  std::string("[][]"), "[" + good + ",1]"})
    EXPECT_FALSE(HistoryCodec::decode(file)) << file;
  // Ill-formed UTF-8 anywhere, a lone surrogate escape, a raw control character.
  refused({entry("\"text\":\"a\xFF\","), entry("\"x\xC0\xAF\":1,"), entry(R"("text":"\ud800",)"),
           entry(R"("text":"\udc00",)"), entry("\"text\":\"a\nb\",")});
  // Numbers outside the grammar or an integer beyond 64 bits; nesting too deep.
  refused({entry(R"("x":01,)"), entry(R"("x":1.,)"), entry(R"("x":-,)"), entry(R"("x":1e,)"),
           entry(R"("x":18446744073709551616,)"), entry(R"("x":tru,)"),
           entry("\"x\":" + std::string(1100, '[') + std::string(1100, ']') + ",")});
  // A required key missing or null, or a key holding the wrong type.
  refused({with("id"), with("kind"), with("signature"), with("createdAt"), with("pinned"),
           with("id", "null"), with("pinned", "0"), with("pinned", "\"false\""),
           with("createdAt", "1740821405"), entry(R"("text":1,)"), entry(R"("filePaths":"/a",)"),
           entry(R"("filePaths":["/a",null],)"), entry(R"("rtfData":[1],)"),
           entry(R"("htmlData":"<b>",)")});
  // Kinds are case-sensitive names; ids are in the 8-4-4-4-12 form.
  refused({with("kind", "\"html\""), with("kind", "\"Text\""),
           with("id", "\"E621E1F8C36C495A93FC0C247A3E6E5F\""), with("id", "\"{" + idText + "}\""),
           with("id", "\"" + std::string(idText).replace(8, 1, "0") + "\"")});
  // Base64 that is not canonical: no padding, a line break, pad bits not zero.
  refused({entry(R"("rtfData":"e30",)"), entry(R"("rtfData":"e30=\ne30=",)"),
           entry(R"("rtfData":"e31=",)"), entry(R"("htmlData":"e30",)")});
  // Anything but a real date and time of day in whole UTC seconds, the leap
  // second 60 included.
  refused({time("2025-03-01T09:30:60Z"), time("2025-03-01T09:30:05.1Z"),
           time("2025-03-01T09:30:05+00:00"), time("2025-03-01t09:30:05Z"),
           time("1900-02-29T09:30:05Z"), time("2025-04-31T09:30:05Z"), time("2025-13-01T09:30:05Z"),
           time("2025-03-01T24:00:00Z"), time("2025-03-01T09:60:05Z"),
           time("2025-03-01T09:30:05z")});
}

TEST(HistoryDecoderTest, AKeptListShowsNothingOfAnEarlierFile) {
  // One decoder overwrites a kept list entry by entry; every optional field
  // the later file lacks or nulls must be gone.
  HistoryDecoder decoder;
  std::vector<ClipboardItem> items;
  const std::string full =
      entry(R"("text":"t","rtfData":"e30=","htmlData":"e30=","imageFileName":"A.png",)"
            R"("filePaths":["/a"],)");
  ASSERT_TRUE(decoder.decode("[" + full + "," + full + "]", items));
  ASSERT_TRUE(decoder.decode("[" + entry() + "]", items));
  EXPECT_EQ(HistoryCodec::encode(items), canonical(""));
  ASSERT_TRUE(decoder.decode("[" + full + "]", items));
  EXPECT_FALSE(decoder.decode("[" + full + ",", items));
  const std::string nulls =
      R"("text":null,"rtfData":null,"htmlData":null,"imageFileName":null,"filePaths":null,)";
  ASSERT_TRUE(decoder.decode("[" + entry(nulls) + "]", items));
  EXPECT_EQ(HistoryCodec::encode(items), canonical(""));
}

}  // namespace
