// The application bundle through Foundation's main NSBundle; images are
// AppKit's NSImage.
#pragma once

#include "platform/ResourceBundle.h"

class MacResourceBundle : public ResourceBundle {
 public:
  std::optional<InfoValue> infoValue(const std::string& key) const override;
  std::optional<std::string> urlForResource(const std::string& name,
                                            const std::string& extension) const override;
  std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path) const override;
};
