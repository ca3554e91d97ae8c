// Tray items and their symbol images.
#include "platform/linux/qt/QtStatusBar.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/linux/qt/QtStatusItem.h"
#include "platform/linux/ui/QtImage.h"

namespace {

// Hands out the item while keeping a weak reference: the core owns the item
// through a unique_ptr, the bar only needs to reach it while it lives.
class OwnedStatusItem : public StatusItem {
 public:
  explicit OwnedStatusItem(std::shared_ptr<QtStatusItem> item) : item_(std::move(item)) {}
  bool hasButton() const override { return item_->hasButton(); }
  void setButtonImage(std::shared_ptr<Image> image) override {
    item_->setButtonImage(std::move(image));
  }
  void setMenu(const MenuDescription& menu) override { item_->setMenu(menu); }
  void setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) override {
    item_->setMenuItemState(itemIndex, state);
  }

 private:
  std::shared_ptr<QtStatusItem> item_;
};

QImage renderSvg(const QString& path, int size) {
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) {
    return {};
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

std::unique_ptr<StatusItem> QtStatusBar::statusItemWithLength(double /*length*/) {
  auto item = std::make_shared<QtStatusItem>();
  newest_ = item;
  return std::make_unique<OwnedStatusItem>(std::move(item));
}

std::shared_ptr<Image> QtStatusBar::imageWithSystemSymbolName(
    const std::string& name, const std::string& /*accessibilityDescription*/) {
  const QString path = QStringLiteral(":/symbols/") + QString::fromStdString(name) + ".svg";
  if (!QFile::exists(path)) {
    return nullptr;
  }
  // Twice the tray's usual 16 pixels, for dense screens.
  constexpr int pixels = 32;
  QImage image = renderSvg(path, pixels);
  if (image.isNull()) {
    return nullptr;
  }
  auto result = std::make_shared<QtImage>(image);
  // Symbols are single-colour shapes, tinted like template images.
  result->setTemplate(true);
  return result;
}

bool QtStatusBar::triggerMenuItem(const std::string& title) {
  std::shared_ptr<QtStatusItem> item = newest_.lock();
  return item != nullptr && item->triggerItem(title);
}
