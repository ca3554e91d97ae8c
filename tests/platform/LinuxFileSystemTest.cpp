// Where the Linux build keeps per-user data: the XDG data home.
#include "platform/linux/LinuxFileSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

/// Sets or clears one environment variable for the test's lifetime.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      previous_ = old;
    }
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (previous_) {
      setenv(name_, previous_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

TEST(LinuxFileSystemTest, AbsoluteXdgDataHomeIsTheSupportFolder) {
  ScopedEnvironment home("HOME", "/home/someone");
  ScopedEnvironment data("XDG_DATA_HOME", "/data/someone");
  LinuxFileSystem files;
  EXPECT_EQ(files.applicationSupportDirectory(), "/data/someone");
  EXPECT_EQ(files.applicationFolder(), "/data/someone/Copperwell");
}

TEST(LinuxFileSystemTest, RelativeOrMissingXdgDataHomeFallsBackToLocalShare) {
  ScopedEnvironment home("HOME", "/home/someone");
  LinuxFileSystem files;
  {
    ScopedEnvironment data("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(files.applicationSupportDirectory(), "/home/someone/.local/share");
  }
  {
    ScopedEnvironment data("XDG_DATA_HOME", "");
    EXPECT_EQ(files.applicationSupportDirectory(), "/home/someone/.local/share");
  }
  ScopedEnvironment data("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(files.applicationFolder(), "/home/someone/.local/share/Copperwell");
}

TEST(LinuxFileSystemTest, HomeComesFromPasswordDatabaseWithoutHomeVariable) {
  struct passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  std::string expected = entry->pw_dir;
  ScopedEnvironment home("HOME", nullptr);
  LinuxFileSystem files;
  EXPECT_EQ(files.homeDirectory(), expected);
}

TEST(LinuxFileSystemTest, BackupExclusionIsANoOpSuccess) {
  LinuxFileSystem files;
  EXPECT_TRUE(files.excludeFromBackup("/nonexistent/folder").ok());
}

TEST(LinuxFileSystemTest, CreateRealIsTheLinuxFileSystem) {
  auto files = FileSystem::createReal();
  EXPECT_NE(dynamic_cast<LinuxFileSystem*>(files.get()), nullptr);
}

}  // namespace
