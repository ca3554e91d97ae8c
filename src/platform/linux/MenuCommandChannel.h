// Chooses status-menu items by title from lines written to a named pipe.
// Desktops without a system tray (and the end-to-end tests under a bare X
// server) have no other way to reach the menu. Enabled only by the
// --menu-commands command-line option.
#pragma once

#include <QSocketNotifier>
#include <memory>
#include <string>

class QtStatusBar;

class MenuCommandChannel {
 public:
  /// Creates the FIFO at `path` (owner-only) unless a FIFO is there already.
  /// `statusBar` must outlive this object.
  MenuCommandChannel(QtStatusBar& statusBar, std::string path);
  ~MenuCommandChannel();
  MenuCommandChannel(const MenuCommandChannel&) = delete;
  MenuCommandChannel& operator=(const MenuCommandChannel&) = delete;

  /// False when the pipe could not be made or opened.
  bool isOpen() const { return fd_ >= 0; }

 private:
  void readLines();

  QtStatusBar& statusBar_;
  std::string path_;
  int fd_ = -1;
  std::string buffer_;
  std::unique_ptr<QSocketNotifier> notifier_;
};
