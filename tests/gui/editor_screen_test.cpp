#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

#include "editor/watch_catalogues.h"
#include "editor/watch_form.h"
#include "editor_screen.h"
#include "gui/editor_gui_support.h"
#include "platform/image/image_codec.h"
#include "settings/preference_keys.h"
#include "store/records.h"
#include "support/temp_dir.h"

namespace tockary::testing {
namespace {

using EditorScreenTest = EditorGuiTest;

std::vector<std::shared_ptr<Kello>> watches(gui::GuiApp& app) {
  return app.services().context().fetch<Kello>(Kello::fetchRequest()).value();
}

TEST_F(EditorScreenTest, AddsAWatchThroughTheFormWithWheelsAndADate) {
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(item("editorTitle")->property("text").toString(), "Add Watch");
  EXPECT_FALSE(item("cameraImageView")->property("source").toString().isEmpty());
  screenshot("editor-empty");

  tapField("manufacturerTextField");
  typeText(window(), "Seiko");
  tapField("modelTextField");
  typeText(window(), "SKX007");
  EXPECT_EQ(fieldText("manufacturerTextField"), "Seiko");

  // Opening a catalogue field proposes its first choice; turning the wheel replaces it.
  tapField("movementTypeTextField");
  EXPECT_EQ(toolbarTitle(), "Choose movement type: ");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Automatic");
  const int manual = rowOf(movementTypeCatalogue(), "Manual");
  turn("wheel_0", manual);
  EXPECT_EQ(fieldText("movementTypeTextField"), "Manual");
  settle(800);
  screenshot("movement-type-wheel");
  click(item("toolbarButton"));
  EXPECT_EQ(item("wheelPanel"), nullptr);

  // Three columns of 48 points: 40, ".", 5.
  tapField("caseDiameterTextField");
  EXPECT_EQ(toolbarTitle(), "Confirm case diameter(mm):");
  ASSERT_NE(item("wheel_2"), nullptr);
  EXPECT_EQ(item("wheel_0")->width(), 48);
  turn("wheel_0", 39);
  turn("wheel_2", 5);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "40.5");
  settle(800);
  screenshot("diameter-wheel");
  click(item("toolbarButton"));
  EXPECT_EQ(fieldText("caseDiameterTextField"), "40.5");

  // The date wheel opens at today: month, day and year as the locale orders them, months by
  // name, only the days the month has.
  tapField("purchaseDateTextField");
  EXPECT_EQ(toolbarTitle(), "Done");
  const Date today = app->services().clock.now();
  const LocalDateTime now = app->services().formatters.calendar().localDateTime(today);
  EXPECT_EQ(fieldText("purchaseDateTextField").toStdString(),
            app->services().formatters.shortDate(today));
  ASSERT_NE(item("wheel_2"), nullptr);
  EXPECT_EQ(wheelTitles("wheel_0").size(), 12);
  EXPECT_EQ(wheelTitles("wheel_0").value(0), "January");
  EXPECT_EQ(wheelTitles("wheel_2").value(0), "1900");
  EXPECT_EQ(wheelTitles("wheel_2").last(), "2100");
  EXPECT_EQ(wheelRow("wheel_0"), now.month - 1);
  EXPECT_EQ(wheelRow("wheel_1"), now.day - 1);
  EXPECT_EQ(wheelRow("wheel_2"), now.year - 1900);

  turn("wheel_2", 2023 - 1900);
  turn("wheel_0", 0);
  turn("wheel_1", 30);
  EXPECT_EQ(fieldText("purchaseDateTextField"), "1/31/23");
  // February has no 31st: the day wheel loses its last rows and stands at the 28th.
  turn("wheel_0", 1);
  EXPECT_EQ(fieldText("purchaseDateTextField"), "2/28/23");
  EXPECT_EQ(wheelTitles("wheel_1").size(), 28);
  EXPECT_EQ(wheelRow("wheel_1"), 27);
  turn("wheel_0", 2);
  EXPECT_EQ(wheelTitles("wheel_1").size(), 31);
  turn("wheel_1", 14);
  EXPECT_EQ(fieldText("purchaseDateTextField"), "3/15/23");
  settle(800);
  screenshot("date-wheel");
  click(item("toolbarButton"));
  EXPECT_EQ(item("wheelPanel"), nullptr);

  click(item("saveButton"));
  EXPECT_TRUE(waitFor([&] { return item("editorPage") == nullptr; }));
  const auto stored = watches(*app);
  ASSERT_EQ(stored.size(), 1u);
  const Kello& watch = *stored.front();
  EXPECT_EQ(watch.merkki(), "Seiko");
  EXPECT_EQ(watch.malli(), "SKX007");
  EXPECT_EQ(watch.koneistotyyppi(), "Manual");
  EXPECT_EQ(watch.halkaisija(), "40.5");
  EXPECT_EQ(watch.ostopvm(), app->services().formatters.calendar().dateFrom(2023, 3, 15));

