// Recording stand-ins for the popup's and the shell's seams, each writing its
// calls as its comment shows, and a fixture that builds them on one record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CallRecord.h"
#include "FakeClock.h"
#include "FakeImageConverter.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "FaultyFileSystem.h"
#include "ManualMainLoop.h"
#include "RecordingThreadPriority.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "app/AppEnvironment.h"
#include "app/Brand.h"
#include "platform/Accessibility.h"
#include "platform/AlertPresenter.h"
#include "platform/Application.h"
#include "platform/HotKeyRegistrar.h"
#include "platform/InstanceChannel.h"
#include "platform/KeyEventPoster.h"
#include "platform/KeyboardLayout.h"
#include "platform/LoginItem.h"
#include "platform/MenuTarget.h"
#include "platform/PanelDelegate.h"
#include "platform/PanelFactory.h"
#include "platform/ProcessActivity.h"
#include "platform/ResourceBundle.h"
#include "platform/Screens.h"
#include "platform/StatusBar.h"
#include "platform/SystemLog.h"
#include "platform/WindowFactory.h"
#include "platform/Workspace.h"

/// "0x" and `value` in hexadecimal, for codes that are read that way.
inline std::string hex(std::uint64_t value) {
  std::ostringstream text;
  text << "0x" << std::hex << value;
  return text.str();
}

/// "accessibility.isProcessTrusted", "accessibility.isProcessTrustedWithPrompt".
struct FakeAccessibility : Accessibility, Recorder {
  using Recorder::Recorder;
  bool isProcessTrusted() override { return noted("accessibility.isProcessTrusted", trusted); }
  bool isProcessTrustedWithPrompt() override {
    return noted("accessibility.isProcessTrustedWithPrompt", trusted);
  }
  bool hasPrompt() const override { return prompts; }
  bool trusted = false;
  bool prompts = true;
};

/// "alert.runModal(MESSAGE,INFORMATIVE)"; dismissed at once.
struct FakeAlertPresenter : AlertPresenter, Recorder {
  using Recorder::Recorder;
  void runModal(const std::string& message, const std::string& informative) override {
    record->add("alert.runModal", message, informative);
  }
};

/// "application.activateIgnoringOtherApps", "application.hide",
/// "application.unhideWithoutActivation", "application.terminate".
struct FakeApplication : Application, Recorder {
  using Recorder::Recorder;
  void activateIgnoringOtherApps() override {
    record->add("application.activateIgnoringOtherApps");
  }
  void hide() override { record->add("application.hide"); }
  void unhideWithoutActivation() override { record->add("application.unhideWithoutActivation"); }
  int processIdentifier() const override { return pid; }
  void terminate() override { record->add("application.terminate"); }
  int pid = 4242;
};

/// "activity.begin(REASON)", and "activity.end" when it is let go.
struct FakeProcessActivity : ProcessActivity, Recorder {
  struct FakeActivity : Activity, Recorder {
    using Recorder::Recorder;
    ~FakeActivity() override { record->add("activity.end"); }
  };
  using Recorder::Recorder;
  std::unique_ptr<Activity> begin(const std::string& reason) override {
    record->add("activity.begin", reason);
    return std::make_unique<FakeActivity>(record);
  }
};

/// "systemLog.write(MESSAGE)".
struct FakeSystemLog : SystemLog, Recorder {
  using Recorder::Recorder;
  void write(const std::string& message) override { record->add("systemLog.write", message); }
};

/// "instance.listen", "instance.requestOpen"; each fails with the error set.
struct FakeInstanceChannel : InstanceChannel, Recorder {
  using Recorder::Recorder;
  std::optional<std::string> listen(std::function<void()> onRequest) override {
    onOpenRequest = std::move(onRequest);
    return noted("instance.listen", listenError);
  }
  std::optional<std::string> requestOpen() override {
    return noted("instance.requestOpen", requestError);
  }
  std::optional<std::string> fallbackLocation() const override { return fallback; }
  /// What a later start reaches.
  std::function<void()> onOpenRequest;
  std::optional<std::string> fallback;
  std::optional<std::string> listenError;
  std::optional<std::string> requestError;
};

