// One NSImage, owned, behind a plain C++ face. Kept apart from the core's
// geometry types because Apple's MacTypes.h defines a clashing global Size.
#pragma once

#include <memory>
#include <string>

class AppKitImage {
 public:
  /// The Objective-C side; defined in AppKitImageNative.h for .mm files.
  struct Native;

  /// Null when the file cannot be read as an image.
  static std::unique_ptr<AppKitImage> fromFile(const std::string& path);

  explicit AppKitImage(std::unique_ptr<Native> native);
  ~AppKitImage();
  AppKitImage(const AppKitImage&) = delete;
  AppKitImage& operator=(const AppKitImage&) = delete;

  void setTemplate(bool isTemplate);
  void setSize(double width, double height);

  Native& native() { return *native_; }

 private:
  std::unique_ptr<Native> native_;
};
