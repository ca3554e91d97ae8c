// The debug log's write steps against a real scratch folder, with failures
// injected through the file seam.
#include "diagnostics/LogFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeClock.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace {

using Operation = FaultyFileSystem::Operation;

// FakeClock starts at 2025-03-01 09:30:05.25 UTC.
std::string line(const std::string& message) {
  return "[2025-03-01 09:30:05 +0000] " + message + "\n";
}

class LogFileTest : public ::testing::Test {
 protected:
  unsigned mode() const {
    struct stat info {};
    stat(log_.path().c_str(), &info);
    return info.st_mode & 07777;
  }
  /// Starts the case over with the log holding `text`, if any.
  void reset(const std::optional<std::string>& text) {
    files_.removeFile(log_.path());
    if (text) {
      ASSERT_TRUE(files_.writeFileAtomically(log_.path(), *text, 0644).ok());
    }
  }

  TempDir dir_;
  FaultyFileSystem files_;
  FakeClock clock_;
  LogFile log_{files_, clock_, dir_.file("debug.log")};
};

TEST_F(LogFileTest, FirstWriteCreatesAnOwnerOnlyFileAndLaterOnesAppend) {
  log_.write("one");
  clock_.advance(std::chrono::seconds(65));
  ASSERT_EQ(chmod(log_.path().c_str(), 0666), 0);
  log_.write("two");
  EXPECT_EQ(files_.readFile(log_.path()), line("one") + "[2025-03-01 09:31:10 +0000] two\n");
  EXPECT_EQ(mode(), 0600u);
  // Created once, owner-only from its first byte.
  auto created = files_.callsOf(Operation::writeFileAtomically);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].mode, 0600u);
}

TEST_F(LogFileTest, SizeLimitAndFailuresLoseNoLineBeforeTheNewOne) {
  struct Case {
    const char* name;
    std::optional<std::string> before;
    std::vector<Operation> failing;
    std::optional<std::string> after;
  };
  const std::string atLimit(LogFile::sizeLimit, 'a');
  const std::string overLimit = atLimit + "a";
  const Case cases[] = {
      {"a log of exactly the limit", atLimit, {}, atLimit + line("x")},
      {"a log one byte over", overLimit, {}, line("x")},
      {"a log one byte over that cannot be removed",
       overLimit,
       {Operation::removeFile},
       overLimit + line("x")},
      {"a size that cannot be read", "old\n", {Operation::fileSize}, "old\n" + line("x")},
      // Replacing the file would throw away the lines before a crash for the
      // sake of one more.
      {"an append that fails on an existing log", "old\n", {Operation::appendToFile}, "old\n"},
      {"every operation failing",
       std::nullopt,
       {Operation::fileSize, Operation::removeFile, Operation::appendToFile,
        Operation::writeFileAtomically, Operation::setPermissions},
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset(c.before);
    for (Operation operation : c.failing) {
      files_.fail(operation, "failed");
    }
    const bool written = log_.write("x");
    files_.clearFailures();
    EXPECT_EQ(files_.readFile(log_.path()), c.after);
    EXPECT_EQ(written, c.after && c.after->ends_with(line("x"))) << "says whether the line landed";
    if (c.after) {
      EXPECT_EQ(mode(), 0600u);
    }
  }
}

}  // namespace
