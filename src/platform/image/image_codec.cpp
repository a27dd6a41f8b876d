#include "platform/image/image_codec.h"

#include <png.h>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <string>
#include <utility>

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

Status refused(const std::string& why) { return pictureRefusal(why); }

// Qt's JPEG reader reports libjpeg's complaints ("Corrupt JPEG data: ...") through Qt's message
// handler, which would add lines of their own to ours. While a decode runs, what its thread
// reports is collected instead; everything else goes on to the handler installed before. The GUI
// decodes on several threads at once, hence one handler for the process and a collector per
// thread.
thread_local std::string* decodeMessages = nullptr;
std::atomic<QtMessageHandler> previousHandler{nullptr};

void collectDecodeMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (decodeMessages != nullptr && type != QtFatalMsg) {
    if (!decodeMessages->empty()) *decodeMessages += "; ";
    *decodeMessages += message.simplified().toStdString();  // one line, whatever the library
    return;
  }
  if (const QtMessageHandler previous = previousHandler.load()) previous(type, context, message);
}

class DecodeMessages {
 public:
  DecodeMessages() {
    static std::once_flag installed;
    std::call_once(installed,
                   [] { previousHandler = qInstallMessageHandler(collectDecodeMessages); });
    outer_ = std::exchange(decodeMessages, &text_);
  }
  ~DecodeMessages() { decodeMessages = outer_; }
  DecodeMessages(const DecodeMessages&) = delete;
  DecodeMessages& operator=(const DecodeMessages&) = delete;

  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::string* outer_ = nullptr;
};

}  // namespace

Status pictureRefusal(std::string_view why) {
  return Status::error("The picture cannot be used: " + std::string(why));
}

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

std::optional<Status> ImageCodec::beyondLimits(std::int64_t width, std::int64_t height) const {
  if (width <= limits_.maxSide && height <= limits_.maxSide && width * height <= limits_.maxPixels)
    return std::nullopt;
  return refused("it is too large (" + std::to_string(width) + " x " + std::to_string(height) +
                 " pixels; at most " + std::to_string(limits_.maxSide) + " pixels a side and " +
                 std::to_string(limits_.maxPixels / 1'000'000) + " megapixels)");
}

Result<Image> ImageCodec::decode(const Bytes& bytes) const {
  if (bytes.empty()) return refused("the file is empty");
  const auto format = imageFormatOf(bytes);
  if (!format) return refused("it is not a PNG or JPEG image");
  const bool complete = *format == ImageFormat::Png ? pngIsComplete(bytes) : jpegIsComplete(bytes);
  if (!complete) return refused("the file is truncated or damaged");
  return *format == ImageFormat::Png ? decodePng(bytes) : decodeJpeg(bytes);
}

// libpng's own simplified reader rather than Qt's: under Qt, libpng prints its errors on standard
// error itself. This one hands every error and warning back instead.
Result<Image> ImageCodec::decodePng(const Bytes& bytes) const {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()) == 0) {
    return refused("the image header cannot be read (" + std::string(png.message) + ")");
  }
  if (auto tooLarge = beyondLimits(png.width, png.height)) {
    png_image_free(&png);
    return *tooLarge;
  }
  const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  // The bytes of QImage's 0xAARRGGBB words, so the pixels land in the picture as they are.
  png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
  png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;  // as Qt reads 16-bit files: not linear light
  QImage image(static_cast<int>(png.width), static_cast<int>(png.height),
               alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    png_image_free(&png);
    return refused("there is not enough memory to decode it");
  }
  // Frees `png` whatever the outcome.
  if (png_image_finish_read(&png, nullptr, image.bits(),
                            static_cast<png_int_32>(image.bytesPerLine()), nullptr) == 0) {
    return refused("the image data is damaged (" + std::string(png.message) + ")");
  }
  return wrap(std::move(image));
}

Result<Image> ImageCodec::decodeJpeg(const Bytes& bytes) const {
  const DecodeMessages messages;
  QByteArray data = asByteArray(bytes);
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpeg");
  reader.setAutoTransform(true);  // EXIF orientation: a portrait photo is stored upright
  // A last line of defence for what the header check below cannot see.
  const auto limitBytes = limits_.maxPixels * 4 / (1024 * 1024) + 1;
  QImageReader::setAllocationLimit(static_cast<int>(std::min<std::int64_t>(limitBytes, 1 << 30)));

  const QSize size = reader.size();
  if (!size.isValid() || size.isEmpty()) {
    return refused("the image header cannot be read" +
                   (messages.text().empty() ? "" : " (" + messages.text() + ")"));
  }
  if (auto tooLarge = beyondLimits(size.width(), size.height())) return *tooLarge;
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    std::string why = reader.errorString().toStdString();
    if (!messages.text().empty()) why += "; " + messages.text();
    return refused("the image data is damaged (" + why + ")");
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

Image imageFromQImage(QImage image) { return image.isNull() ? Image() : wrap(std::move(image)); }

}  // namespace tockary
