// The About window's lifecycle.
#include "app/AboutWindowController.h"

#include <string>

#include "app/AboutMetrics.h"
#include "app/Brand.h"
#include "platform/Application.h"
#include "platform/WindowFactory.h"

static_assert(AboutMetrics::windowStyleMask ==
              (WindowConfig::titled | WindowConfig::closable | WindowConfig::fullSizeContentView));

AboutWindowController::AboutWindowController(WindowFactory& windowFactory, Application& application,
                                             const ResourceBundle& bundle, Workspace& workspace)
    : windowFactory_(windowFactory),
      application_(application),
      view_(bundle, workspace),
      previousApp_(workspace, application) {}

WindowConfig AboutWindowController::windowConfig() {
  WindowConfig config;
  config.contentRect = Rect2D{Point2D{0, 0}, AboutMetrics::windowSize};
  config.styleMask = AboutMetrics::windowStyleMask;
  config.backing = 2;
  config.defer = false;
  config.title = "About " + std::string(Brand::appName);
  config.titleVisibility = 1;
  config.titlebarAppearsTransparent = true;
  config.movableByWindowBackground = true;
  config.releasedWhenClosed = false;
  return config;
}

void AboutWindowController::show() {
  if (!window_) {
    window_ = windowFactory_.createWindow(windowConfig(), view_);
    if (window_) {
      window_->center();
      window_->setOnClose([this] { previousApp_.handBack(); });
    }
  }
  previousApp_.remember();
  application_.activateIgnoringOtherApps();
  if (window_) {
    window_->makeKeyAndOrderFront();
  }
}
