// The real POSIX file operations, exercised in scratch folders.
#include "platform/PosixFileSystem.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace {

unsigned modeOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return 07777 + 1;
  }
  return info.st_mode & 07777;
}

void writePlain(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::vector<std::string> entriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

/// The shared POSIX part alone; the per-platform folders do not matter here.
class PlainPosixFileSystem : public PosixFileSystem {
 public:
  std::optional<std::string> applicationSupportDirectory() const override { return std::nullopt; }
  FileResult excludeFromBackup(const std::string&) override { return FileResult::success(); }
};

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : previous_(umask(mask)) {}
  ~ScopedUmask() { umask(previous_); }
  ScopedUmask(const ScopedUmask&) = delete;
  ScopedUmask& operator=(const ScopedUmask&) = delete;

 private:
  mode_t previous_;
};

class PosixFileSystemTest : public ::testing::Test {
 protected:
  PlainPosixFileSystem files;
  TempDir dir;
};

TEST_F(PosixFileSystemTest, AtomicWriteCreatesFileWithExactModeWhateverTheUmask) {
  ScopedUmask mask(0277);
  ASSERT_TRUE(files.writeFileAtomically(dir.file("a.json"), "[]", 0600).ok());
  EXPECT_EQ(modeOf(dir.file("a.json")), 0600u);
  ScopedUmask open(0);
  ASSERT_TRUE(files.writeFileAtomically(dir.file("b.json"), "[]", 0600).ok());
  EXPECT_EQ(modeOf(dir.file("b.json")), 0600u);
}

TEST_F(PosixFileSystemTest, AtomicWriteReplacesContentsAndModeAndLeavesNoTemporaryFile) {
  writePlain(dir.file("history.json"), "old contents that are longer");
  ASSERT_EQ(chmod(dir.file("history.json").c_str(), 0644), 0);
  ASSERT_TRUE(files.writeFileAtomically(dir.file("history.json"), "new", 0600).ok());
  EXPECT_EQ(files.readFile(dir.file("history.json")), "new");
  EXPECT_EQ(modeOf(dir.file("history.json")), 0600u);
  EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"history.json"});
}

TEST_F(PosixFileSystemTest, AtomicWriteWritesLargeBinaryContentsInFull) {
  std::string contents(8 * 1024 * 1024 + 13, '\0');
  for (std::size_t i = 0; i < contents.size(); ++i) {
    contents[i] = static_cast<char>(i * 7 % 251);
  }
  ASSERT_TRUE(files.writeFileAtomically(dir.file("image.png"), contents, 0600).ok());
  EXPECT_EQ(files.fileSize(dir.file("image.png")), contents.size());
  EXPECT_EQ(files.readFile(dir.file("image.png")), contents);
}

TEST_F(PosixFileSystemTest, FailedRenameRemovesTemporaryFileAndNamesPath) {
  // A non-empty folder in the target's place makes the final rename fail.
  std::string target = dir.file("history.json");
  ASSERT_TRUE(std::filesystem::create_directory(target));
  writePlain(target + "/inside", "x");

  FileResult result = files.writeFileAtomically(target, "[]", 0600);

  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error().find(target), std::string::npos) << result.error();
  EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"history.json"});
  EXPECT_EQ(files.readFile(target + "/inside"), "x");
}

TEST_F(PosixFileSystemTest, AtomicWriteIntoMissingFolderDescribesTheCause) {
  FileResult result = files.writeFileAtomically(dir.file("missing/history.json"), "[]", 0600);
  ASSERT_FALSE(result.ok());
  EXPECT_NE(result.error().find(dir.file("missing/history.json")), std::string::npos);
  EXPECT_NE(result.error().find("No such file or directory"), std::string::npos) << result.error();
}

TEST_F(PosixFileSystemTest, ReadFileReturnsBytesOrNothing) {
  writePlain(dir.file("bytes"), std::string("a\0b\n", 4));
  EXPECT_EQ(files.readFile(dir.file("bytes")), std::string("a\0b\n", 4));
  EXPECT_EQ(files.readFile(dir.file("empty")), std::nullopt);
  writePlain(dir.file("empty"), "");
  EXPECT_EQ(files.readFile(dir.file("empty")), "");
  EXPECT_EQ(files.readFile(dir.path()), std::nullopt);
}

TEST_F(PosixFileSystemTest, AppendAddsToExistingFileButNeverCreatesOne) {
  FileResult missing = files.appendToFile(dir.file("debug.log"), "line\n");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find(dir.file("debug.log")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.file("debug.log")));

  writePlain(dir.file("debug.log"), "first\n");
  ASSERT_TRUE(files.appendToFile(dir.file("debug.log"), "second\n").ok());
  EXPECT_EQ(files.readFile(dir.file("debug.log")), "first\nsecond\n");
}

TEST_F(PosixFileSystemTest, FileSizeMoveAndRemove) {
  EXPECT_EQ(files.fileSize(dir.file("a")), std::nullopt);
  writePlain(dir.file("a"), "12345");
  EXPECT_EQ(files.fileSize(dir.file("a")), 5u);

  ASSERT_TRUE(files.moveFile(dir.file("a"), dir.file("b")).ok());
  EXPECT_EQ(files.readFile(dir.file("b")), "12345");
  EXPECT_FALSE(files.moveFile(dir.file("a"), dir.file("c")).ok());

  ASSERT_TRUE(files.removeFile(dir.file("b")).ok());
  FileResult again = files.removeFile(dir.file("b"));
  EXPECT_FALSE(again.ok());
  EXPECT_NE(again.error().find(dir.file("b")), std::string::npos);
}

TEST_F(PosixFileSystemTest, SetPermissionsAppliesExactMode) {
  writePlain(dir.file("a"), "x");
  ASSERT_TRUE(files.setPermissions(dir.file("a"), 0600).ok());
  EXPECT_EQ(modeOf(dir.file("a")), 0600u);
  EXPECT_FALSE(files.setPermissions(dir.file("missing"), 0600).ok());
}

class CreateDirectoriesTest : public PosixFileSystemTest {};

TEST_F(CreateDirectoriesTest, CreatesMissingParentsWithExactMode) {
  ScopedUmask mask(0277);
  std::string leaf = dir.file("support/Copperwell/images");
  ASSERT_TRUE(files.createDirectories(leaf, 0700).ok());
  EXPECT_EQ(modeOf(dir.file("support")), 0700u);
  EXPECT_EQ(modeOf(dir.file("support/Copperwell")), 0700u);
  EXPECT_EQ(modeOf(leaf), 0700u);
}

TEST_F(CreateDirectoriesTest, ExistingFolderIsSuccessAndKeepsItsMode) {
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  EXPECT_TRUE(files.createDirectories(dir.path(), 0700).ok());
  EXPECT_TRUE(files.createDirectories(dir.path() + "/", 0700).ok());
  EXPECT_EQ(modeOf(dir.path()), 0755u);
}

TEST_F(CreateDirectoriesTest, FileInThePathIsAFailure) {
  writePlain(dir.file("plain"), "x");
  EXPECT_FALSE(files.createDirectories(dir.file("plain"), 0700).ok());
  FileResult below = files.createDirectories(dir.file("plain/below"), 0700);
  EXPECT_FALSE(below.ok());
  EXPECT_NE(below.error().find(dir.file("plain")), std::string::npos);
  EXPECT_FALSE(files.createDirectories("", 0700).ok());
}

}  // namespace
