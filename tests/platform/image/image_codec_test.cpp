#include "platform/image/image_codec.h"

#include <gtest/gtest.h>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tockary {
namespace {

// What reaches Qt's message handler from outside a decode, recorded from before the first decode
// so that the codec's own handler passes messages on to this one.
std::mutex qtMessagesMutex;
std::vector<std::string> qtMessages;

void recordQtMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
  const std::lock_guard lock(qtMessagesMutex);
  qtMessages.push_back(message.toStdString());
}

class QtMessageRecorder : public ::testing::Environment {
 public:
  void SetUp() override { qInstallMessageHandler(recordQtMessage); }
};

const auto* const kQtMessageRecorder =
    ::testing::AddGlobalTestEnvironment(new QtMessageRecorder);  // NOLINT(cert-err58-cpp)

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kGreen = 0xFF00FF00;

// Left half `left`, right half `right`.
Image halves(int width, int height, std::uint32_t left, std::uint32_t right) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(x < width / 2 ? left : right);
  return Image::fromArgb(width, height, pixels);
}

// Whether a decoded JPEG pixel is near the colour (JPEG is lossy).
bool near(std::uint32_t actual, std::uint32_t expected) {
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > 60) return false;
  }
  return true;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void put32(Bytes& out, std::uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(Bytes& out, const char* type, const Bytes& data) {
  put32(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  put32(out, crc32(body.data(), body.size()));
}

// A well-formed PNG header announcing a huge picture, with no pixel data worth the name.
Bytes hugePngHeader(std::uint32_t width, std::uint32_t height) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  put32(ihdr, width);
  put32(ihdr, height);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk(png, "IHDR", ihdr);
  chunk(png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  chunk(png, "IEND", {});
  return png;
}

// zlib data holding `raw` in one stored (uncompressed) block.
Bytes storedZlib(const Bytes& raw) {
  const auto n = static_cast<std::uint16_t>(raw.size());
  Bytes out = {0x78,
               0x01,
               0x01,
               static_cast<std::uint8_t>(n),
               static_cast<std::uint8_t>(n >> 8),
               static_cast<std::uint8_t>(~n),
               static_cast<std::uint8_t>(~n >> 8)};
  out.insert(out.end(), raw.begin(), raw.end());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32(out, (b << 16) | a);
  return out;
}

// A PNG of one row of the given depth and colour type; `row` without its filter byte.
Bytes pngRow(std::uint32_t width, std::uint8_t depth, std::uint8_t colourType, const Bytes& row,
             const Bytes& palette = {}) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  put32(ihdr, width);
  put32(ihdr, 1);
  ihdr.insert(ihdr.end(), {depth, colourType, 0, 0, 0});
  chunk(png, "IHDR", ihdr);
  if (!palette.empty()) chunk(png, "PLTE", palette);
  Bytes raw = {0};  // filter: none
  raw.insert(raw.end(), row.begin(), row.end());
  chunk(png, "IDAT", storedZlib(raw));
  chunk(png, "IEND", {});
  return png;
}

// The PNG with the bytes of its first IDAT chunk's data changed: whole in structure, damaged
// inside.
Bytes withDamagedImageData(Bytes png) {
  const Bytes idat = {'I', 'D', 'A', 'T'};
  const auto type = std::search(png.begin(), png.end(), idat.begin(), idat.end());
  for (auto at = type + 6; at < type + 10 && at < png.end(); ++at) *at ^= 0x5A;
  return png;
}

// The JPEG with its entropy-coded data scrambled: libjpeg still decodes it, and complains.
Bytes withScrambledScan(Bytes jpeg) {
  std::size_t at = 2;
  while (at + 3 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] == 0xDA)) {
    at += 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  }
  const std::size_t scan = at + 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
  for (std::size_t k = scan + 10; k + 2 < jpeg.size(); ++k) {
    if (jpeg[k] != 0xFF && jpeg[k - 1] != 0xFF) {
      jpeg[k] = static_cast<std::uint8_t>((jpeg[k] * 7 + 13) & 0xFE);
    }
  }
  return jpeg;
}

// The JPEG with the precision of its frame header set to a value libjpeg refuses.
Bytes withBadPrecision(Bytes jpeg) {
  for (std::size_t at = 2; at + 4 < jpeg.size(); ++at) {
    if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) {
      jpeg[at + 4] = 7;
      break;
    }
  }
  return jpeg;
}

