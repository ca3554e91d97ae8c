// The bundle on Linux: the version compiled in and the images compiled in
// as Qt resources under ":/brand".
#pragma once

#include <string>

#include "platform/ResourceBundle.h"

class QtResourceBundle : public ResourceBundle {
 public:
  /// `version` answers "CFBundleShortVersionString"; no other key exists.
  explicit QtResourceBundle(std::string version, std::string resourcePrefix = ":/brand/");

  std::optional<InfoValue> infoValue(const std::string& key) const override;
  std::optional<std::string> urlForResource(const std::string& name,
                                            const std::string& extension) const override;
  std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path) const override;

 private:
  std::string version_;
  std::string prefix_;
};
