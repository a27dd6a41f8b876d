#pragma once

#include <QJSValue>
#include <QQmlProperty>

#include "gui/gui_test_support.h"
#include "store/screens.h"

namespace tockary::testing {

// Types into the focused item as the keyboard does, one key event per character (QTest only
// offers whole strings for widgets).
inline void typeText(QQuickWindow* window, const QString& text) {
  for (const QChar c : text) {
    const QString one(c);
    QTest::sendKeyEvent(QTest::KeyAction::Press, window, Qt::Key_unknown, one, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::KeyAction::Release, window, Qt::Key_unknown, one, Qt::NoModifier);
  }
  QCoreApplication::processEvents();
}

// The editor page driven as a user drives it: fields scrolled into view and tapped, wheels
// turned by their model.
class EditorGuiTest : public GuiTest {
 protected:
  // Opens the editor as the opener does: "" for a new watch, "Kello/12" to edit one.
  QQuickItem* openEditor(const std::string& objectId = {}) {
    QQuickItem* add = item("addButton");
    if (objectId.empty() && add != nullptr) {
      click(add);
    } else {
      app->presenter().push(ScreenRequest{std::string(kWatchEditorScreen), objectId, {}});
    }
    EXPECT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
    settle();
    return item("editorPage");
  }

  // Scrolls the form until the item is on screen.
  void showInForm(QQuickItem* target) { scrollIntoView("editorForm", target); }

  // Scrolls the Flickable (or list) named `flickable` until `target` is on screen.
  void scrollIntoView(const QString& flickable, QQuickItem* target) {
    ASSERT_NE(target, nullptr);
    QQuickItem* form = item(flickable);
    ASSERT_NE(form, nullptr);
    auto* content = form->property("contentItem").value<QQuickItem*>();
    const double top = target->mapToItem(content, QPointF(0, 0)).y();
    const double maxY = std::max(0.0, form->property("contentHeight").toDouble() - form->height());
    form->setProperty("contentY", std::clamp(top - form->height() / 3, 0.0, maxY));
    settle();
  }

  void tapField(const QString& outlet) {
    QQuickItem* field = item(outlet);
    ASSERT_NE(field, nullptr) << outlet.toStdString();
    showInForm(field);
    click(field);
  }

  QString fieldText(const QString& outlet) {
    QQuickItem* field = item(outlet);
    return field != nullptr ? field->property("text").toString() : QString("<missing>");
  }

  // Turns a wheel to `row` as a drag would.
  void turn(const QString& wheel, int row) {
    QQuickItem* column = item(wheel);
    ASSERT_NE(column, nullptr) << wheel.toStdString();
    column->setProperty("currentIndex", row);
    settle(400);  // the wheel's own turning animation, for the screenshots
  }

  // Drags a wheel up by about `rows` rows with the mouse, as a thumb turns it forward.
  void dragWheel(const QString& wheel, int rows) {
    QQuickItem* column = item(wheel);
    ASSERT_NE(column, nullptr) << wheel.toStdString();
    const double rowHeight = column->height() / column->property("visibleItemCount").toInt();
    const QPoint start =
        column->mapToScene(QPointF(column->width() / 2, column->height() / 2)).toPoint();
    const QPoint end = start - QPoint(0, static_cast<int>(rows * rowHeight));
    QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, start);
    constexpr int kSteps = 20;
    for (int step = 1; step <= kSteps; ++step) {
      QTest::mouseMove(window(), start + (end - start) * step / kSteps, 16);
    }
    QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, end, 16);
    settle(1500);  // the wheel coasts and snaps to a row
  }

  // The rows a wheel column shows.
  QStringList wheelTitles(const QString& wheel) {
    QQuickItem* column = item(wheel);
    if (column == nullptr) return {"<none>"};
    QVariant model = column->property("model");
    if (model.canConvert<QJSValue>()) model = model.value<QJSValue>().toVariant();
    return model.toStringList();
  }

  int wheelRow(const QString& wheel) {
    QQuickItem* column = item(wheel);
    return column != nullptr ? column->property("currentIndex").toInt() : -1;
  }

  QString toolbarTitle() {
    QQuickItem* button = item("toolbarButton");
    return button != nullptr ? button->property("text").toString() : QString("<none>");
  }
};

}  // namespace tockary::testing
