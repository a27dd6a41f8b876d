#include "platform/notifications/freedesktop_notification_poster.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <atomic>

namespace tockary {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

std::string oneLine(QString text) {
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return text.trimmed().toStdString();
}

// Nobody took the call, as opposed to a service that answered with a refusal.
bool unanswered(const QDBusError& error) {
  switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
      return true;
    default:
      return error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
  }
}

std::string reason(const QDBusError& error) {
  if (!error.isValid()) return "not connected";
  return oneLine(error.message().isEmpty() ? error.name() : error.message());
}

Status failure(const QDBusError& error) {
  const std::string why = reason(error);
  if (unanswered(error)) {
    return Status::error("No notification service answers on the session bus: " + why);
  }
  return Status::error("The notification service refused the notification: " + why);
}

QString escapedMarkup(const QString& text) {
  QString escaped;
  escaped.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('&')) {
      escaped += QLatin1String("&amp;");
    } else if (c == QLatin1Char('<')) {
      escaped += QLatin1String("&lt;");
    } else if (c == QLatin1Char('>')) {
      escaped += QLatin1String("&gt;");
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// Asks the service whether it reads markup, then posts; the error of the call that failed, or
// none.
QDBusError postOn(QDBusConnection& bus, const NotificationContent& content, int timeout) {
  const QDBusMessage capabilities =
      bus.call(QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                              QStringLiteral("GetCapabilities")),
               QDBus::Block, timeout);
  bool bodyMarkup = false;
  if (capabilities.type() == QDBusMessage::ErrorMessage) {
    // A service that cannot list its capabilities gets plain text.
    if (const QDBusError error(capabilities); unanswered(error)) return error;
  } else {
    bodyMarkup =
        capabilities.arguments().value(0).toStringList().contains(QStringLiteral("body-markup"));
  }

  const NotificationText text = notificationText(content);
  const QString body = QString::fromStdString(text.body);
  QVariantMap hints;
  if (!content.defaultSound) hints.insert(QStringLiteral("suppress-sound"), true);
  QDBusMessage notify =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  notify << QString::fromUtf8(kNotificationApplicationName.data(),
                              static_cast<qsizetype>(kNotificationApplicationName.size()))
         << QVariant::fromValue(quint32{0}) << QString() << QString::fromStdString(text.summary)
         << (bodyMarkup ? escapedMarkup(body) : body) << QStringList() << hints
         << QVariant::fromValue(qint32{-1});
  const QDBusMessage reply = bus.call(notify, QDBus::Block, timeout);
  if (reply.type() == QDBusMessage::ErrorMessage) return QDBusError(reply);
  return {};
}

// The connection `name`, made when missing. The address is read here rather than by libdbus,
// which keeps the first one it saw for the life of the process; without one, libdbus knows where
// to look.
QDBusConnection sessionBus(const QString& name) {
  const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
  return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                           : QDBusConnection::connectToBus(address, name);
}

QString connectionName() {
  static std::atomic<int> posters{0};
  return QStringLiteral("tockary-notifications-%1").arg(++posters);
}

}  // namespace

FreedesktopNotificationPoster::FreedesktopNotificationPoster(std::chrono::milliseconds timeout)
    : connectionName_(connectionName().toStdString()), timeout_(timeout) {}

FreedesktopNotificationPoster::~FreedesktopNotificationPoster() {
  QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
}

Status FreedesktopNotificationPoster::post(const NotificationContent& content) {
  const QString name = QString::fromStdString(connectionName_);
  for (int attempt = 1;; ++attempt) {
    QDBusConnection bus = sessionBus(name);
    if (bus.isConnected()) {
      const QDBusError error = postOn(bus, content, static_cast<int>(timeout_.count()));
      if (!error.isValid()) return Status::ok();
      if (error.type() != QDBusError::Disconnected || attempt > 1) return failure(error);
    } else if (attempt > 1) {
      const QDBusError error = bus.lastError();
      QDBusConnection::disconnectFromBus(name);
      return Status::error("No session bus to show the notification on: " + reason(error));
    }
    // A connection kept from a bus that has gone away (its daemon restarted) is dropped, so
    // that the next try connects afresh.
    QDBusConnection::disconnectFromBus(name);
  }
}

}  // namespace tockary
