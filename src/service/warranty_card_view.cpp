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

double WarrantyCardScrollView::place(std::optional<Image> image, double containerWidth) {
  const double before = height_;
  if (image && !image->isEmpty()) {
    width_ = containerWidth;
    height_ = containerWidth * image->height() / image->width();
    image_ = std::move(image);
  } else {
    width_ = height_ = 0;
    image_.reset();
  }
  zoomScale_ = kMinimumZoomScale;
  return height_ - before;
}

}  // namespace tockary
