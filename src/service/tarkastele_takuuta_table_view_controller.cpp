#include "service/tarkastele_takuuta_table_view_controller.h"

#include "platform/ui/diagnostics.h"
#include "service/warranty_form.h"
#include "store/records.h"
#include "store/share_rules.h"
#include "store/watch_pictures.h"

namespace tockary {

TarkasteleTakuutaTableViewController::TarkasteleTakuutaTableViewController(AppServices& services,
                                                                           ObjectID takuuID)
    : services_(services), takuuID_(std::move(takuuID)) {}

void TarkasteleTakuutaTableViewController::viewDidLoad() {
  const auto card = services_.context().existingObject<Takuu>(takuuID_);
  found_ = card != nullptr;
  tempBrandAndModel = card ? card->takuunKello() : std::nullopt;
  stored_ = card ? card->takuuKortti() : std::nullopt;
  brandAndModelLabel_ = tempBrandAndModel.value_or("");
  std::optional<Image> shown;
  if (stored_) {
    auto decoded = codec_.decode(*stored_);
    if (decoded) {
      shown = std::move(decoded).value();
    } else {
      diagnostic("Warranty card picture not shown: " + decoded.status().description());
    }
  }
  preferredContentHeight_ += scrollView_.place(std::move(shown));
}

PictureHandle TarkasteleTakuutaTableViewController::warrantyCardPicture() const {
  return scrollView_.hasPicture() ? tockary::warrantyCardPicture(takuuID_) : PictureHandle();
}

std::string TarkasteleTakuutaTableViewController::warrantyCardText() const {
  if (!stored_) return "No picture";
  const std::string bytes = std::to_string(stored_->size()) + " bytes";
  if (!scrollView_.hasPicture()) return "A picture that cannot be shown, " + bytes;
  const Image& image = *scrollView_.image();
  const auto format = imageFormatOf(*stored_);
  const std::string kind = format == ImageFormat::Png ? "PNG" : "JPEG";
  return kind + " picture, " + std::to_string(image.width()) + " x " +
         std::to_string(image.height()) + " pixels, " + bytes;
}

std::string TarkasteleTakuutaTableViewController::sharedFileName() const {
  std::string stem(kSharedFileNamePrefix);
  if (!brandAndModelLabel_.empty()) stem += " - " + brandAndModelLabel_;
  return fileNameFromText(stem, ".png");
}

void TarkasteleTakuutaTableViewController::shareWarranty() {
  if (!scrollView_.hasPicture() || !stored_) return;
  Bytes png;
  if (imageFormatOf(*stored_) == ImageFormat::Png) {
    png = *stored_;
  } else {
    auto encoded = codec_.encodePng(*scrollView_.image());
    if (!encoded) {
      diagnostic("Warranty card not shared: " + encoded.status().description());
      return;
    }
    png = std::move(encoded).value();
  }
  ShareRequest request;
  request.items.push_back(
      ShareItem::data(std::move(png), sharedFileName(), std::string(kSharedMimeType)));
  request.items.push_back(ShareItem::text(brandAndModelLabel_));
  request.excludedActivityTypes.assign(kExcludedShareActivities.begin(),
                                       kExcludedShareActivities.end());
  services_.presenter.share(std::move(request));
}

void TarkasteleTakuutaTableViewController::editSelectedWarranty() {
  services_.presenter.push(ScreenRequest{std::string(kWarrantyEditorScreen),
                                         takuuID_.text(),
                                         {{"tempEditTitleMuutos", std::string(kEditTitle)}}});
}

}  // namespace tockary
