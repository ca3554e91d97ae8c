// The autostart entry in a scratch folder: its path, its contents, the
// enabled state by presence and Hidden, and failures of the disk.
#include "platform/linux/XdgLoginItem.h"

#include <gtest/gtest.h>

#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace {

class XdgLoginItemTest : public ::testing::Test {
 protected:
  TempDir dir_;
  FaultyFileSystem fileSystem_;
  std::string entry_ = dir_.file("config/autostart/pellimore-clip.desktop");
  XdgLoginItem item_{fileSystem_, entry_, "/opt/pellimore/bin/pellimore-clip"};
};

TEST(XdgLoginItemPath, UsesAnAbsoluteXdgConfigHome) {
  EXPECT_EQ(XdgLoginItem::entryPathFor("/x/cfg", "/home/u"),
            "/x/cfg/autostart/pellimore-clip.desktop");
}

TEST(XdgLoginItemPath, FallsBackToDotConfigWhenUnsetEmptyOrRelative) {
  const std::string expected = "/home/u/.config/autostart/pellimore-clip.desktop";
  EXPECT_EQ(XdgLoginItem::entryPathFor(nullptr, "/home/u"), expected);
  EXPECT_EQ(XdgLoginItem::entryPathFor("", "/home/u"), expected);
  EXPECT_EQ(XdgLoginItem::entryPathFor("relative/cfg", "/home/u"), expected);
}

TEST(XdgLoginItemEntry, QuotesTheExecutableForTheExecKey) {
  const auto plain = XdgLoginItem::entryContents("/usr/bin/pellimore-clip");
  ASSERT_TRUE(plain);
  EXPECT_NE(plain->find("\nExec=\"/usr/bin/pellimore-clip\"\n"), std::string::npos);
  EXPECT_EQ(plain->rfind("[Desktop Entry]\n", 0), 0U);

  const auto awkward = XdgLoginItem::entryContents("/a b/$x`\"%\\/app");
  ASSERT_TRUE(awkward);
  EXPECT_NE(awkward->find("Exec=\"/a b/\\\\$x\\\\`\\\\\"%%\\\\\\\\/app\"\n"), std::string::npos);
}

TEST(XdgLoginItemEntry, RefusesPathsWithLineBreaks) {
  EXPECT_FALSE(XdgLoginItem::entryContents("/tmp/evil\nHidden=true"));
  EXPECT_FALSE(XdgLoginItem::entryContents(""));
}

TEST_F(XdgLoginItemTest, IsNotRegisteredWithoutAnEntry) {
  EXPECT_EQ(item_.status(), LoginItem::Status::notRegistered);
}

TEST_F(XdgLoginItemTest, RegisteringCreatesTheFolderAndEnables) {
  EXPECT_EQ(item_.registerService(), std::nullopt);
  EXPECT_EQ(item_.status(), LoginItem::Status::enabled);
  const auto contents = fileSystem_.readFile(entry_);
  ASSERT_TRUE(contents);
  EXPECT_NE(contents->find("Exec=\"/opt/pellimore/bin/pellimore-clip\""), std::string::npos);
}

TEST_F(XdgLoginItemTest, AHiddenEntryCountsAsOffAndRegisteringReplacesIt) {
  ASSERT_TRUE(fileSystem_.createDirectories(dir_.file("config/autostart"), 0700).ok());
  ASSERT_TRUE(
      fileSystem_.writeFileAtomically(entry_, "[Desktop Entry]\nExec=old\nHidden = true\n", 0600)
          .ok());
  EXPECT_EQ(item_.status(), LoginItem::Status::notRegistered);

  EXPECT_EQ(item_.registerService(), std::nullopt);
  EXPECT_EQ(item_.status(), LoginItem::Status::enabled);
}

TEST_F(XdgLoginItemTest, HiddenInAnotherGroupDoesNotDisable) {
  ASSERT_TRUE(fileSystem_.createDirectories(dir_.file("config/autostart"), 0700).ok());
  ASSERT_TRUE(fileSystem_
                  .writeFileAtomically(
                      entry_, "[Desktop Entry]\nExec=x\n[Desktop Action quit]\nHidden=true\n", 0600)
                  .ok());
  EXPECT_EQ(item_.status(), LoginItem::Status::enabled);
}

TEST_F(XdgLoginItemTest, UnregisteringRemovesTheEntry) {
  ASSERT_EQ(item_.registerService(), std::nullopt);
  EXPECT_EQ(item_.unregisterService(), std::nullopt);
  EXPECT_EQ(item_.status(), LoginItem::Status::notRegistered);
  EXPECT_FALSE(fileSystem_.readFile(entry_));
}

TEST_F(XdgLoginItemTest, UnregisteringWithoutAnEntryFails) {
  EXPECT_TRUE(item_.unregisterService());
}

TEST_F(XdgLoginItemTest, AFailedWriteIsReportedAndLeavesItOff) {
  fileSystem_.fail(FaultyFileSystem::Operation::writeFileAtomically, "No space left on device");
  EXPECT_EQ(item_.registerService(), "No space left on device");
  EXPECT_EQ(item_.status(), LoginItem::Status::notRegistered);
}

TEST_F(XdgLoginItemTest, AFailedRemovalIsReportedAndLeavesItOn) {
  ASSERT_EQ(item_.registerService(), std::nullopt);
  fileSystem_.fail(FaultyFileSystem::Operation::removeFile, "Read-only file system");
  EXPECT_EQ(item_.unregisterService(), "Read-only file system");
  EXPECT_EQ(item_.status(), LoginItem::Status::enabled);
}

}  // namespace
