// Recording bundle substitute.
#include "FakeResourceBundle.h"

namespace {

const std::string resourceFolder = "/bundle/Resources/";

}  // namespace

std::optional<ResourceBundle::InfoValue> FakeResourceBundle::infoValue(
    const std::string& key) const {
  record->add("bundle.infoValue(" + key + ")");
  auto found = info.find(key);
  if (found == info.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::optional<std::string> FakeResourceBundle::urlForResource(const std::string& name,
                                                              const std::string& extension) const {
  auto fileName = name + "." + extension;
  record->add("bundle.urlForResource(" + fileName + ")");
  auto found = resources.find(fileName);
  if (found == resources.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::shared_ptr<Image> FakeResourceBundle::imageWithContentsOfFile(const std::string& path) const {
  record->add("bundle.imageWithContentsOfFile(" + path + ")");
  if (readableImages.count(path) == 0) {
    return nullptr;
  }
  auto image = std::make_shared<FakeImage>(path, record);
  images.push_back(image);
  return image;
}

void FakeResourceBundle::addImage(const std::string& name) {
  addUnreadableImage(name);
  readableImages.insert(resourceFolder + name + ".png");
}

void FakeResourceBundle::addUnreadableImage(const std::string& name) {
  resources[name + ".png"] = resourceFolder + name + ".png";
}
