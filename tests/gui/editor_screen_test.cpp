#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

#include "editor/insert_watch_table_view_controller.h"
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

// The field being edited stands wholly between the top of the form and its wheel.
void expectAboveTheWheel(QQuickItem* field, QQuickItem* form, QQuickItem* panel) {
  ASSERT_NE(field, nullptr);
  ASSERT_NE(form, nullptr);
  ASSERT_NE(panel, nullptr);
  const double top = field->mapToScene(QPointF(0, 0)).y();
  EXPECT_GE(top, form->mapToScene(QPointF(0, 0)).y()) << field->objectName().toStdString();
  EXPECT_LE(top + field->height(), panel->mapToScene(QPointF(0, 0)).y())
      << field->objectName().toStdString();
}

TEST_F(EditorScreenTest, TheMovementTypeWheelDraggedToQuartzStoresQuartz) {
  ASSERT_NE(openEditor(), nullptr);
  screenshot("editor-empty");
  tapField("manufacturerTextField");
  typeText(window(), "Seiko");

  // Opening a catalogue field proposes its first choice, and its wheel takes the keys.
  tapField("movementTypeTextField");
  EXPECT_EQ(toolbarTitle(), "Choose movement type: ");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Automatic");
  EXPECT_TRUE(hasKeys("wheel_0"));
  dragWheelTo("wheel_0", "Quartz");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Quartz");
  screenshot("movement-type-wheel");

  // A second tap keeps the row the wheel was turned to.
  tapField("movementTypeTextField");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Quartz");
  EXPECT_EQ(wheelShows("wheel_0"), "Quartz");
  EXPECT_TRUE(hasKeys("wheel_0"));
  confirmWheel();
  EXPECT_EQ(fieldText("movementTypeTextField"), "Quartz");

  saveForm();
  const auto stored = watches(*app);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->merkki(), "Seiko");
  EXPECT_EQ(stored.front()->koneistotyyppi(), "Quartz");

  const QString row = "row_" + QString::number(stored.front()->objectID().primaryKey);
  ASSERT_TRUE(waitFor([&] { return item(row) != nullptr; })) << row.toStdString();
  EXPECT_EQ(find(item(row), "manufacturerLabel")->property("text").toString(), "Seiko");
  screenshot("collection-after-save");
}

// The year, power reserve and lug width wheels, each dragged to a row and confirmed.
TEST_F(EditorScreenTest, NumberWheelsStoreTheRowsTheyAreDraggedTo) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("yearTextField");
  EXPECT_EQ(toolbarTitle(), "Confirm Year Selection: ");
  const int thisYear =
      app->services().formatters.calendar().localDateTime(app->services().clock.now()).year;
  EXPECT_EQ(wheelShows("wheel_0"), QString::number(thisYear));
  dragWheelTo("wheel_0", "1998");
  EXPECT_EQ(fieldText("yearTextField"), "1998");
  screenshot("year-wheel");
  confirmWheel();
  EXPECT_EQ(fieldText("yearTextField"), "1998");

  tapField("powerResTextField");
  EXPECT_EQ(wheelShows("wheel_0"), "40");
  dragWheelTo("wheel_0", "38");
  EXPECT_EQ(fieldText("powerResTextField"), "38");
  confirmWheel();

  tapField("lugWidthTextField");
  EXPECT_EQ(wheelShows("wheel_0"), "20");
  dragWheelTo("wheel_0", "22");
  confirmWheel();
  EXPECT_EQ(fieldText("lugWidthTextField"), "22");

  saveForm();
  const auto stored = watches(*app);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->vuosimalli(), "1998");
  EXPECT_EQ(stored.front()->powerreserve(), "38");
  EXPECT_EQ(stored.front()->lugivali(), "22");
}

// Three columns of 48 points: whole millimetres, ".", the fraction.
TEST_F(EditorScreenTest, TheDiameterWheelsDraggedTo41Point5Store41Point5) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("caseDiameterTextField");
  EXPECT_EQ(toolbarTitle(), "Confirm case diameter(mm):");
  ASSERT_NE(item("wheel_2"), nullptr);
  EXPECT_EQ(item("wheel_0")->width(), 48);
  expectAboveTheWheel(item("caseDiameterTextField"), item("editorForm"), item("wheelPanel"));
  dragWheelTo("wheel_0", "41");
  EXPECT_EQ(fieldText("caseDiameterTextField"), "41.0");
  dragWheelTo("wheel_2", "5");
  EXPECT_EQ(fieldText("caseDiameterTextField"), "41.5");
  screenshot("diameter-wheel");
  confirmWheel();
  EXPECT_EQ(fieldText("caseDiameterTextField"), "41.5");

  // Confirmed untouched, a wheel stores what it shows.
  tapField("thicknessTextField");
  EXPECT_EQ(wheelShows("wheel_0") + wheelShows("wheel_1") + wheelShows("wheel_2"), "1.0");
  confirmWheel();
  EXPECT_EQ(fieldText("thicknessTextField"), "1");

  saveForm();
  const auto stored = watches(*app);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->halkaisija(), "41.5");
  EXPECT_EQ(stored.front()->paksuus(), "1");
}

