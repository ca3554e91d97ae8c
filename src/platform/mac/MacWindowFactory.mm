// MacWindow instances for the About controller.
#include "platform/mac/MacWindowFactory.h"

#include "platform/mac/MacWindow.h"

std::unique_ptr<Window> MacWindowFactory::createWindow(const WindowConfig& config,
                                                       AboutView& rootView) {
  return std::make_unique<MacWindow>(config, rootView);
}
