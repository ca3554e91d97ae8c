// Test substitute for the file seam: forwards to a real file system, fails on request.
#include "FaultyFileSystem.h"

#include <algorithm>
#include <utility>

namespace {

// The injected failure, or else what the real call returns.
FileResult orPassed(const std::optional<std::string>& failure, const auto& pass) {
  return failure ? FileResult::failure(*failure) : pass();
}

}  // namespace

std::optional<std::string> FaultyFileSystem::record(Call call, std::size_t* index) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index != nullptr)
    *index = calls_.size();
  const auto failure = std::find_if(failures_.begin(), failures_.end(), [&](const Failure& f) {
    return f.operation == call.operation && f.matches(call.path);
  });
  call.failed = failure != failures_.end();
  calls_.push_back(std::move(call));
  return failure != failures_.end() ? std::optional(failure->description) : std::nullopt;
}

FileResult FaultyFileSystem::createDirectories(const std::string& path, unsigned mode) {
  return orPassed(record({Operation::createDirectories, path, mode, {}}),
                  [&] { return inner_->createDirectories(path, mode); });
}

FileResult FaultyFileSystem::setPermissions(const std::string& path, unsigned mode) {
  return orPassed(record({Operation::setPermissions, path, mode, {}}),
                  [&] { return inner_->setPermissions(path, mode); });
}

FileResult FaultyFileSystem::excludeFromBackup(const std::string& path) {
  return orPassed(record({Operation::excludeFromBackup, path, 0, {}}),
                  [&] { return inner_->excludeFromBackup(path); });
}

std::optional<std::string> FaultyFileSystem::readFile(const std::string& path) {
  return record({Operation::readFile, path, 0, {}}) ? std::nullopt : inner_->readFile(path);
}

FileResult FaultyFileSystem::writeFileAtomically(const std::string& path, std::string_view contents,
                                                 unsigned mode) {
  return orPassed(record({Operation::writeFileAtomically, path, mode, std::string(contents)}),
                  [&] { return inner_->writeFileAtomically(path, contents, mode); });
}

FileResult FaultyFileSystem::writeFileAtomicallyInPieces(const std::string& path,
                                                         const ContentsWriter& writeContents,
                                                         unsigned mode) {
  std::size_t index = 0;
  const std::optional<std::string> failure =
      record({Operation::writeFileAtomically, path, mode, {}}, &index);
  if (beforeWrite)
    beforeWrite();
  // The contents are produced either way, so a test sees what was meant.
  const auto recorded = [&](const PieceSink& write) {
    return writeContents([&](std::string_view piece) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        calls_[index].contents += piece;
      }
      return write(piece);
    });
  };
  if (failure) {
    recorded([](std::string_view) { return true; });
    return FileResult::failure(*failure);
  }
  return inner_->writeFileAtomicallyInPieces(path, recorded, mode);
}

std::unique_ptr<FileReader> FaultyFileSystem::openForReading(const std::string& path) {
  return record({Operation::readFile, path, 0, {}}) ? nullptr : inner_->openForReading(path);
}

FileResult FaultyFileSystem::appendToFile(const std::string& path, std::string_view contents) {
  return orPassed(record({Operation::appendToFile, path, 0, std::string(contents)}),
                  [&] { return inner_->appendToFile(path, contents); });
}

std::optional<std::uint64_t> FaultyFileSystem::fileSize(const std::string& path) {
  return record({Operation::fileSize, path, 0, {}}) ? std::nullopt : inner_->fileSize(path);
}

FileResult FaultyFileSystem::moveFile(const std::string& from, const std::string& to) {
  return orPassed(record({Operation::moveFile, from, 0, {}}),
                  [&] { return inner_->moveFile(from, to); });
}

FileResult FaultyFileSystem::removeFile(const std::string& path) {
  return orPassed(record({Operation::removeFile, path, 0, {}}),
                  [&] { return inner_->removeFile(path); });
}

std::optional<std::vector<std::string>> FaultyFileSystem::listFolder(const std::string& path) {
  return record({Operation::listFolder, path, 0, {}}) ? std::nullopt : inner_->listFolder(path);
}

bool FaultyFileSystem::canWriteInFolder(const std::string& path) {
  return !record({Operation::canWriteInFolder, path, 0, {}}) && inner_->canWriteInFolder(path);
}

FileLock FaultyFileSystem::lockExclusively(const std::string& path, unsigned mode) {
  auto failure = record({Operation::lockExclusively, path, mode, {}});
  return failure ? FileLock::failed(*failure) : inner_->lockExclusively(path, mode);
}
