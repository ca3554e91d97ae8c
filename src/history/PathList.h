// The paths of a file list, held in one buffer: a list of a hundred thousand
// paths costs their bytes and an offset each, not a string object and a heap
// block per path. The buffer joins the paths with "|", which is how the
// list's signature spells them, so the signature needs no copy of its own.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class PathList {
 public:
  PathList() = default;
  PathList(std::initializer_list<std::string_view> paths);
  explicit PathList(const std::vector<std::string>& paths);

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t index) const;
  /// The paths joined with "|". A path may hold "|" itself, so this does not
  /// tell the paths apart; it is what the list's signature is made of.
  std::string_view joined() const { return joined_; }

  void append(std::string_view path);
  void clear();
  /// The paths as separate strings, as the pasteboard takes them.
  std::vector<std::string> toVector() const;

  friend bool operator==(const PathList&, const PathList&) = default;

 private:
  std::string joined_;
  /// Where each path ends in `joined_`; the next starts one byte later.
  std::vector<std::size_t> ends_;
};
