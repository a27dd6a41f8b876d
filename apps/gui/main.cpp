// The desktop app `tockary-app`.

#include <QtQml/qqmlextensionplugin.h>
#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>
#include <QQuickStyle>
#include <QTimer>

#include <iostream>

#include "gui_app.h"
#include "platform/data_directory.h"
#include "platform/ui/diagnostics.h"

Q_IMPORT_QML_PLUGIN(TockaryPlugin)

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
  QCommandLineOption locale("locale", "Locale for dates and amounts, such as en_US.", "L");
  QCommandLineOption selfTest("self-test", "Load every screen and quit.");
  QCommandLineOption verbose("verbose", "Show the app's diagnostic lines on standard error.");
  parser.addOptions({dataDir, locale, selfTest, verbose});
  parser.process(application);
  if (!parser.isSet(verbose)) setDiagnosticSink({});

  std::filesystem::path directory = defaultDataDirectory();
  if (parser.isSet(dataDir)) {
    auto given = dataDirectoryArgument(QFile::encodeName(parser.value(dataDir)).toStdString());
    if (!given) {
      std::cerr << "tockary-app: --data-dir " << given.status().description() << std::endl;
      return 2;
    }
    directory = std::move(given).value();
  }
  GuiApp app(directory, parser.value(locale).toStdString());
  if (!app.load()) return 1;

  if (parser.isSet(selfTest)) {
    QTimer::singleShot(0, &application, [&] {
      QMetaObject::invokeMethod(app.window(), "visitEveryScreen");
      QCoreApplication::processEvents();
      if (qmlWarnings > 0) {
        std::cout << "self-test: " << qmlWarnings << " QML warnings" << std::endl;
        QCoreApplication::exit(1);
        return;
      }
      std::cout << "self-test: every screen loaded" << std::endl;
      QCoreApplication::exit(0);
    });
  }
  return QGuiApplication::exec();
}
