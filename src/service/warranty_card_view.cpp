#include "service/warranty_card_view.h"

#include <algorithm>
#include <cmath>

namespace tockary {

double WarrantyCardScrollView::setZoomScale(double scale) {
  // NaN would pass both comparisons of a clamp.
  if (std::isnan(scale)) return zoomScale_;
  zoomScale_ = std::clamp(scale, kMinimumZoomScale, kMaximumZoomScale);
  return zoomScale_;
}

double WarrantyCardScrollView::toggleZoomScale() {
  return setZoomScale(zoomScale_ > kMinimumZoomScale ? kMinimumZoomScale : kMaximumZoomScale);
}

double WarrantyCardScrollView::place(std::optional<Image> image, double containerWidth) {
  const double before = imageView_.height;
  if (image && !image->isEmpty()) {
    imageView_.width = containerWidth;
    imageView_.height = containerWidth * image->height() / image->width();
    imageView_.image = std::move(image);
  } else {
    imageView_ = {};
  }
  zoomScale_ = kMinimumZoomScale;
  return imageView_.height - before;
}

}  // namespace tockary
