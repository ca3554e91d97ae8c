// xdg-desktop-portal's GlobalShortcuts interface, version 1 and later: its
// methods answer with the path of a Request object, which later sends one
// Response signal with the outcome.
#include "platform/linux/wayland/DBusGlobalShortcutsPortal.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QList>
#include <utility>

Q_DECLARE_METATYPE(DBusGlobalShortcutsPortal::Entry)

// At namespace scope, where QtDBus's marshalling templates find them.
static QDBusArgument& operator<<(QDBusArgument& argument,
                                 const DBusGlobalShortcutsPortal::Entry& entry) {
  argument.beginStructure();
  argument << entry.id << entry.properties;
  argument.endStructure();
  return argument;
}

static const QDBusArgument& operator>>(const QDBusArgument& argument,
                                       DBusGlobalShortcutsPortal::Entry& entry) {
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.endStructure();
  return argument;
}

namespace {

const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

QDBusMessage portalCall(const QString& method) {
  return QDBusMessage::createMethodCall(service, path, interface, method);
}

}  // namespace

DBusGlobalShortcutsPortal::DBusGlobalShortcutsPortal()
    : bus_(QDBusConnection::sessionBus()), requests_(bus_) {
  qDBusRegisterMetaType<Entry>();
  qDBusRegisterMetaType<QList<Entry>>();
  bus_.connect(service, path, interface, QStringLiteral("Activated"), this,
               SLOT(onActivated(QDBusMessage)));
}

void DBusGlobalShortcutsPortal::queryVersion(
    std::function<void(std::optional<std::uint32_t>)> answer) {
  // Portals since 1.19 let a program outside a sandbox name its desktop
  // entry, which the desktop then files the shortcut under; it must come
  // first. Older ones do not know the call, which changes nothing.
  QDBusMessage registry = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.host.portal.Registry"),
      QStringLiteral("Register"));
  registry << QStringLiteral("pellimore-clip") << QVariantMap();
  bus_.send(registry);

  DBusPortalRequests::queryVersion(bus_, this, interface, std::move(answer));
}

void DBusGlobalShortcutsPortal::createSession(Answer answer) {
  request(portalCall(QStringLiteral("CreateSession")),
          {{QStringLiteral("session_handle_token"), QStringLiteral("pellimore_clip")}},
          std::move(answer));
}

void DBusGlobalShortcutsPortal::bindShortcuts(const std::string& session, const Shortcut& shortcut,
                                              Answer answer) {
  const QList<Entry> shortcuts{
      {QString::fromStdString(shortcut.id),
       {{QStringLiteral("description"), QString::fromStdString(shortcut.description)},
        {QStringLiteral("preferred_trigger"), QString::fromStdString(shortcut.preferredTrigger)}}}};
  QDBusMessage call = portalCall(QStringLiteral("BindShortcuts"));
  // No parent window: a Wayland window would have to be exported first.
  call << QVariant::fromValue(QDBusObjectPath(QString::fromStdString(session)))
       << QVariant::fromValue(shortcuts) << QString();
  request(call, {}, std::move(answer));
}

void DBusGlobalShortcutsPortal::watchActivations(
    std::function<void(const std::string& session, const std::string& id)> activated) {
  activated_ = std::move(activated);
}

void DBusGlobalShortcutsPortal::request(const QDBusMessage& call, QVariantMap options,
                                        Answer answer) {
  requests_.send(
      call, std::move(options),
      [answer = std::move(answer)](std::uint32_t code, const QVariantMap& results,
                                   const QString& error) {
        Response response;
        response.code = code;
        response.error = error.toStdString();
        response.sessionHandle =
            DBusPortalRequests::pathText(results.value(QStringLiteral("session_handle")))
                .toStdString();
        const QVariant shortcuts = results.value(QStringLiteral("shortcuts"));
        if (shortcuts.canConvert<QDBusArgument>()) {
          for (const Entry& entry : qdbus_cast<QList<Entry>>(shortcuts.value<QDBusArgument>())) {
            response.boundShortcuts.emplace_back(
                entry.id.toStdString(),
                entry.properties.value(QStringLiteral("trigger_description"))
                    .toString()
                    .toStdString());
          }
        }
        answer(response);
      });
}

void DBusGlobalShortcutsPortal::onActivated(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (!activated_ || arguments.size() < 2) {
    return;
  }
  activated_(DBusPortalRequests::pathText(arguments[0]).toStdString(),
             arguments[1].toString().toStdString());
}
