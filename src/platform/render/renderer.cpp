#include "platform/render/renderer.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <utility>

#include "platform/image/image_codec.h"
#include "platform/image/qt_image.h"
#include "platform/render/font_names.h"
#include "platform/render/qt_painting.h"
#include "platform/replaced_file.h"
#include "platform/ui/diagnostics.h"

namespace tockary {

namespace {

// As the phone lays text out.
constexpr double kTabStopDistance = 28;

QColor qcolor(const Rgba& c) {
  return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                          static_cast<float>(c.blue), static_cast<float>(c.alpha));
}

QRectF qrect(const Frame& f) { return {f.x, f.y, f.width, f.height}; }

bool positive(double side) { return std::isfinite(side) && side > 0; }

void qtMessageToDiagnostics(QtMsgType, const QMessageLogContext&, const QString& message) {
  diagnostic(message.toStdString());
}

// Fonts need a GUI application. A program without one (the command line) gets an offscreen one
// that lives as long as the program; what Qt says while starting it ("XDG_RUNTIME_DIR not set")
// is a diagnostic, not a line of the program's output.
Status ensureGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) return Status::ok();
  if (QCoreApplication::instance() != nullptr) {
    return Status::error("Drawing needs a Qt GUI application, and this program has another kind");
  }
  static int argc = 3;
  static char name[] = "tockary";
  static char platformOption[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[] = {name, platformOption, offscreen, nullptr};
  const QtMessageHandler previous = qInstallMessageHandler(qtMessageToDiagnostics);
  new QGuiApplication(argc, argv);  // NOLINT(cppcoreguidelines-owning-memory): never destroyed
  qInstallMessageHandler(previous);
  return Status::ok();
}

