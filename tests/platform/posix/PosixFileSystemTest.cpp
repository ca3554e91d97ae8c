// The real POSIX file and socket operations, exercised in scratch folders.
#include "platform/posix/PosixFileSystem.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "ManualMainLoop.h"
#include "TempDir.h"
#include "platform/posix/LocalSocketChannel.h"

namespace {

using Names = std::set<std::string>;

unsigned modeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

/// The shared POSIX part alone; the per-platform folders do not matter here.
class PlainPosixFileSystem : public PosixFileSystem {
 public:
  std::optional<std::string> applicationSupportDirectory() const override { return std::nullopt; }
  FileResult excludeFromBackup(const std::string&) override { return FileResult::success(); }
};

class PosixFileSystemTest : public ::testing::Test {
 protected:
  /// The names in the scratch folder, temporary files included.
  Names entries() const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  /// Runs `operation` with the umask set to `mask`.
  template <typename Operation>
  static FileResult underUmask(mode_t mask, Operation operation) {
    const mode_t previous = umask(mask);
    FileResult result = operation();
    umask(previous);
    return result;
  }

  PlainPosixFileSystem files_;
  TempDir dir_;
};

TEST_F(PosixFileSystemTest, AtomicWriteGivesTheExactModeWhateverTheUmaskAndReplacesInFull) {
  const std::string path = dir_.file("history.json");
  std::ofstream(path) << "old contents, longer than the new";
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  // Binary, and longer than one read or write chunk.
  std::string contents(200'000, '\0');
  for (std::size_t i = 0; i < contents.size(); ++i) {
    contents[i] = static_cast<char>(i * 7 % 251);
  }
  for (mode_t mask : {0277, 0}) {
    SCOPED_TRACE(mask);
    FileResult result =
        underUmask(mask, [&] { return files_.writeFileAtomically(path, contents, 0600); });
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(files_.readFile(path), contents);
    EXPECT_EQ(entries(), Names{"history.json"});
  }
}

TEST_F(PosixFileSystemTest, FailureNamesThePathAndLeavesNoTemporaryFile) {
  std::ofstream(dir_.file("plain")) << "x";
  // A non-empty folder in the target's place makes the final rename fail.
  std::filesystem::create_directories(dir_.file("folder/inside"));
  const std::pair<std::string, FileResult> cases[] = {
      {"missing/a", files_.writeFileAtomically(dir_.file("missing/a"), "[]", 0600)},
      {"folder", files_.writeFileAtomically(dir_.file("folder"), "[]", 0600)},
      // The log relies on an append never creating the file.
      {"log", files_.appendToFile(dir_.file("log"), "line\n")},
      {"plain", files_.createDirectories(dir_.file("plain"), 0700)},
      {"plain", files_.createDirectories(dir_.file("plain/below"), 0700)},
      {"gone", files_.moveFile(dir_.file("gone"), dir_.file("b"))},
  };
  for (const auto& [path, result] : cases) {
    EXPECT_FALSE(result.ok()) << path;
    EXPECT_NE(result.error().find(dir_.file(path)), std::string::npos) << result.error();
  }
  EXPECT_EQ(entries(), (Names{"folder", "plain"}));
  EXPECT_NE(cases[0].second.error().find("No such file or directory"), std::string::npos);
  EXPECT_FALSE(files_.createDirectories("", 0700).ok());
}

TEST_F(PosixFileSystemTest, ReadAppendSizeMoveListAndRemove) {
  const std::string a = dir_.file("a");
  EXPECT_EQ(files_.readFile(a), std::nullopt);
  EXPECT_EQ(files_.readFile(dir_.path()), std::nullopt);
  EXPECT_EQ(files_.fileSize(a), std::nullopt);
  std::ofstream(a) << "";
  EXPECT_EQ(files_.readFile(a), "");
  ASSERT_TRUE(files_.appendToFile(a, std::string("a\0b\n", 4)).ok());
  ASSERT_TRUE(files_.appendToFile(a, "second\n").ok());
  EXPECT_EQ(files_.fileSize(a), 11u);
  ASSERT_TRUE(files_.moveFile(a, dir_.file("b")).ok());
  EXPECT_EQ(files_.readFile(dir_.file("b")), std::string("a\0b\nsecond\n", 11));
  EXPECT_EQ(files_.listFolder(dir_.path()), std::vector<std::string>{"b"});
  EXPECT_EQ(files_.listFolder(a), std::nullopt);
  EXPECT_TRUE(files_.canWriteInFolder(dir_.path()));
  EXPECT_FALSE(files_.canWriteInFolder(a));
  ASSERT_TRUE(files_.removeFile(dir_.file("b")).ok());
  EXPECT_TRUE(entries().empty());
  // Without a support folder the data lives under the home folder.
  EXPECT_EQ(files_.applicationFolder(),
            files_.homeDirectory() + "/Library/Application Support/Copperwell");
}

TEST_F(PosixFileSystemTest, CreatesMissingFoldersWithTheExactModeAndKeepsExistingOnes) {
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  FileResult result = underUmask(
      0277, [&] { return files_.createDirectories(dir_.file("support/Copperwell/images"), 0700); });
  ASSERT_TRUE(result.ok()) << result.error();
  for (const char* folder : {"support", "support/Copperwell", "support/Copperwell/images"}) {
    EXPECT_EQ(modeOf(dir_.file(folder)), 0700u) << folder;
  }
  EXPECT_TRUE(files_.createDirectories(dir_.path() + "/", 0700).ok());
  EXPECT_EQ(modeOf(dir_.path()), 0755u);
  std::ofstream(dir_.file("a")) << "x";
  ASSERT_TRUE(files_.setPermissions(dir_.file("a"), 0600).ok());
  EXPECT_EQ(modeOf(dir_.file("a")), 0600u);
}

TEST_F(PosixFileSystemTest, LockIsExclusiveEvenWithinAProcessAndEndsWithItsHolder) {
  const std::string path = dir_.file("instance.lock");
  std::ofstream(path) << "";
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  {
    const FileLock first = files_.lockExclusively(path, 0600);
    ASSERT_EQ(first.state(), FileLock::State::held) << first.error();
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(files_.lockExclusively(path, 0600).state(), FileLock::State::heldElsewhere);
  }
  // A child takes the lock and dies holding it.
  const pid_t child = fork();
  if (child == 0) {
    _exit(files_.lockExclusively(path, 0600).state() == FileLock::State::held ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(status, 0) << "the first lock outlived its object";
  EXPECT_EQ(files_.lockExclusively(path, 0600).state(), FileLock::State::held);
  EXPECT_EQ(files_.lockExclusively(dir_.file("none/x.lock"), 0600).error().rfind("cannot open", 0),
            0u);
}

TEST_F(PosixFileSystemTest, ChannelReplacesALeftOverSocketAndAnswersALaterStart) {
  ManualMainLoop loop;
  const std::string path = dir_.file("x.socket");
  ASSERT_EQ(LocalSocketChannel(loop, path).listen([] {}), std::nullopt);
  int requests = 0;
  LocalSocketChannel running(loop, path);
  ASSERT_EQ(running.listen([&] { ++requests; }), std::nullopt);
  EXPECT_EQ(modeOf(path), 0600u);
  std::optional<std::string> error = "not asked";
  std::thread later([&] { error = LocalSocketChannel(loop, path).requestOpen(); });
  for (int turn = 0; turn < 50 && requests == 0; ++turn) {
    loop.runReadable(100);
  }
  later.join();
  EXPECT_EQ(error, std::nullopt);
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(running.fallbackLocation(), std::nullopt);
}

TEST_F(PosixFileSystemTest, ChannelMeetsInTheFallbackFolderWhenItsPathIsTooLongForASocket) {
  ManualMainLoop loop;
  const std::string fitting = dir_.file("x.socket");
  const std::string tooLong = dir_.path() + "/" + std::string(120, 'u') + "/x.socket";
  const std::string fallback = dir_.file("short");
  std::filesystem::create_directory(fallback);
  // A path that fits stays where it is, and without a fallback nothing moves.
  EXPECT_EQ(LocalSocketChannel(loop, fitting, fallback).fallbackLocation(), std::nullopt);
  EXPECT_EQ(LocalSocketChannel(loop, tooLong).listen([] {}), "socket path too long: " + tooLong);

  int requests = 0;
  LocalSocketChannel running(loop, tooLong, fallback);
  ASSERT_EQ(running.listen([&] { ++requests; }), std::nullopt);
  EXPECT_EQ(running.fallbackLocation(), fallback + "/x.socket");
  std::optional<std::string> error = "not asked";
  std::thread later(
      [&] { error = LocalSocketChannel(loop, tooLong, fallback + "/").requestOpen(); });
  for (int turn = 0; turn < 50 && requests == 0; ++turn) {
    loop.runReadable(100);
  }
  later.join();
  EXPECT_EQ(error, std::nullopt);
  EXPECT_EQ(requests, 1);
}

}  // namespace
