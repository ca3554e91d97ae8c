// The hot key through the desktop portal: each answer logged once as the way
// in use, and only our shortcut in our session, while registered, pressing.
#include "popup/PortalHotKeyRegistrar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ScopedTestLog.h"

using ::testing::ElementsAre;

namespace {

using Response = GlobalShortcutsPortal::Response;

/// Answers each call at once with what the test set.
struct FakePortal : GlobalShortcutsPortal {
  FakePortal(std::optional<std::uint32_t> offered, Response session, Response binding)
      : version(offered), created(std::move(session)), bound(std::move(binding)) {}
  void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) override {
    answer(version);
  }
  void createSession(Answer answer) override { answer(created); }
  void bindShortcuts(const std::string& /*session*/, const Shortcut& /*shortcut*/,
                     Answer answer) override {
    answer(bound);
  }
  void watchActivations(
      std::function<void(const std::string&, const std::string&)> watch) override {
    activate = std::move(watch);
  }
  std::optional<std::uint32_t> version;
  Response created, bound;
  std::function<void(const std::string&, const std::string&)> activate;
};

TEST(PortalHotKeyRegistrarTest, LogsTheWayInUseOnceAndPressesOnlyOurBoundShortcut) {
  const std::string fallBack =
      "hot key: left to the compositor's binding, which runs pellimore-clip to open the popup "
      "(the ";
  const Response ours{0, "", "/session/ours", {}}, noSession{0, "", "", {}};
  const Response failed{2, "org.freedesktop.DBus.Error.AccessDenied: no", "", {}};
  const Response declined{1, "", "", {}}, ended{2, "", "", {}};
  const Response bound{0, "", "", {{"other", ""}, {"open-history", "Shift+Meta+V"}}};
  const Response undescribed{0, "", "", {{"open-history", ""}}};
  const Response others{0, "", "", {{"other", "F1"}}};
  const struct {
    std::optional<std::uint32_t> version;
    Response created, bound;
    std::string logLine;
  } cases[] = {
      {std::nullopt, ours, bound, fallBack + "session bus offers no GlobalShortcuts portal)"},
      {1, failed, bound,
       fallBack + "GlobalShortcuts portal opened no session: " + failed.error + ")"},
      {1, noSession, bound, fallBack + "GlobalShortcuts portal opened no session: response 0)"},
      {1, ours, declined, fallBack + "user declined the shortcut in the GlobalShortcuts portal)"},
      {1, ours, ended, fallBack + "GlobalShortcuts portal bound no shortcut: response 2)"},
      {1, ours, others, fallBack + "GlobalShortcuts portal left open-history unbound)"},
      {1, ours, bound, "hot key: through the desktop portal's GlobalShortcuts, as Shift+Meta+V"},
      {2, ours, undescribed,
       "hot key: through the desktop portal's GlobalShortcuts, as SHIFT+LOGO+v"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.logLine);
    ScopedTestLog log;
    auto* portal = new FakePortal(test.version, test.created, test.bound);
    PortalHotKeyRegistrar registrar(std::unique_ptr<GlobalShortcutsPortal>(portal),
                                    PortalHotKeyRegistrar::openHistoryShortcut());
    int presses = 0;
    HotKeyRegistrar::EventHandlerRef handler = nullptr;
    HotKeyRegistrar::HotKeyRef hotKey = nullptr;
    const auto registerKey = [&] {
      const auto count = [](void*, void*, void* tally) { return ++*static_cast<int*>(tally); };
      registrar.installEventHandler(nullptr, count, 0, nullptr, &presses, &handler);
      registrar.registerEventHotKey(9, 0x300, {}, nullptr, 0, &hotKey);
    };
    const auto pressesAfter = [&](const std::string& session, const std::string& id) {
      portal->activate(session, id);
      return presses;
    };
    registerKey();
    // Again, as after a keyboard layout change: no second session or dialog.
    registerKey();
    EXPECT_THAT(log.messages(), ElementsAre(test.logLine));
    EXPECT_EQ(pressesAfter("/session/theirs", "open-history") + pressesAfter("/session/ours", "x"),
              0);
    // The portal presses the key exactly when the log says it is in use.
    const int expected = test.logLine.rfind("hot key: through", 0) == 0 ? 1 : 0;
    EXPECT_EQ(pressesAfter("/session/ours", "open-history"), expected);
    registrar.unregisterEventHotKey(hotKey);
    EXPECT_EQ(pressesAfter("/session/ours", "open-history"), expected);
    registerKey();
    registrar.removeEventHandler(handler);
    EXPECT_EQ(pressesAfter("/session/ours", "open-history"), expected);
  }
}

}  // namespace
