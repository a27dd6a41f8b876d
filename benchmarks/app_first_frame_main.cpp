// tockary_app_first_frame DIR: starts the desktop app on DIR (offscreen unless a platform is
// set), prints the milliseconds from the start of main() to the first frame the window shows and
// the process's peak resident memory so far, and quits.

#include <sys/resource.h>

#include <QtQml/qqmlextensionplugin.h>
#include <QGuiApplication>
#include <QQuickStyle>
#include <QQuickWindow>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "gui_app.h"
#include "platform/ui/diagnostics.h"

Q_IMPORT_QML_PLUGIN(TockaryPlugin)

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  if (argc != 2) {
    std::cerr << "usage: tockary_app_first_frame DIR\n"
                 "  QT_QPA_PLATFORM=offscreen tockary_app_first_frame /tmp/bench\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QQuickStyle::setStyle("Basic");
  tockary::setDiagnosticSink({});

  tockary::gui::GuiApp app{std::filesystem::path(argv[1])};
  if (!app.load()) return 1;
  QObject::connect(
      app.window(), &QQuickWindow::frameSwapped, &application,
      [start] {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::cout << "first frame: " << static_cast<double>(elapsed.count()) / 1000.0
                  << " ms, peak memory: " << usage.ru_maxrss / 1024 << " MiB" << std::endl;
        QCoreApplication::exit(0);
      },
      Qt::SingleShotConnection);
  return QGuiApplication::exec();
}
