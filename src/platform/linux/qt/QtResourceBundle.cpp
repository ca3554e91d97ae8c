// Resource look-up in the Qt resource system (or any folder given as prefix).
#include "platform/linux/qt/QtResourceBundle.h"

#include <QFile>
#include <utility>

#include "platform/linux/ui/QtImage.h"

QtResourceBundle::QtResourceBundle(std::string version, std::string resourcePrefix)
    : version_(std::move(version)), prefix_(std::move(resourcePrefix)) {}

std::optional<ResourceBundle::InfoValue> QtResourceBundle::infoValue(const std::string& key) const {
  if (key != "CFBundleShortVersionString" || version_.empty()) {
    return std::nullopt;
  }
  return version_;
}

std::optional<std::string> QtResourceBundle::urlForResource(const std::string& name,
                                                            const std::string& extension) const {
  // A name that walks out of the prefix is no resource of ours.
  if (name.empty() || name.find('/') != std::string::npos || name.find("..") == 0) {
    return std::nullopt;
  }
  const std::string path = prefix_ + name + "." + extension;
  if (!QFile::exists(QString::fromStdString(path))) {
    return std::nullopt;
  }
  return path;
}

std::shared_ptr<Image> QtResourceBundle::imageWithContentsOfFile(const std::string& path) const {
  return QtImage::fromFile(path);
}
