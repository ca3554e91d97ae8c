// The failure-injecting file system that other tests rely on.
#include "FaultyFileSystem.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace {

using Operation = FaultyFileSystem::Operation;

TEST(FaultyFileSystemTest, FailsOnlyMatchingPathsAndRecordsEveryCall) {
  TempDir dir;
  FaultyFileSystem files;
  files.failWhen(
      Operation::writeFileAtomically,
      [](const std::string& path) { return path.ends_with(".png"); }, "disk full");

  FileResult image = files.writeFileAtomically(dir.file("a.png"), "png", 0600);
  FileResult history = files.writeFileAtomically(dir.file("history.json"), "[]", 0600);

  EXPECT_FALSE(image.ok());
  EXPECT_EQ(image.error(), "disk full");
  EXPECT_EQ(files.readFile(dir.file("a.png")), std::nullopt);
  EXPECT_TRUE(history.ok());
  EXPECT_EQ(files.readFile(dir.file("history.json")), "[]");

  auto writes = files.callsOf(Operation::writeFileAtomically);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_TRUE(writes[0].failed);
  EXPECT_EQ(writes[1].path, dir.file("history.json"));
  EXPECT_EQ(writes[1].contents, "[]");
  EXPECT_EQ(writes[1].mode, 0600u);
  EXPECT_FALSE(writes[1].failed);
}

TEST(FaultyFileSystemTest, FailedReadsReportNothingAndFoldersCanBePinned) {
  TempDir dir;
  FaultyFileSystem files;
  ASSERT_TRUE(files.writeFileAtomically(dir.file("x"), "data", 0600).ok());
  files.fail(Operation::readFile, "unreadable");
  files.fail(Operation::fileSize, "unreadable");
  EXPECT_EQ(files.readFile(dir.file("x")), std::nullopt);
  EXPECT_EQ(files.fileSize(dir.file("x")), std::nullopt);
  files.clearFailures();
  EXPECT_EQ(files.readFile(dir.file("x")), "data");

  files.setApplicationSupportDirectory(std::nullopt);
  files.setHomeDirectory(dir.path());
  EXPECT_EQ(files.applicationFolder(), dir.path() + "/Library/Application Support/Copperwell");
}

}  // namespace
