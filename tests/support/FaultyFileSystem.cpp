// Test substitute for the file seam: forwards to a real file system, fails on request.
#include "FaultyFileSystem.h"

#include <utility>

FaultyFileSystem::FaultyFileSystem() : owned_(FileSystem::createReal()), inner_(*owned_) {}

FaultyFileSystem::FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

void FaultyFileSystem::failWhen(Operation operation, PathPredicate matches,
                                std::string description) {
  failures_.push_back({operation, std::move(matches), std::move(description)});
}

void FaultyFileSystem::fail(Operation operation, std::string description) {
  failWhen(
      operation, [](const std::string&) { return true; }, std::move(description));
}

void FaultyFileSystem::setApplicationSupportDirectory(std::optional<std::string> path) {
  supportDirectorySet_ = true;
  supportDirectory_ = std::move(path);
}

void FaultyFileSystem::setHomeDirectory(std::string path) {
  homeDirectory_ = std::move(path);
}

std::vector<FaultyFileSystem::Call> FaultyFileSystem::callsOf(Operation operation) const {
  std::vector<Call> matching;
  for (const Call& call : calls_) {
    if (call.operation == operation) {
      matching.push_back(call);
    }
  }
  return matching;
}

std::optional<std::string> FaultyFileSystem::failureFor(Operation operation,
                                                        const std::string& path) const {
  for (const Failure& failure : failures_) {
    if (failure.operation == operation && failure.matches(path)) {
      return failure.description;
    }
  }
  return std::nullopt;
}

std::optional<std::string> FaultyFileSystem::record(Call call) {
  std::optional<std::string> failure = failureFor(call.operation, call.path);
  call.failed = failure.has_value();
  calls_.push_back(std::move(call));
  return failure;
}

std::optional<std::string> FaultyFileSystem::applicationSupportDirectory() const {
  if (supportDirectorySet_) {
    return supportDirectory_;
  }
  return inner_.applicationSupportDirectory();
}

std::string FaultyFileSystem::homeDirectory() const {
  if (homeDirectory_) {
    return *homeDirectory_;
  }
  return inner_.homeDirectory();
}

FileResult FaultyFileSystem::createDirectories(const std::string& path, unsigned mode) {
  if (auto failure = record({Operation::createDirectories, path, {}, mode, {}})) {
    return FileResult::failure(*failure);
  }
  return inner_.createDirectories(path, mode);
}

FileResult FaultyFileSystem::setPermissions(const std::string& path, unsigned mode) {
  if (auto failure = record({Operation::setPermissions, path, {}, mode, {}})) {
    return FileResult::failure(*failure);
  }
  return inner_.setPermissions(path, mode);
}

FileResult FaultyFileSystem::excludeFromBackup(const std::string& path) {
  if (auto failure = record({Operation::excludeFromBackup, path, {}, 0, {}})) {
    return FileResult::failure(*failure);
  }
  return inner_.excludeFromBackup(path);
}

std::optional<std::string> FaultyFileSystem::readFile(const std::string& path) {
  if (record({Operation::readFile, path, {}, 0, {}})) {
    return std::nullopt;
  }
  return inner_.readFile(path);
}

FileResult FaultyFileSystem::writeFileAtomically(const std::string& path, std::string_view contents,
                                                 unsigned mode) {
  if (auto failure =
          record({Operation::writeFileAtomically, path, {}, mode, std::string(contents)})) {
    return FileResult::failure(*failure);
  }
  return inner_.writeFileAtomically(path, contents, mode);
}

FileResult FaultyFileSystem::appendToFile(const std::string& path, std::string_view contents) {
  if (auto failure = record({Operation::appendToFile, path, {}, 0, std::string(contents)})) {
    return FileResult::failure(*failure);
  }
  return inner_.appendToFile(path, contents);
}

std::optional<std::uint64_t> FaultyFileSystem::fileSize(const std::string& path) {
  if (record({Operation::fileSize, path, {}, 0, {}})) {
    return std::nullopt;
  }
  return inner_.fileSize(path);
}

FileResult FaultyFileSystem::moveFile(const std::string& from, const std::string& to) {
  if (auto failure = record({Operation::moveFile, from, to, 0, {}})) {
    return FileResult::failure(*failure);
  }
  return inner_.moveFile(from, to);
}

FileResult FaultyFileSystem::removeFile(const std::string& path) {
  if (auto failure = record({Operation::removeFile, path, {}, 0, {}})) {
    return FileResult::failure(*failure);
  }
  return inner_.removeFile(path);
}
