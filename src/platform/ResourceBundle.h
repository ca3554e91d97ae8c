// The application bundle: its information values and the resource files that
// ship with it (NSBundle's main bundle on macOS; on Linux the installed data
// folder and the values compiled into the executable).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/Image.h"

class ResourceBundle {
 public:
  /// One information value; property lists hold more kinds than strings, and
  /// callers must not mistake a number for text.
  using InfoValue = std::variant<std::string, std::int64_t, double, bool>;

  virtual ~ResourceBundle() = default;

  /// Nothing when the bundle has no information dictionary or no such key.
  virtual std::optional<InfoValue> infoValue(const std::string& key) const = 0;
  /// The path of resource `name` + "." + `extension`, or nothing when the
  /// bundle has none.
  virtual std::optional<std::string> urlForResource(const std::string& name,
                                                    const std::string& extension) const = 0;
  /// Null when the file cannot be read or is not an image.
  virtual std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path) const = 0;
};