/// "loginItem.status", "loginItem.registerService", "loginItem.unregisterService",
/// "loginItem.openSystemSettingsLoginItems"; success moves the status as the
/// system does, a set error changes nothing.
struct FakeLoginItem : LoginItem, Recorder {
  using Recorder::Recorder;
  Status status() override { return noted("loginItem.status", currentStatus); }
  std::optional<std::string> registerService() override {
    currentStatus =
        registerError ? statusAfterFailedRegister.value_or(currentStatus) : statusAfterRegister;
    return noted("loginItem.registerService", registerError);
  }
  std::optional<std::string> unregisterService() override {
    currentStatus = unregisterError ? currentStatus : Status::notRegistered;
    return noted("loginItem.unregisterService", unregisterError);
  }
  void openSystemSettingsLoginItems() override {
    record->add("loginItem.openSystemSettingsLoginItems");
  }
  Status currentStatus = Status::notRegistered;
  /// What a successful registration leads to.
  Status statusAfterRegister = Status::enabled;
  std::optional<std::string> registerError;
  /// Where a failed registration leaves the status, when it moves it.
  std::optional<Status> statusAfterFailedRegister;
  std::optional<std::string> unregisterError;
};

/// An image named by its path, or "symbol:NAME" for a system symbol:
/// "image.setTemplate(NAME,1)", "image.setSize(NAME,W,H)".
struct FakeImage : Image, Recorder {
  FakeImage(std::string imageName, std::shared_ptr<CallRecord> shared)
      : Recorder(std::move(shared)), name(std::move(imageName)) {}
  void setTemplate(bool isTemplate) override { record->add("image.setTemplate", name, isTemplate); }
  void setSize(Size2D size) override {
    record->add("image.setSize", name, size.width, size.height);
  }
  const std::string name;
};

/// A bundle with the information values and PNG resources the test sets.
struct FakeResourceBundle : ResourceBundle, Recorder {
  using Recorder::Recorder;
  std::optional<InfoValue> infoValue(const std::string& key) const override {
    auto found = info.find(key);
    return found == info.end() ? std::nullopt : std::optional(found->second);
  }
  std::optional<std::string> urlForResource(const std::string& name,
                                            const std::string& extension) const override {
    const std::string path = "/bundle/Resources/" + name + "." + extension;
    return pngs.count(path) != 0 ? std::optional(path) : std::nullopt;
  }
  std::shared_ptr<Image> imageWithContentsOfFile(const std::string& path) const override {
    return pngs.count(path) != 0 && pngs.at(path) ? std::make_shared<FakeImage>(path, record)
                                                  : nullptr;
  }
  /// Ships "NAME.png"; not `readable` when its contents are not an image.
  void addImage(const std::string& name, bool readable = true) {
    pngs["/bundle/Resources/" + name + ".png"] = readable;
  }
  std::map<std::string, InfoValue> info;
  std::map<std::string, bool> pngs;
};

/// Another application: "app[NAME].activate" ("app[nil]" without a name).
struct FakeRunningApplication : RunningApplication, Recorder {
  FakeRunningApplication(std::optional<std::string> appName, std::optional<int> processID,
                         std::shared_ptr<CallRecord> shared)
      : Recorder(std::move(shared)), name(std::move(appName)), pid(processID) {}
  std::optional<std::string> localizedName() const override { return name; }
  std::optional<std::string> windowClass() const override { return className; }
  std::optional<int> processIdentifier() const override { return pid; }
  bool activate() override {
    record->add("app[" + name.value_or("nil") + "].activate");
    return !refusesActivation;
  }
  bool isActive() const override { return active; }
  /// The system refuses to bring it to the front.
  bool refusesActivation = false;
  bool active = false;
  std::optional<std::string> className;
  const std::optional<std::string> name;
  const std::optional<int> pid;
};

