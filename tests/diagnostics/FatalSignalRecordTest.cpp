// The signal-time writer, called directly: format, size bound, permissions.
#include "diagnostics/FatalSignalRecord.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/LogTimestamp.h"

namespace {

/// Now, read from the same clock as the writer: time() may lag it.
std::string nowStamp() {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  char out[logTimestampLength];
  formatLogTimestamp(static_cast<std::int64_t>(now.tv_sec), out);
  return {out, logTimestampLength};
}

constexpr std::uint64_t lineLength = 1 + logTimestampLength + 2 + 16;  // "FATAL SIGNAL 11\n"

class FatalSignalRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FatalSignalRecord::prepare(path_)); }
  void TearDown() override { FatalSignalRecord::prepare(""); }

  unsigned mode() const {
    struct stat info {};
    stat(path_.c_str(), &info);
    return info.st_mode & 07777;
  }

  TempDir dir_;
  FaultyFileSystem files_;
  std::string path_ = dir_.file("debug.log");
};

TEST_F(FatalSignalRecordTest, WritesOneLogLineOfNowToAnOwnerOnlyFile) {
  const std::string before = nowStamp();
  mode_t previous = umask(0277);
  FatalSignalRecord::write(11);
  umask(previous);
  const std::string after = nowStamp();

  std::string text = files_.readFile(path_).value_or("");
  ASSERT_EQ(text.size(), lineLength) << text;
  EXPECT_EQ(text.front(), '[');
  EXPECT_LE(before, text.substr(1, logTimestampLength));
  EXPECT_GE(after, text.substr(1, logTimestampLength));
  EXPECT_EQ(text.substr(1 + logTimestampLength), "] FATAL SIGNAL 11\n");
  EXPECT_EQ(mode(), 0600u);
}

TEST_F(FatalSignalRecordTest, AppendsAtTheSizeLimitAndStartsAfreshPastIt) {
  ASSERT_TRUE(files_.writeFileAtomically(path_, std::string(LogFile::sizeLimit, 'a'), 0644).ok());
  FatalSignalRecord::write(11);
  EXPECT_EQ(files_.fileSize(path_), LogFile::sizeLimit + lineLength);
  EXPECT_EQ(mode(), 0600u);

  FatalSignalRecord::write(6);
  EXPECT_EQ(files_.fileSize(path_), lineLength - 1);

  // A path too long to keep turns the writer off.
  EXPECT_FALSE(FatalSignalRecord::prepare(dir_.path() + "/" + std::string(5000, 'x')));
  FatalSignalRecord::write(6);
  EXPECT_EQ(files_.fileSize(path_), lineLength - 1);
}

}  // namespace
