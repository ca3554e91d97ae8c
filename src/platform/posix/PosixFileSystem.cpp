// POSIX file operations: open/write/fsync/rename for atomic writes, with the
// error descriptions built from the operation, the path and strerror.
#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/SecureRandom.h"

namespace {

std::string describe(const char* operation, const std::string& path, int error) {
  return std::string(operation) + " " + path + ": " + std::strerror(error);
}

FileResult failure(const char* operation, const std::string& path, int error) {
  return FileResult::failure(describe(operation, path, error));
}

/// Writes every byte, resuming after signals and short writes. Returns 0 or
/// the errno of the failure.
int writeAll(int fd, std::string_view contents) {
  const char* next = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    ssize_t written = ::write(fd, next, left);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

/// Forces the file's data to stable storage. Plain fsync on Apple systems
/// only reaches the drive's cache, so a full flush is asked for first.
int flushToDisk(int fd) {
#ifdef __APPLE__
  if (fcntl(fd, F_FULLFSYNC) == 0) {
    return 0;
  }
#endif
  while (fsync(fd) != 0) {
    if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

int closeFile(int fd) {
  // Retrying close after EINTR may close a descriptor reused by someone else;
  // the descriptor is gone either way.
  if (::close(fd) != 0 && errno != EINTR) {
    return errno;
  }
  return 0;
}

std::string parentOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  if (slash == 0) {
    return "/";
  }
  return path.substr(0, slash);
}

std::string temporaryNameFor(const std::string& path) {
  std::array<std::uint8_t, 8> random{};
  fillSecureRandom(random.data(), random.size());
  static const char digits[] = "0123456789abcdef";
  std::string suffix;
  static_assert(2 * random.size() == FileSystem::temporarySuffixLength);
  for (std::uint8_t byte : random) {
    suffix += digits[byte >> 4];
    suffix += digits[byte & 0xf];
  }
  std::size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + FileSystem::temporaryFileName(name, suffix);
}

/// Makes the folder's entry changes (a rename into it) durable. File systems
/// that cannot flush a folder say so with EINVAL; that is not a failure.
int flushFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
  if (fd < 0) {
    return errno;
  }
  int error = flushToDisk(fd);
  closeFile(fd);
  if (error == EINVAL || error == ENOTSUP) {
    return 0;
  }
  return error;
}

class PosixFileReader : public FileReader {
 public:
  explicit PosixFileReader(int fd) : fd_(fd) {}
  ~PosixFileReader() override { closeFile(fd_); }
  PosixFileReader(const PosixFileReader&) = delete;
  PosixFileReader& operator=(const PosixFileReader&) = delete;

  std::optional<std::size_t> read(char* into, std::size_t size) override {
    while (true) {
      ssize_t got = ::read(fd_, into, size);
      if (got >= 0) {
        return static_cast<std::size_t>(got);
      }
      if (errno != EINTR) {
        return std::nullopt;
      }
    }
  }

 private:
  int fd_;
};

bool isDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string PosixFileSystem::homeDirectory() const {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return home;
  }
  long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
  struct passwd entry {};
  struct passwd* found = nullptr;
  while (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
    buffer.resize(buffer.size() * 2);
  }
  if (found == nullptr || found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

FileResult PosixFileSystem::createDirectories(const std::string& path, unsigned mode) {
  if (path.empty()) {
    return FileResult::failure("cannot create folder with an empty path");
  }
  // Walk the prefixes ending before each slash, then the whole path.
  std::size_t end = 0;
  while (end != std::string::npos) {
    end = path.find('/', end + 1);
    std::string prefix = path.substr(0, end);
    if (prefix.empty() || prefix.back() == '/') {
      continue;
    }
    if (mkdir(prefix.c_str(), static_cast<mode_t>(mode)) == 0) {
      // mkdir narrows the mode by the umask; the folder gets exactly `mode`.
      if (chmod(prefix.c_str(), static_cast<mode_t>(mode)) != 0) {
        return failure("cannot set permissions of", prefix, errno);
      }
      continue;
    }
    int error = errno;
    if (error != EEXIST) {
      return failure("cannot create folder", prefix, error);
    }
    if (!isDirectory(prefix)) {
      return failure("cannot create folder", prefix, ENOTDIR);
    }
  }
  return FileResult::success();
}

FileResult PosixFileSystem::setPermissions(const std::string& path, unsigned mode) {
  if (chmod(path.c_str(), static_cast<mode_t>(mode)) != 0) {
    return failure("cannot set permissions of", path, errno);
  }
  return FileResult::success();
}

std::optional<std::string> PosixFileSystem::readFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return std::nullopt;
  }
  std::string contents;
  struct stat info {};
  if (fstat(fd, &info) == 0 && info.st_size > 0) {
    contents.reserve(static_cast<std::size_t>(info.st_size));
  }
  std::array<char, 65536> chunk{};
  while (true) {
    ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      closeFile(fd);
      return std::nullopt;
    }
    if (got == 0) {
      break;
    }
    contents.append(chunk.data(), static_cast<std::size_t>(got));
  }
  closeFile(fd);
  return contents;
}

