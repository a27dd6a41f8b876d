// A stand-in for the desktop's notification service, for the tests: it owns
// org.freedesktop.Notifications on the session bus in DBUS_SESSION_BUS_ADDRESS, prints "ready"
// once it does, then one line per Notify call: the app name, summary, body and hint names,
// percent-encoded and separated by blanks. It ends when its standard input closes, so it never
// outlives the test that started it.
//
//   notification_service_recorder [--capabilities body,body-markup] [--refuse]

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

QByteArray encoded(const QString& text) { return text.toUtf8().toPercentEncoding(); }

class Recorder final : public QDBusVirtualObject {
 public:
  Recorder(QStringList capabilities, bool refuse)
      : capabilities_(std::move(capabilities)), refuse_(refuse) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QString member = message.member();
    if (member == QLatin1String("GetCapabilities")) {
      return connection.send(message.createReply(QVariant(capabilities_)));
    }
    if (member == QLatin1String("GetServerInformation")) {
      return connection.send(message.createReply(
          QVariantList{QStringLiteral("recorder"), QStringLiteral("tockary tests"),
                       QStringLiteral("1"), QStringLiteral("1.2")}));
    }
    if (member != QLatin1String("Notify")) return false;
    const QVariantList args = message.arguments();
    if (args.size() != 8 || message.signature() != QLatin1String("susssasa{sv}i")) {
      return connection.send(message.createErrorReply(
          QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), message.signature()));
    }
    const QVariantMap hints = qdbus_cast<QVariantMap>(args.at(6));
    std::printf("%s %s %s %s\n", encoded(args.at(0).toString()).constData(),
                encoded(args.at(3).toString()).constData(),
                encoded(args.at(4).toString()).constData(),
                encoded(hints.keys().join(QLatin1Char(','))).constData());
    std::fflush(stdout);
    if (refuse_) {
      return connection.send(
          message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Failed"),
                                   QStringLiteral("refused\nfor test")));
    }
    return connection.send(message.createReply(QVariant::fromValue(quint32(++posted_))));
  }

 private:
  QStringList capabilities_;
  bool refuse_;
  quint32 posted_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList capabilities{QStringLiteral("body")};
  bool refuse = false;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--capabilities") && i + 1 < args.size()) {
      capabilities = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
    } else if (args[i] == QLatin1String("--refuse")) {
      refuse = true;
    }
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  Recorder recorder(capabilities, refuse);
  if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &recorder) ||
      !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
    std::fprintf(stderr, "cannot serve: %s\n", qPrintable(bus.lastError().message()));
    return 1;
  }
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
    char buffer[256];
    if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
  });
  std::printf("ready\n");
  std::fflush(stdout);
  return app.exec();
}
