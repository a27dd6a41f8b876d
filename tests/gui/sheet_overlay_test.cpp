#include <QColor>
#include <QFont>

#include "gui/editor_gui_support.h"
#include "platform/image/image_codec.h"
#include "platform/ui/diagnostics.h"
#include "platform/ui/sheet.h"
#include "store/screens.h"

namespace tockary::testing {
namespace {

using SheetOverlayTest = GuiTest;

QColor buttonTextColour(QQuickItem* button) {
  auto* palette = button->property("palette").value<QObject*>();
  return palette != nullptr ? palette->property("buttonText").value<QColor>() : QColor();
}

TEST_F(SheetOverlayTest, TheTypedNumberReachesTheActionsHandler) {
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Adjust wear count";
  SheetTextField field;
  field.placeholder = "Times worn";
  field.keyboard = KeyboardKind::Number;
  const auto typed = field.text;
  sheet.textFields.push_back(field);
  std::string seen = "<not run>";
  sheet.actions.push_back(cancelAction());
  sheet.actions.push_back({"save", "Save", ActionStyle::Default, [&] { seen = *typed; }});
  app->presenter().present(sheet);
  settle();

  QQuickItem* input = item("sheetField_0");
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(input->property("placeholderText").toString(), "Times worn");
  EXPECT_TRUE(input->property("inputMethodHints").toInt() & Qt::ImhFormattedNumbersOnly);
  click(input);
  typeText(window(), "25");
  screenshot("number-field");
  pressAction("save");
  EXPECT_EQ(seen, "25");
  EXPECT_FALSE(app->presenter().visible());
}

TEST_F(SheetOverlayTest, ActionSheetShowsFontsColoursAndTheCancelActionApart) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "plain";
  sheet.attributedTitle = AttributedText{"Collection Facts", "HelveticaNeue-Bold", 16};
  sheet.attributedMessage = AttributedText{"Watches: 3", "HelveticaNeue", 14};
  bool deleted = false;
  sheet.actions.push_back(cancelAction());
  sheet.actions.push_back({"delete", "Delete", ActionStyle::Destructive, [&] { deleted = true; }});
  sheet.actions.push_back(okAction());
  app->presenter().present(sheet);
  settle();

  QQuickItem* headline = item("sheetHeadline");
  QQuickItem* message = item("sheetMessage");
  ASSERT_NE(headline, nullptr);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(headline->property("text").toString(), "Collection Facts");
  const QFont headlineFont = headline->property("font").value<QFont>();
  EXPECT_EQ(headlineFont.family(), "Nimbus Sans");
  EXPECT_TRUE(headlineFont.bold());
  EXPECT_EQ(headlineFont.pixelSize(), 16);
  const QFont messageFont = message->property("font").value<QFont>();
  EXPECT_EQ(messageFont.family(), "Nimbus Sans");
  EXPECT_FALSE(messageFont.bold());
  EXPECT_EQ(messageFont.pixelSize(), 14);

  QQuickItem* cancel = item("sheetAction_cancel");
  QQuickItem* destructive = item("sheetAction_delete");
  QQuickItem* ok = item("sheetAction_ok");
  ASSERT_NE(cancel, nullptr);
  ASSERT_NE(destructive, nullptr);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(buttonTextColour(destructive), QColor("#ff453a"));
  EXPECT_NE(buttonTextColour(ok), QColor("#ff453a"));
  // Cancel stands below the other actions, on its own card, although it came first.
  const double cancelTop = cancel->mapToScene(QPointF(0, 0)).y();
  const double okBottom = ok->mapToScene(QPointF(0, ok->height())).y();
  EXPECT_GT(cancelTop, okBottom + 8);
  EXPECT_TRUE(cancel->property("font").value<QFont>().bold());
  screenshot("action-sheet");

  click(destructive);
  EXPECT_TRUE(deleted);
}

TEST_F(SheetOverlayTest, CourierAndPlainTitlesMapOntoTheInstalledFonts) {
  EXPECT_EQ(gui::GuiPresenter::fontFamily("Courier-Bold"), "Nimbus Mono PS");
  EXPECT_TRUE(gui::GuiPresenter::fontBold("Courier-Bold"));
  EXPECT_EQ(gui::GuiPresenter::fontFamily("HelveticaNeue"), "Nimbus Sans");
  EXPECT_FALSE(gui::GuiPresenter::fontBold("HelveticaNeue"));

  Sheet alert;
  alert.title = "Warning";
  alert.message = "You don't have camera";
  alert.actions.push_back(okAction());
  app->presenter().present(alert);
  settle();
  // A plain alert title is bold, its message regular.
  EXPECT_TRUE(item("sheetHeadline")->property("font").value<QFont>().bold());
  EXPECT_FALSE(item("sheetMessage")->property("font").value<QFont>().bold());
  screenshot("alert");
}

TEST_F(SheetOverlayTest, ADecorativePictureGrowsToItsTargetFrame) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = "10 Wears!";
  sheet.message = "\n\n\n";
  sheet.actions.push_back(okAction(ActionStyle::Cancel));
  SheetImage badge;
  badge.assetName = "insertpic_front.png";
  badge.frame = {185, -300, 50, 50};
  badge.animatedTo = Frame{98, -320, 200, 200};
  badge.animation = SpringAnimation{4.0, 0.8, 0.5};
  sheet.images.push_back(badge);
  app->presenter().present(sheet);
  settle();