// One point of the named font is one unit of the painter's coordinates, whatever the device's
// resolution; hinting is off so that a PNG and a PDF of a drawing break their lines alike.
QFont fontFor(const TextRun& run, const QPaintDevice& device) {
  QFont font{QString::fromUtf8(fontFamily(run.fontName))};
  font.setBold(isBoldFont(run.fontName));
  font.setPointSizeF(std::max(run.pointSize, 0.01) * 72.0 / device.logicalDpiY());
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

Qt::Alignment qalignment(TextAlignment alignment) {
  switch (alignment) {
    case TextAlignment::Centre:
      return Qt::AlignHCenter;
    case TextAlignment::Right:
      return Qt::AlignRight;
    case TextAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

// The named metrics of the line that holds the text from `start`, `length` characters long: the
// tallest of its runs'. `runStarts` holds where each run begins in the laid-out text.
FontLineMetrics lineMetrics(const DrawnText& text, const std::vector<int>& runStarts, int start,
                            int length) {
  FontLineMetrics tallest;
  for (std::size_t i = 0; i < text.runs.size(); ++i) {
    const int begin = runStarts[i];
    const int end = i + 1 < runStarts.size() ? runStarts[i + 1] : std::numeric_limits<int>::max();
    if (end <= start || begin >= start + std::max(length, 1) || begin == end) continue;
    const FontLineMetrics m = fontLineMetrics(text.runs[i].fontName);
    const double size = text.runs[i].pointSize;
    tallest.ascent = std::max(tallest.ascent, m.ascent * size);
    tallest.descent = std::max(tallest.descent, m.descent * size);
    tallest.leading = std::max(tallest.leading, m.leading * size);
  }
  return tallest;
}

// The text laid out in its frame for `device`, each run in the colour `colourOf` gives it. Lines
// start at the frame's top left and wrap at its width, one under the other as the named fonts set
// them; lines below the frame are not laid out.
template <typename ColourOf>
std::unique_ptr<QTextLayout> layOut(const DrawnText& text, const QPaintDevice& device,
                                    ColourOf colourOf) {
  QString all;
  QList<QTextLayout::FormatRange> formats;
  std::vector<int> runStarts;
  for (std::size_t i = 0; i < text.runs.size(); ++i) {
    const TextRun& run = text.runs[i];
    QString part = QString::fromStdString(run.text);
    // A line break of the text is a line separator to the layout, which sees one paragraph.
    part.replace(QChar('\n'), QChar::LineSeparator);
    QTextCharFormat format;
    format.setFont(fontFor(run, device));
    format.setForeground(colourOf(i));
    runStarts.push_back(static_cast<int>(all.size()));
    formats.push_back({static_cast<int>(all.size()), static_cast<int>(part.size()), format});
    all += part;
  }
  const QFont base = text.runs.empty() ? QFont() : fontFor(text.runs.front(), device);
  auto layout = std::make_unique<QTextLayout>(all, base, &device);
  QTextOption option;
  option.setTabStopDistance(kTabStopDistance);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setAlignment(qalignment(text.alignment));
  option.setUseDesignMetrics(true);
  layout->setTextOption(option);
  layout->setFormats(formats);
  layout->beginLayout();
  double y = 0;
  while (y <= text.frame.height) {
    QTextLine line = layout->createLine();
    if (!line.isValid()) break;
    line.setLineWidth(text.frame.width);
    const FontLineMetrics metrics =
        lineMetrics(text, runStarts, line.textStart(), line.textLength());
    line.setPosition(QPointF(0, y + metrics.ascent - line.ascent()));
    y += metrics.height();
  }
  layout->endLayout();
  return layout;
}

// Blurs a premultiplied image in place: three box blurs, close to the Gaussian of deviation
// `sigma` pixels that the phone's shadows use.
void blur(QImage& image, double sigma) {
  const int radius = std::max(1, static_cast<int>(std::lround(std::sqrt(sigma * sigma + 0.25))));
  const int width = image.width();
  const int height = image.height();
  std::vector<std::uint32_t> line;
  auto pass = [&](int count, int length, auto pixelAt) {
    line.resize(static_cast<std::size_t>(length));
    for (int i = 0; i < count; ++i) {
      for (int j = 0; j < length; ++j) line[static_cast<std::size_t>(j)] = *pixelAt(i, j);
      for (int j = 0; j < length; ++j) {
        int sums[4] = {0, 0, 0, 0};
        int n = 0;
        for (int k = std::max(0, j - radius); k <= std::min(length - 1, j + radius); ++k, ++n) {
          const std::uint32_t p = line[static_cast<std::size_t>(k)];
          for (int c = 0; c < 4; ++c) sums[c] += static_cast<int>((p >> (8 * c)) & 0xFF);
        }
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c) out |= static_cast<std::uint32_t>(sums[c] / n) << (8 * c);
        *pixelAt(i, j) = out;
      }
    }
  };
  auto at = [&](int x, int y) { return reinterpret_cast<std::uint32_t*>(image.scanLine(y)) + x; };
  for (int round = 0; round < 3; ++round) {
    pass(height, width, [&](int y, int x) { return at(x, y); });
    pass(width, height, [&](int x, int y) { return at(x, y); });
  }
}

// Draws a shadow: `paint(painter, offset)` draws its shape, moved by the offset, within `bounds`
// moved so; a blurred one is drawn into an image around them and blurred there.
template <typename Paint>
void drawShadow(QPainter& painter, const QRectF& bounds, const Shadow& shadow, Paint paint) {
  const QPointF offset(shadow.dx, shadow.dy);
  if (shadow.blurRadius <= 0) {
    painter.save();
    paint(painter, offset);
    painter.restore();
    return;
  }
  // At the device's scale or finer.
  const QTransform& world = painter.worldTransform();
  const double scale = std::max(2.0, std::hypot(world.m11(), world.m12()));
  const double margin = 2 * shadow.blurRadius;
  const QRectF area = bounds.translated(offset).adjusted(-margin, -margin, margin, margin);
  const double across = std::ceil(area.width() * scale);
  const double down = std::ceil(area.height() * scale);
  const ImageLimits limits;
  // Too large to blur: drawn without its shadow rather than the program without memory.
  if (across > limits.maxSide || down > limits.maxSide || across * down > limits.maxPixels) return;
  QImage image(static_cast<int>(across), static_cast<int>(down),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter shadowPainter(&image);
    shadowPainter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    shadowPainter.scale(scale, scale);
    shadowPainter.translate(-area.topLeft());
    paint(shadowPainter, offset);
  }
  blur(image, shadow.blurRadius / 2 * scale);
  painter.drawImage(area, image);
}

void drawTextShadow(QPainter& painter, const DrawnText& text, const Shadow& shadow) {
  const QColor colour = qcolor(shadow.colour);
  auto shadowColour = [&](std::size_t i) {
    return text.runs[i].shadow == shadow ? colour : QColor(Qt::transparent);
  };
  const QRectF frame = qrect(text.frame);
  drawShadow(painter, frame, shadow, [&](QPainter& p, QPointF offset) {
    p.setClipRect(frame.translated(offset), Qt::IntersectClip);
    layOut(text, *p.device(), shadowColour)->draw(&p, frame.topLeft() + offset);
  });
}

QPainterPath roundedRect(const QRectF& frame, double radius) {
  const double r = std::clamp(radius, 0.0, std::min(frame.width(), frame.height()) / 2);
  QPainterPath path;
  path.addRoundedRect(frame, r, r);
  return path;
}

void drawRect(QPainter& painter, const FilledRect& rect) {
  const QRectF frame = qrect(rect.frame);
  if (rect.shadow) {
    drawShadow(painter, frame, *rect.shadow, [&](QPainter& p, QPointF offset) {
      p.fillPath(roundedRect(frame.translated(offset), rect.cornerRadius),
                 qcolor(rect.shadow->colour));
    });
  }
  if (rect.cornerRadius <= 0) {
    painter.fillRect(frame, qcolor(rect.colour));
  } else {
    painter.fillPath(roundedRect(frame, rect.cornerRadius), qcolor(rect.colour));
  }
  if (rect.borderWidth > 0) {
    // Inside the frame: the stroke runs along the middle of the border.
    const double h = rect.borderWidth / 2;
    painter.strokePath(roundedRect(frame.adjusted(h, h, -h, -h), rect.cornerRadius - h),
                       QPen(qcolor(rect.borderColour), rect.borderWidth));
  }
}

void drawText(QPainter& painter, const DrawnText& text) {
  std::vector<Shadow> shadows;
  for (const TextRun& run : text.runs) {
    if (run.shadow && std::find(shadows.begin(), shadows.end(), *run.shadow) == shadows.end()) {
      shadows.push_back(*run.shadow);
    }
  }
  for (const Shadow& shadow : shadows) drawTextShadow(painter, text, shadow);
  painter.save();
  painter.setClipRect(qrect(text.frame), Qt::IntersectClip);
  layOut(text, *painter.device(), [&](std::size_t i) {
    return qcolor(text.runs[i].colour);
  })->draw(&painter, QPointF(text.frame.x, text.frame.y));
  painter.restore();
}

Result<QImage> pictureImage(const DrawnPicture& picture, const AssetCatalog& assets) {
  Bytes fromAssets;
  if (picture.encoded.empty()) {
    Result<Bytes> read = assets.imageNamed(picture.assetName);
    if (!read) return read.status();
    fromAssets = std::move(read).value();
  }
  Result<Image> decoded =
      ImageCodec().decode(picture.encoded.empty() ? fromAssets : picture.encoded);
  if (!decoded) return decoded.status();
  return toQImage(*decoded);
}

// Where a picture of this size lands in its frame.
QRectF pictureRect(const DrawnPicture& picture, QSizeF size) {
  const QRectF frame = qrect(picture.frame);
  if (picture.scaling == PictureScaling::Stretch) return frame;
  const double across = frame.width() / size.width();
  const double down = frame.height() / size.height();
  const double scale = picture.scaling == PictureScaling::AspectFit ? std::min(across, down)
                                                                    : std::max(across, down);
  QRectF placed(QPointF(), size * scale);
  placed.moveCenter(frame.center());
  return placed;
}

Status drawPicture(QPainter& painter, const DrawnPicture& picture, const AssetCatalog& assets) {
  Result<QImage> image = pictureImage(picture, assets);
  if (!image) return image.status();
  painter.save();
  if (picture.cornerRadius > 0) {
    painter.setClipPath(roundedRect(qrect(picture.frame), picture.cornerRadius), Qt::IntersectClip);
  } else {
    painter.setClipRect(qrect(picture.frame), Qt::IntersectClip);
  }
  painter.drawImage(pictureRect(picture, image->size()), *image);
  painter.restore();
  return Status::ok();
}

}  // namespace

Status paintDrawing(QPainter& painter, const Drawing& drawing, const AssetCatalog& assets) {
  if (Status ready = ensureGuiApplication(); !ready) return ready;
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  for (const DrawingElement& element : drawing.elements) {
    if (const auto* text = std::get_if<DrawnText>(&element)) {
      drawText(painter, *text);
    } else if (const auto* picture = std::get_if<DrawnPicture>(&element)) {
      if (Status drawn = drawPicture(painter, *picture, assets); !drawn) return drawn;
    } else if (const auto* rule = std::get_if<DrawnRule>(&element)) {
      QPen pen(qcolor(rule->colour), rule->width);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(QPointF(rule->from.x, rule->from.y), QPointF(rule->to.x, rule->to.y));
    } else if (const auto* rect = std::get_if<FilledRect>(&element)) {
      drawRect(painter, *rect);
    }
  }
  return Status::ok();
}

Result<Bytes> renderPng(const Drawing& drawing, double scale, const AssetCatalog& assets) {
  const double width = drawing.size.width * scale;
  const double height = drawing.size.height * scale;
  if (!positive(width) || !positive(height)) {
    return Status::error("An image needs a size greater than zero");
  }
  const ImageLimits limits;
  // Rounded up so that nothing of the drawing is cut; a hair over a whole pixel is not one more.
  const double across = std::ceil(width - 1e-6);
  const double down = std::ceil(height - 1e-6);
  if (across > limits.maxSide || down > limits.maxSide || across * down > limits.maxPixels) {
    return Status::error("An image of " + std::to_string(static_cast<long long>(across)) + " x " +
                         std::to_string(static_cast<long long>(down)) +
                         " pixels is larger than the program draws");
  }
  if (Status ready = ensureGuiApplication(); !ready) return ready;
  QImage image(static_cast<int>(across), static_cast<int>(down),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(scale, scale);
  if (Status painted = paintDrawing(painter, drawing, assets); !painted) return painted;
  painter.end();
  return ImageCodec().encodePng(imageFromQImage(std::move(image)));
}

namespace {

std::string pointsText(double points) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", points);
  std::string shown(text);
  shown.erase(shown.find_last_not_of('0') + 1);
  if (shown.ends_with('.')) shown.pop_back();
  return shown;
}

// Qt's page layout keeps whole points, so the writer gives each page a media box of whole
// points; the pages were drawn for their exact size (see writePdf), and this puts the exact size
// in each box. The new box takes no more bytes than the old (padded with blanks), so that the
// file's cross-reference offsets stay right.
Status exactMediaBoxes(QByteArray& pdf, const std::vector<Drawing>& pages) {
  static const QByteArray kMediaBox = "/MediaBox [";
  qsizetype at = 0;
  std::size_t page = 0;
  for (; (at = pdf.indexOf(kMediaBox, at)) >= 0; ++page) {
    at += kMediaBox.size();
    const qsizetype end = pdf.indexOf(']', at);
    if (end < 0 || page >= pages.size()) break;
    const Size& size = pages[page].size;
    QByteArray exact =
        QByteArray::fromStdString("0 0 " + pointsText(size.width) + " " + pointsText(size.height));
    if (exact.size() > end - at) break;
    exact.append(end - at - exact.size(), ' ');
    pdf.replace(at, end - at, exact);
  }
  if (page != pages.size() || at >= 0) {
    return Status::error("The PDF's page sizes could not be set exactly");
  }
  return Status::ok();
}

}  // namespace

Status writePdf(const std::vector<Drawing>& pages, const std::string& title,
                const std::filesystem::path& file, const AssetCatalog& assets) {
  if (pages.empty()) return Status::error("A PDF needs at least one page");
  for (const Drawing& page : pages) {
    if (!positive(page.size.width) || !positive(page.size.height)) {
      return Status::error("A PDF page needs a size greater than zero");
    }
  }
  if (Status ready = ensureGuiApplication(); !ready) return ready;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Tockary"));
    // A unit of the painter is a point of the page.
    writer.setResolution(72);
    QPainter painter;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const Size& size = pages[i].size;
      const QPageSize pageSize(QSizeF(size.width, size.height), QPageSize::Point, QString(),
                               QPageSize::ExactMatch);
      writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
      const bool started = i == 0 ? painter.begin(&writer) : writer.newPage();
      if (!started) return Status::error("The PDF writer could not start a page");
      // The writer turns the page upside down around its whole-point height: drawn this much
      // lower, the drawing stands at the top of the page's exact height.
      const double wholeHeight = writer.pageLayout().fullRectPoints().height();
      painter.resetTransform();
      painter.translate(0, wholeHeight - size.height);
      if (Status painted = paintDrawing(painter, pages[i], assets); !painted) return painted;
    }
    painter.end();
  }
  QByteArray pdf = buffer.data();
  if (Status exact = exactMediaBoxes(pdf, pages); !exact) return exact;
  Result<ReplacedFile> out = ReplacedFile::create(file);
  if (!out) return out.status();
  if (Status written = out.value().append(std::string_view(pdf.constData(), pdf.size()));
      !written) {
    return written;
  }
  return out.value().commit();
}

}  // namespace tockary
