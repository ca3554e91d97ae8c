#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>  // mkdtemp: macOS declares it here, glibc in <cstdlib>

TempDir::TempDir() : path_(std::filesystem::temp_directory_path().string() + "/pellimore-XXXXXX") {
  if (mkdtemp(path_.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
