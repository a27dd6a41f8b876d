#pragma once

#include <QBuffer>
#include <QImage>
#include <QQmlProperty>

#include <cmath>

#include <memory>
#include <string>

#include "gui/gui_test_support.h"
#include "store/records.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace tockary::testing {

// The collection and detail screens driven as a user does: watches put into the store, rows
// found by the watch's number, swipes made with the mouse.
class CollectionScreenTest : public GuiTest {
 protected:
  std::shared_ptr<Kello> addWatch(const std::string& brand, const std::string& model,
                                  const std::string& year) {
    auto watch = app->services().context().insertNewObject<Kello>();
    watch->setMerkki(brand);
    watch->setMalli(model);
    watch->setVuosimalli(year);
    watch->setMyyntiliike(std::string());
    EXPECT_TRUE(app->services().context().save().isOk());
    return watch;
  }

  // Leaves the collection for the settings tab and comes back, as a user would to see changes.
  void revisitCollection() {
    click(item("tab_settings"));
    click(item("tab_collection"));
  }

  // A picture as the editor stores them.
  static Bytes pngPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Bytes(encoded.begin(), encoded.end());
  }

  // What a screen reader says for the item.
  static QString accessibleName(QQuickItem* target) {
    if (target == nullptr) return "<no item>";
    for (QObject* child : target->children()) {
      if (QString(child->metaObject()->className()).startsWith("QQuickAccessibleAttached"))
        return child->property("name").toString();
    }
    return "<not accessible>";
  }

  // Drags the open detail page up, as a hand does, until the item shows whole above the page's
  // bottom edge.
  void dragDetailUntilShown(const QString& objectName) {
    QQuickItem* scroller = item("detailScroller");
    ASSERT_NE(scroller, nullptr);
    const double bottom = scroller->mapToScene(QPointF(0, scroller->height())).y();
    for (int drags = 0; drags < 10; ++drags) {
      QQuickItem* shown = item(objectName);
      ASSERT_NE(shown, nullptr);
      if (shown->mapToScene(QPointF(0, shown->height())).y() < bottom) return;
      drag(QPoint(window()->width() / 2, window()->height() - 150), QPoint(0, -500));
    }
  }

  QQuickItem* row(const Kello& watch) {
    return item("row_" + QString::number(watch.objectID().primaryKey));
  }

  // Drags the list up until the watch's row shows whole, as a user scrolls to a row before
  // tapping it.
  void scrollToRow(const Kello& watch) {
    QQuickItem* list = item("collectionList");
    ASSERT_NE(list, nullptr);
    auto shownWhole = [&] {
      QQuickItem* shown = row(watch);
      if (shown == nullptr) return false;
      const double top = shown->mapToItem(list, QPointF(0, 0)).y();
      return top >= 0 && top + shown->height() <= list->height();
    };
    for (int attempt = 0; attempt < 10 && !shownWhole(); ++attempt) {
      drag(centreOf(list), QPoint(0, -100));
      waitFor([&] { return !list->property("moving").toBool(); });
    }
    EXPECT_TRUE(shownWhole());
  }

  // The text shown by the element `name` of a row (or of any item).
  static QString textOf(QQuickItem* parent, const QString& name) {
    QQuickItem* found = find(parent, name);
    return found == nullptr ? QString("<none: %1>").arg(name) : found->property("text").toString();
  }

  // A horizontal drag across the item's middle, by `dx` points.
  void swipe(QQuickItem* target, int dx) {
    dragItem(target, QPoint(dx, 0));
    settle(400);  // the row slides the rest of the way open or shut
  }

  // How far the row's swipe is open: 1 leading action, -1 trailing action, 0 closed.
  static double swipePosition(QQuickItem* row) {
    auto* swipe = row->property("swipe").value<QObject*>();
    return swipe == nullptr ? 0 : swipe->property("position").toDouble();
  }

  // Swipes the row open on one side and gives the action revealed there.
  QQuickItem* swipeOpen(QQuickItem* row, int dx, const QString& action) {
    EXPECT_TRUE(waitFor([&] { return swipePosition(row) == 0; }));
    swipe(row, dx);
    EXPECT_TRUE(waitFor([&] { return std::abs(swipePosition(row)) == 1; }));
    return find(row, action);
  }

  // Types into the focused item, one key event per character.
  void type(const QString& text) {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::KeyAction::Press, window(), Qt::Key_unknown, QString(c),
                          Qt::NoModifier);
      QTest::sendKeyEvent(QTest::KeyAction::Release, window(), Qt::Key_unknown, QString(c),
                          Qt::NoModifier);
    }
    settle();
  }

  QString sheetHeadline() { return app->presenter().visible() ? app->presenter().headline() : ""; }
};

}  // namespace tockary::testing