/// "workspace.frontmostApplication", "workspace.openURL(URL)".
struct FakeWorkspace : Workspace, Recorder {
  using Recorder::Recorder;
  std::shared_ptr<RunningApplication> frontmostApplication() override {
    return noted("workspace.frontmostApplication", frontmost);
  }
  std::shared_ptr<RunningApplication> lastActiveOtherApplication() override { return activeBefore; }
  bool isVoiceOverEnabled() override { return voiceOver; }
  bool openURL(const std::string& url) override {
    openedURLs.push_back(url);
    return noted("workspace.openURL(" + url + ")", true);
  }
  /// Makes a new application with `name` (and process `pid`) frontmost.
  void bringToFront(std::optional<std::string> name, std::optional<int> pid = std::nullopt) {
    frontmost = std::make_shared<FakeRunningApplication>(std::move(name), pid, record);
  }
  std::shared_ptr<FakeRunningApplication> frontmost;
  std::shared_ptr<RunningApplication> activeBefore;
  bool voiceOver = false;
  std::vector<std::string> openedURLs;
};

/// A 1440x900 screen without menu bar and Dock, the pointer in its middle.
struct FakeScreens : Screens {
  std::vector<Screen> screens() override { return screenList; }
  std::optional<Screen> mainScreen() override { return main; }
  Point2D mouseLocation() override { return mouse; }
  std::optional<Screen> main = Screen{{{0, 0}, {1440, 900}}, {{0, 70}, {1440, 805}}};
  std::vector<Screen> screenList{*main};
  Point2D mouse{720, 700};
};

/// "panel.setDelegate", "panel.setFrameOrigin(X,Y)", "panel.prepare",
/// "panel.makeKeyAndOrderFront", "panel.orderOut".
struct FakePanel : Panel, Recorder {
  FakePanel(const PanelConfig& config, HistoryView& view, std::shared_ptr<CallRecord> shared)
      : Recorder(std::move(shared)), rootView(view), frame_(config.contentRect) {}
  void setDelegate(PanelDelegate* newDelegate) override {
    delegate = noted("panel.setDelegate", newDelegate);
  }
  Rect2D frame() const override { return frame_; }
  void setFrameOrigin(Point2D origin) override {
    record->add("panel.setFrameOrigin", origin.x, origin.y);
    frame_.origin = origin;
  }
  void prepare() override { record->add("panel.prepare"); }
  void makeKeyAndOrderFront() override { visible_ = noted("panel.makeKeyAndOrderFront", true); }
  void orderOut() override {
    if (onOrderOut) {
      onOrderOut();
    }
    visible_ = noted("panel.orderOut", false);
  }
  bool isVisible() const override { return visible_; }

  HistoryView& rootView;
  /// Told when focus moves elsewhere.
  PanelDelegate* delegate = nullptr;
  /// Runs as orderOut starts, so a test can see the world as it was then.
  std::function<void()> onOrderOut;

 private:
  Rect2D frame_;
  bool visible_ = false;
};

/// "panelFactory.createPanel"; keeps every panel it built.
struct FakePanelFactory : PanelFactory, Recorder {
  using Recorder::Recorder;
  std::unique_ptr<Panel> createPanel(const PanelConfig& config, HistoryView& rootView) override {
    auto panel = std::make_unique<FakePanel>(config, rootView, record);
    panels.push_back(noted("panelFactory.createPanel", panel.get()));
    return panel;
  }
  /// Valid while their owner keeps them.
  std::vector<FakePanel*> panels;
};

/// "windowFactory.createWindow(TITLE)", "window.center", "window.makeKeyAndOrderFront";
/// `closeWindow` is the user closing the last window built.
struct FakeWindowFactory : WindowFactory, Recorder {
  struct FakeWindow : Window, Recorder {
    using Recorder::Recorder;
    void center() override { record->add("window.center"); }
    void makeKeyAndOrderFront() override { record->add("window.makeKeyAndOrderFront"); }
    void setOnClose(std::function<void()> onClose) override { closed = std::move(onClose); }
    std::function<void()> closed;
  };
  using Recorder::Recorder;
  std::unique_ptr<Window> createWindow(const WindowConfig& config, AboutView& /*view*/) override {
    record->add("windowFactory.createWindow", config.title);
    auto window = std::make_unique<FakeWindow>(record);
    last = window.get();
    return window;
  }
  void closeWindow() { last->closed(); }
  /// Valid while its owner keeps it.
  FakeWindow* last = nullptr;
};