// The date wheel opens at today: month, day and year as the locale orders them, months by name,
// only the days the month has. It never covers its field.
TEST_F(EditorScreenTest, TheDateWheelStoresTheDayItIsDraggedTo) {
  ASSERT_NE(openEditor(), nullptr);
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
  expectAboveTheWheel(item("purchaseDateTextField"), item("editorForm"), item("wheelPanel"));

  dragWheelTo("wheel_2", "2023");
  dragWheelTo("wheel_0", "January");
  dragWheelTo("wheel_1", "31");
  EXPECT_EQ(fieldText("purchaseDateTextField"), "1/31/23");
  // February has no 31st: the day column loses its last rows and stands at the 28th.
  dragWheelTo("wheel_0", "February");
  EXPECT_EQ(fieldText("purchaseDateTextField"), "2/28/23");
  EXPECT_EQ(wheelTitles("wheel_1").size(), 28);
  EXPECT_EQ(wheelShows("wheel_1"), "28");
  // Back to a long month by key: the days come back, the day stays.
  pressKey(Qt::Key_Down);
  EXPECT_EQ(fieldText("purchaseDateTextField"), "3/28/23");
  EXPECT_EQ(wheelTitles("wheel_1").size(), 31);
  EXPECT_EQ(wheelShows("wheel_1"), "28");
  dragWheelTo("wheel_1", "15");
  EXPECT_EQ(fieldText("purchaseDateTextField"), "3/15/23");
  screenshot("date-wheel");
  confirmWheel();

  // The lowest date field of the form stays above its wheel too.
  tapField("soldDateTextField");
  expectAboveTheWheel(item("soldDateTextField"), item("editorForm"), item("wheelPanel"));
  screenshot("sold-date-above-its-wheel");
  confirmWheel();

  saveForm();
  const auto stored = watches(*app);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->ostopvm(), app->services().formatters.calendar().dateFrom(2023, 3, 15));
}

// The mouse wheel and the arrow keys turn the column that has the keys by exactly one row;
// Left and Right move the keys to the next column, Tab round the wheel; Return confirms.
TEST_F(EditorScreenTest, TheMouseWheelAndTheArrowKeysTurnAWheelByOneRow) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("movementTypeTextField");
  ASSERT_EQ(wheelShows("wheel_0"), "Automatic");
  scroll(item("wheel_0"), 1);
  EXPECT_EQ(wheelShows("wheel_0"), "Electro-Mechanical");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Electro-Mechanical");
  scroll(item("wheel_0"), 2);
  EXPECT_EQ(fieldText("movementTypeTextField"), "Manual");
  scroll(item("wheel_0"), -1);
  EXPECT_EQ(fieldText("movementTypeTextField"), "Kinetic");
  pressKey(Qt::Key_Down);
  EXPECT_EQ(wheelShows("wheel_0"), "Manual");
  EXPECT_EQ(fieldText("movementTypeTextField"), "Manual");
  pressKey(Qt::Key_Up);
  pressKey(Qt::Key_Up);
  EXPECT_EQ(fieldText("movementTypeTextField"), "Electro-Mechanical");
  screenshot("turned-by-keys");
  pressKey(Qt::Key_Return);
  EXPECT_EQ(item("wheelPanel"), nullptr);
  EXPECT_EQ(fieldText("movementTypeTextField"), "Electro-Mechanical");

  tapField("caseDiameterTextField");
  EXPECT_TRUE(hasKeys("wheel_0"));
  pressKey(Qt::Key_Down);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "2.0");
  pressKey(Qt::Key_Right);
  EXPECT_TRUE(hasKeys("wheel_1"));
  pressKey(Qt::Key_Down);  // the separator has one row
  pressKey(Qt::Key_Right);
  EXPECT_TRUE(hasKeys("wheel_2"));
  pressKey(Qt::Key_Down);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "2.1");
  pressKey(Qt::Key_Right);  // the last column keeps the keys
  EXPECT_TRUE(hasKeys("wheel_2"));
  pressKey(Qt::Key_Tab);  // round to the first
  EXPECT_TRUE(hasKeys("wheel_0"));
  pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(hasKeys("wheel_2"));
  pressKey(Qt::Key_Left);
  pressKey(Qt::Key_Left);
  pressKey(Qt::Key_Left);
  EXPECT_TRUE(hasKeys("wheel_0"));
  pressKey(Qt::Key_Up);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "1.1");
  // The mouse wheel turns the column under the pointer, which takes the keys.
  scroll(item("wheel_2"), 1);
  EXPECT_TRUE(hasKeys("wheel_2"));
  EXPECT_EQ(fieldText("caseDiameterTextField"), "1.2");
  pressKey(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(item("wheelPanel"), nullptr);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "1.2");
}

