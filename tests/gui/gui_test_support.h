#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gui_app.h"
#include "support/temp_dir.h"

namespace tockary::testing {

// The whole app on a fresh data dir, with helpers to find items, act on them and keep
// screenshots (under the build folder's screenshots/<Suite>.<Test>/) for a person to look at.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override { startApp(); }

  void startApp() {
    app = std::make_unique<gui::GuiApp>(dir.path() / "data", "en_US", appClock);
    ASSERT_TRUE(app->load());
    window()->resize(430, 932);
    settle();
  }

  // Quits and starts the app again on the same data, as a user reopening it.
  void restartApp() {
    app.reset();
    startApp();
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

  // The middle of the item, in window coordinates.
  QPoint centreOf(QQuickItem* target) {
    return target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
  }

  // A drag as a hand makes it: press at `from` (window coordinates), move by `distance` in small
  // steps with real time between them, hold still and let go, so that nothing flicks on.
  void drag(QPoint from, QPoint distance, int steps = 20) {
    QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= steps; ++step) moveMouse(from + distance * step / steps, kStepMs);
    moveMouse(from + distance, kHoldMs);
    QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, from + distance, kStepMs);
    settle();
  }

  // Drags from the middle of the item.
  void dragItem(QQuickItem* target, QPoint distance) {
    ASSERT_NE(target, nullptr);
    drag(centreOf(target), distance);
  }

  // A quick stroke let go while still moving: the view flicks on by itself.
  void flick(QPoint from, QPoint distance) {
    constexpr int kSteps = 6;
    QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= kSteps; ++step) moveMouse(from + distance * step / kSteps, 10);
    QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, from + distance, 10);
  }

  // Drags a wheel column (a Tumbler) until `row` stands in its middle: measures its rows, drags
  // a few rows at a time the shorter way round, and looks again. False when it never got there.
  bool dragWheelTo(QQuickItem* column, int row) {
    if (column == nullptr) return false;
    const double rowHeight = column->height() / column->property("visibleItemCount").toInt();
    const int threshold = QGuiApplication::styleHints()->startDragDistance();
    // A wheel follows the pointer only along its visible rows: a longer pull is lost.
    constexpr int kMostRowsPerDrag = 5;
    for (int attempt = 0; attempt < 40; ++attempt) {
      waitFor([&] { return !column->property("moving").toBool(); });
      const int count = column->property("count").toInt();
      if (row < 0 || row >= count) return false;
      int rows = row - column->property("currentIndex").toInt();
      if (column->property("wrap").toBool()) {
        rows = (rows % count + count) % count;
        if (rows > count / 2) rows -= count;
      }
      if (rows == 0) return true;
      // Pulling up brings later rows to the middle. The pull starts on the column's far edge
      // and adds the distance a drag needs before it starts.
      const bool up = rows > 0;
      const QPoint from =
          column
              ->mapToScene(QPointF(column->width() / 2,
                                   up ? column->height() - rowHeight / 2 : rowHeight / 2))
              .toPoint();
      const int room = up ? from.y() - threshold : window()->height() - 1 - threshold - from.y();
      const int most = std::clamp(static_cast<int>(room / rowHeight), 1, kMostRowsPerDrag);
      const int pull =
          static_cast<int>(std::lround(std::min(std::abs(rows), most) * rowHeight)) + threshold;
      drag(from, QPoint(0, up ? -pull : pull));
    }
    return false;
  }

  // Turns the mouse wheel over the middle of the item, one event per notch: positive notches
  // towards the user (the content moves on to what is below), negative away. With Ctrl held
  // where `modifiers` say so.
  void scroll(QQuickItem* target, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_NE(target, nullptr);
    const QPointF at = centreOf(target);
    for (int notch = 0; notch < std::abs(notches); ++notch) {
      QWheelEvent event(at, window()->mapToGlobal(at), QPoint(),
                        QPoint(0, notches > 0 ? -kNotch : kNotch), Qt::NoButton, modifiers,
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(window(), &event);
      settle(kStepMs);
    }
    settle();
  }

  // A key pressed and released on whatever has the keyboard focus.
  void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window(), key, modifiers);
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
    settle();
    const QImage image = window()->grabWindow();
    EXPECT_FALSE(image.isNull());
    image.save(QString::fromStdString(screenshotFile(name).string()));
  }

  // Where the picture <name>.png of this test goes: a folder of the test's own, made on demand.
  static std::filesystem::path screenshotFile(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder =
        std::filesystem::path(TOCKARY_SCREENSHOT_DIR) /
        (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::create_directories(folder);
    return folder / (name + ".png");
  }

  // Makes the folder `name` in the test's folder and names it the user's XDG_`key`_DIR
  // ("DOCUMENTS") in config/user-dirs.dirs there, for a test that points XDG_CONFIG_HOME at it.
  std::filesystem::path userFolder(std::string_view key, std::string_view name) {
    const std::filesystem::path folder = dir.path() / name;
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(dir.path() / "config");
    writeFile(dir.path() / "config" / "user-dirs.dirs",
              "XDG_" + std::string(key) + "_DIR=\"" + folder.string() + "\"\n");
    return folder;
  }

  TempDir dir;
  // The app's clock when a test sets one before the app starts; the machine's otherwise.
  const Clock* appClock = nullptr;
  std::unique_ptr<gui::GuiApp> app;

 private:
  static constexpr int kStepMs = 16;   // between the moves of a drag, about a frame
  static constexpr int kHoldMs = 150;  // long enough still for a view to forget its speed
  static constexpr int kNotch = 120;   // one notch of a mouse wheel, in eighths of a degree

  // Moves the pressed mouse after `milliseconds` of real time, stamped as that much later.
  void moveMouse(QPoint to, int milliseconds) {
    settle(milliseconds);
    QTest::mouseMove(window(), to, milliseconds);
  }
};

}  // namespace tockary::testing
