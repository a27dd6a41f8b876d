#include <QBuffer>

#include "gui/record_screens_support.h"
#include "gui/warranty_card_picture.h"
#include "platform/image/image_codec.h"
#include "support/scoped_environment.h"
#include "warranty_screen_models.h"

namespace tockary::testing {
namespace {

// The Warranties tab driven as a user does: the list, the detail with its zoomable picture and
// its share action, and the one editor page serving the warranty form. The photo gallery opens
// on a Pictures folder of the test's own, which holds a photographed card.
class WarrantyScreensTest : public RecordScreensTest {
 protected:
  void SetUp() override {
    const auto pictures = userFolder("PICTURES", "Pictures");
    ASSERT_TRUE(
        warrantyCardPicture().save(QString::fromStdString((pictures / "card.png").string())));
    RecordScreensTest::SetUp();
  }

  std::shared_ptr<Takuu> addCard(const std::string& watch) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    warrantyCardPicture().save(&buffer, "PNG");
    auto card = context().insertNewObject<Takuu>();
    card->setTakuunKello(watch);
    card->setTakuuKortti(Bytes(png.begin(), png.end()));
    EXPECT_TRUE(context().save().isOk());
    return card;
  }

  std::vector<std::shared_ptr<Takuu>> cards() {
    return context().fetch<Takuu>(Takuu::fetchRequest()).value();
  }

  void openWarranties() {
    click(item("tab_warranties"));
    ASSERT_TRUE(waitFor([&] { return item("warrantiesPage") != nullptr; }));
  }

  QQuickItem* cardRow(const Takuu& card) { return recordRow("warrantyRow_", card); }

  QString text(const QString& objectName) {
    QQuickItem* found = item(objectName);
    return found != nullptr ? found->property("text").toString() : "<none>";
  }

  int depth() { return item("warrantyStack")->property("depth").toInt(); }

  // The zoom of the open card as its screen holds it.
  double zoom() {
    return gui::WarrantyDetail::instance()->screen()->warrantyCardScrollView().zoomScale();
  }

  // The card's picture on the detail page, once it has loaded.
  QQuickItem* shownCard() {
    QQuickItem* image = nullptr;
    waitFor([&] {
      image = item("warrantyCardImage");
      return image != nullptr && image->property("status").toInt() == 1;  // Image.Ready
    });
    return image;
  }