// A flick coasts on after the hand lets go; the field follows to the row the wheel stops at.
TEST_F(EditorScreenTest, AFlickedWheelReportsTheRowItStopsAt) {
  ASSERT_NE(openEditor(), nullptr);
  tapField("yearTextField");
  QQuickItem* wheel = item("wheel_0");
  ASSERT_NE(wheel, nullptr);
  const int start = wheelRow("wheel_0");
  const double rowHeight = wheel->height() / 5;
  const int stroke = static_cast<int>(3 * rowHeight);
  flick(centreOf(wheel) + QPoint(0, stroke / 2), QPoint(0, -stroke));
  ASSERT_TRUE(waitFor([&] { return !wheel->property("moving").toBool(); }));
  settle();
  const int stopped = wheelRow("wheel_0");
  EXPECT_GT(stopped - start, 3) << "the wheel did not coast";
  EXPECT_EQ(fieldText("yearTextField"), wheelShows("wheel_0"));
  const QString year = wheelShows("wheel_0");
  screenshot("after-flick");
  confirmWheel();
  EXPECT_EQ(fieldText("yearTextField"), year);
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

TEST_F(EditorScreenTest, EditModeShowsTheWatchAndSavingChangesIt) {
  auto watch = app->services().context().insertNewObject<Kello>();
  watch->setMerkki("Omega");
  watch->setMalli("Speedmaster");
  watch->setMyyntiliike("");
  watch->setOstohinta(1200.5);
  watch->setHalkaisija("42");
  ASSERT_TRUE(app->services().context().save().isOk());

  ASSERT_NE(openEditor(*watch), nullptr);
  EXPECT_EQ(item("editorTitle")->property("text").toString(), "Edit Watch Details");
  EXPECT_EQ(fieldText("manufacturerTextField"), "Omega");
  EXPECT_EQ(fieldText("priceTextField"), "1200.5");
  screenshot("editor-edit");

  tapField("modelTextField");
  pressKey(Qt::Key_End);
  typeText(window(), " Pro");
  // The stored measure opens its wheels at itself: turning the fraction keeps the 42.
  tapField("caseDiameterTextField");
  EXPECT_EQ(wheelShows("wheel_0"), "42");
  scroll(item("wheel_2"), 3);
  EXPECT_EQ(fieldText("caseDiameterTextField"), "42.3");
  confirmWheel();
  saveForm();
  EXPECT_EQ(watch->malli(), "Speedmaster Pro");
  EXPECT_EQ(watch->halkaisija(), "42.3");
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
  EXPECT_EQ(watchEditor().form()->text("priceTextField"), "12005");
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
  gui::EditorScreen* editor = &watchEditor();
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
  ASSERT_TRUE(editor->form()->pictureSlot("cameraImageViewBack")->image);
  EXPECT_EQ(editor->form()->pictureSlot("cameraImageViewBack")->image->width(), 200);
  QQuickItem* back = item("cameraImageViewBack");
  EXPECT_TRUE(back->property("source").toString().startsWith("image://picture/form-watch/"));
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
  EXPECT_EQ(watchEditor().form()->text("notesTextView"), notes.toStdString());

  // Confirming the sold date writes its history line into the notes the user sees.
  tapField("soldDateTextField");
  click(item("toolbarButton"));
  EXPECT_EQ(fieldText("soldDateTextField"), today);
  EXPECT_EQ(fieldText("notesTextView"), notes + "\n" + today + ":  Watch was marked sold");
}

}  // namespace
}  // namespace tockary::testing
