// The desktop portal's remote desktop over QtDBus on the session bus. Every
// call is asynchronous; answers and the Session's Closed signal arrive
// through Qt's event loop on the main thread.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <deque>

#include "platform/RemoteDesktopPortal.h"
#include "platform/linux/wayland/DBusPortalRequests.h"

class DBusRemoteDesktopPortal : public QObject, public RemoteDesktopPortal {
  Q_OBJECT

 public:
  DBusRemoteDesktopPortal();

  void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) override;
  void createSession(Answer answer) override;
  void selectDevices(const std::string& session, bool persist, const std::string& restoreToken,
                     Answer answer) override;
  void start(const std::string& session, Answer answer) override;
  void notifyKeyboardKeysym(const std::string& session, std::uint32_t keysym,
                            bool pressed) override;
  void watchClosed(std::function<void(const std::string& session)> closed) override;

 private slots:
  void onClosed(const QDBusMessage& message);

  // NOLINTNEXTLINE(readability-redundant-access-specifiers): ends moc's slots
 private:
  void request(const QDBusMessage& call, const QVariantMap& options, Answer answer);
  /// Sends the next waiting key unless one is on its way.
  void sendNextKey();

  QDBusConnection bus_;
  DBusPortalRequests requests_;
  std::function<void(const std::string&)> closed_;
  /// Keys not yet sent, in order.
  std::deque<QDBusMessage> keys_;
  bool keyOnItsWay_ = false;
};
