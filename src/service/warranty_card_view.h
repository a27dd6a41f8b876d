#pragma once

#include <optional>

#include "forms/editor_form.h"
#include "platform/image/image_codec.h"

namespace tockary {

// The zoomable picture of a warranty card (warrantyCardScrollView with its image view), as the
// detail and the editor show it. The image view is as wide as its container and as high as the
// picture's aspect ratio makes it; the scroll view's content is the image view's frame, and its
// zoom stays between the fitted size and twice that.
class WarrantyCardScrollView {
 public:
  static constexpr double kMinimumZoomScale = 1.0;
  static constexpr double kMaximumZoomScale = 2.0;
  // The width of the phone form's content, the container until a front end lays it out.
  static constexpr double kContainerWidth = 343.0;

  double minimumZoomScale() const { return kMinimumZoomScale; }
  double maximumZoomScale() const { return kMaximumZoomScale; }
  double zoomScale() const { return zoomScale_; }
  // The pinch or the wheel: `scale` clamped to the two limits. Returns the scale set.
  double setZoomScale(double scale);
  // The double tap: back to the fitted size from any zoom above it, else twice the fitted size.
  // Returns the scale set.
  double toggleZoomScale();

  // Shows `image` fitted to `containerWidth` at zoom 1.0; nullopt or an empty image shows none.
  // Returns by how much the image view's height changed, for the screen's preferred height.
  double place(std::optional<Image> image, double containerWidth = kContainerWidth);

  const std::optional<Image>& image() const { return imageView_.image; }
  bool hasPicture() const { return imageView_.image.has_value(); }
  // The image view's frame, which is also the scroll view's content size (zoom 1.0).
  double imageViewWidth() const { return imageView_.width; }
  double imageViewHeight() const { return imageView_.height; }
  // The image view as a form's picture slot.
  const PictureSlot& imageView() const { return imageView_; }

 private:
  PictureSlot imageView_;
  double zoomScale_ = kMinimumZoomScale;
};

}  // namespace tockary
