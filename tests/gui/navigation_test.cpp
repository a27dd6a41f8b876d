#include "gui/collection_screen_support.h"
#include "gui/editor_gui_support.h"

namespace tockary::testing {
namespace {

// Getting around as a person does: tabs, back buttons, Esc, Enter and taps beside a sheet, all
// through the window's event queue.
class NavigationTest : public CollectionScreenTest {
 protected:
  void SetUp() override {
    CollectionScreenTest::SetUp();
    watch = addWatch("Omega", "Speedmaster", "1969");
    revisitCollection();
  }

  void openDetail() {
    click(row(*watch));
    ASSERT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  }

  void openEditorOfTheWatch() {
    openDetail();
    click(item("editButton"));
    ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  }

  void key(Qt::Key pressed) {
    QTest::keyClick(window(), pressed);
    settle();
  }

  // A tap on the dimmed screen above the sheet.
  void tapBesideTheSheet() {
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, QPoint(215, 60));
    settle();
  }

  int depth() { return item("collectionStack")->property("depth").toInt(); }

  bool showsTheList() {
    return depth() == 1 && item("collectionPage") != nullptr && item("detailPage") == nullptr &&
           item("editorPage") == nullptr;
  }

  std::shared_ptr<Kello> watch;
};

TEST_F(NavigationTest, EscAndATapBesideASheetAnswerItWithItsCancelOnly) {
  openDetail();
  click(item("resetButton"));
  ASSERT_EQ(sheetHeadline().left(22), "Please confirm that yo");
  screenshot("reset-sheet");
  key(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  // The sheet took the Esc: the page behind it stays.
  EXPECT_NE(item("detailPage"), nullptr);
  screenshot("after-esc");

  click(item("resetButton"));
  // A tap on the card itself is no answer.
  click(item("sheetHeadline"));
  EXPECT_TRUE(app->presenter().visible());
  tapBesideTheSheet();
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_NE(item("detailPage"), nullptr);

  // The badge has only its OK, which Esc presses; the wear it follows stays logged.
  click(item("wearButton"));
  pressAction("confirmWear");
  ASSERT_EQ(sheetHeadline(), "Badge unlocked for wearing this watch for the first time");
  key(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_EQ(watch->varasarake4(), 1);
  EXPECT_NE(item("detailPage"), nullptr);

  // Without a sheet, Esc is the back button.
  key(Qt::Key_Escape);
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));
}

TEST_F(NavigationTest, EnterInTheAdjustFieldSubmitsTheCount) {
  openDetail();
  click(item("resetButton"));
  pressAction("adjustWearCount");
  ASSERT_EQ(sheetHeadline(), "Adjust wear count");
  click(item("sheetField_0"));
  type("60");
  screenshot("adjust-typed");
  key(Qt::Key_Return);
  EXPECT_EQ(watch->varasarake4(), 60);
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));

  // A refused count answers with a sheet of its own, which Enter in the field does not skip.
  openDetail();
  click(item("resetButton"));
  pressAction("adjustWearCount");
  click(item("sheetField_0"));
  type("lots");
  key(Qt::Key_Enter);
  EXPECT_EQ(sheetHeadline(), "Wear count not changed");
  EXPECT_EQ(watch->varasarake4(), 60);
  key(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_NE(item("detailPage"), nullptr);
}

TEST_F(NavigationTest, TheCollectionTabReturnsToTheListFromTheDetail) {
  openDetail();
  click(item("tab_collection"));
  EXPECT_TRUE(showsTheList());
  screenshot("list-from-detail");
  // A second tap on the selected tab changes nothing.
  click(item("tab_collection"));
  EXPECT_TRUE(showsTheList());
  EXPECT_NE(row(*watch), nullptr);

  // By way of the settings.
  openDetail();
  click(item("tab_settings"));
  EXPECT_NE(item("settingsPage"), nullptr);
  click(item("tab_settings"));
  EXPECT_NE(item("settingsPage"), nullptr);
  click(item("tab_collection"));
  EXPECT_TRUE(showsTheList());
}

TEST_F(NavigationTest, TheCollectionTabLeavesAChangedEditorOnlyAfterDiscard) {
  // Nothing typed: straight to the list.
  openEditorOfTheWatch();
  click(item("tab_collection"));
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(showsTheList());

  openEditorOfTheWatch();
  click(item("modelTextField"));
  QTest::keyClick(window(), Qt::Key_End);
  typeText(window(), " Pro");
  click(item("tab_collection"));
  EXPECT_EQ(sheetHeadline(), "Discard changes?");
  EXPECT_EQ(item("sheetMessage")->property("text").toString(),
            "What you typed in this form will be lost.");
  EXPECT_EQ(item("sheetAction_discardChanges")->property("text").toString(), "Discard");
  EXPECT_EQ(item("sheetAction_cancel")->property("text").toString(), "Keep editing");
  screenshot("discard-question");

  pressAction("cancel");
  ASSERT_NE(item("editorPage"), nullptr);
  typeText(window(), "f");
  EXPECT_EQ(item("modelTextField")->property("text").toString(), "Speedmaster Prof");

  click(item("tab_collection"));
  pressAction("discardChanges");
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));
  EXPECT_EQ(watch->malli(), "Speedmaster");
  EXPECT_EQ(textOf(row(*watch), "modelLabel"), "Speedmaster");
  screenshot("list-after-discard");
}

TEST_F(NavigationTest, TheEditorsBackButtonAndEscAskOnlyWhenSomethingWasTyped) {
  click(item("addButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  click(item("editorBackButton"));
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));

  click(item("addButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  key(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));

  click(item("addButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  click(item("manufacturerTextField"));
  typeText(window(), "Seiko");
  click(item("editorBackButton"));
  EXPECT_EQ(sheetHeadline(), "Discard changes?");
  // Esc answers the question as Keep editing does, and typing goes on where it was; a second Esc
  // asks again.
  key(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  typeText(window(), " 5");
  EXPECT_EQ(item("manufacturerTextField")->property("text").toString(), "Seiko 5");
  key(Qt::Key_Escape);
  EXPECT_EQ(sheetHeadline(), "Discard changes?");
  screenshot("discard-on-esc");
  pressAction("discardChanges");
  EXPECT_TRUE(waitFor([&] { return showsTheList(); }));
  EXPECT_EQ(app->services().context().fetch<Kello>(Kello::fetchRequest()).value().size(), 1u);
}

}  // namespace
}  // namespace tockary::testing
