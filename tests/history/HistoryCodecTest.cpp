// The history file format: what is written, what must be read, and what must
// make the whole file unreadable.
#include "history/HistoryCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <utility>

#include "history/UtcTimestamp.h"

namespace {

using namespace std::chrono_literals;

const std::string idText = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const std::string fffd = "\xEF\xBF\xBD";

TimePoint at(const char* text) {
  return *UtcTimestamp::parse(text);
}

ClipboardItem textItem(std::string text) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::text;
  item.signature = "T:" + text;
  item.text = std::move(text);
  item.createdAt = at("2025-03-01T09:30:05Z");
  return item;
}

// One entry with every required key; `extra` is spliced in before "pinned".
std::string entry(const std::string& extra = "") {
  return R"({"id":")" + idText +
         R"(","kind":"text","signature":"T:x","createdAt":"2025-03-01T09:30:05Z",)" + extra +
         R"("pinned":false})";
}

std::string file(const std::string& entryText) {
  return "[" + entryText + "]";
}

class HistoryCodecEncodeTest : public ::testing::Test {};

TEST_F(HistoryCodecEncodeTest, WritesCompactObjectInFixedKeyOrder) {
  ClipboardItem item = textItem("hi");
  item.id = *Uuid::parse(idText);
  item.rtfData = Bytes{'{', '}'};
  item.imageFileName = "A.png";
  item.filePaths = std::vector<std::string>{"/a", "b"};
  item.pinned = true;
  EXPECT_EQ(HistoryCodec::encode({item}),
            R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"text","text":"hi",)"
            R"("rtfData":"e30=","imageFileName":"A.png","filePaths":["\/a","b"],)"
            R"("signature":"T:hi","createdAt":"2025-03-01T09:30:05Z","pinned":true}])");
}

TEST_F(HistoryCodecEncodeTest, LeavesAbsentOptionalsOutRatherThanNull) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::image;
  item.id = *Uuid::parse(idText);
  item.signature = "I:00";
  item.createdAt = at("2025-03-01T09:30:05Z");
  std::string json = HistoryCodec::encode({item});
  EXPECT_EQ(json, R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"image",)"
                  R"("signature":"I:00","createdAt":"2025-03-01T09:30:05Z","pinned":false}])");
  EXPECT_EQ(json.find("null"), std::string::npos);
}

TEST_F(HistoryCodecEncodeTest, EmptyHistoryIsEmptyArray) {
  EXPECT_EQ(HistoryCodec::encode({}), "[]");
  EXPECT_EQ(HistoryCodec::decode("[]")->size(), 0u);
}

