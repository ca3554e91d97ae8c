// The portal's Request objects: named in advance from our unique name and a
// token, so we listen before calling; older portals name them themselves.
#include "platform/linux/wayland/DBusPortalRequests.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QList>
#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

}  // namespace

void DBusPortalRequests::queryVersion(QDBusConnection& bus, QObject* context,
                                      const QString& interface,
                                      std::function<void(std::optional<std::uint32_t>)> answer) {
  QDBusMessage get = QDBusMessage::createMethodCall(
      service, QStringLiteral("/org/freedesktop/portal/desktop"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << interface << QStringLiteral("version");
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(get), context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [answer = std::move(answer)](QDBusPendingCallWatcher* call) {
                     call->deleteLater();
                     const QDBusPendingReply<QDBusVariant> reply = *call;
                     if (reply.isError()) {
                       answer(std::nullopt);
                       return;
                     }
                     answer(reply.value().variant().toUInt());
                   });
}

QString DBusPortalRequests::pathText(const QVariant& value) {
  return value.metaType() == QMetaType::fromType<QDBusObjectPath>()
             ? value.value<QDBusObjectPath>().path()
             : value.toString();
}

void DBusPortalRequests::send(QDBusMessage call, QVariantMap options, Reply reply) {
  const QString token = QStringLiteral("pellimore_clip_%1").arg(++tokens_);
  options.insert(QStringLiteral("handle_token"), token);
  call << options;
  const QString sender = bus_.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
  const QString expected = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender +
                           QLatin1Char('/') + token;
  pending_[expected] = std::move(reply);
  listen(expected);
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, expected](QDBusPendingCallWatcher* answer) {
            answer->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> handle = *answer;
            if (pending_.count(expected) == 0) {
              return;  // answered before the reply came
            }
            if (handle.isError()) {
              take(expected)(
                  2, {}, handle.error().name() + QStringLiteral(": ") + handle.error().message());
              return;
            }
            const QString actual = handle.value().path();
            if (actual != expected) {
              Reply waiting = take(expected);
              pending_[actual] = std::move(waiting);
              listen(actual);
            }
          });
}

DBusPortalRequests::Reply DBusPortalRequests::take(const QString& requestPath) {
  const auto found = pending_.find(requestPath);
  Reply reply = std::move(found->second);
  pending_.erase(found);
  stopListening(requestPath);
  return reply;
}

void DBusPortalRequests::listen(const QString& requestPath) {
  bus_.connect(service, requestPath, requestInterface, QStringLiteral("Response"), this,
               SLOT(onResponse(QDBusMessage)));
}

void DBusPortalRequests::stopListening(const QString& requestPath) {
  bus_.disconnect(service, requestPath, requestInterface, QStringLiteral("Response"), this,
                  SLOT(onResponse(QDBusMessage)));
}

void DBusPortalRequests::onResponse(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (pending_.count(message.path()) == 0 || arguments.size() < 2) {
    return;
  }
  take(message.path())(arguments[0].toUInt(), qdbus_cast<QVariantMap>(arguments[1]), {});
}
