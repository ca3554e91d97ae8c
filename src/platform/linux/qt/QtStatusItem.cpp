// Builds a QMenu from the menu description and routes chosen items to their
// targets.
#include "platform/linux/qt/QtStatusItem.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPixmap>
#include <functional>

#include "diagnostics/Log.h"
#include "platform/linux/ui/QtImage.h"
#include "platform/linux/x11/X11TrayWatcher.h"

namespace {

// The mark is light with a dark rim, so it reads on dark and light panels
// alike: Qt does not tell us the panel's colour.
const QColor markColor(0xf2, 0xf2, 0xf2);
const QColor rimColor(0x14, 0x14, 0x14);

}  // namespace

QtStatusItem::QtStatusItem() {
  tray_.setContextMenu(&menu_);
  QObject::connect(&menu_, &QMenu::aboutToShow, [this] {
    // A copy: the call may replace the description it came from.
    const std::function<void()> willOpen = description_.onWillOpen;
    if (willOpen) {
      willOpen();
    }
  });
  // A click on the icon opens the menu as a right click does, as on macOS.
  QObject::connect(&tray_, &QSystemTrayIcon::activated,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     if (reason == QSystemTrayIcon::Trigger) {
                       menu_.popup(QCursor::pos());
                     }
                   });
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    return;
  }
  // On Wayland Qt looks for a tray (a StatusNotifier watcher) once, here.
  if (QGuiApplication::platformName() == QLatin1String("wayland")) {
    Log::write("launch: no system tray; the icon shows once the app is started again beside one");
    return;
  }
  Log::write("launch: no system tray yet; the icon shows when one starts");
  trayWatcher_ = std::make_unique<X11TrayWatcher>();
  trayWatcher_->onTrayAppeared = [this] { trayAppeared(); };
}

void QtStatusItem::trayAppeared() {
  // Tells a missing icon apart from a tray that never came.
  Log::write("tray: a system tray started");
}

QtStatusItem::~QtStatusItem() {
  tray_.hide();
  tray_.setContextMenu(nullptr);
}

void QtStatusItem::setButtonImage(std::shared_ptr<Image> image) {
  image_ = std::move(image);
  auto* qtImage = dynamic_cast<QtImage*>(image_.get());
  if (qtImage == nullptr) {
    tray_.setIcon(QIcon());
    return;
  }
  const QImage pixels =
      qtImage->isTemplate() ? qtImage->outlined(markColor, rimColor) : qtImage->image();
  tray_.setIcon(QIcon(QPixmap::fromImage(pixels)));
  // Shown even without a tray: at login the panel often starts after us, and
  // Qt docks a shown icon into a tray that starts later.
  tray_.show();
}

void QtStatusItem::setMenu(const MenuDescription& menu) {
  menu_.clear();
  actions_.clear();
  description_ = menu;
  for (std::size_t index = 0; index < menu.items.size(); ++index) {
    const MenuItemDescription& item = menu.items[index];
    if (item.isSeparator) {
      actions_.push_back(menu_.addSeparator());
      continue;
    }
    QAction* action = menu_.addAction(QString::fromStdString(item.title));
    action->setEnabled(item.enabled);
    if (item.state == MenuItemDescription::State::on) {
      action->setCheckable(true);
      action->setChecked(true);
    }
    if (!item.keyEquivalent.empty()) {
      action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") +
                                       QString::fromStdString(item.keyEquivalent).toUpper()));
    }
    QObject::connect(action, &QAction::triggered, [this, index] { chosen(index); });
    actions_.push_back(action);
  }
}

void QtStatusItem::setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) {
  if (itemIndex >= actions_.size() || itemIndex >= description_.items.size()) {
    return;
  }
  description_.items[itemIndex].state = state;
  actions_[itemIndex]->setCheckable(true);
  actions_[itemIndex]->setChecked(state == MenuItemDescription::State::on);
}

void QtStatusItem::chosen(std::size_t index) {
  if (index >= description_.items.size()) {
    return;
  }
  const MenuItemDescription item = description_.items[index];
  // Qt flips a checkable item by itself; the target decides the state.
  if (actions_[index]->isCheckable()) {
    actions_[index]->setChecked(item.state == MenuItemDescription::State::on);
  }
  std::shared_ptr<MenuTarget> target = item.target.lock();
  if (target == nullptr || item.action == MenuAction::none) {
    return;
  }
  target->performMenuAction(item.action, index);
}

bool QtStatusItem::triggerItem(const std::string& title) {
  const QString wanted = QString::fromStdString(title);
  for (QAction* action : actions_) {
    if (!action->isSeparator() && action->isEnabled() && action->text() == wanted) {
      action->trigger();
      return true;
    }
  }
  return false;
}