TEST_F(HistoryCodecEncodeTest, KeptBufferIsReplacedNotAppendedTo) {
  std::string buffer(100'000, 'x');
  const std::size_t grown = buffer.capacity();
  std::vector<ClipboardItem> items{textItem("one/two")};
  HistoryCodec::encode(items, buffer);
  EXPECT_EQ(buffer, HistoryCodec::encode(items));
  EXPECT_GE(buffer.capacity(), grown);
  HistoryCodec::encode({}, buffer);
  EXPECT_EQ(buffer, "[]");
}

TEST_F(HistoryCodecEncodeTest, EscapesSolidusQuoteBackslashAndControls) {
  std::string text = "/Users/a/Report.pdf \"q\" \\ \b\f\n\r\t";
  text += '\0';
  text += "\x01\x1f\x7f";
  std::string json = HistoryCodec::encode({textItem(text)});
  EXPECT_NE(json.find(R"("text":"\/Users\/a\/Report.pdf \"q\" \\ \b\f\n\r\t\u0000\u0001\u001f)"
                      "\x7f\""),
            std::string::npos)
      << json;
}

TEST_F(HistoryCodecEncodeTest, EscapesAtEveryPositionOfLongText) {
  // Each special character at each offset inside and across eight-byte words.
  for (char special : {'/', '"', '\\', '\n', '\x1f'}) {
    for (std::size_t pos = 0; pos < 24; ++pos) {
      std::string text(24, 'a');
      text[pos] = special;
      auto decoded = HistoryCodec::decode(HistoryCodec::encode({textItem(text)}));
      ASSERT_TRUE(decoded);
      EXPECT_EQ((*decoded)[0].text, text) << int(special) << " at " << pos;
    }
  }
}

TEST_F(HistoryCodecEncodeTest, WritesNonAsciiAsRawUtf8) {
  std::string text = "caf\u00E9 \u65E5\u672C \U0001F600 \u2028";
  std::string json = HistoryCodec::encode({textItem(text)});
  EXPECT_NE(json.find("\"text\":\"" + text + "\""), std::string::npos) << json;
}

TEST_F(HistoryCodecEncodeTest, IllFormedUtf8InMemoryIsWrittenAsReplacementCharacters) {
  ClipboardItem item = textItem("ok\xFF/\xE2\x82");
  item.filePaths = std::vector<std::string>{"/tmp/\xC0\xAF"};
  item.imageFileName = "\xED\xA0\x80.png";
  std::string json = HistoryCodec::encode({item});
  auto decoded = HistoryCodec::decode(json);
  ASSERT_TRUE(decoded) << "the written file must read back";
  const ClipboardItem& back = (*decoded)[0];
  EXPECT_EQ(back.text, "ok" + fffd + "/" + fffd);
  EXPECT_EQ(back.signature, "T:ok" + fffd + "/" + fffd);
  EXPECT_EQ(back.filePaths->front(), "/tmp/" + fffd + fffd);
  EXPECT_EQ(back.imageFileName, fffd + fffd + fffd + ".png");
}

TEST_F(HistoryCodecEncodeTest, CreatedAtIsFlooredToTheWholeSecondInUtc) {
  ClipboardItem item = textItem("x");
  item.createdAt = at("2025-03-01T09:30:05Z") + 700ms;
  EXPECT_NE(HistoryCodec::encode({item}).find(R"("createdAt":"2025-03-01T09:30:05Z")"),
            std::string::npos);
  // Before 1970 flooring goes to the earlier second, not towards zero.
  item.createdAt = at("1969-12-31T23:59:59Z") + 300ms;
  EXPECT_NE(HistoryCodec::encode({item}).find(R"("createdAt":"1969-12-31T23:59:59Z")"),
            std::string::npos);
}

class HistoryCodecRoundTripTest : public ::testing::Test {};

TEST_F(HistoryCodecRoundTripTest, KeepsEveryFieldAndTheOrder) {
  ClipboardItem text = textItem("  hello\n");
  ClipboardItem rtf = textItem("rich");
  rtf.kind = ClipboardItemKind::rtf;
  rtf.rtfData = Bytes{0x00, 0xFF, '{', '\\', 'r', 't', 'f', '}', 0x80};
  ClipboardItem image;
  image.kind = ClipboardItemKind::image;
  image.imageFileName = Uuid::random().toString() + ".png";
  image.signature = "I:" + std::string(64, 'a');
  image.pinned = true;
  ClipboardItem files;
  files.kind = ClipboardItemKind::files;
  files.filePaths = std::vector<std::string>{"/Users/a/Report.pdf", "/Users/a/Photos/"};
  files.signature = "F:/Users/a/Report.pdf|/Users/a/Photos/";

  std::vector<ClipboardItem> items{text, rtf, image, files};
  auto decoded = HistoryCodec::decode(HistoryCodec::encode(items));
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->size(), 4u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ClipboardItem& a = items[i];
    const ClipboardItem& b = (*decoded)[i];
    EXPECT_EQ(b.id, a.id);
    EXPECT_EQ(b.kind, a.kind);
    EXPECT_EQ(b.text, a.text);
    EXPECT_EQ(b.rtfData, a.rtfData);
    EXPECT_EQ(b.imageFileName, a.imageFileName);
    EXPECT_EQ(b.filePaths, a.filePaths);
    EXPECT_EQ(b.signature, a.signature);
    EXPECT_EQ(b.createdAt, std::chrono::floor<std::chrono::seconds>(a.createdAt));
    EXPECT_EQ(b.pinned, a.pinned);
  }
}

TEST_F(HistoryCodecRoundTripTest, SubSecondTimeComesBackAsItsWholeSecond) {
  ClipboardItem item = textItem("x");
  item.createdAt = at("2025-03-01T09:30:05Z") + 700ms;
  auto decoded = HistoryCodec::decode(HistoryCodec::encode({item}));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].createdAt, at("2025-03-01T09:30:05Z"));
  EXPECT_EQ((*decoded)[0].id, item.id);
  EXPECT_EQ((*decoded)[0].id.toString(), item.id.toString());
}

TEST_F(HistoryCodecRoundTripTest, EntryWithoutTextHasNoTextKey) {
  ClipboardItem item = textItem("x");
  item.text.reset();
  std::string json = HistoryCodec::encode({item});
  EXPECT_EQ(json.find("\"text\":"), std::string::npos);
  auto decoded = HistoryCodec::decode(json);
  ASSERT_TRUE(decoded);
  EXPECT_FALSE((*decoded)[0].text);
}

