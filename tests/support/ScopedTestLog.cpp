// Test redirection of the debug log into a scratch folder.
#include "ScopedTestLog.h"

#include <cctype>
#include <string_view>

#include "diagnostics/Log.h"

namespace {

/// Whether `line` opens with "[YYYY-MM-DD HH:MM:SS +0000] ".
bool startsEntry(std::string_view line) {
  constexpr std::string_view shape = "[0000-00-00 00:00:00 +0000] ";
  if (line.size() < shape.size()) {
    return false;
  }
  for (std::size_t i = 0; i < shape.size(); ++i) {
    bool digit = std::isdigit(static_cast<unsigned char>(line[i])) != 0;
    if (shape[i] == '0' ? !digit : line[i] != shape[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

ScopedTestLog::ScopedTestLog() : ScopedTestLog(Clock::system()) {}

ScopedTestLog::ScopedTestLog(const Clock& clock)
    : files_(FileSystem::createReal()),
      file_(std::make_unique<LogFile>(*files_, clock, dir_.file("debug.log"))),
      previous_(Log::setFileForTesting(file_.get())) {}

ScopedTestLog::~ScopedTestLog() {
  Log::setFileForTesting(previous_);
}

std::string ScopedTestLog::contents() const {
  return files_->readFile(path()).value_or("");
}

std::vector<std::string> ScopedTestLog::messages() const {
  constexpr std::size_t prefixLength = 28;
  std::string text = contents();
  std::vector<std::string> result;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string_view line(text.data() + start, end - start);
    if (startsEntry(line)) {
      result.emplace_back(line.substr(prefixLength));
    } else if (result.empty()) {
      result.emplace_back(line);
    } else {
      result.back() += '\n';
      result.back() += line;
    }
    start = end + 1;
  }
  return result;
}
