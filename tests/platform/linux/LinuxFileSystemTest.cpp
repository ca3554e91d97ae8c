// Where the Linux build keeps per-user data: the XDG data home.
#include "platform/linux/LinuxFileSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

/// The variable's value, if set.
std::optional<std::string> get(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

/// Sets the variable, or clears it for nothing.
void put(const char* name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

TEST(LinuxFileSystemTest, AnAbsoluteDataHomeOrElseLocalShareUnderHome) {
  struct passwd* entry = getpwuid(getuid());
  ASSERT_NE(entry, nullptr);
  const std::string fromPasswordDatabase = std::string(entry->pw_dir) + "/.local/share/Copperwell";
  struct Case {
    const char* name;
    std::optional<std::string> home, dataHome;
    std::string expected;
  };
  const Case cases[] = {
      {"absolute", "/home/u", "/data/u", "/data/u/Copperwell"},
      {"relative", "/home/u", "relative/data", "/home/u/.local/share/Copperwell"},
      {"empty", "/home/u", "", "/home/u/.local/share/Copperwell"},
      {"unset", "/home/u", std::nullopt, "/home/u/.local/share/Copperwell"},
      {"unset, and no HOME either", std::nullopt, std::nullopt, fromPasswordDatabase},
  };
  const auto home = get("HOME");
  const auto dataHome = get("XDG_DATA_HOME");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    put("HOME", c.home);
    put("XDG_DATA_HOME", c.dataHome);
    EXPECT_EQ(LinuxFileSystem().applicationFolder(), c.expected);
  }
  put("HOME", home);
  put("XDG_DATA_HOME", dataHome);
}

}  // namespace
