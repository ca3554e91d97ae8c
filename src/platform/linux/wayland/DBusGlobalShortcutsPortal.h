// The desktop portal's global shortcuts over QtDBus on the session bus. Every
// call is asynchronous; replies and the Request objects' Response signals
// arrive through Qt's event loop on the main thread.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include "platform/GlobalShortcutsPortal.h"
#include "platform/linux/wayland/DBusPortalRequests.h"

class DBusGlobalShortcutsPortal : public QObject, public GlobalShortcutsPortal {
  Q_OBJECT

 public:
  /// One entry of the portal's a(sa{sv}) shortcut lists.
  struct Entry {
    QString id;
    QVariantMap properties;
  };

  DBusGlobalShortcutsPortal();

  void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) override;
  void createSession(Answer answer) override;
  void bindShortcuts(const std::string& session, const Shortcut& shortcut, Answer answer) override;
  void watchActivations(
      std::function<void(const std::string& session, const std::string& id)> activated) override;

 private slots:
  void onActivated(const QDBusMessage& message);

  // NOLINTNEXTLINE(readability-redundant-access-specifiers): ends moc's slots
 private:
  /// Sends `call` with `options` and hands its Request's Response to
  /// `answer`.
  void request(const QDBusMessage& call, QVariantMap options, Answer answer);

  QDBusConnection bus_;
  DBusPortalRequests requests_;
  std::function<void(const std::string&, const std::string&)> activated_;
};
