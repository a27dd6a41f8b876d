#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "service/insert_warranty_table_view_controller.h"
#include "service/service_fixture.h"

namespace tockary::testing {
namespace {

constexpr std::string_view kWatch = "brandAndModelTextField";

class WarrantyEditorTest : public ServiceTest {
 protected:
  std::unique_ptr<InsertWarrantyTableViewController> openInsert() {
    auto editor = std::make_unique<InsertWarrantyTableViewController>(services);
    editor->openForInsert();
    editor->viewDidLoad();
    return editor;
  }
  std::unique_ptr<InsertWarrantyTableViewController> openEdit(const ObjectID& id) {
    auto editor = std::make_unique<InsertWarrantyTableViewController>(services);
    editor->openForEdit(id, "Edit Warranty");
    editor->viewDidLoad();
    return editor;
  }
  struct Stored {
    std::optional<std::string> watch;
    std::optional<Bytes> picture;
  };
  Stored stored(const ObjectID& id) {
    AppDelegate reopened(dir.path(), StoreOptions{std::chrono::milliseconds(50)});
    auto record = reopened.viewContext().existingObject<Takuu>(id);
    if (!record) return {};
    return {record->takuunKello(), record->takuuKortti()};
  }
  int pops() const {
    int count = 0;
    for (const auto& event : presenter.events())
      if (const auto* pop = std::get_if<RecordingPresenter::Pop>(&event)) count += pop->count;
    return count;
  }
  // Chooses a picture from the gallery as the user does.
  void choose(InsertWarrantyTableViewController& editor, PickedImage picked) {
    editor.touchForPhoto();
    ASSERT_TRUE(presenter.press("photoGallery"));
    ASSERT_TRUE(presenter.answerImagePick(std::move(picked)));
  }
  static Bytes noPicture() { return AssetCatalog().imageNamed("WCard_nopic.png").value(); }
};

TEST_F(WarrantyEditorTest, ACardWithoutPictureStoresTheNoPicturePngUnderTheChosenWatch) {
  watch("Seiko", "SKX007");
  watch("Omega", "Speedmaster");
  auto editor = openInsert();
  EXPECT_EQ(editor->title(), "Add Warranty");
  EXPECT_FALSE(editor->warrantyCardScrollView().hasPicture());
  editor->textFieldDidBeginEditing(kWatch);
  const auto wheel = editor->shownWheel();
  ASSERT_TRUE(wheel);
  EXPECT_EQ(wheel->toolbarTitle, "Choose Watch for adding Warranty Card: ");
  EXPECT_EQ(wheel->columns[0].titles,
            (std::vector<std::string>{"Seiko SKX007", "Omega Speedmaster"}));
  EXPECT_TRUE(editor->pickerViewDidSelectRow(1, 0));
  ASSERT_TRUE(editor->pressToolbarButton());
  EXPECT_EQ(editor->editedField(), "");
  const auto id = editor->saveNewWarranty();
  ASSERT_TRUE(id);
  EXPECT_EQ(pops(), 1);
  const Stored saved = stored(*id);
  EXPECT_EQ(saved.watch, "Omega Speedmaster");
  EXPECT_EQ(saved.picture, noPicture());
}

TEST_F(WarrantyEditorTest, AnEmptyWatchFieldStoresTenHyphensOnInsertAndNothingOnEdit) {
  auto editor = openInsert();
  EXPECT_EQ(editor->text(kWatch), "");
  const auto id = editor->saveNewWarranty();
  ASSERT_TRUE(id);
  EXPECT_EQ(stored(*id).watch, "----------");

  watch("Seiko", "SKX007");
  presenter.clear();
  auto edit = openEdit(*id);
  EXPECT_EQ(edit->title(), "Edit Warranty");
  EXPECT_TRUE(edit->isEditMode());
  EXPECT_EQ(edit->text(kWatch), "----------");
  ASSERT_TRUE(edit->enterValue(kWatch, "").isOk());
  ASSERT_TRUE(edit->saveNewWarranty());
  EXPECT_EQ(pops(), 2);  // past the detail, to the list
  EXPECT_EQ(stored(*id).watch, "");
}

TEST_F(WarrantyEditorTest, OpeningTheWatchFieldProposesTheFirstLabelUnlessItShowsAnOfferedOne) {
  watch("Seiko", "SKX007");
  watch("Omega", "", "Sold to a friend");
  auto renamed = card("Rolex Submariner", png(2, 2));  // a label no watch has any more
  auto edit = openEdit(renamed->objectID());
  EXPECT_EQ(edit->text(kWatch), "Rolex Submariner");
  edit->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(edit->text(kWatch), "Seiko SKX007");
  EXPECT_EQ(edit->kelloComponent(), "Seiko SKX007");

  auto omega = card("Omega", png(2, 2));
  auto kept = openEdit(omega->objectID());
  kept->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(kept->text(kWatch), "Omega");
  EXPECT_EQ(kept->shownWheel()->columns[0].selected, 1);
}

TEST_F(WarrantyEditorTest, AnEmptyCollectionOffersThePlaceholderWhichIsSaved) {
  auto editor = openInsert();
  editor->textFieldDidBeginEditing(kWatch);
  EXPECT_EQ(editor->text(kWatch), "Placeholder(Watch collection is empty)");
  EXPECT_FALSE(editor->pickerViewDidSelectRow(0, 0));
  ASSERT_TRUE(editor->pressToolbarButton());
  const auto id = editor->saveNewWarranty();
  ASSERT_TRUE(id);
  EXPECT_EQ(stored(*id).watch, "Placeholder(Watch collection is empty)");
}

TEST_F(WarrantyEditorTest, ThePictureSheetOffersCameraOnlyWhenThereIsOne) {
  auto editor = openInsert();
  editor->newPhoto();
  const Sheet* sheet = presenter.lastSheet();
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->title, "Choose Image for Warranty Card");
  ASSERT_EQ(sheet->actions.size(), 3u);
  EXPECT_EQ(sheet->actions[0].identity, "camera");
  EXPECT_EQ(sheet->actions[0].title, "Camera");
  EXPECT_EQ(sheet->actions[1].identity, "photoGallery");
  EXPECT_EQ(sheet->actions[1].title, "Photo Gallery");
  EXPECT_EQ(sheet->actions[2].title, "Cancel");
  EXPECT_EQ(sheet->actions[2].style, ActionStyle::Cancel);
  ASSERT_TRUE(presenter.press("camera"));
  ASSERT_TRUE(presenter.imagePickPending());
  EXPECT_EQ(std::get<RecordingPresenter::ImagePick>(presenter.events().back()).source,
            ImageSource::Camera);
  ASSERT_TRUE(presenter.answerImagePick(std::nullopt));  // cancelled
  EXPECT_FALSE(editor->warrantyCardScrollView().hasPicture());

