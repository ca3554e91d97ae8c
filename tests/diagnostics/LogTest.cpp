// The process-wide log: its real location and the test redirection.
#include "diagnostics/Log.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cstdlib>
#include <string>

#include "FaultyFileSystem.h"
#include "ScopedTestLog.h"
#include "TempDir.h"

namespace {

unsigned modeOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return 010000;
  }
  return info.st_mode & 07777;
}

TEST(LogTest, ScopedTestLogCapturesMessagesWithoutPrefixes) {
  ScopedTestLog log;
  Log::write("save failed: disk full");
  Log::write("UNCAUGHT EXCEPTION: E — r\nframe a\nframe b");
  Log::write("");
  EXPECT_EQ(Log::path(), log.path());
  EXPECT_EQ(log.messages(),
            (std::vector<std::string>{"save failed: disk full",
                                      "UNCAUGHT EXCEPTION: E — r\nframe a\nframe b", ""}));
}

TEST(LogTest, NestedRedirectionsRestoreTheOuterOne) {
  ScopedTestLog outer;
  {
    ScopedTestLog inner;
    Log::write("inner");
    EXPECT_EQ(inner.messages(), std::vector<std::string>{"inner"});
  }
  Log::write("outer");
  EXPECT_EQ(outer.messages(), std::vector<std::string>{"outer"});
}

/// The real log, in a child process whose data home points into a scratch
/// folder, so the user's own log is never touched.
TEST(LogTest, RealLogLivesInTheHistoryFolder) {
  TempDir dir;
  std::string dataHome = dir.file("data");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Log::setFileForTesting(nullptr);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    Log::write("first");
    bool samePath = Log::path() == dataHome + "/Copperwell/debug.log";
    _exit(samePath ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(modeOf(dataHome + "/Copperwell"), 0700u);
  EXPECT_EQ(modeOf(dataHome + "/Copperwell/debug.log"), 0600u);
  FaultyFileSystem files;
  std::string contents = files.readFile(dataHome + "/Copperwell/debug.log").value_or("");
  EXPECT_EQ(contents.size(), 28u + 6u);
  EXPECT_EQ(contents.substr(28), "first\n");
}

}  // namespace
