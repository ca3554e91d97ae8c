// The application object as the entry point drives it, over QApplication.
#pragma once

#include "platform/ApplicationHost.h"

class QtApplicationHost : public ApplicationHost {
 public:
  void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
  /// Accessory and prohibited keep the loop running with no window open;
  /// X11 has no Dock to hide from.
  void setActivationPolicy(ActivationPolicy policy) override;
  /// Tells the delegate that launching finished from the loop's first turn,
  /// then runs the loop until quit or SIGTERM, and tells the delegate before
  /// it returns.
  int run() override;

 private:
  ApplicationDelegate* delegate_ = nullptr;
};
