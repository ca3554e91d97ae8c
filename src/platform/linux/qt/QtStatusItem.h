// A status item as a system-tray icon with its context menu. Where no tray
// exists yet the icon shows once one starts; until then the menu is still
// built and can be driven by title (see MenuCommandChannel).
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>
#include <string>
#include <vector>

#include "platform/StatusItem.h"

class QAction;
class X11TrayWatcher;

class QtStatusItem : public StatusItem {
 public:
  QtStatusItem();
  ~QtStatusItem() override;
  QtStatusItem(const QtStatusItem&) = delete;
  QtStatusItem& operator=(const QtStatusItem&) = delete;

  /// The tray icon always exists as an object; whether a tray shows it is
  /// the desktop's business.
  bool hasButton() const override { return true; }
  void setButtonImage(std::shared_ptr<Image> image) override;
  void setMenu(const MenuDescription& menu) override;
  void setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) override;

  /// Chooses the enabled item titled `title` as a click would; false when
  /// there is none.
  bool triggerItem(const std::string& title);

 private:
  void chosen(std::size_t index);
  void trayAppeared();

  QSystemTrayIcon tray_;
  /// Only while no tray was there at start.
  std::unique_ptr<X11TrayWatcher> trayWatcher_;
  QMenu menu_;
  std::shared_ptr<Image> image_;
  MenuDescription description_;
  std::vector<QAction*> actions_;
};
