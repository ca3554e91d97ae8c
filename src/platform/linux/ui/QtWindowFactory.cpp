// Qt windows for the About content.
#include "platform/linux/ui/QtWindowFactory.h"

#include "platform/linux/ui/QtWindow.h"

std::unique_ptr<Window> QtWindowFactory::createWindow(const WindowConfig& config,
                                                      AboutView& rootView) {
  return std::make_unique<QtWindow>(config, rootView);
}