  const ScopedEnvironment config{"XDG_CONFIG_HOME", (dir.path() / "config").string()};
};

TEST_F(WarrantyScreensTest, ACardAddedWithAPictureFromTheGalleryIsListedUnderItsWatch) {
  openWarranties();
  EXPECT_EQ(text("warrantiesTitle"), "Warranties");
  EXPECT_EQ(text("emptyWarrantiesLabel"), "No warranty cards yet. Tap + to add one.");

  click(item("addWarrantyButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  settle();
  EXPECT_EQ(text("editorTitle"), "Add Warranty");
  // Before a picture is chosen the slot shows the card a save without one would store.
  gui::EditorScreen& editor = editorOf("warranty");
  const PictureSlot* slot = editor.form()->pictureSlot("warrantyCardScrollView");
  ASSERT_TRUE(slot != nullptr && slot->image);
  const Image noPicture =
      ImageCodec().decode(AssetCatalog().imageNamed("WCard_nopic.png").value()).value();
  EXPECT_EQ(slot->image->width(), noPicture.width());
  screenshot("editor-before-picture");

  tapField("brandAndModelTextField");
  EXPECT_EQ(toolbarTitle(), "Choose Watch for adding Warranty Card: ");
  EXPECT_EQ(fieldText("brandAndModelTextField"), "Omega Speedmaster");
  scroll(item("wheel_0"), 1);
  EXPECT_EQ(fieldText("brandAndModelTextField"), "Seiko SKX007");
  confirmWheel();

  click(item("warrantyCardScrollView"));
  EXPECT_EQ(text("sheetHeadline"), "Choose Image for Warranty Card");
  pressAction("photoGallery");
  ASSERT_TRUE(waitFor([&] { return item("pictureDialog") != nullptr; }));
  QQuickItem* entry = nullptr;
  ASSERT_TRUE(waitFor([&] { return (entry = item("pictureDialogEntry_card.png")) != nullptr; }));
  click(entry);
  click(item("pictureDialogOpen"));
  EXPECT_EQ(item("pictureDialog"), nullptr);
  slot = editor.form()->pictureSlot("warrantyCardScrollView");
  ASSERT_TRUE(slot->image);
  EXPECT_EQ(slot->image->width(), 600);
  // The slot is as high as the card's aspect makes it.
  QQuickItem* shown = item("warrantyCardScrollView");
  EXPECT_NEAR(shown->height() / shown->width(), 380.0 / 600.0, 0.01);
  screenshot("editor-with-picture");
  saveForm();

  // Back on the list, one screen below the editor.
  EXPECT_EQ(depth(), 1);
  const auto stored = cards();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored.front()->takuunKello(), "Seiko SKX007");
  ASSERT_TRUE(stored.front()->takuuKortti());
  const Bytes png = *stored.front()->takuuKortti();
  EXPECT_EQ(imageFormatOf(png), ImageFormat::Png);
  EXPECT_EQ(ImageCodec().decode(png)->height(), 380);
  QQuickItem* row = cardRow(*stored.front());
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(find(row, "warrantyTitle")->property("text").toString(), "Seiko SKX007");
  EXPECT_EQ(find(row, "warrantySubtitle"), nullptr);
  EXPECT_EQ(item("emptyWarrantiesLabel"), nullptr);
}

TEST_F(WarrantyScreensTest, ACardZoomsBetweenItsFittedSizeAndTwiceItSharesEditsAndIsSwipedAway) {
  const auto card = addCard("Omega Speedmaster");
  const Bytes storedPng = *card->takuuKortti();
  openWarranties();
  QQuickItem* row = cardRow(*card);
  ASSERT_NE(row, nullptr);
  click(row);
  ASSERT_TRUE(waitFor([&] { return item("warrantyDetailPage") != nullptr; }));
  EXPECT_EQ(text("warrantyDetailTitle"), "Warranty Card");
  EXPECT_EQ(text("warrantyLabel"), "Omega Speedmaster");
  QQuickItem* picture = shownCard();
  ASSERT_NE(picture, nullptr);
  QQuickItem* view = item("warrantyCardView");
  const double fittedWidth = view->width();
  const double fittedHeight = fittedWidth * 380 / 600;
  EXPECT_EQ(fittedWidth, window()->width());
  EXPECT_DOUBLE_EQ(picture->width(), fittedWidth);
  EXPECT_DOUBLE_EQ(picture->height(), fittedHeight);
  EXPECT_EQ(zoom(), 1.0);

  // Ctrl with the wheel zooms in a step per notch, up to twice the fitted size and no further.
  scroll(view, -1, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(zoom(), 1.2);
  scroll(view, -6, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 2.0);
  EXPECT_DOUBLE_EQ(picture->width(), 2 * fittedWidth);
  EXPECT_DOUBLE_EQ(picture->height(), 2 * fittedHeight);
  screenshot("zoomed");
  // Zoomed, the picture pans under a drag.
  const double before = view->property("contentX").toDouble();
  dragItem(view, QPoint(-120, 0));
  EXPECT_GT(view->property("contentX").toDouble(), before);
  // And back down to the fitted size, no smaller.
  scroll(view, 8, Qt::ControlModifier);
  EXPECT_EQ(zoom(), 1.0);
  EXPECT_DOUBLE_EQ(picture->width(), fittedWidth);
  EXPECT_DOUBLE_EQ(picture->height(), fittedHeight);
  // Without Ctrl the wheel does not zoom.
  scroll(view, -2);
  EXPECT_EQ(zoom(), 1.0);

  // A double click goes to twice the size and back.
  QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, centreOf(picture));
  settle();
  EXPECT_EQ(zoom(), 2.0);
  EXPECT_DOUBLE_EQ(picture->width(), 2 * fittedWidth);
  QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, centreOf(view));
  settle();
  EXPECT_EQ(zoom(), 1.0);
  EXPECT_DOUBLE_EQ(picture->width(), fittedWidth);

  // Share: the card's PNG first, then its watch; nothing a card is never shared to.
  click(item("shareButton"));
  ASSERT_TRUE(app->presenter().visible());
  EXPECT_EQ(text("sheetHeadline"), "Share");
  EXPECT_EQ(text("sheetMessage"), "Warranty card - Omega Speedmaster.png\nOmega Speedmaster");
  EXPECT_EQ(text("sheetAction_saveToFile"), "Save to File\u2026");
  EXPECT_EQ(text("sheetAction_openWithDefaultApplication"), "Open with Default Application");
  EXPECT_EQ(item("sheetAction_copy"), nullptr);
  EXPECT_EQ(item("sheetAction_print"), nullptr);
  const auto& request = app->presenter().lastShareRequest();
  ASSERT_TRUE(request);
  ASSERT_EQ(request->items.size(), 2u);
  ASSERT_NE(request->items[0].asData(), nullptr);
  EXPECT_EQ(request->items[0].asData()->bytes, storedPng);
  screenshot("share-sheet");
  pressAction("cancel");
  EXPECT_FALSE(app->presenter().visible());

  // Edited without a new picture, the card keeps its own; the user lands on the list.
  click(item("warrantyEditButton"));
  ASSERT_TRUE(waitFor([&] { return item("editorPage") != nullptr; }));
  settle();
  EXPECT_EQ(text("editorTitle"), "Edit Warranty");
  EXPECT_EQ(fieldText("brandAndModelTextField"), "Omega Speedmaster");
  tapField("brandAndModelTextField");
  scroll(item("wheel_0"), 1);
  confirmWheel();
  saveForm();
  EXPECT_EQ(item("warrantyDetailPage"), nullptr);
  EXPECT_NE(item("warrantiesPage"), nullptr);
  EXPECT_EQ(depth(), 1);
  EXPECT_EQ(card->takuunKello(), "Seiko SKX007");
  EXPECT_EQ(card->takuuKortti(), storedPng);
  row = cardRow(*card);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(find(row, "warrantyTitle")->property("text").toString(), "Seiko SKX007");

  // Swiped left, the row offers Delete, which deletes without asking.
  dragItem(row, QPoint(-160, 0));
  settle(400);
  QQuickItem* remove = find(row, "deleteAction");
  ASSERT_NE(remove, nullptr);
  click(remove);
  EXPECT_FALSE(app->presenter().visible());
  EXPECT_TRUE(cards().empty());
  EXPECT_TRUE(waitFor([&] { return item("emptyWarrantiesLabel") != nullptr; }));
}

}  // namespace
}  // namespace tockary::testing