/// "statusItem.setButtonImage(IMAGE)", "statusItem.setMenu",
/// "statusItem.setMenuItemState(INDEX,STATE)"; keeps the menu to choose from.
struct FakeStatusItem : StatusItem, Recorder {
  FakeStatusItem(bool button, std::shared_ptr<CallRecord> shared)
      : Recorder(std::move(shared)), hasButton_(button) {}
  bool hasButton() const override { return hasButton_; }
  void setButtonImage(std::shared_ptr<Image> image) override {
    record->add("statusItem.setButtonImage", dynamic_cast<FakeImage&>(*image).name);
  }
  void setMenu(const MenuDescription& newMenu) override {
    menu = noted("statusItem.setMenu", newMenu);
  }
  void setMenuItemState(std::size_t index, MenuItemDescription::State state) override {
    record->add("statusItem.setMenuItemState", index, static_cast<int>(state));
  }
  /// The user opens the menu.
  void open() { menu.onWillOpen(); }
  /// The user chooses item `index`; as in the backends, only a live target hears.
  void choose(std::size_t index) {
    if (auto target = menu.items.at(index).target.lock()) {
      target->performMenuAction(menu.items.at(index).action, index);
    }
  }
  MenuDescription menu;
  const bool hasButton_;
};

/// "statusBar.statusItemWithLength(LENGTH)", "statusBar.imageWithSystemSymbolName(NAME,
/// DESCRIPTION)"; every symbol exists, as image "symbol:NAME".
struct FakeStatusBar : StatusBar, Recorder {
  using Recorder::Recorder;
  std::unique_ptr<StatusItem> statusItemWithLength(double length) override {
    record->add("statusBar.statusItemWithLength", length);
    auto item = std::make_unique<FakeStatusItem>(itemsHaveButton, record);
    items.push_back(item.get());
    return item;
  }
  std::shared_ptr<Image> imageWithSystemSymbolName(const std::string& name,
                                                   const std::string& description) override {
    record->add("statusBar.imageWithSystemSymbolName", name, description);
    return std::make_shared<FakeImage>("symbol:" + name, record);
  }
  bool itemsHaveButton = true;
  /// Valid while their owner keeps them.
  std::vector<FakeStatusItem*> items;
};

/// Key events that go nowhere: "keys.createSource(STATE)",
/// "keys.createKeyboardEvent(KEY,down/up,source/nil)",
/// "keys.post(TAP,down/up,FLAGS)". Creation fails where the test says.
struct FakeKeyEventPoster : KeyEventPoster, Recorder {
  struct FakeEvent : Event {
    FakeEvent(const char* keyName, std::uint64_t startFlags) : name(keyName), flags(startFlags) {}
    void setFlags(std::uint64_t newFlags) override { flags = newFlags; }
    const char* name;
    std::uint64_t flags;
  };

  using Recorder::Recorder;
  std::unique_ptr<Source> createSource(std::int32_t state) override {
    record->add("keys.createSource", state);
    return failSource ? nullptr : std::make_unique<Source>();
  }
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t key,
                                             bool keyDown) override {
    const char* name = keyDown ? "down" : "up";
    record->add("keys.createKeyboardEvent", key, name, source != nullptr ? "source" : "nil");
    return failEvents ? nullptr : std::make_unique<FakeEvent>(name, heldModifierFlags);
  }
  void post(std::uint32_t tap, Event& event) override {
    auto& fake = static_cast<FakeEvent&>(event);
    record->add("keys.post", tap, fake.name, hex(fake.flags));
  }
  bool failSource = false;
  bool failEvents = false;
  /// The flags a new event starts with: the modifier keys held right now.
  std::uint64_t heldModifierFlags = 0;
};

