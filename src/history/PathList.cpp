// Paths as slices of one joined buffer.
#include "history/PathList.h"

PathList::PathList(std::initializer_list<std::string_view> paths) {
  ends_.reserve(paths.size());
  for (std::string_view path : paths)
    append(path);
}

PathList::PathList(const std::vector<std::string>& paths) {
  std::size_t bytes = paths.size();
  for (const std::string& path : paths)
    bytes += path.size();
  joined_.reserve(bytes);
  ends_.reserve(paths.size());
  for (const std::string& path : paths)
    append(path);
}

std::string_view PathList::operator[](std::size_t index) const {
  const std::size_t start = index == 0 ? 0 : ends_[index - 1] + 1;
  return std::string_view(joined_).substr(start, ends_[index] - start);
}

void PathList::append(std::string_view path) {
  if (!ends_.empty())
    joined_ += '|';
  joined_ += path;
  ends_.push_back(joined_.size());
}

void PathList::clear() {
  joined_.clear();
  ends_.clear();
}

std::vector<std::string> PathList::toVector() const {
  std::vector<std::string> paths;
  paths.reserve(size());
  for (std::size_t i = 0; i < size(); ++i)
    paths.emplace_back((*this)[i]);
  return paths;
}
