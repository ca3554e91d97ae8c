// One file opened for reading a piece at a time, so that a large file need
// never be held in memory whole.
#pragma once

#include <cstddef>
#include <optional>

class FileReader {
 public:
  virtual ~FileReader() = default;

  /// Reads up to `size` bytes into `into`: how many were read, 0 only at the
  /// end of the file, nothing when the read failed.
  virtual std::optional<std::size_t> read(char* into, std::size_t size) = 0;
};
