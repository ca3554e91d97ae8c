// Test redirection of the debug log into a scratch folder.
#include "ScopedTestLog.h"

#include <algorithm>
#include <regex>
#include <string_view>

#include "diagnostics/Log.h"

namespace {

// "[YYYY-MM-DD HH:MM:SS +0000] " opens every entry.
const std::regex entryPrefix(R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \+\d{4}\] )");
constexpr std::size_t prefixLength = 28;

}  // namespace

ScopedTestLog::ScopedTestLog()
    : files_(FileSystem::createReal()),
      file_(std::make_unique<LogFile>(*files_, Clock::system(), dir_.file("debug.log"))),
      previous_(Log::setFileForTesting(file_.get())) {}

ScopedTestLog::~ScopedTestLog() {
  Log::setFileForTesting(previous_);
}

std::vector<std::string> ScopedTestLog::messages() const {
  std::string text = contents();
  std::vector<std::string> result;
  for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    std::string_view line(text.data() + start, end - start);
    const bool opensEntry = std::regex_search(line.begin(), line.end(), entryPrefix);
    if (!opensEntry && !result.empty()) {
      result.back().append("\n").append(line);
      continue;
    }
    result.emplace_back(opensEntry ? line.substr(prefixLength) : line);
  }
  return result;
}