  presenter.clear();
  presenter.setCameraAvailable(false);
  editor->touchForPhoto();
  ASSERT_TRUE(presenter.press("camera"));
  EXPECT_FALSE(presenter.imagePickPending());
  EXPECT_EQ(presenter.events().size(), 1u);  // the sheet only: no message
}

TEST_F(WarrantyEditorTest, AJpegPickedIsStoredAsPngAndAnUndecodablePickIsRefused) {
  auto editor = openInsert();
  choose(*editor, PickedImage(Bytes{'t', 'e', 'x', 't'}));
  ASSERT_TRUE(editor->pictureError());
  EXPECT_EQ(editor->pictureError()->rfind("The picture cannot be used: ", 0), 0u);
  EXPECT_FALSE(editor->warrantyCardScrollView().hasPicture());
  choose(*editor, PickedImage(Status::error("is a directory")));
  EXPECT_EQ(*editor->pictureError(), "is a directory");

  choose(*editor, PickedImage(jpeg(40, 20)));
  EXPECT_FALSE(editor->pictureError());
  EXPECT_EQ(editor->warrantyCardScrollView().imageViewHeight(), 171.5);
  EXPECT_EQ(editor->preferredContentHeight(), 44.0 + 171.5);
  // The compression preference is for watch pictures only.
  defaults.setBool(true, "compressWatchImagesSettingOn");
  const auto id = editor->saveNewWarranty();
  ASSERT_TRUE(id);
  const auto picture = stored(*id).picture;
  ASSERT_TRUE(picture);
  EXPECT_EQ(imageFormatOf(*picture), ImageFormat::Png);
  const auto decoded = ImageCodec().decode(*picture);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->width(), 40);  // as picked, not cropped
  EXPECT_EQ(decoded->height(), 20);
}

TEST_F(WarrantyEditorTest, EditingWithoutANewPictureKeepsTheStoredBytes) {
  watch("Seiko", "SKX007");
  // JPEG bytes, and bytes that do not decode: neither is touched by an edit of the watch.
  const Bytes photo = jpeg(30, 10);
  const Bytes broken{'b', 'r', 'o', 'k', 'e', 'n'};
  for (const Bytes& kept : {photo, broken}) {
    auto record = card("----------", kept);
    auto edit = openEdit(record->objectID());
    EXPECT_EQ(edit->warrantyCardScrollView().hasPicture(), kept == photo);
    ASSERT_TRUE(edit->enterValue(kWatch, "Seiko SKX007").isOk());
    ASSERT_TRUE(edit->saveNewWarranty());
    const Stored saved = stored(record->objectID());
    EXPECT_EQ(saved.watch, "Seiko SKX007");
    EXPECT_EQ(saved.picture, kept);
  }

  auto record = card("Seiko SKX007", photo);
  auto edit = openEdit(record->objectID());
  choose(*edit, PickedImage(png(6, 6)));
  ASSERT_TRUE(edit->saveNewWarranty());
  EXPECT_EQ(stored(record->objectID()).picture, png(6, 6));
}