/// The event manager for one handler and one key: "hotKeys.installEventHandler(TYPES,CLASS,KIND)",
/// "hotKeys.registerEventHotKey(KEY,MODIFIERS,SIGNATURE,ID,OPTIONS)",
/// "hotKeys.unregisterEventHotKey", "hotKeys.removeEventHandler".
struct FakeHotKeyRegistrar : HotKeyRegistrar, Recorder {
  using Recorder::Recorder;
  EventTargetRef applicationEventTarget() override { return this; }
  std::int32_t installEventHandler(EventTargetRef /*target*/, EventHandlerProc proc,
                                   std::uint32_t typeCount, const EventTypeSpec* types,
                                   void* userData, EventHandlerRef* outRef) override {
    record->add("hotKeys.installEventHandler", typeCount, hex(types[0].eventClass),
                types[0].eventKind);
    handler = proc;
    handlerData = userData;
    *outRef = &handler;
    return 0;
  }
  std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id,
                                   EventTargetRef /*target*/, std::uint32_t options,
                                   HotKeyRef* outRef) override {
    record->add("hotKeys.registerEventHotKey", keyCode, hex(modifiers), hex(id.signature), id.id,
                options);
    keyRegistered = registerStatus == 0;
    *outRef = keyRegistered ? this : nullptr;
    return registerStatus;
  }
  std::int32_t unregisterEventHotKey(HotKeyRef /*hotKey*/) override {
    if (onUnregister) {
      onUnregister();
    }
    keyRegistered = false;
    return noted("hotKeys.unregisterEventHotKey", 0);
  }
  std::int32_t removeEventHandler(EventHandlerRef /*handler*/) override {
    handler = nullptr;
    return noted("hotKeys.removeEventHandler", 0);
  }
  /// The user presses the key: the handler's status, or nothing when no
  /// handler and key are in place.
  std::optional<std::int32_t> press() {
    if (handler == nullptr || !keyRegistered) {
      return std::nullopt;
    }
    return handler(nullptr, nullptr, handlerData);
  }

  /// The status registerEventHotKey fails with, registering nothing.
  std::int32_t registerStatus = 0;
  /// Runs as unregisterEventHotKey starts, while the key still fires.
  std::function<void()> onUnregister;
  EventHandlerProc handler = nullptr;
  void* handlerData = nullptr;
  bool keyRegistered = false;
};

/// A layout whose "v" is on `keyV` (nowhere when empty); `select` is the user
/// picking another input source.
struct FakeKeyboardLayout : KeyboardLayout {
  std::optional<std::uint16_t> keyCodeForCharacter(char character) override {
    return character == 'v' ? keyV : std::nullopt;
  }
  std::unique_ptr<Observation> observeChanges(std::function<void()> onChange) override {
    changed = std::move(onChange);
    return std::make_unique<Observation>();
  }
  void select(std::optional<std::uint16_t> newKeyV) {
    keyV = newKeyV;
    changed();
  }
  std::optional<std::uint16_t> keyV = 9;
  std::function<void()> changed;
};

class ShellFixture : public ::testing::Test {
 public:
  ShellFixture() { files.setApplicationSupportDirectory(dir.path()); }

  AppEnvironment environment(
      const DesktopConventions& conventions = DesktopConventions::macOS(Brand::appName)) {
    return AppEnvironment{files,        clock,     pasteboard,    priority,  imageConverter,
                          rtfConverter, mainLoop,  activity,      workspace, application,
                          screens,      panels,    accessibility, keys,      hotKeys,
                          layout,       statusBar, bundle,        loginItem, alerts,
                          systemLog,    windows,   conventions};
  }

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
  ScopedTestLog log;
  TempDir dir;
  FaultyFileSystem files;
  FakeClock clock;
  FakePasteboard pasteboard;
  RecordingThreadPriority priority;
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop mainLoop;
  FakeProcessActivity activity{record};
  FakeWorkspace workspace{record};
  FakeApplication application{record};
  FakeScreens screens;
  FakePanelFactory panels{record};
  FakeAccessibility accessibility{record};
  FakeKeyEventPoster keys{record};
  FakeHotKeyRegistrar hotKeys{record};
  FakeKeyboardLayout layout;
  FakeStatusBar statusBar{record};
  FakeResourceBundle bundle{record};
  FakeLoginItem loginItem{record};
  FakeAlertPresenter alerts{record};
  FakeSystemLog systemLog{record};
  FakeWindowFactory windows{record};
  FakeInstanceChannel instances{record};
};
