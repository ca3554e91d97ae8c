// The Linux application's entry point: chooses the Wayland or the X11
// backend, builds the Qt application on the matching Qt platform, and runs
// the shared start-up.
//
// Options:
//   --menu-commands PATH  choose status-menu items by title from lines
//                         written to the named pipe PATH (created if
//                         missing), for desktops without a system tray and
//                         for the end-to-end tests;
//   --version             print the version and exit;
//   --help                print this and exit.
#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "app/AppMain.h"
#include "app/BrandConfig.h"
#include "app/DisplayBackendChoice.h"
#include "diagnostics/Log.h"
#include "platform/linux/LinuxAppPlatform.h"
#include "platform/linux/LinuxDisplaySession.h"
#include "platform/linux/MenuCommandChannel.h"
#include "platform/linux/ui/QtPanelFactory.h"
#include "platform/linux/ui/QtWindowFactory.h"

namespace {

constexpr const char* usage =
    "Usage: pellimore-clip [--menu-commands PATH] [--version]\n"
    "Keeps a history of the clipboard; Shift+Super+V opens it. Started again\n"
    "while it runs, it opens the running one's history and exits.\n"
    "  --menu-commands PATH  choose status-menu items by their title, one per line\n"
    "                        written to the named pipe PATH (created if missing)\n";

struct Options {
  std::optional<std::string> menuCommands;
  bool help = false;
  bool version = false;
  bool valid = true;
};

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      options.help = true;
    } else if (std::strcmp(argv[i], "--version") == 0) {
      options.version = true;
    } else if (std::strcmp(argv[i], "--menu-commands") == 0 && i + 1 < argc) {
      options.menuCommands = argv[++i];
    } else {
      options.valid = false;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);
  if (options.help || !options.valid) {
    (void)std::fputs(usage, options.valid ? stdout : stderr);
    return options.valid ? 0 : 2;
  }
  if (options.version) {
    (void)std::printf("pellimore-clip %.*s\n", static_cast<int>(BrandConfig::version.size()),
                      BrandConfig::version.data());
    return 0;
  }
  LinuxDisplaySession session;
  const DisplayBackendChoice choice = DisplayBackendChoice::choose(session);
  if (choice.backend == DisplayBackendChoice::Backend::wayland) {
    qputenv("QT_QPA_PLATFORM", QByteArray("wayland"));
  } else if (!choice.x11Available) {
    for (const std::string& line : choice.logLines) {
      Log::write(line);
    }
    (void)std::fputs(
        "pellimore-clip: no X display (DISPLAY is not set) and no Wayland compositor with a "
        "data-control protocol; start it inside a graphical session\n",
        stderr);
    return 1;
  } else {
    // Without data-control the hot key, the paste keystroke and the active
    // window are X11 services, so on a Wayland session Qt uses XWayland too.
    qputenv("QT_QPA_PLATFORM", QByteArray("xcb"));
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pellimore Clip"));
  QApplication::setDesktopFileName(QStringLiteral("pellimore-clip"));

  QtPanelFactory panelFactory;
  QtWindowFactory windowFactory;
  const std::string executable =
      QFileInfo(QApplication::applicationFilePath()).absoluteFilePath().toStdString();
  LinuxAppPlatform platform(panelFactory, windowFactory, executable, choice);

  std::unique_ptr<MenuCommandChannel> menuCommands;
  if (options.menuCommands) {
    menuCommands =
        std::make_unique<MenuCommandChannel>(platform.statusBar(), *options.menuCommands);
    if (!menuCommands->isOpen()) {
      (void)std::fprintf(stderr, "pellimore-clip: cannot open the menu-command pipe %s\n",
                         options.menuCommands->c_str());
      return 1;
    }
  }
  return runApp(platform);
}
