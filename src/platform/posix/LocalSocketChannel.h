// The instance channel over a Unix-domain stream socket, the same on Linux
// and macOS: connecting is the request, and the listener answers "ok" before
// it opens its popup, so a later start knows it was heard.
#pragma once

#include <memory>
#include <string>

#include "platform/InstanceChannel.h"
#include "platform/MainLoop.h"

class LocalSocketChannel : public InstanceChannel {
 public:
  /// How long a later start keeps trying: the running one may still be
  /// loading its history before it listens.
  static constexpr int answerTimeoutMs = 2000;

  /// `socketPath` should lie in a folder only this user can enter; the
  /// socket itself is made owner-only too. When that path is too long for a
  /// socket address and `fallbackFolder` (another such folder, with a short
  /// path) is given, the socket of the same name goes there instead.
  /// `mainLoop` must outlive this.
  LocalSocketChannel(MainLoop& mainLoop, std::string socketPath,
                     const std::string& fallbackFolder = {});
  ~LocalSocketChannel() override;
  LocalSocketChannel(const LocalSocketChannel&) = delete;
  LocalSocketChannel& operator=(const LocalSocketChannel&) = delete;

  /// Replaces whatever is at the path: only the holder of the instance lock
  /// listens, so a socket found there was left by a process that died.
  std::optional<std::string> listen(std::function<void()> onOpenRequest) override;
  std::optional<std::string> requestOpen() override;
  std::optional<std::string> fallbackLocation() const override;

 private:
  void acceptAll();

  MainLoop& mainLoop_;
  std::string path_;
  bool fellBack_ = false;
  int listener_ = -1;
  std::function<void()> onOpenRequest_;
  std::unique_ptr<MainLoop::Watch> watch_;
};