TEST_F(HistoryCodecRoundTripTest, EmptyStringsAndEmptyListsStayPresent) {
  ClipboardItem item = textItem("");
  item.rtfData = Bytes{};
  item.filePaths = std::vector<std::string>{};
  auto decoded = HistoryCodec::decode(HistoryCodec::encode({item}));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].text, "");
  EXPECT_EQ((*decoded)[0].rtfData, Bytes{});
  EXPECT_EQ((*decoded)[0].filePaths, std::vector<std::string>{});
}

TEST_F(HistoryCodecRoundTripTest, LongTextWithEscapesAndNonAsciiSurvives) {
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "caf\u00E9 \"/path/\" line\n\t\\ ";
  auto decoded = HistoryCodec::decode(HistoryCodec::encode({textItem(text)}));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].text, text);
  EXPECT_EQ((*decoded)[0].signature, "T:" + text);
}

class HistoryCodecDecodeTest : public ::testing::Test {};

TEST_F(HistoryCodecDecodeTest, ReadsAllRequiredFields) {
  auto decoded = HistoryCodec::decode(
      file(R"({"id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f","kind":"files","signature":"F:\/a|b",)"
           R"("createdAt":"2024-02-29T23:59:59Z","pinned":true,"filePaths":["\/a","b"]})"));
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->size(), 1u);
  const ClipboardItem& item = (*decoded)[0];
  EXPECT_EQ(item.id.toString(), idText);
  EXPECT_EQ(item.kind, ClipboardItemKind::files);
  EXPECT_EQ(item.signature, "F:/a|b");
  EXPECT_EQ(UtcTimestamp::format(item.createdAt), "2024-02-29T23:59:59Z");
  EXPECT_TRUE(item.pinned);
  EXPECT_EQ(item.filePaths, (std::vector<std::string>{"/a", "b"}));
}

TEST_F(HistoryCodecDecodeTest, MissingOptionalKeysLeaveFieldsAbsent) {
  auto decoded = HistoryCodec::decode(file(entry()));
  ASSERT_TRUE(decoded);
  const ClipboardItem& item = (*decoded)[0];
  EXPECT_FALSE(item.text);
  EXPECT_FALSE(item.rtfData);
  EXPECT_FALSE(item.imageFileName);
  EXPECT_FALSE(item.filePaths);
}

TEST_F(HistoryCodecDecodeTest, NullOptionalsCountAsAbsent) {
  auto decoded = HistoryCodec::decode(
      file(entry(R"("text":null,"rtfData":null,"imageFileName":null,"filePaths":null,)")));
  ASSERT_TRUE(decoded);
  const ClipboardItem& item = (*decoded)[0];
  EXPECT_FALSE(item.text);
  EXPECT_FALSE(item.rtfData);
  EXPECT_FALSE(item.imageFileName);
  EXPECT_FALSE(item.filePaths);
}

TEST_F(HistoryCodecDecodeTest, UnknownKeysAreIgnored) {
  auto decoded = HistoryCodec::decode(
      file(entry(R"("colour":"green","extra":{"nested":[1,2,null]},"n":1.5e3,"text":"t",)")));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].text, "t");
}

TEST_F(HistoryCodecDecodeTest, KeysMayComeInAnyOrderWithWhiteSpace) {
  auto decoded = HistoryCodec::decode(
      " [ {\n \"pinned\" : true , \"createdAt\":\"2025-03-01T09:30:05Z\",\"signature\":\"T:a\","
      "\"text\":\"a\",\"kind\":\"rtf\",\"rtfData\":\"e1xydGYxfQ==\",\"id\":\"" +
      idText + "\"} ]\n");
  ASSERT_TRUE(decoded);
  const ClipboardItem& item = (*decoded)[0];
  EXPECT_EQ(item.kind, ClipboardItemKind::rtf);
  EXPECT_EQ(item.id.toString(), idText);
  EXPECT_TRUE(item.pinned);
  const std::string rtf = "{\\rtf1}";
  EXPECT_EQ(item.rtfData, Bytes(rtf.begin(), rtf.end()));
}

TEST_F(HistoryCodecDecodeTest, SolidusMayBeEscapedOrNot) {
  auto decoded =
      HistoryCodec::decode(file(entry(R"("text":"/a\/b","filePaths":["/x/y","\/x\/z"],)")));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].text, "/a/b");
  EXPECT_EQ((*decoded)[0].filePaths, (std::vector<std::string>{"/x/y", "/x/z"}));
}

