// Deterministic generation, so runs compare: a small fixed generator picks
// words, and the seeds differ per entry so no two texts are equal.
#include "BenchHistories.h"

#include <chrono>
#include <string_view>

namespace BenchHistories {

namespace {

class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

 private:
  std::uint64_t state_;
};

constexpr std::string_view words[] = {
    "the",
    "clipboard",
    "history",
    "of",
    "a",
    "meeting",
    "notes",
    "and",
    "report",
    "for",
    "quarter",
    "draft",
    "with",
    "numbers",
    "we",
    "agreed",
    "to",
    "send",
    "it",
    "after",
    "review",
    "by",
    "Friday",
    "budget",
    "design",
    "team",
    "question",
    "about",
    "release",
    "is",
    "ready",
    "caf\u00E9",
    "na\u00EFve",
    "Z\u00FCrich",
    "d\u00E9j\u00E0",
    "\u00C5lesund",
    "stra\u00DFe",
    "r\u00E9sum\u00E9",
    "\u6771\u4EAC",
    "\u041F\u0440\u0438\u0432\u0435\u0442",
    "and/or",
    "50/50",
    "\"quoted\"",
    "it's",
    "\u201Csmart\u201D",
    "\u2014",
};

constexpr std::string_view insertions[] = {
    " /Users/anna/Documents/Report 2025.pdf",
    " https://example.org/docs/guide/index.html",
    " \"as discussed\"",
    " C:\\Temp\\notes.txt",
};

void appendSentence(std::string& out, SplitMix& random) {
  std::size_t length = 6 + random.below(14);
  for (std::size_t i = 0; i < length; ++i) {
    if (i > 0)
      out += ' ';
    std::string_view word = words[random.below(std::size(words))];
    out += word;
  }
  if (random.below(6) == 0)
    out += insertions[random.below(std::size(insertions))];
  out += random.below(5) == 0 ? "?" : ".";
  out += random.below(4) == 0 ? "\n" : " ";
}

bool isContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string realisticText(std::size_t bytes, std::uint64_t seed) {
  SplitMix random(seed * 0x2545F4914F6CDD1DULL + 1);
  std::string text;
  text.reserve(bytes + 512);
  text += "Entry " + std::to_string(seed) + ": ";
  while (text.size() < bytes)
    appendSentence(text, random);
  // Cut at a character boundary, then pad to the exact size.
  std::size_t cut = bytes;
  while (cut > 0 && cut < text.size() && isContinuation(text[cut]))
    --cut;
  text.resize(cut);
  text.append(bytes - cut, '.');
  return text;
}

ClipboardItem textEntry(std::string text, int minutesAgo) {
  using namespace std::chrono;
  ClipboardItem item;
  item.kind = ClipboardItemKind::text;
  item.text = std::move(text);
  item.createdAt = TimePoint(sys_days(year(2025) / March / 1)) + hours(9) + milliseconds(250) -
                   minutes(minutesAgo);
  return item;
}

std::vector<ClipboardItem> typical() {
  std::vector<ClipboardItem> items;
  items.reserve(entryCount);
  for (std::size_t i = 0; i < entryCount; ++i)
    items.push_back(textEntry(realisticText(150 + i % 100, i), static_cast<int>(i)));
  return items;
}

std::vector<ClipboardItem> heavy() {
  std::vector<ClipboardItem> items;
  items.reserve(entryCount);
  for (std::size_t i = 0; i < entryCount; ++i) {
    std::size_t size = i % 20 == 0 ? largestText : 150 + i % 100;
    items.push_back(textEntry(realisticText(size, i), static_cast<int>(i)));
  }
  return items;
}

std::vector<ClipboardItem> worst() {
  std::vector<ClipboardItem> items;
  items.reserve(entryCount);
  for (std::size_t i = 0; i < entryCount; ++i)
    items.push_back(textEntry(realisticText(largestText, i), static_cast<int>(i)));
  return items;
}

}  // namespace BenchHistories
