// The floating popup: shows the history under the pointer, hides it again,
// and runs the paste flow when the user picks an entry: write it back, tell
// the monitor to skip that write, hide, reactivate the application that was
// in front, and 0.22 s later post Command-V (or the paste key of the
// terminal in front) if Accessibility allows it.
#pragma once

#include <memory>
#include <string>

#include "platform/PanelDelegate.h"
#include "popup/PreviousApplication.h"

class Accessibility;
class Application;
class ClipboardMonitor;
class ClipboardStore;
class HistoryView;
class KeyEventPoster;
class KeyboardLayout;
class MainLoop;
class Panel;
class PanelFactory;
class Pasteboard;
class Screens;
class Workspace;
struct ClipboardItem;
struct DesktopConventions;

class PopupController : public PanelDelegate, public std::enable_shared_from_this<PopupController> {
 public:
  /// Between reactivating the previous application and posting the keystroke.
  static constexpr double pasteDelay = 0.22;
  /// Between putting the entry in the PRIMARY selection and the keystroke
  /// that pastes it: the selection reaches the terminal through its own
  /// round trips (the X server's, or the compositor's and XWayland's).
  static constexpr double primarySelectionDelay = 0.1;

  /// Builds nothing yet. Must be owned by a shared_ptr: the view's callbacks
  /// hold the controller weakly. Every argument is owned by the application
  /// and must outlive the controller; the delayed keystroke still uses the
  /// workspace, the key event poster and the layout after the controller may
  /// be gone, as do the pasteboard, whose text goes to the PRIMARY
  /// selection for terminals that paste that, and the main loop, which
  /// times the key after it. The conventions give the log
  /// lines their words and are copied.
  PopupController(ClipboardStore& store, ClipboardMonitor& monitor, Workspace& workspace,
                  Application& application, Screens& screens, PanelFactory& panelFactory,
                  Accessibility& accessibility, MainLoop& mainLoop, KeyEventPoster& keyEventPoster,
                  KeyboardLayout& keyboardLayout, Pasteboard& pasteboard,
                  const DesktopConventions& conventions);
  ~PopupController() override;
  PopupController(const PopupController&) = delete;
  PopupController& operator=(const PopupController&) = delete;

  /// Polls the pasteboard once, so the newest copy is listed; remembers the
  /// frontmost application, builds the panel on first use, places it at the
  /// pointer and brings it to the front with keyboard focus, activating this
  /// application only while VoiceOver runs.
  void show();
  /// Orders the panel out. The remembered application is kept and not
  /// reactivated.
  void hide();
  /// Dismisses a visible panel, otherwise shows it.
  void toggle();
  /// Builds and prepares the panel ahead of its first showing, hidden and
  /// without focus, then reads the history's texts for search a bounded
  /// piece per turn of the main loop; so neither the first popup nor the first search
  /// waits for that work. Meant for an idle moment after launch, once.
  void prepare();

  /// Losing focus (a click elsewhere) hides the popup without pasting.
  void windowDidResignKey() override;

 private:
  void buildPanel();
  /// Reads one more text for search on a later turn, and so on until all are.
  void readAheadForSearch();
  void placePanel();
  void paste(const ClipboardItem& item);
  /// Hides the panel and gives the focus back to the remembered application.
  void dismiss();

  ClipboardStore& store_;
  ClipboardMonitor& monitor_;
  Workspace& workspace_;
  Application& application_;
  Screens& screens_;
  PanelFactory& panelFactory_;
  Accessibility& accessibility_;
  MainLoop& mainLoop_;
  KeyEventPoster& keyEventPoster_;
  KeyboardLayout& keyboardLayout_;
  Pasteboard& pasteboard_;
  std::string pasteKeyText_;
  std::string pasteBlockedReason_;

  // The view is declared before the panel that hosts it, so it outlives it.
  std::unique_ptr<HistoryView> view_;
  std::unique_ptr<Panel> panel_;
  PreviousApplication previousApp_;
};
