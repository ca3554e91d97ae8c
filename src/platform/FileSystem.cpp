#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace {

class WholeFileReader : public FileReader {
 public:
  explicit WholeFileReader(std::string contents) : contents_(std::move(contents)) {}
  std::optional<std::size_t> read(char* into, std::size_t size) override {
    const std::size_t count = std::min(size, contents_.size() - offset_);
    std::memcpy(into, contents_.data() + offset_, count);
    offset_ += count;
    return count;
  }

 private:
  std::string contents_;
  std::size_t offset_ = 0;
};

}  // namespace

std::string FileSystem::applicationFolder() const {
  std::optional<std::string> support = applicationSupportDirectory();
  std::string base = support ? *support : homeDirectory() + "/Library/Application Support";
  return base + "/Copperwell";
}

std::string FileSystem::temporaryFileName(std::string_view name, std::string_view suffix) {
  std::string result = ".";
  result += name;
  result += ".tmp-";
  result += suffix;
  return result;
}

bool FileSystem::isTemporaryFileOf(std::string_view entry, std::string_view name) {
  const std::string prefix = temporaryFileName(name, "");
  if (entry.size() != prefix.size() + temporarySuffixLength || !entry.starts_with(prefix))
    return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

FileResult FileSystem::writeFileAtomicallyInPieces(const std::string& path,
                                                   const ContentsWriter& writeContents,
                                                   unsigned mode) {
  std::string contents;
  if (!writeContents([&](std::string_view piece) {
        contents += piece;
        return true;
      }))
    return FileResult::failure("cannot produce the contents of " + path);
  return writeFileAtomically(path, contents, mode);
}

std::unique_ptr<FileReader> FileSystem::openForReading(const std::string& path) {
  std::optional<std::string> contents = readFile(path);
  if (!contents)
    return nullptr;
  return std::make_unique<WholeFileReader>(std::move(*contents));
}