TEST_F(WarrantyEditorTest, WatchByLabelOrIdAndThePictureIsNotTyped) {
  auto seiko = watch("Seiko", "SKX007");
  auto editor = openInsert();
  ASSERT_TRUE(editor->enterValue(kWatch, seiko->objectID().text()).isOk());
  EXPECT_EQ(editor->text(kWatch), "Seiko SKX007");
  EXPECT_EQ(editor->enterValue(kWatch, "Rolex").description(),
            "\"Rolex\" is refused; accepted: a watch label the picker offers (\"Seiko SKX007\"), "
            "the id of one of these watches such as Kello/1, or \"\" for none");
  EXPECT_FALSE(editor->enterValue("warrantyCardScrollView", "card.png").isOk());
  EXPECT_EQ(editor->acceptedValues("warrantyCardScrollView"), "a PNG or JPEG picture");
  EXPECT_FALSE(editor->replaceText(kWatch, 0, 0, "typed"));
  EXPECT_EQ(editor->text(kWatch), "Seiko SKX007");
  const auto fields = InsertWarrantyTableViewController::formFields();
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0].option, "watch");
  EXPECT_EQ(fields[1].option, "picture");
  EXPECT_EQ(fields[1].kind, FieldKind::Picture);
}

TEST_F(WarrantyEditorTest, ABusyStoreKeepsTheFormAndAGoneCardReturnsToTheList) {
  auto editor = openInsert();
  choose(*editor, PickedImage(png(4, 4)));
  lockStore();
  const auto busy = editor->saveNewWarranty();
  EXPECT_FALSE(busy);
  EXPECT_EQ(pops(), 0);
  ASSERT_NE(presenter.lastSheet(), nullptr);
  EXPECT_EQ(presenter.lastSheet()->title, "Collection busy");
  unlockStore();
  const auto id = editor->saveNewWarranty();
  ASSERT_TRUE(id);
  EXPECT_EQ(pops(), 1);
  EXPECT_EQ(stored(*id).picture, png(4, 4));

  auto record = card("A", std::nullopt);
  auto edit = openEdit(record->objectID());
  context().deleteObject(record);
  ASSERT_TRUE(context().save().isOk());
  presenter.clear();
  EXPECT_FALSE(edit->saveNewWarranty());
  EXPECT_EQ(pops(), 2);
}

TEST_F(WarrantyEditorTest, AsAnEditorFormItsPictureSlotShowsWhatASaveWouldStore) {
  const Image noPictureImage = ImageCodec().decode(noPicture()).value();
  auto insert = openInsert();
  EditorForm& form = *insert;
  EXPECT_EQ(form.fields().size(), 2u);
  EXPECT_EQ(form.pictureSlot("brandAndModelTextField"), nullptr);
  // Before a picture is chosen the slot shows the picture an insert stores without one.
  const PictureSlot* slot = form.pictureSlot("warrantyCardScrollView");
  ASSERT_NE(slot, nullptr);
  ASSERT_TRUE(slot->image);
  EXPECT_EQ(slot->image->width(), noPictureImage.width());
  EXPECT_EQ(slot->height / slot->width,
            static_cast<double>(noPictureImage.height()) / noPictureImage.width());
  EXPECT_FALSE(insert->warrantyCardScrollView().hasPicture());

  // A tap on the slot is the picture choice; a refused pick shows its reason through the form.
  form.tapPicture("warrantyCardScrollView");
  ASSERT_NE(presenter.lastSheet(), nullptr);
  EXPECT_EQ(presenter.lastSheet()->title, "Choose Image for Warranty Card");
  ASSERT_TRUE(presenter.press("photoGallery"));
  ASSERT_TRUE(presenter.answerImagePick(PickedImage(Status::error("is a directory"))));
  EXPECT_EQ(form.pictureError(), "is a directory");
  choose(*insert, PickedImage(png(20, 10)));
  slot = form.pictureSlot("warrantyCardScrollView");
  ASSERT_TRUE(slot->image);
  EXPECT_EQ(slot->image->width(), 20);
  EXPECT_EQ(slot->height, 171.5);
  const auto id = form.save();
  ASSERT_TRUE(id);
  EXPECT_EQ(pops(), 1);
  EXPECT_EQ(stored(*id).picture, png(20, 10));

  // In edit mode the slot shows the stored picture, and nothing when it does not decode.
  auto edit = openEdit(*id);
  ASSERT_TRUE(edit->pictureSlot("warrantyCardScrollView")->image);
  EXPECT_EQ(edit->pictureSlot("warrantyCardScrollView")->image->height(), 10);
  auto broken = openEdit(card("Omega", Bytes{'x'})->objectID());
  EXPECT_FALSE(broken->pictureSlot("warrantyCardScrollView")->image);
}

}  // namespace
}  // namespace tockary::testing
