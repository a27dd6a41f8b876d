// The desktop app `tockary-app`: builds the platform and the screen models, hands them to QML.

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QTimer>

#include <iostream>

#include "app_shell.h"
#include "gui_presenter.h"
#include "platform/data_directory.h"
#include "platform/format/formatters.h"
#include "platform/ui/diagnostics.h"
#include "settings_model.h"
#include "store/app_delegate.h"

using namespace tockary;
using namespace tockary::gui;

namespace {

// QML warnings (a missing property, a binding on undefined) fail the self-test.
int qmlWarnings = 0;
QtMessageHandler defaultHandler = nullptr;

void countWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg || type == QtCriticalMsg) {
    if (QString(context.file).endsWith(".qml") || message.contains(".qml")) ++qmlWarnings;
  }
  defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  defaultHandler = qInstallMessageHandler(countWarnings);
  QGuiApplication application(argc, argv);
  QGuiApplication::setApplicationName("Tockary");
  QQuickStyle::setStyle("Basic");

  QCommandLineParser parser;
  parser.setApplicationDescription("Tockary: your watch collection, its wear log and its figures.");
  parser.addHelpOption();
  QCommandLineOption dataDir("data-dir", "Where the collection lives.", "DIR");
  QCommandLineOption selfTest("self-test", "Load every screen and quit.");
  parser.addOption(dataDir);
  parser.addOption(selfTest);
  parser.process(application);

  const std::filesystem::path directory =
      parser.isSet(dataDir) ? std::filesystem::path(parser.value(dataDir).toStdString())
                            : defaultDataDirectory();
  ensurePrivateDirectory(directory);

  AppDelegate app(directory);
  auto defaults = SqliteUserDefaults::open(directory / "preferences.sqlite");
  if (!defaults) fatalStop(defaults.status());
  Formatters formatters;
  SystemClock clock;
  GuiPresenter presenter;
  AppServices services{app, *defaults.value(), formatters, clock, presenter};

  SettingsTableViewController settingsScreen(services.defaults);
  settingsScreen.viewDidLoad();

  AppShell shell(services);
  SettingsModel settings(settingsScreen);
  AppShell::setInstance(&shell);
  GuiPresenter::setInstance(&presenter);
  SettingsModel::setInstance(&settings);

  // The store opens with the first screen, as the app always has.
  (void)app.persistentContainer();

  QQmlApplicationEngine engine;
  QObject::connect(
      &engine, &QQmlApplicationEngine::objectCreationFailed, &application,
      [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
  engine.load(QUrl("qrc:/Tockary/qml/Main.qml"));
  if (engine.rootObjects().isEmpty()) return 1;

  if (parser.isSet(selfTest)) {
    QTimer::singleShot(0, &application, [&] {
      QMetaObject::invokeMethod(engine.rootObjects().first(), "visitEveryScreen");
      if (qmlWarnings > 0) {
        std::cout << "self-test: " << qmlWarnings << " QML warnings" << std::endl;
        QCoreApplication::exit(1);
        return;
      }
      std::cout << "self-test: every screen loaded" << std::endl;
      QCoreApplication::exit(0);
    });
  }
  const int status = QGuiApplication::exec();
  app.applicationWillTerminate();
  return status;
}
