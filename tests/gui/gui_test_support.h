#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "gui_app.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// The whole app on a fresh data dir, with helpers to find items, act on them and keep
// screenshots (under the build folder's screenshots/<Suite>.<Test>/) for a person to look at.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<gui::GuiApp>(dir.path() / "data", "en_US");
    ASSERT_TRUE(app->load());
    window()->resize(430, 932);
    settle();
  }

  void TearDown() override { app.reset(); }

  QQuickWindow* window() { return app->window(); }

  // The item with this objectName, anywhere in the window; null when there is none.
  QQuickItem* item(const QString& objectName) { return find(window()->contentItem(), objectName); }

  // Searches the visual tree, where views put their delegates.
  static QQuickItem* find(QQuickItem* root, const QString& objectName) {
    if (root == nullptr) return nullptr;
    if (root->objectName() == objectName && root->isVisible()) return root;
    for (QQuickItem* child : root->childItems()) {
      if (QQuickItem* found = find(child, objectName)) return found;
    }
    return nullptr;
  }

  // Lets bindings, transitions and queued calls run.
  void settle(int milliseconds = 50) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
  }

  bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > milliseconds) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
  }

  // A mouse click in the middle of the item.
  void click(QQuickItem* target) {
    ASSERT_NE(target, nullptr);
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, centre.toPoint());
    settle();
  }

  // Clicks the shown sheet's button of the action with this identity, once it is on screen.
  void pressAction(const std::string& identity) {
    const QString name = "sheetAction_" + QString::fromStdString(identity);
    QQuickItem* button = nullptr;
    waitFor([&] { return (button = item(name)) != nullptr; });
    ASSERT_NE(button, nullptr) << "no button " << name.toStdString();
    click(button);
  }

  // Saves what the window shows now as <name>.png.
  void screenshot(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        std::filesystem::path(TOCKARY_SCREENSHOT_DIR) /
        (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::create_directories(folder);
    settle();
    const QImage image = window()->grabWindow();
    EXPECT_FALSE(image.isNull());
    image.save(QString::fromStdString((folder / (name + ".png")).string()));
  }

  TempDir dir;
  std::unique_ptr<gui::GuiApp> app;
};

}  // namespace tockary::testing
