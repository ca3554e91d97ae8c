// Recording status bar substitute.
#include "FakeStatusBar.h"

#include <string>

std::unique_ptr<StatusItem> FakeStatusBar::statusItemWithLength(double length) {
  record->add("statusBar.statusItemWithLength(" + std::to_string(static_cast<int>(length)) + ")");
  auto item = std::make_unique<FakeStatusItem>(itemsHaveButton, record);
  items.push_back(item.get());
  return item;
}

std::shared_ptr<Image> FakeStatusBar::imageWithSystemSymbolName(
    const std::string& name, const std::string& accessibilityDescription) {
  record->add("statusBar.imageWithSystemSymbolName(" + name + "," + accessibilityDescription + ")");
  if (systemSymbols.count(name) == 0) {
    return nullptr;
  }
  auto image = std::make_shared<FakeImage>("symbol:" + name, record);
  image->accessibilityDescription = accessibilityDescription;
  return image;
}
