// How the screens are laid out where a person notices it: bars whose buttons line up, a tab bar
// that says where one is, rows whose marks stand in one place, fields that say they are empty.

#include "gui/collection_screen_support.h"
#include "settings/preference_keys.h"

namespace tockary::testing {
namespace {

class LookTest : public CollectionScreenTest {
 protected:
  // The middle of the item's text line, in window coordinates.
  double middleOf(QQuickItem* target) {
    if (target == nullptr) return -1;
    return target->mapToScene(QPointF(0, target->height() / 2)).y();
  }

  QColor tabColour(const QString& name) {
    QQuickItem* tab = item("tab_" + name);
    if (tab == nullptr) return {};
    return tab->property("tint").value<QColor>();
  }
};

TEST_F(LookTest, TopBarButtonsShareOneHeightAndOneMiddle) {
  const QStringList collection = {"infoModeButton", "flipPicturesButton", "sortButton",
                                  "addButton"};
  for (const QString& name : collection) {
    QQuickItem* button = item(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    EXPECT_EQ(button->height(), item("infoModeButton")->height()) << name.toStdString();
    EXPECT_EQ(middleOf(button), middleOf(item("infoModeButton"))) << name.toStdString();
  }
  const double listMiddle = middleOf(item("sortButton"));
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  revisitCollection();
  click(row(*watch));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  ASSERT_NE(item("backButton"), nullptr);
  EXPECT_EQ(item("backButton")->height(), item("editButton")->height());
  EXPECT_EQ(middleOf(item("backButton")), middleOf(item("editButton")));
  // The same bar on every page: the detail's buttons stand where the list's did.
  EXPECT_EQ(middleOf(item("editButton")), listMiddle);
  click(item("editButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  EXPECT_EQ(middleOf(item("editorBackButton")), middleOf(item("saveButton")));
  EXPECT_EQ(middleOf(item("saveButton")), listMiddle);
}

TEST_F(LookTest, TheTabBarShowsTheSelectedTabAndNothingRunsUnderIt) {
  EXPECT_NE(tabColour("collection"), tabColour("settings"));
  const QColor selected = tabColour("collection");
  click(item("tab_settings"));
  EXPECT_EQ(tabColour("settings"), selected);
  EXPECT_NE(tabColour("collection"), selected);
  click(item("tab_collection"));
  EXPECT_EQ(tabColour("collection"), selected);

  // Every tab's title is whole, selected or not.
  for (const QString name : {"collection", "measurements", "services", "warranties", "settings"}) {
    click(item("tab_" + name));
    QQuickItem* title = find(item("tab_" + name), "tabTitle");
    ASSERT_NE(title, nullptr) << name.toStdString();
    EXPECT_FALSE(title->property("truncated").toBool()) << name.toStdString();
  }
  click(item("tab_collection"));

  // The list ends where the tab bar begins.
  QQuickItem* list = item("collectionList");
  QQuickItem* tabs = item("tabs");
  ASSERT_NE(list, nullptr);
  ASSERT_NE(tabs, nullptr);
  EXPECT_LE(list->mapToScene(QPointF(0, list->height())).y(), tabs->mapToScene(QPointF(0, 0)).y());
}

TEST_F(LookTest, TheCompletenessRingStandsInOnePlaceWhateverTheBadges) {
  app->services().defaults.setBool(true, kBadgesSettingOn);
  app->services().defaults.setBool(true, kDataIndicatorSettingOn);
  auto worn = addWatch("Omega", "Speedmaster", "1969");
  worn->setVarasarake4(120);
  auto unworn = addWatch("Seiko", "SKX007", "1996");
  ASSERT_TRUE(app->services().context().save().isOk());
  revisitCollection();
  QQuickItem* wornRing = find(row(*worn), "indicatorButtonOutlet");
  QQuickItem* unwornRing = find(row(*unworn), "indicatorButtonOutlet");
  ASSERT_NE(wornRing, nullptr);
  ASSERT_NE(unwornRing, nullptr);
  ASSERT_NE(find(row(*worn), "badge4Outlet"), nullptr);
  EXPECT_EQ(find(row(*unworn), "badge4Outlet"), nullptr);
  EXPECT_EQ(wornRing->mapToScene(QPointF(0, 0)).x(), unwornRing->mapToScene(QPointF(0, 0)).x());
}

TEST_F(LookTest, AnEmptyDetailFieldShowsAQuietDash) {
  auto watch = addWatch("Omega", "Speedmaster", "1969");
  revisitCollection();
  click(row(*watch));
  ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  QQuickItem* reference = item("referenceTextField");
  ASSERT_NE(reference, nullptr);
  EXPECT_EQ(reference->property("text").toString(), "");
  QQuickItem* dash = nullptr;
  for (QQuickItem* child : reference->childItems()) {
    if (child->isVisible() && child->property("text").toString() == "\u2014") dash = child;
  }
  EXPECT_NE(dash, nullptr);
}

}  // namespace
}  // namespace tockary::testing
