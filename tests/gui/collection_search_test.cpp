#include "gui/collection_screen_support.h"

namespace tockary::testing {
namespace {

class CollectionSearchTest : public CollectionScreenTest {
 protected:
  int listedCount() { return item("collectionList")->property("count").toInt(); }
  QString shownText(const QString& name) {
    QQuickItem* shown = item(name);
    return shown == nullptr ? QString("<hidden>") : shown->property("text").toString();
  }
};

TEST_F(CollectionSearchTest, TypingNarrowsTheListAndEscapeOrTheButtonEmptiesIt) {
  auto omega = addWatch("Omega", "Speedmaster", "1969");
  auto seiko = addWatch("Séiko", "SKX007", "1996");
  auto tudor = addWatch("Tudor", "Black Bay", "2016");
  revisitCollection();
  ASSERT_EQ(listedCount(), 3);
  EXPECT_EQ(shownText("filterLine"), "<hidden>");

  click(item("searchField"));
  type("sei");
  EXPECT_EQ(listedCount(), 1);
  EXPECT_NE(row(*seiko), nullptr);
  EXPECT_EQ(row(*omega), nullptr);
  EXPECT_EQ(shownText("filterLine"), "1 of 3 watches");
  screenshot("searched");
  type("kx");
  EXPECT_EQ(listedCount(), 0);
  EXPECT_EQ(shownText("emptyCollectionLabel"), "No watch matches the search and filter.");
  pressKey(Qt::Key_Backspace);
  pressKey(Qt::Key_Backspace);
  EXPECT_EQ(listedCount(), 1);
  pressKey(Qt::Key_Escape);
  EXPECT_EQ(item("searchField")->property("text").toString(), "");
  EXPECT_EQ(listedCount(), 3);
  EXPECT_EQ(shownText("filterLine"), "<hidden>");

  type("OMEGA");
  EXPECT_EQ(listedCount(), 1);
  EXPECT_NE(row(*omega), nullptr);
  click(item("clearSearchButton"));
  EXPECT_EQ(listedCount(), 3);
  EXPECT_NE(row(*tudor), nullptr);
}

TEST_F(CollectionSearchTest, TheFilterMenuNarrowsTheListAndTheLineNamesIt) {
  addWatch("Omega", "Speedmaster", "1969");
  auto tudor = addWatch("Tudor", "Black Bay", "2016");
  tudor->setMyyntiliike("A friend");
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  click(item("filterButton"));
  EXPECT_EQ(sheetHeadline(), "Filter the Watches by:");
  pressAction("soldOnly");
  EXPECT_EQ(listedCount(), 1);
  EXPECT_NE(row(*tudor), nullptr);
  EXPECT_EQ(shownText("filterLine"), "Sold \u00B7 1 of 2 watches");
  screenshot("filtered");
  click(item("filterButton"));
  pressAction("clearFilter");
  EXPECT_EQ(listedCount(), 2);
  EXPECT_EQ(shownText("filterLine"), "<hidden>");
}

TEST_F(CollectionSearchTest, ALongChoiceSheetScrollsToItsLastEntry) {
  auto flipper = addWatch("Oris", "Divers Sixty-Five", "2015");
  flipper->setVarasarake2("Willing To Flip");
  ASSERT_TRUE(app->services().context().save().isOk());
  addWatch("Sinn", "556", "2010");
  revisitCollection();
  click(item("filterButton"));
  pressAction("filterByStatus");
  EXPECT_EQ(sheetHeadline(), "Show the Watches with the Status:");
  QQuickItem* scroller = item("sheetScroller");
  QQuickItem* last = item("sheetAction_Willing To Flip");
  ASSERT_NE(scroller, nullptr);
  ASSERT_NE(last, nullptr);
  auto lastHidden = [&] {
    return last->mapToScene(QPointF(0, last->height())).y() >
           scroller->mapToScene(QPointF(0, scroller->height())).y();
  };
  EXPECT_TRUE(lastHidden());
  scroll(scroller, 20);
  EXPECT_FALSE(lastHidden());
  screenshot("status-sheet-scrolled");
  pressAction("Willing To Flip");
  EXPECT_EQ(listedCount(), 1);
  EXPECT_NE(row(*flipper), nullptr);
  EXPECT_EQ(shownText("filterLine"), "Willing To Flip \u00B7 1 of 2 watches");
}

}  // namespace
}  // namespace tockary::testing