  QQuickItem* picture = item("sheetImage_0");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->property("source").toString(), "image://picture/asset/insertpic_front.png");
  EXPECT_LT(picture->width(), 200);
  screenshot("badge-start");
  ASSERT_TRUE(waitFor([&] { return picture->width() == 200; }, 6000));
  EXPECT_EQ(picture->height(), 200);
  EXPECT_EQ(picture->x(), 98);
  EXPECT_EQ(picture->y(), -320);
  screenshot("badge-grown");
}

// A watch's own picture travels in the sheet as bytes; each new sheet gets a new address, so
// the picture of the previous sheet is never shown from the cache.
TEST_F(SheetOverlayTest, APictureGivenAsBytesIsDecodedForItsSheet) {
  ImageCodec codec;
  const auto sheetWith = [&](std::uint32_t colour) {
    std::vector<std::uint32_t> pixels(40 * 40, colour);
    Sheet sheet;
    sheet.style = SheetStyle::ActionSheet;
    sheet.title = "Watch of the Day";
    sheet.actions.push_back(okAction(ActionStyle::Cancel));
    SheetImage picture;
    picture.picture = codec.encodePng(Image::fromArgb(40, 40, pixels)).value();
    picture.frame = {80, -220, 200, 200};
    sheet.images.push_back(picture);
    return sheet;
  };
  app->presenter().present(sheetWith(0xFFFF0000));
  settle();
  QQuickItem* picture = item("sheetImage_0");
  ASSERT_NE(picture, nullptr);
  const QString first = picture->property("source").toString();
  EXPECT_TRUE(first.startsWith("image://picture/sheet/0?")) << first.toStdString();
  EXPECT_TRUE(waitFor([&] { return picture->property("status").toInt() == 1; }));  // Ready
  EXPECT_EQ(picture->width(), 200);
  screenshot("picture-sheet");

  pressAction("ok");
  app->presenter().present(sheetWith(0xFF00FF00));
  settle();
  picture = item("sheetImage_0");
  ASSERT_NE(picture, nullptr);
  EXPECT_NE(picture->property("source").toString(), first);
  EXPECT_EQ(app->presenter().sheetPicture(0), sheetWith(0xFF00FF00).images[0].picture);
}

// Buttons are found by identity; the presenter never presses by title, and an identity the sheet
// does not have is reported, not ignored.
TEST_F(SheetOverlayTest, AnActionIsChosenByItsIdentityAndAnUnknownOneIsReported) {
  std::vector<std::string> lines;
  const DiagnosticSink previous =
      setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
  Sheet sheet;
  sheet.style = SheetStyle::Alert;
  sheet.title = "Wear today?";
  int worn = 0;
  // A title that is another action's identity must not confuse the two.
  sheet.actions.push_back({"confirmWear", "cancel", ActionStyle::Default, [&] { ++worn; }});
  sheet.actions.push_back(cancelAction());
  app->presenter().present(sheet);
  settle();
  EXPECT_EQ(item("sheetAction_confirmWear")->property("text").toString(), "cancel");

  app->presenter().choose("Confirm");
  EXPECT_TRUE(app->presenter().visible());
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "Sheet action \"Confirm\" not pressed: the sheet has confirmWear (\"cancel\"), cancel "
            "(\"Cancel\")");

  pressAction("cancel");
  EXPECT_EQ(worn, 0);
  EXPECT_FALSE(app->presenter().visible());
  app->presenter().present(sheet);
  settle();
  pressAction("confirmWear");
  EXPECT_EQ(worn, 1);

  app->presenter().choose("confirmWear");  // nothing is shown any more
  EXPECT_EQ(lines.size(), 2u);
  setDiagnosticSink(previous);
}

TEST_F(SheetOverlayTest, ScreensOpenTheirPagesAndAScreenWithoutOneIsReported) {
  std::vector<std::string> lines;
  const DiagnosticSink previous =
      setDiagnosticSink([&](std::string_view line) { lines.emplace_back(line); });
  QQuickItem* stack = item("collectionStack");
  ASSERT_NE(stack, nullptr);
  app->presenter().push(ScreenRequest{"NoSuchViewController", "Kello/1", {}});
  settle();
  EXPECT_EQ(stack->property("depth").toInt(), 1);
  EXPECT_EQ(lines, std::vector<std::string>{"No page shows the screen NoSuchViewController"});

  app->presenter().push(ScreenRequest{std::string(kWatchEditorScreen), "", {}});
  EXPECT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  app->presenter().push(ScreenRequest{std::string(kWatchDetailScreen), "Kello/1", {}});
  EXPECT_TRUE(waitFor([&] { return item("detailPage") != nullptr; }));
  EXPECT_EQ(stack->property("depth").toInt(), 3);
  EXPECT_EQ(lines.size(), 1u);
  setDiagnosticSink(previous);
}

}  // namespace
}  // namespace tockary::testing
