// The resource-bundle seam over the AppKit bundle and image layers.
#include "platform/mac/MacResourceBundle.h"

#include "platform/mac/AppKitBundle.h"
#include "platform/mac/AppKitImage.h"
#include "platform/mac/MacImage.h"

std::optional<ResourceBundle::InfoValue> MacResourceBundle::infoValue(
    const std::string& key) const {
  return AppKitBundle::infoValue(key);
}

std::optional<std::string> MacResourceBundle::urlForResource(const std::string& name,
                                                             const std::string& extension) const {
  return AppKitBundle::resourcePath(name, extension);
}

std::shared_ptr<Image> MacResourceBundle::imageWithContentsOfFile(const std::string& path) const {
  std::unique_ptr<AppKitImage> image = AppKitImage::fromFile(path);
  if (image == nullptr)
    return nullptr;
  return std::make_shared<MacImage>(std::move(image));
}
