// A bundle whose information values and resources the test sets. Resources
// are paths under "/bundle/Resources/"; an image resource can be present but
// unreadable. Records "bundle.infoValue(KEY)",
// "bundle.urlForResource(NAME.EXT)" and "bundle.imageWithContentsOfFile(PATH)".
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "FakeImage.h"
#include "platform/ResourceBundle.h"

class FakeResourceBundle : public ResourceBundle {
 public:
  std::optional<InfoValue> infoValue(const std::string& key) const override;
  std::optional<std::string> urlForResource(const std::string& name,
                                            const std::string& extension) const override;
  std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path) const override;

  /// Ships "NAME.png" as a readable image.
  void addImage(const std::string& name);
  /// Ships "NAME.png", but its contents are not an image.
  void addUnreadableImage(const std::string& name);

  std::map<std::string, InfoValue> info;
  /// "NAME.EXT" to path.
  std::map<std::string, std::string> resources;
  /// Paths whose contents decode as images.
  std::set<std::string> readableImages;
  /// Every image handed out, in order.
  mutable std::vector<std::shared_ptr<FakeImage>> images;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
