#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/image/image_codec.h"
#include "platform/store/object_store.h"
#include "platform/ui/picture_handle.h"
#include "service/warranty_card_view.h"
#include "store/app_services.h"

namespace tockary {

// The detail of one warranty card: its watch label and its picture, zoomable, with a share
// action and an edit action.
class TarkasteleTakuutaTableViewController {
 public:
  static constexpr std::string_view kEditTitle = "Edit Warranty";
  // The title of the action that runs shareWarranty().
  static constexpr std::string_view kShareTitle = "Share";
  static constexpr std::string_view kSharedFileNamePrefix = "Warranty card";
  static constexpr std::string_view kSharedMimeType = "image/png";

  // `services` must outlive the screen. Nothing is read until viewDidLoad().
  TarkasteleTakuutaTableViewController(AppServices& services, ObjectID takuuID);

  // Reads the card: the label shows its watch label (empty when absent), the picture view the
  // picture decoded from its stored bytes. A card that cannot be found shows neither (found() is
  // false); a picture that does not decode is not shown.
  void viewDidLoad();

  bool found() const { return found_; }
  const ObjectID& takuuID() const { return takuuID_; }
  const std::string& brandAndModelLabel() const { return brandAndModelLabel_; }
  WarrantyCardScrollView& warrantyCardScrollView() { return scrollView_; }
  const WarrantyCardScrollView& warrantyCardScrollView() const { return scrollView_; }
  double preferredContentHeight() const { return preferredContentHeight_; }
  // The shown picture for front ends; empty when none is shown.
  PictureHandle warrantyCardPicture() const;
  // How many bytes the card's stored picture has; 0 without one.
  std::size_t warrantyCardByteCount() const { return stored_ ? stored_->size() : 0; }
  // The picture in words, for a front end that shows no pictures: its size in pixels and bytes,
  // or why there is none to show.
  std::string warrantyCardText() const;

  // The share sheet on the picture's PNG bytes, named after the label ("Warranty card - Omega
  // Speedmaster.png"), then the label's text, without the activities a card is never shared to.
  // Nothing happens when no picture is shown or it cannot be encoded.
  void shareWarranty();
  // The file name the shared picture travels under.
  std::string sharedFileName() const;

  // Opens the editor on this card with the title "Edit Warranty".
  void editSelectedWarranty();

  // The display values as copied from the card.
  std::optional<std::string> tempBrandAndModel;

 private:
  AppServices& services_;
  ObjectID takuuID_;
  ImageCodec codec_;
  bool found_ = false;
  std::string brandAndModelLabel_;
  std::optional<Bytes> stored_;
  WarrantyCardScrollView scrollView_;
  double preferredContentHeight_ = 0;
};

}  // namespace tockary
