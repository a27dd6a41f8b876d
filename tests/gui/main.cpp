// The UI tests run the app in process, offscreen.

#include <gtest/gtest.h>

#include <QtQml/qqmlextensionplugin.h>
#include <QGuiApplication>
#include <QQuickStyle>

Q_IMPORT_QML_PLUGIN(TockaryPlugin)

int main(int argc, char** argv) {
  // Also when CTest lists the tests, before any environment of the test is set.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
  qputenv("TZ", "UTC");
  QGuiApplication application(argc, argv);
  QQuickStyle::setStyle("Basic");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