  const QString row = "row_" + QString::number(watch.objectID().primaryKey);
  ASSERT_TRUE(waitFor([&] { return item(row) != nullptr; })) << row.toStdString();
  QQuickItem* brand = find(item(row), "manufacturerLabel");
  ASSERT_NE(brand, nullptr);
  EXPECT_EQ(brand->property("text").toString(), "Seiko");
  screenshot("collection-after-save");
}

// The page is laid out from the form's description alone: every field once, in its order, with
// its caption and placeholder, typed or filled by its wheel as its kind says.
TEST_F(EditorScreenTest, TheFormShowsEveryFieldInItsOrder) {
  ASSERT_NE(openEditor(), nullptr);
  double previousTop = -1;
  FieldKind previousKind = FieldKind::Text;
  for (const FieldDescriptor& field : InsertWatchTableViewController::formFields()) {
    const QString outlet = QString::fromUtf8(field.outlet.data(), field.outlet.size());
    QQuickItem* control = item(outlet);
    ASSERT_NE(control, nullptr) << field.outlet;
    const double top = control->mapToScene(QPointF(0, 0)).y();
    if (field.kind == FieldKind::Picture && previousKind == FieldKind::Picture) {
      EXPECT_EQ(top, previousTop) << field.outlet << " stands beside the other picture";
    } else {
      EXPECT_GT(top, previousTop) << field.outlet;
    }
    previousTop = top;
    previousKind = field.kind;
    if (field.kind == FieldKind::Picture || field.kind == FieldKind::Notes) continue;

    EXPECT_EQ(control->property("placeholderText").toString().toStdString(), field.placeholder);
    const bool typed = field.kind == FieldKind::Text || field.kind == FieldKind::Number;
    EXPECT_EQ(control->property("readOnly").toBool(), !typed) << field.outlet;
    bool captioned = false;
    for (QQuickItem* sibling : control->parentItem()->childItems()) {
      captioned |= sibling->property("text").toString().toStdString() == field.caption;
    }
    EXPECT_TRUE(captioned) << field.outlet << " without " << field.caption;
  }
  EXPECT_EQ(previousKind, FieldKind::Notes);
}

// A drag turns a wheel through the rows it passes; the field follows the row it stops at.
TEST_F(EditorScreenTest, DraggedWheelsFillTheirFields) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("caseMaterialTextField");
  const int proposed = wheelRow("wheel_0");
  dragWheel("wheel_0", 2);
  const int chosen = wheelRow("wheel_0");
  EXPECT_GT(chosen, proposed);
  EXPECT_EQ(fieldText("caseMaterialTextField"), wheelTitles("wheel_0").value(chosen));
  click(item("toolbarButton"));

  // The day column of a date wheel, which runs round.
  tapField("warrantyEndDateTexField");
  const int today = wheelRow("wheel_1");
  dragWheel("wheel_1", 2);
  const int day = wheelRow("wheel_1");
  EXPECT_NE(day, today);
  const Date shown = app->services().formatters.calendar().dateFrom(
      1900 + wheelRow("wheel_2"), wheelRow("wheel_0") + 1, day + 1);
  EXPECT_EQ(fieldText("warrantyEndDateTexField").toStdString(),
            app->services().formatters.shortDate(shown));
}

TEST_F(EditorScreenTest, EditModeShowsTheWatchAndSavingChangesIt) {
  auto watch = app->services().context().insertNewObject<Kello>();
  watch->setMerkki("Omega");
  watch->setMalli("Speedmaster");
  watch->setMyyntiliike("");
  watch->setOstohinta(1200.5);
  ASSERT_TRUE(app->services().context().save().isOk());

  ASSERT_NE(openEditor(watch->objectID().text()), nullptr);
  EXPECT_EQ(item("editorTitle")->property("text").toString(), "Edit Watch Details");
  EXPECT_EQ(fieldText("manufacturerTextField"), "Omega");
  EXPECT_EQ(fieldText("priceTextField"), "1200.5");
  screenshot("editor-edit");

  tapField("modelTextField");
  QTest::keyClick(window(), Qt::Key_End);
  typeText(window(), " Pro");
  click(item("saveButton"));
  EXPECT_TRUE(waitFor([&] { return item("editorPage") == nullptr; }));
  EXPECT_EQ(watch->malli(), "Speedmaster Pro");
  EXPECT_EQ(watches(*app).size(), 1u);
}

TEST_F(EditorScreenTest, CurrencySignsAreRefusedWhenTypedOrPasted) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("priceTextField");
  typeText(window(), "1200");
  QGuiApplication::clipboard()->setText("$");
  QTest::keyClick(window(), Qt::Key_V, Qt::ControlModifier);
  settle();
  EXPECT_EQ(fieldText("priceTextField"), "1200");
  typeText(window(), QString::fromUtf8("€"));
  EXPECT_EQ(fieldText("priceTextField"), "1200");
  // The filter refuses signs, not pasting.
  QGuiApplication::clipboard()->setText("5");
  QTest::keyClick(window(), Qt::Key_V, Qt::ControlModifier);
  settle();
  EXPECT_EQ(fieldText("priceTextField"), "12005");
  EXPECT_EQ(gui::EditorScreen::create(nullptr, nullptr)->form()->text("priceTextField"), "12005");
  screenshot("price-filtered");
}

