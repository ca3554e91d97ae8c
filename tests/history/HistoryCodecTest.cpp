// The history file format: what is written, what reads back, what a reader
// tolerates and what makes the whole file unreadable.
#include "history/HistoryCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "history/HistoryDecoder.h"
#include "history/JsonString.h"
#include "history/UtcTimestamp.h"

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

TEST(HistoryCodecTest, WritesCompactObjectsInFixedKeyOrderLeavingAbsentFieldsOut) {
  ClipboardItem full;
  full.id = *Uuid::parse(idText);
  full.text = "hi";
  full.rtfData = Bytes{'{', '}'};
  full.imageFileName = "A.png";
  full.filePaths = std::vector<std::string>{"/a", "b"};
  full.signature = "T:hi";
  full.createdAt = at("2025-03-01T09:30:05Z") + 700ms;
  full.pinned = true;
  ClipboardItem bare;
  bare.id = full.id;
  bare.kind = ClipboardItemKind::image;
  bare.signature = "I:00";
  // Whole seconds, floored: before 1970 too.
  bare.createdAt = at("1969-12-31T23:59:59Z") + 300ms;
  EXPECT_EQ(HistoryCodec::encode({full, bare}),
            R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"text","text":"hi",)"
            R"("rtfData":"e30=","imageFileName":"A.png","filePaths":["\/a","b"],)"
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
      item.text = std::string(24, 'a');
      (*item.text)[pos] = special;
      auto decoded = HistoryCodec::decode(HistoryCodec::encode({item}));
      ASSERT_TRUE(decoded) << int(special) << " at " << pos;
      EXPECT_EQ(decoded->at(0).text, item.text);
    }
  }
}

TEST(HistoryCodecTest, EveryKindAndFieldReadsBackInOrder) {
  std::vector<ClipboardItem> items(5);
  items[0].text = "caf\u00e9 \"/path/\" line\n\t\\ ";
  items[0].signature = "T:" + *items[0].text;
  items[0].createdAt = at("2025-03-01T09:30:05Z");
  items[1].kind = ClipboardItemKind::rtf;
  items[1].rtfData = Bytes{0x00, 0xFF, '{', '\\', 'r', 't', 'f', '}', 0x80};
  items[2].kind = ClipboardItemKind::image;
  items[2].imageFileName = Uuid::random().toString() + ".png";
  items[2].pinned = true;
  items[3].kind = ClipboardItemKind::files;
  items[3].filePaths = std::vector<std::string>{"/Users/a/Report.pdf", "/Users/a/Photos/"};
  // Empty strings and lists stay present.
  items[4].text = "";
  items[4].rtfData = Bytes{};
  items[4].filePaths = std::vector<std::string>{};
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
      {"null optionals", R"("text":null,"rtfData":null,"imageFileName":null,"filePaths":null,)",
       ""},
      {"unknown keys", R"("colour":"green","x":{"n":[1,2.5e3,null]},"text":"t",)",
       R"("text":"t",)"},
      {"last duplicate wins", R"("text":"a","text":"b","pinned":true,)", R"("text":"b",)"},
      {"optional fields in any order",
       R"("filePaths":["/a","b"],"imageFileName":"A.png","rtfData":"e30=",)",
       R"("rtfData":"e30=","imageFileName":"A.png","filePaths":["\/a","b"],)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto decoded = HistoryCodec::decode("[" + entry(c.extra) + "]");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(HistoryCodec::encode(*decoded), canonical(c.fields));
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
           entry("\"text\":\"a\nb\",")});
  // A required key missing or null, or a key holding the wrong type.
  refused({with("id"), with("kind"), with("signature"), with("createdAt"), with("pinned"),
           with("id", "null"), with("pinned", "0"), with("pinned", "\"false\""),
           with("createdAt", "1740821405"), entry(R"("text":1,)"), entry(R"("filePaths":"/a",)"),
           entry(R"("filePaths":["/a",null],)"), entry(R"("rtfData":[1],)")});
  // Kinds are case-sensitive names; ids are in the 8-4-4-4-12 form.
  refused({with("kind", "\"html\""), with("kind", "\"Text\""),
           with("id", "\"E621E1F8C36C495A93FC0C247A3E6E5F\""), with("id", "\"{" + idText + "}\"")});
  // Base64 that is not canonical: no padding, a line break, pad bits not zero.
  refused({entry(R"("rtfData":"e30",)"), entry(R"("rtfData":"e30=\ne30=",)"),
           entry(R"("rtfData":"e31=",)")});
  // Anything but a real date and time of day in whole UTC seconds, the leap
  // second 60 included.
  refused({time("2025-03-01T09:30:60Z"), time("2025-03-01T09:30:05.1Z"),
           time("2025-03-01T09:30:05+00:00"), time("2025-03-01t09:30:05Z"),
           time("1900-02-29T09:30:05Z"), time("2025-04-31T09:30:05Z"), time("2025-13-01T09:30:05Z"),
           time("2025-03-01T24:00:00Z"), time("2025-03-01T09:60:05Z")});
}

TEST(HistoryDecoderTest, AKeptListShowsNothingOfAnEarlierFile) {
  // One decoder overwrites a kept list entry by entry; every optional field
  // the later file lacks or nulls must be gone.
  HistoryDecoder decoder;
  std::vector<ClipboardItem> items;
  const std::string full =
      entry(R"("text":"t","rtfData":"e30=","imageFileName":"A.png","filePaths":["/a"],)");
  ASSERT_TRUE(decoder.decode("[" + full + "," + full + "]", items));
  ASSERT_TRUE(decoder.decode("[" + entry() + "]", items));
  EXPECT_EQ(HistoryCodec::encode(items), canonical(""));
  ASSERT_TRUE(decoder.decode("[" + full + "]", items));
  EXPECT_FALSE(decoder.decode("[" + full + ",", items));
  const std::string nulls = R"("text":null,"rtfData":null,"imageFileName":null,"filePaths":null,)";
  ASSERT_TRUE(decoder.decode("[" + entry(nulls) + "]", items));
  EXPECT_EQ(HistoryCodec::encode(items), canonical(""));
}

}  // namespace
