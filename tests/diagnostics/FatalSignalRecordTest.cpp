// The signal-time writer, called directly: format, size bound, permissions.
#include "diagnostics/FatalSignalRecord.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/LogTimestamp.h"

namespace {

class FatalSignalRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(FatalSignalRecord::prepare(path)); }
  void TearDown() override { FatalSignalRecord::prepare(""); }

  std::string contents() { return files.readFile(path).value_or("<missing>"); }
  unsigned mode() const {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
  }

  TempDir dir;
  FaultyFileSystem files;
  std::string path = dir.file("debug.log");
};

constexpr std::size_t lineLength = 1 + logTimestampLength + 2 + 16;  // "FATAL SIGNAL 11\n"

TEST_F(FatalSignalRecordTest, CreatesOwnerOnlyFileWithOneLogLine) {
  mode_t previous = umask(0277);
  FatalSignalRecord::write(11);
  umask(previous);
  std::string text = contents();
  ASSERT_EQ(text.size(), lineLength) << text;
  EXPECT_EQ(text.front(), '[');
  EXPECT_EQ(text.substr(1 + logTimestampLength), "] FATAL SIGNAL 11\n");
  EXPECT_EQ(text.substr(1 + 19, 6), " +0000");
  EXPECT_EQ(mode(), 0600u);
}

TEST_F(FatalSignalRecordTest, AppendsAtTheLimitAndRestoresPermissions) {
  ASSERT_TRUE(files.writeFileAtomically(path, std::string(LogFile::sizeLimit, 'a'), 0644).ok());
  FatalSignalRecord::write(11);
  EXPECT_EQ(files.fileSize(path), LogFile::sizeLimit + lineLength);
  EXPECT_EQ(mode(), 0600u);
}

TEST_F(FatalSignalRecordTest, DeletesALogPastTheLimitFirst) {
  ASSERT_TRUE(files.writeFileAtomically(path, std::string(LogFile::sizeLimit + 1, 'a'), 0600).ok());
  FatalSignalRecord::write(6);
  EXPECT_EQ(files.fileSize(path), lineLength - 1);
}

TEST_F(FatalSignalRecordTest, UnusablePathWritesNothing) {
  EXPECT_FALSE(FatalSignalRecord::prepare(dir.path() + "/" + std::string(5000, 'x')));
  FatalSignalRecord::write(11);
  EXPECT_EQ(files.readFile(path), std::nullopt);
}

}  // namespace