std::unique_ptr<FileReader> PosixFileSystem::openForReading(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  return std::make_unique<PosixFileReader>(fd);
}

FileResult PosixFileSystem::writeFileAtomically(const std::string& path, std::string_view contents,
                                                unsigned mode) {
  return writeFileAtomicallyInPieces(
      path, [&](const PieceSink& write) { return write(contents); }, mode);
}

FileResult PosixFileSystem::writeFileAtomicallyInPieces(const std::string& path,
                                                        const ContentsWriter& writeContents,
                                                        unsigned mode) {
  std::string temporary;
  int fd = -1;
  // A leftover file of the same random name is vanishingly unlikely; a few
  // tries settle it.
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = temporaryNameFor(path);
    fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    if (fd < 0 && errno != EEXIST) {
      return failure("cannot create temporary file for", path, errno);
    }
  }
  if (fd < 0) {
    return failure("cannot create temporary file for", path, EEXIST);
  }

  auto abandon = [&](const char* operation, int error) {
    closeFile(fd);
    unlink(temporary.c_str());
    return failure(operation, path, error);
  };
  // open's mode is narrowed by the umask; set it exactly before any byte lands.
  if (fchmod(fd, static_cast<mode_t>(mode)) != 0) {
    return abandon("cannot set permissions of temporary file for", errno);
  }
  int writeError = 0;
  const bool produced = writeContents([&](std::string_view piece) {
    writeError = writeAll(fd, piece);
    return writeError == 0;
  });
  if (writeError != 0) {
    return abandon("cannot write", writeError);
  }
  if (!produced) {
    return abandon("cannot write", ECANCELED);
  }
  if (int error = flushToDisk(fd); error != 0) {
    return abandon("cannot flush", error);
  }
  if (int error = closeFile(fd); error != 0) {
    unlink(temporary.c_str());
    return failure("cannot close", path, error);
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    int error = errno;
    unlink(temporary.c_str());
    return failure("cannot replace", path, error);
  }
  if (int error = flushFolder(parentOf(path)); error != 0) {
    return failure("cannot flush the folder of", path, error);
  }
  return FileResult::success();
}

FileResult PosixFileSystem::appendToFile(const std::string& path, std::string_view contents) {
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) {
    return failure("cannot open", path, errno);
  }
  if (int error = writeAll(fd, contents); error != 0) {
    closeFile(fd);
    return failure("cannot append to", path, error);
  }
  if (int error = closeFile(fd); error != 0) {
    return failure("cannot close", path, error);
  }
  return FileResult::success();
}

std::optional<std::uint64_t> PosixFileSystem::fileSize(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(info.st_size);
}

FileResult PosixFileSystem::moveFile(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) {
    return FileResult::failure("cannot move " + from + " to " + to + ": " + std::strerror(errno));
  }
  return FileResult::success();
}

FileResult PosixFileSystem::removeFile(const std::string& path) {
  if (unlink(path.c_str()) != 0) {
    return failure("cannot remove", path, errno);
  }
  return FileResult::success();
}

std::optional<std::vector<std::string>> PosixFileSystem::listFolder(const std::string& path) {
  DIR* folder = opendir(path.c_str());
  if (folder == nullptr) {
    return std::nullopt;
  }
  std::vector<std::string> names;
  while (const dirent* entry = readdir(folder)) {
    std::string_view name = entry->d_name;
    if (name != "." && name != "..") {
      names.emplace_back(name);
    }
  }
  closedir(folder);
  return names;
}

bool PosixFileSystem::canWriteInFolder(const std::string& path) {
  return access(path.c_str(), W_OK | X_OK) == 0;
}

FileLock PosixFileSystem::lockExclusively(const std::string& path, unsigned mode) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, static_cast<mode_t>(mode));
  if (fd < 0) {
    return FileLock::failed(describe("cannot open", path, errno));
  }
  if (fchmod(fd, static_cast<mode_t>(mode)) != 0) {
    int error = errno;
    closeFile(fd);
    return FileLock::failed(describe("cannot set permissions of", path, error));
  }
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    int error = errno;
    if (error == EINTR) {
      continue;
    }
    closeFile(fd);
    if (error == EWOULDBLOCK) {
      return FileLock::heldElsewhere();
    }
    return FileLock::failed(describe("cannot lock", path, error));
  }
  // Closing the descriptor ends the lock, as does the end of the process.
  return FileLock::held([fd] { closeFile(fd); });
}
