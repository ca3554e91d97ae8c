// Recording window factory.
#include "FakeWindowFactory.h"

std::unique_ptr<Window> FakeWindowFactory::createWindow(const WindowConfig& config,
                                                        AboutView& rootView) {
  record->add("windowFactory.createWindow(" + config.title + ")");
  auto window = std::make_unique<FakeWindow>(config, rootView, record);
  windows.push_back(window.get());
  return window;
}
