// Calls to xdg-desktop-portal methods that answer with a Request object: the
// outcome arrives later as that object's one Response signal, through Qt's
// event loop on the main thread. A call that fails on the bus answers too.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

class DBusPortalRequests : public QObject {
  Q_OBJECT

 public:
  /// The Response's code and results, or the bus's error (then code 2).
  using Reply =
      std::function<void(std::uint32_t code, const QVariantMap& results, const QString& error)>;

  explicit DBusPortalRequests(QDBusConnection bus) : bus_(std::move(bus)) {}

  /// The version property of the portal's `interface`, or nothing when the
  /// portal lacks it; answered on `context`'s thread, never after it is gone.
  static void queryVersion(QDBusConnection& bus, QObject* context, const QString& interface,
                           std::function<void(std::optional<std::uint32_t>)> answer);

  /// The text of a session handle or other path in results and signals,
  /// which portals give as an object path or a string by their version.
  static QString pathText(const QVariant& value);

  /// Sends `call` with `options`, which gain a fresh handle token, as its
  /// last argument, and hands its Request's Response to `reply`.
  void send(QDBusMessage call, QVariantMap options, Reply reply);

 private slots:
  void onResponse(const QDBusMessage& message);

  // NOLINTNEXTLINE(readability-redundant-access-specifiers): ends moc's slots
 private:
  void listen(const QString& requestPath);
  void stopListening(const QString& requestPath);
  /// Takes the reply waiting at `requestPath` out of the pending ones.
  Reply take(const QString& requestPath);

  QDBusConnection bus_;
  int tokens_ = 0;
  /// The unanswered requests by their Request object's path.
  std::map<QString, Reply> pending_;
};
