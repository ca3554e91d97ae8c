// A FIFO opened for reading and writing, so it never reports end of file
// when a writer goes away.
#include "platform/linux/MenuCommandChannel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include "platform/linux/qt/QtStatusBar.h"

MenuCommandChannel::MenuCommandChannel(QtStatusBar& statusBar, std::string path)
    : statusBar_(statusBar), path_(std::move(path)) {
  struct stat info {};
  if (stat(path_.c_str(), &info) != 0 && mkfifo(path_.c_str(), 0600) != 0) {
    return;
  }
  if (stat(path_.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode)) {
    return;
  }
  fd_ = open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) {
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readLines(); });
}

MenuCommandChannel::~MenuCommandChannel() {
  notifier_.reset();
  if (fd_ >= 0) {
    close(fd_);
  }
}

void MenuCommandChannel::readLines() {
  std::array<char, 4096> chunk{};
  for (;;) {
    const ssize_t count = read(fd_, chunk.data(), chunk.size());
    if (count <= 0) {
      break;
    }
    buffer_.append(chunk.data(), static_cast<std::size_t>(count));
  }
  for (auto newline = buffer_.find('\n'); newline != std::string::npos;
       newline = buffer_.find('\n')) {
    const std::string title = buffer_.substr(0, newline);
    buffer_.erase(0, newline + 1);
    if (!statusBar_.triggerMenuItem(title)) {
      // Best effort: nothing to do if stderr is gone.
      (void)std::fprintf(stderr, "pellimore-clip: no menu item \"%s\"\n", title.c_str());
    }
  }
}