TEST_F(HistoryCodecDecodeTest, UnicodeEscapesBecomeUtf8) {
  auto decoded = HistoryCodec::decode(file(entry(R"("text":"caf\u00e9 \ud83d\ude00",)")));
  ASSERT_TRUE(decoded);
  EXPECT_EQ((*decoded)[0].text, "caf\u00E9 \U0001F600");
}

TEST_F(HistoryCodecDecodeTest, KeepsOrderAndDuplicateIdentifiers) {
  std::string second = entry(R"("text":"second",)");
  auto decoded = HistoryCodec::decode("[" + entry(R"("text":"first",)") + "," + second + "]");
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->size(), 2u);
  EXPECT_EQ((*decoded)[0].text, "first");
  EXPECT_EQ((*decoded)[1].text, "second");
}

// Each of these makes the whole file unreadable, even beside a good entry.
struct BadCase {
  std::string name;
  std::string json;
};

// The required keys with good values, in order; `key` gets `rawValue`
// instead, or is left out when `rawValue` is nothing.
std::string entryWith(const std::string& key, const std::optional<std::string>& rawValue) {
  const std::pair<std::string, std::string> fields[] = {
      {"id", "\"" + idText + "\""}, {"kind", "\"text\""},
      {"signature", "\"T:x\""},     {"createdAt", "\"2025-03-01T09:30:05Z\""},
      {"pinned", "false"},
  };
  std::string json = "{";
  for (const auto& [name, value] : fields) {
    if (name == key && !rawValue)
      continue;
    if (json.size() > 1)
      json += ",";
    json += "\"" + name + "\":" + (name == key ? *rawValue : value);
  }
  return json + "}";
}

std::string withoutKey(const std::string& key) {
  return entryWith(key, std::nullopt);
}

std::string withValue(const std::string& key, const std::string& rawValue) {
  return entryWith(key, rawValue);
}

class HistoryCodecRejectFileTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(HistoryCodecRejectFileTest, FailsTheWholeFile) {
  EXPECT_FALSE(HistoryCodec::decode(GetParam().json)) << GetParam().json;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCase, HistoryCodecRejectFileTest,
    ::testing::Values(BadCase{"EmptyText", ""}, BadCase{"TopLevelObject", entry()},
                      BadCase{"TopLevelNull", "null"}, BadCase{"TruncatedArray", "[" + entry()},
                      BadCase{"TrailingGarbage", file(entry()) + "x"}, BadCase{"TwoArrays", "[][]"},
                      BadCase{"ElementNotObject", "[" + entry() + ",1]"},
                      BadCase{"ElementNull", "[null]"},
                      BadCase{"ElementArray", "[[" + entry() + "]]"}),
    [](const auto& param) { return param.param.name; });

// One bad entry, alone, first or last beside a good one: always the whole file.
class HistoryCodecRejectEntryTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(HistoryCodecRejectEntryTest, FailsTheWholeFile) {
  const std::string& bad = GetParam().json;
  EXPECT_FALSE(HistoryCodec::decode(file(bad))) << bad;
  EXPECT_FALSE(HistoryCodec::decode("[" + entry() + "," + bad + "]")) << bad;
  EXPECT_FALSE(HistoryCodec::decode("[" + bad + "," + entry() + "]")) << bad;
}

