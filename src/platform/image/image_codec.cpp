#include "platform/image/image_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <string>

namespace tockary {

struct Image::Impl {
  QImage image;
};

namespace {

Image wrap(QImage image) {
  return Image(std::make_shared<const Image::Impl>(Image::Impl{std::move(image)}));
}

const QImage* qimage(const Image& image) { return image.impl() ? &image.impl()->image : nullptr; }

QByteArray asByteArray(const Bytes& bytes) {
  // Borrowed, not copied: the reader only lives while `bytes` does.
  return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<qsizetype>(bytes.size()));
}

std::uint32_t bigEndian32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
         (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

// A PNG is complete when its chunks run, each within the data, up to IEND.
bool pngIsComplete(const Bytes& b) {
  std::size_t at = 8;
  while (at + 12 <= b.size()) {
    const std::uint64_t length = bigEndian32(b, at);
    const bool end = b[at + 4] == 'I' && b[at + 5] == 'E' && b[at + 6] == 'N' && b[at + 7] == 'D';
    const std::uint64_t next = at + 12 + length;
    if (next > b.size()) return false;
    if (end) return true;
    at = static_cast<std::size_t>(next);
  }
  return false;
}

// A JPEG is complete when its segments and scans lead to the end-of-image marker. Markers are
// followed by length, so thumbnails inside EXIF segments (which have their own end marker) are
// skipped; inside a scan a 0xFF is only a marker when not stuffed (0x00) or a restart (D0-D7).
bool jpegIsComplete(const Bytes& b) {
  std::size_t at = 2;
  while (at + 1 < b.size()) {
    if (b[at] != 0xFF) return false;
    const std::uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD9) return true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    if (at + 3 >= b.size()) return false;
    const std::size_t length = (std::size_t{b[at + 2]} << 8) | b[at + 3];
    if (length < 2) return false;
    at += 2 + length;
    if (at > b.size()) return false;
    if (marker != 0xDA) continue;
    // Entropy-coded data up to the next real marker.
    while (at + 1 < b.size()) {
      if (b[at] == 0xFF && b[at + 1] != 0x00 && !(b[at + 1] >= 0xD0 && b[at + 1] <= 0xD7)) break;
      ++at;
    }
  }
  return false;
}

Status refused(const std::string& why) {
  return Status::error("The picture cannot be used: " + why);
}

}  // namespace

std::optional<ImageFormat> imageFormatOf(const Bytes& bytes) {
  static constexpr std::uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes.size() >= sizeof kPng && std::equal(std::begin(kPng), std::end(kPng), bytes.begin()))
    return ImageFormat::Png;
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return ImageFormat::Jpeg;
  return std::nullopt;
}

Image::Image() = default;
Image::~Image() = default;
Image::Image(const Image&) = default;
Image& Image::operator=(const Image&) = default;
Image::Image(Image&&) noexcept = default;
Image& Image::operator=(Image&&) noexcept = default;
Image::Image(std::shared_ptr<const Impl> impl) : impl_(std::move(impl)) {}

Image Image::fromArgb(int width, int height, std::span<const std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width, width, line);
  }
  return wrap(std::move(image));
}

int Image::width() const { return impl_ ? impl_->image.width() : 0; }
int Image::height() const { return impl_ ? impl_->image.height() : 0; }

std::uint32_t Image::pixel(int x, int y) const {
  if (!impl_ || !impl_->image.valid(x, y)) return 0;
  return impl_->image.pixel(x, y);
}

ImageCodec::ImageCodec(ImageLimits limits) : limits_(limits) {}

Result<Image> ImageCodec::decode(const Bytes& bytes) const {
  if (bytes.empty()) return refused("the file is empty");
  const auto format = imageFormatOf(bytes);
  if (!format) return refused("it is not a PNG or JPEG image");
  const bool complete = *format == ImageFormat::Png ? pngIsComplete(bytes) : jpegIsComplete(bytes);
  if (!complete) return refused("the file is truncated or damaged");

  QByteArray data = asByteArray(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, *format == ImageFormat::Png ? "png" : "jpeg");
  reader.setAutoTransform(true);  // EXIF orientation: a portrait photo is stored upright
  // A last line of defence for what the header check below cannot see.
  const auto limitBytes = limits_.maxPixels * 4 / (1024 * 1024) + 1;
  QImageReader::setAllocationLimit(static_cast<int>(std::min<std::int64_t>(limitBytes, 1 << 30)));

  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) return refused("the image header cannot be read");
  if (size.width() > limits_.maxSide || size.height() > limits_.maxSide ||
      std::int64_t{size.width()} * size.height() > limits_.maxPixels) {
    return refused("it is too large (" + std::to_string(size.width()) + " x " +
                   std::to_string(size.height()) + " pixels; at most " +
                   std::to_string(limits_.maxSide) + " pixels a side and " +
                   std::to_string(limits_.maxPixels / 1'000'000) + " megapixels)");
  }
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    return refused("the image data is damaged (" + reader.errorString().toStdString() + ")");
  }
  return wrap(std::move(image));
}

namespace {

Result<Bytes> encode(const QImage& image, const char* format, int quality) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  if (!writer.write(image)) {
    return Status::error(std::string("The picture could not be encoded as ") + format + ": " +
                         writer.errorString().toStdString());
  }
  return Bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
               reinterpret_cast<const std::uint8_t*>(data.constData()) + data.size());
}

Status emptyImage() { return Status::error("The picture is empty"); }

}  // namespace

Result<Bytes> ImageCodec::encodePng(const Image& image) const {
  if (image.isEmpty()) return emptyImage();
  return encode(*qimage(image), "png", -1);
}

Result<Bytes> ImageCodec::encodeJpeg(const Image& image, double quality) const {
  if (image.isEmpty()) return emptyImage();
  const QImage& source = *qimage(image);
  QImage flat(source.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
  }
  const double clamped = std::isnan(quality) ? 0.0 : std::clamp(quality, 0.0, 1.0);
  return encode(flat, "jpeg", static_cast<int>(std::lround(clamped * 100)));
}

Result<Image> ImageCodec::croppedToCentredSquare(const Image& image) const {
  if (image.isEmpty()) return emptyImage();
  const int side = std::min(image.width(), image.height());
  const QRect square((image.width() - side) / 2, (image.height() - side) / 2, side, side);
  QImage cropped = qimage(image)->copy(square);
  if (cropped.isNull()) return Status::error("The picture could not be cropped");
  return wrap(std::move(cropped));
}

Result<Image> ImageCodec::clippedToEllipse(const Image& image) const {
  if (image.isEmpty()) return emptyImage();
  QImage clipped(qimage(image)->size(), QImage::Format_ARGB32_Premultiplied);
  if (clipped.isNull()) return Status::error("The picture could not be clipped");
  clipped.fill(Qt::transparent);
  QPainter painter(&clipped);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath ellipse;
  ellipse.addEllipse(QRectF(0, 0, clipped.width(), clipped.height()));
  painter.setClipPath(ellipse);
  painter.drawImage(0, 0, *qimage(image));
  painter.end();
  return wrap(std::move(clipped));
}

}  // namespace tockary

#include "platform/image/qt_image.h"

namespace tockary {

QImage toQImage(const Image& image) { return image.impl() ? image.impl()->image : QImage(); }

}  // namespace tockary
