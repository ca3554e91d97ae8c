// xdg-desktop-portal's RemoteDesktop interface: version 1 (Debian 12) asks
// the user at every session; version 2 can keep the consent.
#include "platform/linux/wayland/DBusRemoteDesktopPortal.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QList>
#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.RemoteDesktop");

QDBusMessage portalCall(const QString& method) {
  return QDBusMessage::createMethodCall(service, path, interface, method);
}

QVariant objectPath(const std::string& session) {
  return QVariant::fromValue(QDBusObjectPath(QString::fromStdString(session)));
}

}  // namespace

DBusRemoteDesktopPortal::DBusRemoteDesktopPortal()
    : bus_(QDBusConnection::sessionBus()), requests_(bus_) {
  // Any session's Closed; onClosed tells ours apart.
  bus_.connect(service, QString(), QStringLiteral("org.freedesktop.portal.Session"),
               QStringLiteral("Closed"), this, SLOT(onClosed(QDBusMessage)));
}

void DBusRemoteDesktopPortal::queryVersion(
    std::function<void(std::optional<std::uint32_t>)> answer) {
  DBusPortalRequests::queryVersion(bus_, this, interface, std::move(answer));
}

void DBusRemoteDesktopPortal::createSession(Answer answer) {
  request(portalCall(QStringLiteral("CreateSession")),
          {{QStringLiteral("session_handle_token"), QStringLiteral("pellimore_clip")}},
          std::move(answer));
}

void DBusRemoteDesktopPortal::selectDevices(const std::string& session, bool persist,
                                            const std::string& restoreToken, Answer answer) {
  QVariantMap options{{QStringLiteral("types"), RemoteDesktopPortal::keyboardDevice}};
  if (persist) {
    options.insert(QStringLiteral("persist_mode"), std::uint32_t{2});  // until revoked
  }
  if (!restoreToken.empty()) {
    options.insert(QStringLiteral("restore_token"), QString::fromStdString(restoreToken));
  }
  QDBusMessage call = portalCall(QStringLiteral("SelectDevices"));
  call << objectPath(session);
  request(call, options, std::move(answer));
}

void DBusRemoteDesktopPortal::start(const std::string& session, Answer answer) {
  QDBusMessage call = portalCall(QStringLiteral("Start"));
  // No parent window: ours is an X11 or Wayland window not exported to the
  // portal, and the dialog stands on its own.
  call << objectPath(session) << QString();
  request(call, {}, std::move(answer));
}

void DBusRemoteDesktopPortal::notifyKeyboardKeysym(const std::string& session, std::uint32_t keysym,
                                                   bool pressed) {
  QDBusMessage call = portalCall(QStringLiteral("NotifyKeyboardKeysym"));
  call << objectPath(session) << QVariantMap() << static_cast<int>(keysym)
       << static_cast<uint>(pressed ? 1 : 0);
  keys_.push_back(call);
  sendNextKey();
}

void DBusRemoteDesktopPortal::sendNextKey() {
  // The portal handles each call on a thread of its own, so calls sent
  // together may overtake each other: a key would go up before it went down,
  // or the V before the Ctrl. The portal answers once it has passed a key
  // on; only then does the next one go.
  if (keyOnItsWay_ || keys_.empty()) {
    return;
  }
  keyOnItsWay_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(keys_.front()), this);
  keys_.pop_front();
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    keyOnItsWay_ = false;
    sendNextKey();
  });
}

void DBusRemoteDesktopPortal::watchClosed(std::function<void(const std::string&)> closed) {
  closed_ = std::move(closed);
}

void DBusRemoteDesktopPortal::request(const QDBusMessage& call, const QVariantMap& options,
                                      Answer answer) {
  requests_.send(call, options,
                 [answer = std::move(answer)](std::uint32_t code, const QVariantMap& results,
                                              const QString& error) {
                   Response response;
                   response.code = code;
                   response.error = error.toStdString();
                   response.sessionHandle =
                       DBusPortalRequests::pathText(results.value(QStringLiteral("session_handle")))
                           .toStdString();
                   response.devices = results.value(QStringLiteral("devices")).toUInt();
                   response.restoreToken =
                       results.value(QStringLiteral("restore_token")).toString().toStdString();
                   answer(response);
                 });
}

void DBusRemoteDesktopPortal::onClosed(const QDBusMessage& message) {
  if (closed_) {
    closed_(message.path().toStdString());
  }
}