// The JPEG with an EXIF segment saying "rotate 90 degrees clockwise to show" (orientation 6).
Bytes withExifOrientation6(const Bytes& jpeg) {
  const Bytes exif = {0xFF, 0xE1, 0x00, 0x22, 'E',  'x',  'i',  'f',  0,
                      0,    'I',  'I',  0x2A, 0x00, 0x08, 0x00, 0x00, 0x00,  // TIFF, first IFD at 8
                      0x01, 0x00,                                            // one entry
                      0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x06,
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};  // no next IFD
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  out.insert(out.end(), exif.begin(), exif.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

class ImageCodecTest : public ::testing::Test {
 protected:
  ImageCodec codec;
};

TEST_F(ImageCodecTest, PngRoundTripKeepsEveryPixel) {
  const std::array<std::uint32_t, 6> pixels = {kRed, kGreen, kBlue, 0x80102030, 0, 0xFFFFFFFF};
  const Image image = Image::fromArgb(3, 2, pixels);
  const auto png = codec.encodePng(image);
  ASSERT_TRUE(png) << png.status().description();
  EXPECT_EQ(imageFormatOf(*png), ImageFormat::Png);
  const auto decoded = codec.decode(*png);
  ASSERT_TRUE(decoded) << decoded.status().description();
  ASSERT_EQ(decoded->width(), 3);
  ASSERT_EQ(decoded->height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(decoded->pixel(i % 3, i / 3), pixels[i]) << i;
}

TEST_F(ImageCodecTest, JpegQualityShrinksTheBytesAndFlattensAlphaOntoWhite) {
  std::vector<std::uint32_t> noise;
  std::uint32_t seed = 7;
  for (int i = 0; i < 64 * 64; ++i) {
    seed = seed * 1103515245 + 12345;
    noise.push_back(0xFF000000 | (seed >> 8));
  }
  const Image image = Image::fromArgb(64, 64, noise);
  const auto low = codec.encodeJpeg(image, 0.1);
  const auto high = codec.encodeJpeg(image, 1.0);
  ASSERT_TRUE(low && high);
  EXPECT_EQ(imageFormatOf(*low), ImageFormat::Jpeg);
  EXPECT_LT(low->size() * 2, high->size());

  const std::array<std::uint32_t, 4> clear = {0, 0, 0, 0};
  const auto flat = codec.decode(codec.encodeJpeg(Image::fromArgb(2, 2, clear), 0.9).value());
  ASSERT_TRUE(flat);
  EXPECT_TRUE(near(flat->pixel(0, 0), 0xFFFFFFFF)) << std::hex << flat->pixel(0, 0);
}

TEST_F(ImageCodecTest, ExifOrientationTurnsAPortraitPhotoUpright) {
  // Stored as the sensor saw it: 40 x 20, red on the left. Shown upright: 20 x 40, red on top.
  const auto jpeg = codec.encodeJpeg(halves(40, 20, kRed, kBlue), 0.9);
  ASSERT_TRUE(jpeg);
  const auto upright = codec.decode(withExifOrientation6(*jpeg));
  ASSERT_TRUE(upright) << upright.status().description();
  EXPECT_EQ(upright->width(), 20);
  EXPECT_EQ(upright->height(), 40);
  EXPECT_TRUE(near(upright->pixel(10, 5), kRed)) << std::hex << upright->pixel(10, 5);
  EXPECT_TRUE(near(upright->pixel(10, 35), kBlue)) << std::hex << upright->pixel(10, 35);

  // Re-encoding drops the EXIF segment, so the stored picture needs no turning any more.
  const auto stored = codec.decode(codec.encodePng(*upright).value());
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->height(), 40);
}

TEST_F(ImageCodecTest, RefusesEmptyForeignAndTruncatedData) {
  const auto png = codec.encodePng(halves(8, 8, kRed, kBlue)).value();
  const auto jpeg = codec.encodeJpeg(halves(16, 16, kRed, kBlue), 0.5).value();
  const auto cases = std::vector<std::pair<Bytes, std::string>>{
      {{}, "the file is empty"},
      {Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "it is not a PNG or JPEG image"},
      {Bytes(png.begin(), png.begin() + static_cast<long>(png.size()) - 5),
       "the file is truncated or damaged"},
      {Bytes(png.begin(), png.begin() + 8), "the file is truncated or damaged"},
      {Bytes(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size()) / 2),
       "the file is truncated or damaged"},
      {Bytes(jpeg.begin(), jpeg.begin() + 3), "the file is truncated or damaged"},
  };
  for (const auto& [bytes, why] : cases) {
    const auto result = codec.decode(bytes);
    ASSERT_FALSE(result) << why;
    EXPECT_EQ(result.status().description(), "The picture cannot be used: " + why);
  }
}

TEST_F(ImageCodecTest, RefusesPicturesBeyondTheLimitsFromTheHeaderAlone) {
  const auto huge = codec.decode(hugePngHeader(100000, 100000));
  ASSERT_FALSE(huge);
  EXPECT_EQ(huge.status().description(),
            "The picture cannot be used: it is too large (100000 x 100000 pixels; at most 16384 "
            "pixels a side and 67 megapixels)");
  // Within the side limit, but too many pixels in all.
  EXPECT_FALSE(codec.decode(hugePngHeader(16000, 16000)));

  const ImageCodec small(ImageLimits{.maxSide = 100, .maxPixels = 10000});
  const auto wide = codec.encodePng(halves(101, 2, kRed, kBlue)).value();
  EXPECT_FALSE(small.decode(wide));
  EXPECT_TRUE(small.decode(codec.encodePng(halves(100, 100, kRed, kBlue)).value()));
}

TEST_F(ImageCodecTest, DecodesPaletteGreyAndSixteenBitPngs) {
  // Sixteen-bit grey is read as the sRGB values it holds, as Qt reads it, not as linear light.
  const auto grey = codec.decode(pngRow(3, 16, 0, {0x00, 0x00, 0x80, 0x80, 0xFF, 0xFF}));
  ASSERT_TRUE(grey) << grey.status().description();
  EXPECT_EQ(grey->pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(grey->pixel(1, 0), 0xFF808080u);
  EXPECT_EQ(grey->pixel(2, 0), 0xFFFFFFFFu);

  const auto indexed = codec.decode(pngRow(2, 8, 3, {1, 0}, {0xFF, 0, 0, 0, 0, 0xFF}));
  ASSERT_TRUE(indexed) << indexed.status().description();
  EXPECT_EQ(indexed->pixel(0, 0), kBlue);
  EXPECT_EQ(indexed->pixel(1, 0), kRed);

  // A palette image without its palette.
  EXPECT_EQ(
      codec.decode(pngRow(2, 8, 3, {1, 0})).status().description(),
      "The picture cannot be used: the image header cannot be read (IDAT: Missing PLTE before "
      "IDAT)");
}

TEST_F(ImageCodecTest, WhatTheImageLibrariesSayIsPartOfTheRefusalAndNeverPrinted) {
  const auto png = codec.encodePng(halves(8, 8, kRed, kBlue)).value();
  const auto jpeg = codec.encodeJpeg(halves(64, 64, kRed, kBlue), 0.9).value();
  {
    const std::lock_guard lock(qtMessagesMutex);
    qtMessages.clear();
  }
  EXPECT_EQ(codec.decode(withDamagedImageData(png)).status().description(),
            "The picture cannot be used: the image data is damaged (IDAT: invalid stored block "
            "lengths)");
  EXPECT_EQ(codec.decode(withBadPrecision(jpeg)).status().description(),
            "The picture cannot be used: the image header cannot be read (Unsupported JPEG data "
            "precision 7)");
  // Damage libjpeg gets past: the picture is used, and the complaint dropped.
  EXPECT_TRUE(codec.decode(withScrambledScan(jpeg)));

  // Decoding on several threads at once while another thread logs: only its lines pass on.
  std::vector<std::thread> decoders;
  for (int t = 0; t < 4; ++t) {
    decoders.emplace_back([&] {
      for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(codec.decode(withScrambledScan(jpeg)));
        EXPECT_FALSE(codec.decode(withBadPrecision(jpeg)));
      }
    });
  }
  for (int i = 0; i < 20; ++i) qWarning("outside a decode");
  for (auto& decoder : decoders) decoder.join();
  const std::lock_guard lock(qtMessagesMutex);
  EXPECT_EQ(qtMessages, std::vector<std::string>(20, "outside a decode"));
}

TEST_F(ImageCodecTest, CropsToTheCentredSquareOfEitherOrientation) {
  // 6 x 4: columns 0 and 5 are green, the middle four red/blue halves.
  std::vector<std::uint32_t> wide;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) wide.push_back(x == 0 || x == 5 ? kGreen : x < 3 ? kRed : kBlue);
  const auto square = codec.croppedToCentredSquare(Image::fromArgb(6, 4, wide));
  ASSERT_TRUE(square);
  EXPECT_EQ(square->width(), 4);
  EXPECT_EQ(square->height(), 4);
  EXPECT_EQ(square->pixel(0, 0), kRed);
  EXPECT_EQ(square->pixel(3, 3), kBlue);

  std::vector<std::uint32_t> tall(3 * 7, kBlue);
  tall[3 * 2 + 1] = kRed;  // (1, 2): the top-centre pixel of the centred 3 x 3 square
  const auto fromTall = codec.croppedToCentredSquare(Image::fromArgb(3, 7, tall));
  ASSERT_TRUE(fromTall);
  EXPECT_EQ(fromTall->height(), 3);
  EXPECT_EQ(fromTall->pixel(1, 0), kRed);

  EXPECT_FALSE(codec.croppedToCentredSquare(Image()));
  EXPECT_FALSE(codec.encodePng(Image()));
}

TEST_F(ImageCodecTest, EllipseClipClearsTheCornersOnly) {
  const auto clipped = codec.clippedToEllipse(halves(40, 20, kRed, kRed));
  ASSERT_TRUE(clipped);
  EXPECT_EQ(clipped->pixel(0, 0) >> 24, 0u);
  EXPECT_EQ(clipped->pixel(39, 19) >> 24, 0u);
  EXPECT_EQ(clipped->pixel(20, 10), kRed);
  EXPECT_EQ(clipped->pixel(2, 10), kRed);  // the ellipse spans the full width
}

}  // namespace
}  // namespace tockary
