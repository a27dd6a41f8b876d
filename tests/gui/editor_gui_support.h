#pragma once

#include <QJSValue>
#include <QQmlProperty>

#include "editor_screen.h"
#include "gui/gui_test_support.h"
#include "store/records.h"

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

// The editor page driven as a user drives it: the form scrolled by hand, fields tapped, wheels
// dragged, scrolled and keyed.
class EditorGuiTest : public GuiTest {
 protected:
  // The app's editor of a form ("watch", "service"), to look at what the form holds.
  static gui::EditorScreen& editorOf(const QString& form) {
    return *gui::Editors::instance()->form(form);
  }
  static gui::EditorScreen& watchEditor() { return editorOf("watch"); }

  // Opens the editor for a new watch with the collection's + button.
  QQuickItem* openEditor() {
    click(item("addButton"));
    EXPECT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
    settle();
    return item("editorPage");
  }

  // Opens the editor for a stored watch as a user does: its row, then Edit on its detail page.
  QQuickItem* openEditor(const Kello& watch) {
    // The list shows what the store holds once it comes back into view.
    click(item("tab_settings"));
    click(item("tab_collection"));
    const QString row = "row_" + QString::number(watch.objectID().primaryKey);
    EXPECT_TRUE(waitFor([&] { return item(row) != nullptr; })) << row.toStdString();
    click(item(row));
    EXPECT_TRUE(waitFor([&] { return item("editButton") != nullptr; }));
    click(item("editButton"));
    EXPECT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
    settle();
    return item("editorPage");
  }

  // Scrolls the form by hand until the item is on screen.
  void showInForm(QQuickItem* target) { scrollIntoView("editorForm", target); }

  // Drags the Flickable (or list) named `flickable` until `target` is wholly in view. The drags
  // start in its left margin, where no control takes the press.
  void scrollIntoView(const QString& flickable, QQuickItem* target) {
    ASSERT_NE(target, nullptr);
    QQuickItem* view = item(flickable);
    ASSERT_NE(view, nullptr);
    for (int attempt = 0; attempt < 20; ++attempt) {
      const double top = target->mapToItem(view, QPointF(0, 0)).y();
      const double bottom = top + target->height();
      double off = 0;  // how far the content should move up
      if (top < 0) off = top - view->height() / 3;
      if (bottom > view->height()) off = bottom - view->height() * 2 / 3;
      if (off == 0) return;
      const double most = view->height() / 2;
      const QPoint from = view->mapToScene(QPointF(8, view->height() / 2)).toPoint();
      drag(from, QPoint(0, -static_cast<int>(std::clamp(off, -most, most))));
      waitFor([&] { return !view->property("moving").toBool(); });
    }
    ADD_FAILURE() << "could not scroll " << flickable.toStdString() << " to "
                  << target->objectName().toStdString();
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

  using GuiTest::dragWheelTo;
  // Drags a column of the shown wheel until the row titled `title` stands in its middle.
  void dragWheelTo(const QString& wheel, const QString& title) {
    const int row = static_cast<int>(wheelTitles(wheel).indexOf(title));
    ASSERT_GE(row, 0) << wheel.toStdString() << " has no row " << title.toStdString();
    ASSERT_TRUE(GuiTest::dragWheelTo(item(wheel), row))
        << wheel.toStdString() << " stands at " << wheelRow(wheel) << ", not " << row;
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

  // The title of the row in the wheel's middle.
  QString wheelShows(const QString& wheel) { return wheelTitles(wheel).value(wheelRow(wheel)); }

  bool hasKeys(const QString& wheel) {
    QQuickItem* column = item(wheel);
    return column != nullptr && column->hasActiveFocus();
  }

  QString toolbarTitle() {
    QQuickItem* button = item("toolbarButton");
    return button != nullptr ? button->property("text").toString() : QString("<none>");
  }

  // Confirms the shown wheel with its toolbar button.
  void confirmWheel() {
    QQuickItem* button = item("toolbarButton");
    ASSERT_NE(button, nullptr);
    click(button);
    EXPECT_EQ(item("wheelPanel"), nullptr);
  }

  // Saves the form and waits until the editor has closed.
  void saveForm() {
    click(item("saveButton"));
    EXPECT_TRUE(waitFor([&] { return item("editorPage") == nullptr; }));
  }
};

}  // namespace tockary::testing
