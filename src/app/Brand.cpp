// Brand values read from the application bundle.
#include "app/Brand.h"

#include "platform/ResourceBundle.h"

namespace Brand {

std::string version(const ResourceBundle& bundle) {
  auto value = bundle.infoValue(std::string(versionKey));
  if (!value) {
    return std::string(fallbackVersion);
  }
  if (const auto* text = std::get_if<std::string>(&*value)) {
    return *text;
  }
  return std::string(fallbackVersion);
}

std::shared_ptr<Image> image(const ResourceBundle& bundle, std::string_view name) {
  auto path = bundle.urlForResource(std::string(name), "png");
  if (!path) {
    return nullptr;
  }
  return bundle.imageWithContentsOfFile(*path);
}

}  // namespace Brand
