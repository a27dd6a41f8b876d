#include "gui/editor_gui_support.h"
#include "platform/ui/share.h"
#include "support/fake_mail_program.h"
#include "support/scoped_environment.h"

namespace tockary::testing {
namespace {

const Bytes kCardPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 7, 7, 7};

// The share sheet as a screen opens it (the presenter gets the warranty card's request) and as a
// person answers it. The user's Documents folder is one of the test's own; the PATH holds only
// the test's programs, so xdg-email is there only when a test puts it there.
class ShareSheetTest : public GuiTest {
 protected:
  void SetUp() override {
    documents = userFolder("DOCUMENTS", "Documents");
    std::filesystem::create_directories(documents / "Cards");
    GuiTest::SetUp();
  }

  void shareCard() {
    using enum ShareActivity;
    app->presenter().share({{ShareItem::data(kCardPng, "Warranty card.png", "image/png"),
                             ShareItem::text("Omega Speedmaster")},
                            {PostToFacebook, PostToTwitter, PostToWeibo, Print, CopyToPasteboard,
                             AssignToContact, SaveToCameraRoll, AddToReadingList, PostToFlickr,
                             PostToVimeo, PostToTencentWeibo, AirDrop}});
    settle();
  }

  QString text(const QString& objectName) {
    QQuickItem* found = item(objectName);
    return found != nullptr ? found->property("text").toString() : "<none>";
  }

  double top(const QString& objectName) { return item(objectName)->mapToScene({0, 0}).y(); }

  // Opens the save dialog from the sheet, puts `name` in its name field as typed, and saves.
  void saveAs(const QString& name) {
    shareCard();
    pressAction("saveToFile");
    ASSERT_NE(item("saveDialog"), nullptr);
    click(item("saveDialogName"));
    QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
    typeText(window(), name);
    click(item("saveDialogSave"));
  }

  std::filesystem::path documents;
  const ScopedEnvironment config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
  const ScopedEnvironment path{"PATH", (dir.path() / "bin").string()};
};

TEST_F(ShareSheetTest, OffersWhatTheDesktopCanAndSavesThePictureUnderTheTypedName) {
  shareCard();
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(text("sheetHeadline"), "Share");
  EXPECT_EQ(text("sheetMessage"), "Warranty card.png\nOmega Speedmaster");
  EXPECT_EQ(text("sheetAction_saveToFile"), "Save to File\u2026");
  EXPECT_EQ(text("sheetAction_openWithDefaultApplication"), "Open with Default Application");
  EXPECT_LT(top("sheetAction_saveToFile"), top("sheetAction_openWithDefaultApplication"));
  EXPECT_EQ(item("sheetAction_copy"), nullptr);  // the card excludes it
  EXPECT_EQ(item("sheetAction_mail"), nullptr);  // no xdg-email here
  EXPECT_EQ(text("sheetAction_cancel"), "Cancel");
  screenshot("share-sheet");

  pressAction("saveToFile");
  ASSERT_NE(item("saveDialog"), nullptr);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_EQ(text("saveDialogPath"), QString::fromStdString(documents.string()));
  EXPECT_EQ(text("saveDialogName"), "Warranty card.png");
  EXPECT_EQ(text("saveDialogNote"), "Saves Warranty card.png only, not the other item.");
  EXPECT_EQ(item("saveFilter")->property("displayText").toString(), "PNG image (*.png)");
  screenshot("save-dialog");

  // Into a folder by a tap, then the typed name; Save writes the picture's bytes there.
  click(item("saveDialogEntry_Cards"));
  click(item("saveDialogName"));
  QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
  typeText(window(), "Omega card.png");
  click(item("saveDialogSave"));
  EXPECT_EQ(item("saveDialog"), nullptr);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_EQ(readFile(documents / "Cards" / "Omega card.png"),
            std::string(kCardPng.begin(), kCardPng.end()));
}

TEST_F(ShareSheetTest, AnExistingFileIsReplacedOnlyWhenTheUserAgreesAndFailuresShowInAnAlert) {
  writeFile(documents / "mine.png", "kept");
  saveAs("mine.png");
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(text("sheetHeadline"), "mine.png already exists.");
  screenshot("replace");
  pressAction("cancel");
  EXPECT_EQ(readFile(documents / "mine.png"), "kept");

  saveAs("mine.png");
  pressAction("replace");
  EXPECT_EQ(readFile(documents / "mine.png"), std::string(kCardPng.begin(), kCardPng.end()));

  // A folder that is not there: the reason in an alert, and nothing written.
  saveAs("Nowhere/card.png");
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(text("sheetHeadline"), "Could Not Share");
  EXPECT_EQ(text("sheetMessage").toStdString(), "Could not save to " +
                                                    (documents / "Nowhere" / "card.png").string() +
                                                    ": it is in a folder that does not exist.");
  screenshot("save-failed");
  pressAction("ok");
  EXPECT_FALSE(std::filesystem::exists(documents / "Nowhere"));

  // Nothing opens files offscreen: that, too, is said.
  shareCard();
  pressAction("openWithDefaultApplication");
  EXPECT_EQ(text("sheetMessage"), "No application could open Warranty card.png.");
}

TEST_F(ShareSheetTest, EscAndATapBesideCloseTheSheetAndTheSaveDialog) {
  shareCard();
  pressKey(Qt::Key_Escape);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_EQ(item("sheetCard"), nullptr);

  shareCard();
  QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 40));
  settle();
  EXPECT_FALSE(app->presenter().visible());

  shareCard();
  pressAction("saveToFile");
  ASSERT_NE(item("saveDialog"), nullptr);
  pressKey(Qt::Key_Escape);
  EXPECT_EQ(item("saveDialog"), nullptr);
  EXPECT_NE(item("collectionPage"), nullptr);
  EXPECT_TRUE(std::filesystem::is_empty(documents / "Cards"));
}

TEST_F(ShareSheetTest, MailHandsTheWrittenPictureAndTheLabelToXdgEmail) {
  const FakeMailProgram mail(dir.path() / "bin");
  shareCard();
  EXPECT_LT(top("sheetAction_openWithDefaultApplication"), top("sheetAction_mail"));
  EXPECT_EQ(text("sheetAction_mail"), "Mail\u2026");
  pressAction("mail");
  EXPECT_FALSE(app->presenter().visible());

  const std::vector<std::string> arguments = mail.arguments();
  ASSERT_EQ(arguments.size(), 5U);
  EXPECT_EQ(arguments[0], "--utf8");
  EXPECT_EQ(arguments[1], "--attach");
  const std::filesystem::path attached = arguments[2];
  EXPECT_EQ(attached.filename(), "Warranty card.png");
  EXPECT_EQ(readFile(attached), std::string(kCardPng.begin(), kCardPng.end()));
  EXPECT_EQ(arguments[3], "--body");
  EXPECT_EQ(arguments[4], "Omega Speedmaster");
}

}  // namespace
}  // namespace tockary::testing
