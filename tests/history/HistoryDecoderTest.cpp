// One decoder reading file after file, into fresh lists and into a kept one:
// nothing of an earlier file may show through in a later result.
#include "history/HistoryDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/HistoryCodec.h"

namespace {

const std::string firstId = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
const std::string secondId = "0F8FAD5B-D9CB-469F-A165-70867728950E";

// An entry with every optional key present and a long text.
std::string fullEntry(const std::string& id) {
  return R"({"id":")" + id + R"(","kind":"rtf","text":")" + std::string(5000, 'a') +
         R"(","rtfData":"e30=","imageFileName":"A.png","filePaths":["\/a","b"],)"
         R"("signature":"T:a","createdAt":"2025-03-01T09:30:05Z","pinned":true})";
}

// An entry with only the required keys.
std::string bareEntry(const std::string& id) {
  return R"({"id":")" + id +
         R"(","kind":"text","signature":"T:x","createdAt":"2025-03-02T10:00:00Z","pinned":false})";
}

void expectBare(const ClipboardItem& item, const std::string& id) {
  EXPECT_EQ(item.id.toString(), id);
  EXPECT_EQ(item.kind, ClipboardItemKind::text);
  EXPECT_FALSE(item.text);
  EXPECT_FALSE(item.rtfData);
  EXPECT_FALSE(item.imageFileName);
  EXPECT_FALSE(item.filePaths);
  EXPECT_EQ(item.signature, "T:x");
  EXPECT_FALSE(item.pinned);
}

class HistoryDecoderTest : public ::testing::Test {
 protected:
  HistoryDecoder decoder;
};

TEST_F(HistoryDecoderTest, LaterSmallerFileShowsNothingOfTheEarlierOne) {
  auto first = decoder.decode("[" + fullEntry(firstId) + "," + fullEntry(secondId) + "]");
  ASSERT_TRUE(first);
  ASSERT_EQ(first->size(), 2u);
  EXPECT_EQ(first->at(0).text->size(), 5000u);

  auto second = decoder.decode("[" + bareEntry(secondId) + "]");
  ASSERT_TRUE(second);
  ASSERT_EQ(second->size(), 1u);
  expectBare(second->at(0), secondId);
}

TEST_F(HistoryDecoderTest, KeptListIsOverwrittenEntryByEntry) {
  std::vector<ClipboardItem> items;
  ASSERT_TRUE(decoder.decode("[" + fullEntry(firstId) + "," + fullEntry(secondId) + "]", items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[1].pinned);

  ASSERT_TRUE(decoder.decode("[" + bareEntry(secondId) + "]", items));
  ASSERT_EQ(items.size(), 1u);
  expectBare(items[0], secondId);

  ASSERT_TRUE(decoder.decode("[" + bareEntry(firstId) + "," + fullEntry(secondId) + "]", items));
  ASSERT_EQ(items.size(), 2u);
  expectBare(items[0], firstId);
  EXPECT_EQ(items[1].text, std::string(5000, 'a'));
  EXPECT_EQ(items[1].rtfData, (Bytes{'{', '}'}));
  EXPECT_EQ(items[1].imageFileName, "A.png");
  EXPECT_EQ(items[1].filePaths, (std::vector<std::string>{"/a", "b"}));
}

TEST_F(HistoryDecoderTest, KeptListTakesNullOptionalsAsAbsent) {
  std::vector<ClipboardItem> items;
  ASSERT_TRUE(decoder.decode("[" + fullEntry(firstId) + "]", items));
  std::string nulls = R"([{"id":")" + firstId +
                      R"(","kind":"text","text":null,"rtfData":null,"imageFileName":null,)"
                      R"("filePaths":null,"signature":"T:x","createdAt":"2025-03-02T10:00:00Z",)"
                      R"("pinned":false}])";
  ASSERT_TRUE(decoder.decode(nulls, items));
  ASSERT_EQ(items.size(), 1u);
  expectBare(items[0], firstId);
}

TEST_F(HistoryDecoderTest, FailureInBetweenLeavesTheDecoderUsable) {
  ASSERT_TRUE(decoder.decode("[" + fullEntry(firstId) + "]"));
  EXPECT_FALSE(decoder.decode("[" + fullEntry(firstId) + ","));
  EXPECT_FALSE(decoder.decode(R"([{"id":")" + firstId + R"("}])"));
  auto again = decoder.decode("[" + bareEntry(firstId) + "]");
  ASSERT_TRUE(again);
  ASSERT_EQ(again->size(), 1u);
  expectBare(again->at(0), firstId);
}

TEST_F(HistoryDecoderTest, EntriesTakeTheirIdentifiersFromTheFile) {
  auto items = decoder.decode("[" + bareEntry(firstId) + "," + bareEntry(secondId) + "]");
  ASSERT_TRUE(items);
  ASSERT_EQ(items->size(), 2u);
  EXPECT_EQ(items->at(0).id.toString(), firstId);
  EXPECT_EQ(items->at(1).id.toString(), secondId);
}

}  // namespace