TEST_F(EditorScreenTest, PictureSlotsOfferTheGalleryAndWarnThatThereIsNoCamera) {
  ASSERT_NE(openEditor(), nullptr);
  click(item("cameraImageView"));
  ASSERT_TRUE(waitFor([&] { return item("sheetHeadline") != nullptr; }));
  EXPECT_EQ(item("sheetHeadline")->property("text").toString(), "Choose Image");
  EXPECT_EQ(item("sheetAction_camera")->property("text").toString(), "Camera");
  EXPECT_EQ(item("sheetAction_photoGallery")->property("text").toString(), "Photo Gallery");
  EXPECT_EQ(item("sheetAction_cancel")->property("text").toString(), "Cancel");
  screenshot("choose-image");

  pressAction("camera");
  ASSERT_TRUE(waitFor([&] { return item("sheetHeadline") != nullptr; }));
  EXPECT_EQ(item("sheetHeadline")->property("text").toString(), "Warning");
  EXPECT_EQ(item("sheetMessage")->property("text").toString(), "You don't have camera");
  EXPECT_EQ(item("sheetAction_ok")->property("text").toString(), "OK");
  screenshot("no-camera");
  pressAction("ok");
  EXPECT_FALSE(app->presenter().visible());

  // The gallery: a file that is not a picture is refused with the form's reason.
  auto* editor = gui::EditorScreen::create(nullptr, nullptr);
  click(item("cameraImageViewBack"));
  pressAction("photoGallery");
  ASSERT_TRUE(app->presenter().imagePickPending());
  writeFile(dir.path() / "notes.txt", "not a picture");
  app->presenter().imageFileChosen(
      QUrl::fromLocalFile(QString::fromStdString((dir.path() / "notes.txt").string())));
  settle();
  ASSERT_NE(item("pictureError"), nullptr);
  EXPECT_EQ(item("pictureError")->property("text").toString().toStdString(),
            editor->form()->pictureError().value_or("<none>"));
  screenshot("picture-refused");
  // A file the app must not read (a folder, a FIFO, a device) is refused with its reason.
  click(item("cameraImageViewBack"));
  click(item("sheetAction_photoGallery"));
  app->presenter().imageFileChosen(
      QUrl::fromLocalFile(QString::fromStdString(dir.path().string())));
  settle();
  EXPECT_EQ(editor->form()->pictureError(), "The picture cannot be used: the file is a directory");

  // A picture is cropped to a centred square and replaces the back placeholder.
  ImageCodec codec;
  std::vector<std::uint32_t> pixels(300 * 200, 0xFF2255AA);
  const Bytes png = codec.encodePng(Image::fromArgb(300, 200, pixels)).value();
  writeFile(dir.path() / "back.png", std::string(png.begin(), png.end()));
  click(item("cameraImageViewBack"));
  pressAction("photoGallery");
  app->presenter().imageFileChosen(
      QUrl::fromLocalFile(QString::fromStdString((dir.path() / "back.png").string())));
  settle();
  EXPECT_EQ(item("pictureError"), nullptr);
  ASSERT_TRUE(editor->form()->cameraImageViewBack().image);
  EXPECT_EQ(editor->form()->cameraImageViewBack().image->width(), 200);
  QQuickItem* back = item("cameraImageViewBack");
  EXPECT_TRUE(back->property("source").toString().startsWith("image://picture/form/"));
  EXPECT_TRUE(waitFor([&] { return back->property("status").toInt() == 1; }));  // Image.Ready
  // The square picture makes a square view, decoded at the view's size.
  EXPECT_EQ(back->property("height").toDouble(), back->property("width").toDouble());
  EXPECT_NEAR(back->property("implicitWidth").toDouble(), 2 * back->property("width").toDouble(),
              1.0);
  screenshot("picture-placed");
}

TEST_F(EditorScreenTest, DatestampAndSoldLineAppearInTheNotesOnScreen) {
  app->services().defaults.setBool(true, kEnableHistoryLogSettingOn);
  ASSERT_NE(openEditor(), nullptr);
  tapField("notesTextView");
  typeText(window(), "Service due");
  showInForm(item("datestampButton"));
  click(item("datestampButton"));
  const QString notes = fieldText("notesTextView");
  const QString today =
      QString::fromStdString(app->services().formatters.shortDate(app->services().clock.now()));
  EXPECT_EQ(notes, "Service due\n" + today + " :");
  EXPECT_EQ(gui::EditorScreen::create(nullptr, nullptr)->form()->notesTextView().text,
            notes.toStdString());

  // Confirming the sold date writes its history line into the notes the user sees.
  tapField("soldDateTextField");
  click(item("toolbarButton"));
  EXPECT_EQ(fieldText("soldDateTextField"), today);
  EXPECT_EQ(fieldText("notesTextView"), notes + "\n" + today + ":  Watch was marked sold");
}

}  // namespace
}  // namespace tockary::testing
