// The debug log's write steps against a real scratch folder, with failures
// injected through the file seam.
#include "diagnostics/LogFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "FakeClock.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace {

using Operation = FaultyFileSystem::Operation;

// FakeClock starts at 2025-03-01 09:30:05.25 UTC.
constexpr const char* prefix = "[2025-03-01 09:30:05 +0000] ";

class LogFileTest : public ::testing::Test {
 protected:
  unsigned mode() const {
    struct stat info {};
    stat(log.path().c_str(), &info);
    return info.st_mode & 07777;
  }
  std::string contents() { return files.readFile(log.path()).value_or("<missing>"); }
  void seed(const std::string& text) {
    ASSERT_TRUE(files.writeFileAtomically(log.path(), text, 0644).ok());
    files.clearCalls();
  }

  TempDir dir;
  FaultyFileSystem files;
  FakeClock clock;
  LogFile log{files, clock, dir.file("debug.log")};
};

TEST_F(LogFileTest, FirstWriteCreatesOwnerOnlyFileAtomically) {
  log.write("launch: started");

  EXPECT_EQ(contents(), std::string(prefix) + "launch: started\n");
  EXPECT_EQ(mode(), 0600u);
  auto created = files.callsOf(Operation::writeFileAtomically);
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].mode, 0600u);
}

TEST_F(LogFileTest, LaterWritesAppendWithTheirOwnTime) {
  log.write("one");
  clock.advance(std::chrono::seconds(65));
  log.write("two");
  EXPECT_EQ(contents(), std::string(prefix) + "one\n[2025-03-01 09:31:10 +0000] two\n");
  EXPECT_EQ(files.callsOf(Operation::writeFileAtomically).size(), 1u);
}

TEST_F(LogFileTest, MessagesAreWrittenAsGiven) {
  log.write("");
  log.write("UNCAUGHT EXCEPTION: X — why\nframe 0\nframe 1");
  EXPECT_EQ(contents(), std::string(prefix) + "\n" + prefix +
                            "UNCAUGHT EXCEPTION: X — why\nframe 0\nframe 1\n");
}

TEST_F(LogFileTest, StepsRunInOrder) {
  seed("old\n");
  log.write("x");
  const auto& calls = files.calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].operation, Operation::fileSize);
  EXPECT_EQ(calls[1].operation, Operation::appendToFile);
  EXPECT_EQ(calls[2].operation, Operation::setPermissions);
  EXPECT_EQ(calls[2].mode, 0600u);
}

TEST_F(LogFileTest, PermissionsChangedByHandAreRestored) {
  seed("old\n");
  ASSERT_EQ(chmod(log.path().c_str(), 0666), 0);
  log.write("x");
  EXPECT_EQ(mode(), 0600u);
}

class LogFileSizeBoundTest : public LogFileTest {};

TEST_F(LogFileSizeBoundTest, FileOfExactlyTheLimitIsAppendedTo) {
  seed(std::string(LogFile::sizeLimit, 'a'));
  log.write("next");
  EXPECT_EQ(files.fileSize(log.path()), LogFile::sizeLimit + 28 + 5);
  EXPECT_TRUE(files.callsOf(Operation::removeFile).empty());
}

TEST_F(LogFileSizeBoundTest, FileOneByteOverTheLimitStartsAfresh) {
  seed(std::string(LogFile::sizeLimit + 1, 'a'));
  log.write("next");
  EXPECT_EQ(contents(), std::string(prefix) + "next\n");
  EXPECT_EQ(mode(), 0600u);
}

TEST_F(LogFileSizeBoundTest, FailedDeletionStillAppends) {
  seed(std::string(LogFile::sizeLimit + 1, 'a'));
  files.fail(Operation::removeFile, "busy");
  log.write("next");
  EXPECT_EQ(files.fileSize(log.path()), LogFile::sizeLimit + 1 + 28 + 5);
}

class LogFileFailureTest : public LogFileTest {};

TEST_F(LogFileFailureTest, EveryFailureIsSwallowed) {
  for (auto operation : {Operation::fileSize, Operation::removeFile, Operation::appendToFile,
                         Operation::writeFileAtomically, Operation::setPermissions}) {
    files.fail(operation, "failed");
  }
  log.write("lost");
  EXPECT_EQ(files.readFile(log.path()), std::nullopt);
}

TEST_F(LogFileFailureTest, UnreadableSizeDoesNotStopTheWrite) {
  seed("old\n");
  files.fail(Operation::fileSize, "no attributes");
  log.write("x");
  EXPECT_EQ(contents(), std::string("old\n") + prefix + "x\n");
}

TEST_F(LogFileFailureTest, FailedAppendNeverReplacesAnExistingLog) {
  seed("earlier lines\n");
  files.fail(Operation::appendToFile, "No space left on device");
  log.write("x");
  EXPECT_EQ(contents(), "earlier lines\n");
  EXPECT_TRUE(files.callsOf(Operation::writeFileAtomically).empty());
}

TEST_F(LogFileFailureTest, MissingFolderLosesTheLineQuietly) {
  LogFile elsewhere(files, clock, dir.file("missing/debug.log"));
  elsewhere.write("x");
  EXPECT_EQ(files.readFile(elsewhere.path()), std::nullopt);
  EXPECT_EQ(files.callsOf(Operation::writeFileAtomically).size(), 1u);
}

}  // namespace
