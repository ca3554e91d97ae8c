// The application object on macOS: the shared NSApplication, its delegate,
// activation policy and event loop.
#pragma once

#include <memory>

#include "platform/ApplicationHost.h"

class MacApplicationHost : public ApplicationHost {
 public:
  /// Touches nothing yet; the shared NSApplication is created on first use,
  /// so the crash recorder can be installed before it.
  MacApplicationHost();
  ~MacApplicationHost() override;
  MacApplicationHost(const MacApplicationHost&) = delete;
  MacApplicationHost& operator=(const MacApplicationHost&) = delete;

  /// Creates the shared NSApplication if it does not exist yet.
  void createApplication();

  void setDelegate(ApplicationDelegate* delegate) override;
  void setActivationPolicy(ActivationPolicy policy) override;
  /// Returns only if the loop stops without terminating the process.
  int run() override;

  /// The Objective-C side; defined in MacApplicationHost.mm.
  struct Native;

 private:
  std::unique_ptr<Native> native_;
};
