#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/editor_form.h"
#include "forms/form_field.h"
#include "forms/watch_label_picker.h"
#include "platform/assets/asset_catalog.h"
#include "platform/image/image_codec.h"
#include "platform/status.h"
#include "platform/store/object_store.h"
#include "platform/ui/presenter.h"
#include "service/warranty_card_view.h"
#include "store/app_services.h"

namespace tockary {

// The form through which a warranty card is added (insert mode) or changed (edit mode): the
// watch, from the wheel of watch labels, and a picture of the card. Its fields are the
// descriptors of warrantyFormFields(), named by their outlets. It reads the watches when it loads
// and writes the store only in saveNewWarranty().
class InsertWarrantyTableViewController : public EditorForm {
 public:
  static constexpr std::string_view kInsertTitle = "Add Warranty";
  static constexpr std::string_view kEmptyCollectionPlaceholder =
      WatchLabelPicker::kEmptyCollectionPlaceholder;
  static constexpr std::string_view kImageChoiceTitle = "Choose Image for Warranty Card";

  // `services` (and `assets`) must outlive the screen; without `assets` the app's own catalogue
  // is used.
  explicit InsertWarrantyTableViewController(AppServices& services);
  InsertWarrantyTableViewController(AppServices& services, const AssetCatalog& assets);
  ~InsertWarrantyTableViewController() override;
  InsertWarrantyTableViewController(const InsertWarrantyTableViewController&) = delete;
  InsertWarrantyTableViewController& operator=(const InsertWarrantyTableViewController&) = delete;

  // What the opener chooses before the screen loads: insert mode (the default), or edit mode
  // with the card and the title the detail screen hands over.
  void openForInsert();
  void openForEdit(ObjectID takuuID, std::string title);

  // Fills the form from the card in edit mode (an unknown card leaves it empty; a stored picture
  // that does not decode is not shown, and stays stored unless another is chosen) and lists the
  // labels of every watch, sold ones included, in store order.
  void viewDidLoad() override;

  // --- The form.
  static std::span<const FieldDescriptor> formFields();
  std::span<const FieldDescriptor> fields() const override { return formFields(); }
  const std::string& title() const override { return title_; }
  bool isEditMode() const override { return editingWarranty_; }
  // The text a field shows; empty for a name that is no text field of the form.
  const std::string& text(std::string_view outlet) const override;
  const std::vector<std::string>& kelloPickerData() const { return kelloPicker_.labels(); }
  // The label the watch picker last proposed.
  const std::string& kelloComponent() const { return kelloPicker_.component(); }
  // The card's picture as the form shows it: the stored one in edit mode, or the one chosen.
  const WarrantyCardScrollView& warrantyCardScrollView() const { return scrollView_; }
  WarrantyCardScrollView& warrantyCardScrollView() { return scrollView_; }
  double preferredContentHeight() const { return preferredContentHeight_; }
  // The card's picture slot: what warrantyCardScrollView() shows, or, in insert mode before a
  // picture is chosen, the "WCard_nopic.png" picture that a save would store. nullptr for another
  // outlet.
  const PictureSlot* pictureSlot(std::string_view outlet) const override;
  // A tap on the card's picture: touchForPhoto().
  void tapPicture(std::string_view outlet) override;
  // Why the last picked picture was not used; nullopt after a picture was placed.
  const std::optional<std::string>& pictureError() const override { return pictureError_; }
  // Whether a picture was chosen since the form opened (only then does an edit replace it).
  bool pictureChosen() const { return pictureChosen_; }

  // --- Editing a field as the user does.
  // The watch field opens its picker on its own label when the picker offers it, else on the
  // first label (or the placeholder of an empty collection), which the field then shows.
  void textFieldDidBeginEditing(std::string_view outlet) override;
  // The outlet of the field being edited, empty when none is.
  std::string_view editedField() const override;
  // The watch picker with its toolbar button's title while the watch field is edited.
  std::optional<Wheel> shownWheel() const override;
  // The watch picker's selection callback; false for a row or column it does not show (always
  // for an empty collection).
  bool pickerViewDidSelectRow(int row, int component) override;
  // The toolbar button above the shown picker; false when none is shown.
  bool pressToolbarButton() override;
  // Hides the watch picker and ends editing of the watch field.
  void doneWatchPicker();
  void endEditing() override;
  // The screen filters no field's changes: always true.
  bool shouldChangeCharacters(std::string_view outlet, std::string_view replacement) const override;
  // No field of the form is typed: always false, nothing changes.
  bool replaceText(std::string_view outlet, std::size_t location, std::size_t length,
                   std::string_view replacement) override;

  // --- The picture: both open the "Choose Image for Warranty Card" sheet. "Camera" asks the
  // camera when there is one and does nothing otherwise; "Photo Gallery" asks the photo library.
  // The picked picture, as it comes, becomes the card's; one that cannot be decoded (or a pick
  // the picker refused) leaves the form as it was and sets pictureError().
  void touchForPhoto();
  void newPhoto();

  // --- Filling a field from outside as its own control would: the watch by a label the picker
  // offers or by a watch's id ("Kello/3"), empty for none. The picture is chosen through
  // touchForPhoto(), not typed. A value the control cannot produce changes nothing and is an
  // error naming the value and what is accepted.
  Status enterValue(std::string_view outlet, std::string_view value) override;
  // What a field accepts, in words.
  std::string acceptedValues(std::string_view outlet) const override;

  // Writes the form into a new card (an empty watch field stores "----------"; the picture is
  // the chosen one as PNG or else the "WCard_nopic.png" picture) or into the edited one (the watch
  // text as it stands; the picture only when one was chosen, as PNG), saves and closes the
  // screen: one screen back after an insert, two after an edit. A failed save is not shown to the
  // user, only returned; a busy store saves nothing, shows the busy alert, keeps the screen and
  // returns the status. Returns the card's id.
  Result<ObjectID> saveNewWarranty();
  Result<ObjectID> save() override { return saveNewWarranty(); }

 private:
  int indexOf(std::string_view outlet) const;
  void presentImageChoice();
  void pictureChosen(PickedImage picked);
  // The PNG bytes to store for the picture, or nullopt to leave the stored one.
  Result<std::optional<Bytes>> pictureToStore() const;

  AppServices& services_;
  std::optional<AssetCatalog> ownAssets_;
  const AssetCatalog& assets_;
  ImageCodec codec_;

  // The opener's hand-over.
  bool editingWarranty_ = false;
  ObjectID takuuID_;
  std::string tempEditTitleMuutos;
  std::optional<std::string> tempEditBrandAndModel;
  std::optional<Bytes> tempEditWarrantyCardPicture;

  std::string title_{kInsertTitle};
  std::string brandAndModelTextField_;
  WatchLabelPicker kelloPicker_;
  bool editingWatch_ = false;
  WarrantyCardScrollView scrollView_;
  // What an insert shows before a picture is chosen.
  PictureSlot noPictureView_;
  double preferredContentHeight_ = 0;
  bool pictureChosen_ = false;
  std::optional<std::string> pictureError_;
  // Sheet and picker callbacks check this, so a late answer after the screen closed is dropped.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tockary
