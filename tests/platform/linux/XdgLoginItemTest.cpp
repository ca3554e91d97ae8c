// The autostart entry in a scratch folder: its path, its contents, the
// enabled state by presence and Hidden, and failures of the disk.
#include "platform/linux/XdgLoginItem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace {

using Status = LoginItem::Status;

TEST(XdgLoginItemTest, EntryGoesUnderAnAbsoluteConfigHomeOrElseDotConfig) {
  const std::string fallback = "/home/u/.config/autostart/pellimore-clip.desktop";
  EXPECT_EQ(XdgLoginItem::entryPathFor("/x/cfg", "/home/u"),
            "/x/cfg/autostart/pellimore-clip.desktop");
  for (const char* configHome : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
    EXPECT_EQ(XdgLoginItem::entryPathFor(configHome, "/home/u"), fallback);
  }
}

TEST(XdgLoginItemTest, ExecQuotesTheProgramAndRefusesPathsThatBreakTheFile) {
  const auto plain = XdgLoginItem::entryContents("/usr/bin/pellimore-clip");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->rfind("[Desktop Entry]\n", 0), 0U);
  EXPECT_NE(plain->find("\nExec=\"/usr/bin/pellimore-clip\"\n"), std::string::npos);
  const auto awkward = XdgLoginItem::entryContents("/a b/$x`\"%\\/app");
  ASSERT_TRUE(awkward);
  EXPECT_NE(awkward->find("Exec=\"/a b/\\\\$x\\\\`\\\\\"%%\\\\\\\\/app\"\n"), std::string::npos);
  EXPECT_FALSE(XdgLoginItem::entryContents("/tmp/evil\nHidden=true"));
  EXPECT_FALSE(XdgLoginItem::entryContents(""));
}

class XdgLoginItemEntryTest : public ::testing::Test {
 protected:
  TempDir dir_;
  FaultyFileSystem files_;
  std::string entry_ = dir_.file("config/autostart/pellimore-clip.desktop");
  XdgLoginItem item_{files_, entry_, "/opt/pellimore/bin/pellimore-clip"};
};

TEST_F(XdgLoginItemEntryTest, RegisteringWritesTheEntryAndUnregisteringRemovesIt) {
  EXPECT_EQ(item_.status(), Status::notRegistered);
  EXPECT_TRUE(item_.unregisterService());
  EXPECT_EQ(item_.registerService(), std::nullopt);
  EXPECT_EQ(item_.status(), Status::enabled);
  EXPECT_NE(files_.readFile(entry_).value_or("").find("Exec=\"/opt/pellimore/bin/pellimore-clip\""),
            std::string::npos);

  files_.fail(FaultyFileSystem::Operation::removeFile, "Read-only file system");
  EXPECT_EQ(item_.unregisterService(), "Read-only file system");
  EXPECT_EQ(item_.status(), Status::enabled);
  files_.clearFailures();
  EXPECT_EQ(item_.unregisterService(), std::nullopt);
  EXPECT_EQ(item_.status(), Status::notRegistered);

  files_.fail(FaultyFileSystem::Operation::writeFileAtomically, "No space left on device");
  EXPECT_EQ(item_.registerService(), "No space left on device");
  EXPECT_EQ(item_.status(), Status::notRegistered);
}

TEST_F(XdgLoginItemEntryTest, HiddenInTheMainGroupTurnsItOffUntilRegisteredAgain) {
  std::filesystem::create_directories(dir_.file("config/autostart"));
  const std::pair<const char*, Status> cases[] = {
      {"[Desktop Entry]\nExec=x\n[Desktop Action quit]\nHidden=true\n", Status::enabled},
      {"[Desktop Entry]\nExec=old\nHidden = true\n", Status::notRegistered},
  };
  for (const auto& [contents, status] : cases) {
    std::ofstream(entry_) << contents;
    EXPECT_EQ(item_.status(), status) << contents;
  }
  EXPECT_EQ(item_.registerService(), std::nullopt);
  EXPECT_EQ(item_.status(), Status::enabled);
}

}  // namespace
