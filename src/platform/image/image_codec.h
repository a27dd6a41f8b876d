#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/date.h"
#include "platform/status.h"

namespace tockary {

enum class ImageFormat { Png, Jpeg };

// The format that encoded bytes announce in their first bytes; nullopt for anything else.
std::optional<ImageFormat> imageFormatOf(const Bytes& bytes);

// A refusal in the codec's words, "The picture cannot be used: " + why; also for a picture refused
// before it reaches the codec (a chosen file that cannot be read as one).
Status pictureRefusal(std::string_view why);

// A decoded picture. A value: copies share the pixels, which are never changed in place.
// A default-constructed Image is empty (0 x 0).
class Image {
 public:
  Image();
  ~Image();
  Image(const Image&);
  Image& operator=(const Image&);
  Image(Image&&) noexcept;
  Image& operator=(Image&&) noexcept;

  // A picture of the given pixels, row by row, each 0xAARRGGBB; empty when the count does not
  // match or a side is not positive.
  static Image fromArgb(int width, int height, std::span<const std::uint32_t> pixels);

  int width() const;
  int height() const;
  bool isEmpty() const { return width() == 0 || height() == 0; }
  // The colour of one pixel as 0xAARRGGBB (0 outside the picture), for checks and tests.
  std::uint32_t pixel(int x, int y) const;

  struct Impl;
  explicit Image(std::shared_ptr<const Impl> impl);
  const Impl* impl() const { return impl_.get(); }

 private:
  std::shared_ptr<const Impl> impl_;
};

// Limits that keep a hostile or broken file from exhausting memory.
struct ImageLimits {
  int maxSide = 16384;                          // pixels along either side
  std::int64_t maxPixels = 64LL * 1024 * 1024;  // width x height
};

// Decoding and encoding of the pictures the app stores (PNG and JPEG), and the two edits it makes.
class ImageCodec {
 public:
  explicit ImageCodec(ImageLimits limits = {});

  // Decodes PNG or JPEG bytes, turned upright as their EXIF orientation says. Refuses empty,
  // truncated or corrupt data, other formats, and pictures beyond the limits (checked from the
  // header, before any pixel is allocated), with a description fit to show the user. What the
  // image libraries report while decoding is never printed: it is part of the refusal's reason.
  Result<Image> decode(const Bytes& bytes) const;

  // Encodes losslessly. An empty image is an error.
  Result<Bytes> encodePng(const Image& image) const;
  // quality 0.0 (smallest) ... 1.0 (best); out-of-range values are clamped. An empty image is an
  // error. Transparent parts are flattened onto white (JPEG has no alpha).
  Result<Bytes> encodeJpeg(const Image& image, double quality) const;

  // The centred square whose side is the smaller of width and height. An empty image is an error.
  Result<Image> croppedToCentredSquare(const Image& image) const;
  // The image with everything outside its inscribed ellipse made transparent.
  Result<Image> clippedToEllipse(const Image& image) const;

  const ImageLimits& limits() const { return limits_; }

 private:
  Result<Image> decodePng(const Bytes& bytes) const;
  Result<Image> decodeJpeg(const Bytes& bytes) const;
  // The refusal of a picture of this size; nullopt within the limits.
  std::optional<Status> beyondLimits(std::int64_t width, std::int64_t height) const;

  ImageLimits limits_;
};

}  // namespace tockary