std::vector<BadCase> badEntries() {
  std::vector<BadCase> cases = {
      {"InvalidUtf8InText", entry("\"text\":\"a\xFF\",")},
      {"InvalidUtf8InUnknownKey", entry("\"x\xC0\xAF\":1,")},
      {"InvalidUtf8InUnknownValue", entry("\"x\":[\"\xED\xA0\x80\"],")},
      {"LoneSurrogateEscape", entry(R"("text":"\ud800",)")},
      {"RawControlCharacter", entry("\"text\":\"a\nb\",")},
      {"MissingId", withoutKey("id")},
      {"MissingKind", withoutKey("kind")},
      {"MissingSignature", withoutKey("signature")},
      {"MissingCreatedAt", withoutKey("createdAt")},
      {"MissingPinned", withoutKey("pinned")},
      {"NullId", withValue("id", "null")},
      {"NullKind", withValue("kind", "null")},
      {"NullSignature", withValue("signature", "null")},
      {"NullCreatedAt", withValue("createdAt", "null")},
      {"NullPinned", withValue("pinned", "null")},
      {"PinnedAsNumber", withValue("pinned", "0")},
      {"PinnedAsString", withValue("pinned", "\"false\"")},
      {"IdAsNumber", withValue("id", "7")},
      {"KindAsArray", withValue("kind", "[\"text\"]")},
      {"SignatureAsNumber", withValue("signature", "1")},
      {"CreatedAtAsNumber", withValue("createdAt", "1740821405")},
      {"UnknownKind", withValue("kind", "\"html\"")},
      {"KindInUpperCase", withValue("kind", "\"Text\"")},
      {"IdWithoutDashes", withValue("id", "\"E621E1F8C36C495A93FC0C247A3E6E5F\"")},
      {"IdWithBraces", withValue("id", "\"{" + idText + "}\"")},
      {"IdNotHex", withValue("id", "\"G621E1F8-C36C-495A-93FC-0C247A3E6E5F\"")},
      {"TextAsNumber", entry(R"("text":1,)")},
      {"ImageFileNameAsBool", entry(R"("imageFileName":true,)")},
      {"FilePathsAsString", entry(R"("filePaths":"/a",)")},
      {"FilePathWithNumber", entry(R"("filePaths":["/a",2],)")},
      {"FilePathWithNull", entry(R"("filePaths":[null],)")},
      {"RtfDataAsArray", entry(R"("rtfData":[1],)")},
      {"RtfDataWithoutPadding", entry(R"("rtfData":"e30",)")},
      {"RtfDataWithLineBreak", entry(R"("rtfData":"e30=\ne30=",)")},
      {"RtfDataUrlAlphabet", entry(R"("rtfData":"-_-_",)")},
      {"RtfDataPaddingInside", entry(R"("rtfData":"e3=0",)")},
      {"RtfDataNonZeroPadBits", entry(R"("rtfData":"e31=",)")},
  };
  const std::pair<const char*, const char*> badTimes[] = {
      {"FractionalSeconds", "2025-03-01T09:30:05.123Z"},
      {"ZeroOffset", "2025-03-01T09:30:05+00:00"},
      {"NoDesignator", "2025-03-01T09:30:05"},
      {"LowerCaseT", "2025-03-01t09:30:05Z"},
      {"LowerCaseZ", "2025-03-01T09:30:05z"},
      {"SpaceForT", "2025-03-01 09:30:05Z"},
      {"OneDigitMonth", "2025-3-01T09:30:05Z"},
      {"NoLeapDay", "2025-02-29T09:30:05Z"},
      {"Month13", "2025-13-01T09:30:05Z"},
      {"Month0", "2025-00-01T09:30:05Z"},
      {"April31", "2025-04-31T09:30:05Z"},
      {"Day0", "2025-03-00T09:30:05Z"},
      {"Hour24", "2025-03-01T24:00:00Z"},
      {"Minute60", "2025-03-01T09:60:05Z"},
      {"Second60", "2025-03-01T09:30:60Z"},
      {"SignedYear", "+2025-03-01T09:30:05Z"},
      {"NoSeconds", "2025-03-01T09:30Z"},
      {"LeadingSpace", " 2025-03-01T09:30:05Z"},
      {"DateOnly", "2025-03-01"},
      {"Empty", ""},
  };
  for (const auto& [name, time] : badTimes)
    cases.push_back(
        {std::string("CreatedAt") + name, withValue("createdAt", "\"" + std::string(time) + "\"")});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryCase, HistoryCodecRejectEntryTest, ::testing::ValuesIn(badEntries()),
                         [](const auto& param) { return param.param.name; });

TEST(HistoryCodecTimeTest, AcceptsRealDatesAtTheirLimits) {
  for (const char* text : {"2024-02-29T00:00:00Z", "2000-02-29T12:00:00Z", "1970-01-01T00:00:00Z",
                           "1999-12-31T23:59:59Z", "2025-12-31T23:59:59Z"}) {
    auto time = UtcTimestamp::parse(text);
    ASSERT_TRUE(time) << text;
    EXPECT_EQ(UtcTimestamp::format(*time), text);
  }
  EXPECT_FALSE(UtcTimestamp::parse("1900-02-29T00:00:00Z"));
}

TEST(HistoryCodecTimeTest, DatesBeyondTheClockAreClampedNotWrapped) {
  auto far = UtcTimestamp::parse("9999-12-31T23:59:59Z");
  auto early = UtcTimestamp::parse("0000-01-01T00:00:00Z");
  ASSERT_TRUE(far && early);
  EXPECT_GT(*far, at("2200-01-01T00:00:00Z"));
  EXPECT_LT(*early, at("1800-01-01T00:00:00Z"));
  // Whatever the clock's range, writing it again gives a readable time.
  EXPECT_TRUE(UtcTimestamp::parse(UtcTimestamp::format(*far)));
  EXPECT_TRUE(UtcTimestamp::parse(UtcTimestamp::format(*early)));
}

}  // namespace
