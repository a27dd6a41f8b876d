// Draws the built-in pictures of the app into a folder, so the set stays consistent and can be
// redrawn at will. Usage: tockary-asset-generator OUTPUT_FOLDER [--contact-sheet FILE] (run with
// QT_QPA_PLATFORM=offscreen). Sizes are twice or three times the points the screens show.

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

const QColor kBackground(0xF2, 0xF2, 0xF7);
const QColor kLine(0xB8, 0xB8, 0xC0);
const QColor kHint(0x8E, 0x8E, 0x93);
const QColor kInk(0x1C, 0x1C, 0x1E);
const QColor kPaper(0xF5, 0xF5, 0xF7);

struct Asset {
  QString name;
  QImage image;
};

std::vector<Asset>& drawn() {
  static std::vector<Asset> assets;
  return assets;
}

QImage canvas(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void keep(const QString& name, QImage image) { drawn().push_back({name, std::move(image)}); }

// Draws `name` on a fresh transparent canvas and keeps it.
void make(const QString& name, int width, int height,
          const std::function<void(QPainter&, double, double)>& draw) {
  QImage image = canvas(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  draw(p, width, height);
  p.end();
  keep(name, std::move(image));
}

QFont sans(double pixelSize, bool bold = true) {
  QFont font("Nimbus Sans");
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  font.setBold(bold);
  return font;
}

// Text centred in `box`, shrunk until it fits the box's width.
void fitText(QPainter& p, const QRectF& box, const QString& text, double maxPixels,
             const QColor& color, bool bold = true) {
  double size = maxPixels;
  QFont font = sans(size, bold);
  while (size > 6 && QFontMetricsF(font).horizontalAdvance(text) > box.width()) {
    size -= 1;
    font = sans(size, bold);
  }
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

// White or near-black, whichever reads better on `fill`.
QColor textOn(const QColor& fill) {
  const double luminance = 0.299 * fill.redF() + 0.587 * fill.greenF() + 0.114 * fill.blueF();
  return luminance > 0.62 ? kInk : Qt::white;
}

QPainterPath regularPolygon(QPointF c, double r, int corners, double turn) {
  QPainterPath path;
  for (int i = 0; i < corners; ++i) {
    const double a = turn + i * 2 * M_PI / corners;
    const QPointF at(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  path.closeSubpath();
  return path;
}

QPainterPath star(QPointF c, double outer, double inner, int points) {
  QPainterPath path;
  for (int i = 0; i < points * 2; ++i) {
    const double a = -M_PI / 2 + i * M_PI / points;
    const double r = i % 2 == 0 ? outer : inner;
    const QPointF at(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) {
      path.moveTo(at);
    } else {
      path.lineTo(at);
    }
  }
  path.closeSubpath();
  return path;
}

// ---------------------------------------------------------------------------------------------
// Picture placeholders

void drawCamera(QPainter& p, QPointF centre, double width) {
  const double height = width * 0.62;
  QRectF body(centre.x() - width / 2, centre.y() - height / 2, width, height);
  QPainterPath path;
  path.addRoundedRect(body, width * 0.12, width * 0.12);
  QRectF hump(centre.x() - width * 0.18, body.top() - width * 0.12, width * 0.36, width * 0.16);
  path.addRoundedRect(hump, width * 0.04, width * 0.04);
  p.setPen(QPen(kHint, width * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path.simplified());
  p.drawEllipse(centre, width * 0.2, width * 0.2);
}

// A watch seen from the dial side: lugs, case, hour markers.
void drawFront(QPainter& p, double size) {
  const QPointF c(size / 2, size * 0.44);
  const double r = size * 0.28;
  p.setPen(QPen(kLine, size * 0.012));
  p.setBrush(Qt::white);
  for (int side : {-1, 1}) {
    for (int end : {-1, 1}) {
      QRectF lug(c.x() + side * r * 0.55 - size * 0.035, c.y() + end * r * 0.92 - size * 0.06,
                 size * 0.07, size * 0.12);
      p.drawRoundedRect(lug, size * 0.015, size * 0.015);
    }
  }
  p.drawRoundedRect(QRectF(c.x() + r * 0.98, c.y() - size * 0.03, size * 0.05, size * 0.06),
                    size * 0.01, size * 0.01);  // crown
  p.drawEllipse(c, r, r);
  p.drawEllipse(c, r * 0.86, r * 0.86);
  for (int hour = 0; hour < 12; ++hour) {
    const double a = hour * M_PI / 6;
    const double inner = hour % 3 == 0 ? 0.66 : 0.72;
    p.drawLine(QPointF(c.x() + std::sin(a) * r * inner, c.y() - std::cos(a) * r * inner),
               QPointF(c.x() + std::sin(a) * r * 0.8, c.y() - std::cos(a) * r * 0.8));
  }
  drawCamera(p, c, r * 0.62);
}

// The case back: screwed-down back with notches and an engraving ring.
void drawBack(QPainter& p, double size) {
  const QPointF c(size / 2, size * 0.44);
  const double r = size * 0.28;
  p.setPen(QPen(kLine, size * 0.012));
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
  for (int notch = 0; notch < 6; ++notch) {
    const double a = notch * M_PI / 3 + M_PI / 6;
    const QPointF at(c.x() + std::sin(a) * r * 0.9, c.y() - std::cos(a) * r * 0.9);
    p.drawEllipse(at, size * 0.02, size * 0.02);
  }
  p.setPen(QPen(kLine, size * 0.006, Qt::DashLine));
  p.drawEllipse(c, r * 0.74, r * 0.74);
  drawCamera(p, c, r * 0.62);
}

void placeholder(const QString& name, const QString& label, const QString& hint,
                 const std::function<void(QPainter&, double)>& picture) {
  constexpr int kSize = 480;
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(kBackground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  picture(p, kSize);
  QFont font("Nimbus Sans");
  font.setPixelSize(kSize / 11);
  p.setFont(font);
  p.setPen(kHint);
  p.drawText(QRectF(0, kSize * 0.78, kSize, kSize * 0.12), Qt::AlignCenter, label);
  font.setPixelSize(kSize / 26);
  p.setFont(font);
  p.drawText(QRectF(0, kSize * 0.89, kSize, kSize * 0.07), Qt::AlignCenter, hint);
  p.end();
  keep(name, std::move(image));
}

void drawPlaceholders() {
  placeholder("insertpic_front.png", "Front", "Tap to add a picture",
              [](QPainter& p, double size) { drawFront(p, size); });
  placeholder("insertpic_back.png", "Back", "Tap to add a picture",
              [](QPainter& p, double size) { drawBack(p, size); });
  // A face the owner never photographed: the case back struck through.
  placeholder("nopic.png", "No picture", "Add one in Edit", [](QPainter& p, double size) {
    drawBack(p, size);
    p.setPen(QPen(kHint, size * 0.018, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size * 0.2, size * 0.74), QPointF(size * 0.8, size * 0.14));
  });
  // The warranty card kept when the owner has no picture of it: a card with blank lines.
  make("WCard_nopic.png", 720, 480, [](QPainter& p, double w, double h) {
    const QRectF card(w * 0.04, h * 0.06, w * 0.92, h * 0.88);
    p.setPen(QPen(kLine, 6));
    p.setBrush(kBackground);
    p.drawRoundedRect(card, 36, 36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5E, 0x9E, 0xD6));
    p.drawRoundedRect(QRectF(card.left() + 40, card.top() + 40, 150, 110), 14, 14);
    p.setBrush(kLine);
    for (int line = 0; line < 3; ++line) {
      p.drawRoundedRect(QRectF(card.left() + 230, card.top() + 52 + line * 36, 360 - line * 70, 16),
                        8, 8);
    }
    fitText(p, QRectF(card.left(), card.top() + 190, card.width(), 80), "WARRANTY CARD", 64, kHint);
    fitText(p, QRectF(card.left(), card.top() + 270, card.width(), 60), "no picture", 44, kHint,
            false);
  });
}

// ---------------------------------------------------------------------------------------------
// Status icons: each status has its own shape and colour and a short label, so two statuses
// are told apart at row size even by someone who cannot tell the colours apart.

enum class Shape {
  Circle,
  DashedCircle,
  Shield,
  Octagon,
  Tag,
  Gear,
  Vault,
  WinderRing,
  Triangle,
  Diamond,
  Strap,
  Hexagon,
  Arrow,
  Battery,
  Flag,
  Tray,
  ListCard,
  Star,
  Box,
  CheckCircle
};

struct StatusDrawing {
  QString name;  // without the "Big" suffix
  QString status;
  QString label;
  Shape shape;
  QColor color;
};

QPainterPath shapePath(Shape shape, double s) {
  const QPointF c(s / 2, s / 2);
  const double r = s * 0.46;
  QPainterPath path;
  switch (shape) {
    case Shape::Circle:
    case Shape::DashedCircle:
    case Shape::CheckCircle:
    case Shape::WinderRing:
      path.addEllipse(c, r * (shape == Shape::WinderRing ? 0.8 : 1.0),
                      r * (shape == Shape::WinderRing ? 0.8 : 1.0));
      break;
    case Shape::Shield:
      path.moveTo(s * 0.1, s * 0.1);
      path.lineTo(s * 0.9, s * 0.1);
      path.lineTo(s * 0.9, s * 0.5);
      path.quadTo(s * 0.88, s * 0.82, s * 0.5, s * 0.97);
      path.quadTo(s * 0.12, s * 0.82, s * 0.1, s * 0.5);
      path.closeSubpath();
      break;
    case Shape::Octagon:
      path = regularPolygon(c, r * 1.04, 8, M_PI / 8);
      break;
    case Shape::Tag:
      path.moveTo(s * 0.04, s * 0.5);
      path.lineTo(s * 0.3, s * 0.2);
      path.lineTo(s * 0.96, s * 0.2);
      path.lineTo(s * 0.96, s * 0.8);
      path.lineTo(s * 0.3, s * 0.8);
      path.closeSubpath();
      break;
    case Shape::Gear: {
      constexpr int kTeeth = 10;
      for (int i = 0; i < kTeeth * 4; ++i) {
        const double a = i * 2 * M_PI / (kTeeth * 4);
        const double rr = (i % 4 == 0 || i % 4 == 1) ? r : r * 0.82;
        const QPointF at(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0) {
          path.moveTo(at);
        } else {
          path.lineTo(at);
        }
      }
      path.closeSubpath();
      break;
    }
    case Shape::Vault:
    case Shape::ListCard:
      path.addRoundedRect(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88), s * 0.08, s * 0.08);
      break;
    case Shape::Triangle:
      path.moveTo(s * 0.5, s * 0.04);
      path.lineTo(s * 0.98, s * 0.92);
      path.lineTo(s * 0.02, s * 0.92);
      path.closeSubpath();
      break;
    case Shape::Diamond:
      path = regularPolygon(c, r * 1.06, 4, -M_PI / 2);
      break;
    case Shape::Strap:
      path.addRoundedRect(QRectF(s * 0.22, s * 0.02, s * 0.56, s * 0.96), s * 0.12, s * 0.12);
      break;
    case Shape::Hexagon:
      path = regularPolygon(c, r * 1.04, 6, 0);
      break;
    case Shape::Arrow:
      path.moveTo(s * 0.04, s * 0.24);
      path.lineTo(s * 0.62, s * 0.24);
      path.lineTo(s * 0.62, s * 0.06);
      path.lineTo(s * 0.98, s * 0.5);
      path.lineTo(s * 0.62, s * 0.94);
      path.lineTo(s * 0.62, s * 0.76);
      path.lineTo(s * 0.04, s * 0.76);
      path.closeSubpath();
      break;
    case Shape::Battery:
      path.addRoundedRect(QRectF(s * 0.02, s * 0.22, s * 0.86, s * 0.56), s * 0.08, s * 0.08);
      path.addRoundedRect(QRectF(s * 0.86, s * 0.38, s * 0.12, s * 0.24), s * 0.03, s * 0.03);
      break;
    case Shape::Flag:
      path.moveTo(s * 0.06, s * 0.1);
      path.lineTo(s * 0.94, s * 0.1);
      path.lineTo(s * 0.76, s * 0.45);
      path.lineTo(s * 0.94, s * 0.8);
      path.lineTo(s * 0.06, s * 0.8);
      path.closeSubpath();
      break;
    case Shape::Tray:
      path.moveTo(s * 0.04, s * 0.14);
      path.lineTo(s * 0.36, s * 0.14);
      path.lineTo(s * 0.5, s * 0.3);
      path.lineTo(s * 0.64, s * 0.14);
      path.lineTo(s * 0.96, s * 0.14);
      path.lineTo(s * 0.96, s * 0.9);
      path.lineTo(s * 0.04, s * 0.9);
      path.closeSubpath();
      break;
    case Shape::Star:
      path = star(QPointF(c.x(), c.y() + s * 0.03), r * 1.08, r * 0.56, 5);
      break;
    case Shape::Box:
      path.addRect(QRectF(s * 0.04, s * 0.3, s * 0.92, s * 0.62));
      path.addRect(QRectF(s * 0.0, s * 0.12, s * 1.0, s * 0.2));
      break;
  }
  return path.simplified();
}

// The label's box inside the shape: where the shape leaves the most room.
QRectF labelBox(Shape shape, double s) {
  switch (shape) {
    case Shape::Triangle:
      return {s * 0.24, s * 0.5, s * 0.52, s * 0.34};
    case Shape::Shield:
      return {s * 0.14, s * 0.2, s * 0.72, s * 0.44};
    case Shape::Tag:
      return {s * 0.3, s * 0.24, s * 0.62, s * 0.52};
    case Shape::Strap:
      return {s * 0.24, s * 0.3, s * 0.52, s * 0.4};
    case Shape::Arrow:
      return {s * 0.06, s * 0.28, s * 0.62, s * 0.44};
    case Shape::Battery:
      return {s * 0.06, s * 0.26, s * 0.78, s * 0.48};
    case Shape::Flag:
      return {s * 0.08, s * 0.16, s * 0.68, s * 0.58};
    case Shape::Tray:
      return {s * 0.1, s * 0.36, s * 0.8, s * 0.48};
    case Shape::Star:
      return {s * 0.3, s * 0.4, s * 0.4, s * 0.3};
    case Shape::Box:
      return {s * 0.1, s * 0.36, s * 0.8, s * 0.5};
    case Shape::Diamond:
      return {s * 0.2, s * 0.3, s * 0.6, s * 0.4};
    case Shape::WinderRing:
      return {s * 0.2, s * 0.3, s * 0.6, s * 0.4};
    default:
      return {s * 0.12, s * 0.22, s * 0.76, s * 0.56};
  }
}

void drawStatusSymbol(QPainter& p, const StatusDrawing& d, double s) {
  const QPainterPath path = shapePath(d.shape, s);
  const QColor edge = d.color.darker(160);
  if (d.shape == Shape::DashedCircle) {
    p.setPen(QPen(d.color.lighter(130), s * 0.06, Qt::DashLine, Qt::RoundCap));
    p.setBrush(d.color.darker(130));
  } else {
    p.setPen(QPen(edge, std::max(1.5, s * 0.03)));
    p.setBrush(d.color);
  }
  p.drawPath(path);
  const QColor ink = textOn(d.color);
  p.setBrush(Qt::NoBrush);
  switch (d.shape) {
    case Shape::WinderRing: {  // the turning arrow around the winder
      p.setPen(QPen(d.color, s * 0.05, Qt::SolidLine, Qt::RoundCap));
      const QRectF ring(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
      p.drawArc(ring, 30 * 16, 300 * 16);
      const QPointF tip(s * 0.5 + s * 0.47 * std::cos(M_PI / 6),
                        s * 0.5 - s * 0.47 * std::sin(M_PI / 6));
      QPainterPath head;
      head.moveTo(tip + QPointF(-s * 0.1, -s * 0.02));
      head.lineTo(tip + QPointF(s * 0.06, -s * 0.1));
      head.lineTo(tip + QPointF(s * 0.04, s * 0.08));
      head.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(d.color);
      p.drawPath(head);
      break;
    }
    case Shape::Vault:  // the dial of the safe
      p.setPen(QPen(ink, s * 0.025));
      p.drawEllipse(QPointF(s * 0.5, s * 0.5), s * 0.36, s * 0.36);
      break;
    case Shape::ListCard:  // bullet lines under the label
      p.setPen(QPen(ink, s * 0.04, Qt::SolidLine, Qt::RoundCap));
      for (int line = 0; line < 2; ++line) {
        const double y = s * (0.74 + line * 0.1);
        p.drawPoint(QPointF(s * 0.2, y));
        p.drawLine(QPointF(s * 0.3, y), QPointF(s * 0.8, y));
      }
      break;
    case Shape::CheckCircle: {  // a tick over the label
      p.setPen(QPen(ink, s * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath tick;
      tick.moveTo(s * 0.36, s * 0.28);
      tick.lineTo(s * 0.46, s * 0.38);
      tick.lineTo(s * 0.66, s * 0.16);
      p.drawPath(tick);
      break;
    }
    case Shape::Strap:  // the strap's holes
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      for (double y : {0.12, 0.2, 0.8, 0.88})
        p.drawEllipse(QPointF(s * 0.5, s * y), s * 0.03, s * 0.03);
      break;
    case Shape::Octagon:  // a crack across the face
      p.setPen(QPen(ink, s * 0.025, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF(
          {QPointF(s * 0.3, s * 0.06), QPointF(s * 0.38, s * 0.16), QPointF(s * 0.32, s * 0.22)}));
      p.drawPolyline(QPolygonF(
          {QPointF(s * 0.66, s * 0.94), QPointF(s * 0.6, s * 0.84), QPointF(s * 0.68, s * 0.78)}));
      break;
    case Shape::Tag:  // the tag's hole
      p.setPen(QPen(ink, s * 0.02));
      p.drawEllipse(QPointF(s * 0.2, s * 0.5), s * 0.04, s * 0.04);
      break;
    default:
      break;
  }
  QRectF box = labelBox(d.shape, s);
  if (d.shape == Shape::CheckCircle) box = QRectF(s * 0.14, s * 0.44, s * 0.72, s * 0.36);
  fitText(p, box, d.label, box.height() * 0.95, ink);
}

const std::vector<StatusDrawing>& statusDrawings() {
  static const std::vector<StatusDrawing> all = {
      {"StatusKeeper", "Keeper", "KEEP", Shape::Shield, QColor(0x34, 0xC7, 0x59)},
      {"StatusBroken", "Broken", "BRKN", Shape::Octagon, QColor(0xE5, 0x2B, 0x21)},
      {"StatusForSale", "For Sale", "SALE", Shape::Tag, QColor(0xFF, 0x95, 0x00)},
      {"InService", "In Service", "SVC", Shape::Gear, QColor(0x0A, 0x6C, 0xFF)},
      {"StatusServiced", "Serviced", "SVCD", Shape::CheckCircle, QColor(0x1F, 0xA8, 0xA0)},
      {"StatusInSafe", "In Safe", "SAFE", Shape::Vault, QColor(0x4B, 0x4A, 0xC8)},
      {"StatusOnWinder", "On Winder", "WIND", Shape::WinderRing, QColor(0xAF, 0x52, 0xDE)},
      {"StatusNeedsService", "Needs Service", "SVC!", Shape::Triangle, QColor(0xFF, 0xCC, 0x00)},
      {"StatusWillingToFlip", "Willing To Flip", "FLIP", Shape::Diamond, QColor(0xFF, 0x2D, 0x78)},
      {"StatusNeedStrap", "Needs a New Strap", "STRAP", Shape::Strap, QColor(0xA2, 0x6B, 0x3F)},
      {"StatusNeedStrap18", "Needs a New Strap", "18", Shape::Strap, QColor(0xA2, 0x6B, 0x3F)},
      {"StatusNeedStrap20", "Needs a New Strap", "20", Shape::Strap, QColor(0xA2, 0x6B, 0x3F)},
      {"StatusNeedStrap22", "Needs a New Strap", "22", Shape::Strap, QColor(0xA2, 0x6B, 0x3F)},
      {"StatusNeedStrap24", "Needs a New Strap", "24", Shape::Strap, QColor(0xA2, 0x6B, 0x3F)},
      {"StatusRestorationProject", "Restoration Project", "RESTO", Shape::Hexagon,
       QColor(0xC0, 0x5A, 0x1E)},
      {"StatusOnLoan", "On Loan", "LOAN", Shape::Arrow, QColor(0x32, 0xAD, 0xE6)},
      {"StatusNeedsBattery", "Needs Battery", "BATT", Shape::Battery, QColor(0xA4, 0xD6, 0x5E)},
      {"StatusMyNextWatch", "My Next Watch", "NEXT", Shape::Flag, QColor(0x00, 0x7A, 0x8C)},
      {"StatusIncoming", "Incoming", "INC", Shape::Tray, QColor(0x00, 0xC7, 0xBE)},
      {"StatusShortList", "Short List", "LIST", Shape::ListCard, QColor(0xBF, 0x9B, 0xFF)},
      {"StatusGrail", "Grail", "", Shape::Star, QColor(0xFF, 0xD6, 0x0A)},
      {"StatusInWatchbox", "In Watchbox", "BOX", Shape::Box, QColor(0x7A, 0x4E, 0x2D)},
  };
  return all;
}

const StatusDrawing kNotSet{"StatusNotSet", "Not Set", "?", Shape::DashedCircle,
                            QColor(0x8E, 0x8E, 0x93)};

// Row and card size: the symbol alone. Big, on the detail screen: the symbol over the status's
// name.
void drawStatusIcons() {
  constexpr int kSmall = 200;  // the watch card grows them to 100 points
  constexpr int kBig = 300;
  const auto small = [](const QString& name, const StatusDrawing& d) {
    make(name, kSmall, kSmall, [&d](QPainter& p, double w, double) { drawStatusSymbol(p, d, w); });
  };
  const auto big = [](const QString& name, const StatusDrawing& d) {
    make(name, kBig, kBig, [&d](QPainter& p, double w, double h) {
      p.save();
      p.translate(w * 0.14, h * 0.02);
      drawStatusSymbol(p, d, w * 0.72);
      p.restore();
      fitText(p, QRectF(w * 0.02, h * 0.78, w * 0.96, h * 0.2), d.status, h * 0.13,
              d.color.lighter(115));
    });
  };
  for (const StatusDrawing& d : statusDrawings()) {
    small(d.name, d);
    // The big icons name the status, not a strap size: one per status.
    if (!d.name.startsWith("StatusNeedStrap") || d.name == "StatusNeedStrap")
      big(d.name + "Big", d);
  }
  small("NotSetGrey", kNotSet);
  big("StatusNotSetBig", kNotSet);
}

// ---------------------------------------------------------------------------------------------
// Badges: medals on a ribbon. The wear badges carry their milestone and colour by tier; the
// row badges (movement, dimensions, complete data) are medals with a symbol instead.

struct Tier {
  QColor disc;
  QColor ribbon;
  int stars;
};

Tier tierFor(int milestone) {
  if (milestone >= 1000) return {QColor(0xB9, 0xA8, 0xFF), QColor(0x5E, 0x3F, 0xC9), 5};
  if (milestone >= 200)
    return {QColor(0xFF, 0xC8, 0x2E), QColor(0xC4, 0x1E, 0x3A), milestone / 100};
  if (milestone >= 100) return {QColor(0xC8, 0xCE, 0xD6), QColor(0x1F, 0x4E, 0xA8), 1};
  if (milestone >= 30) return {QColor(0xD8, 0x8B, 0x4A), QColor(0x1E, 0x7F, 0x4F), 0};
  return {QColor(0x7F, 0xD1, 0x8B), QColor(0x2D, 0x6E, 0x9E), 0};
}

// The medal: ribbon tails, rim and disc; returns the disc's centre and radius.
std::pair<QPointF, double> drawMedal(QPainter& p, double s, const QColor& disc,
                                     const QColor& ribbon) {
  const QPointF c(s * 0.5, s * 0.42);
  const double r = s * 0.36;
  p.setPen(Qt::NoPen);
  p.setBrush(ribbon);
  for (int side : {-1, 1}) {
    QPainterPath tail;
    tail.moveTo(c.x() + side * s * 0.06, c.y());
    tail.lineTo(c.x() + side * s * 0.3, c.y() + s * 0.52);
    tail.lineTo(c.x() + side * s * 0.2, c.y() + s * 0.46);
    tail.lineTo(c.x() + side * s * 0.12, c.y() + s * 0.56);
    tail.lineTo(c.x() - side * s * 0.06, c.y() + s * 0.1);
    tail.closeSubpath();
    p.drawPath(tail);
  }
  p.setPen(QPen(disc.darker(170), s * 0.03));
  p.setBrush(disc.darker(115));
  p.drawEllipse(c, r, r);
  p.setPen(QPen(disc.lighter(125), s * 0.015));
  p.setBrush(disc);
  p.drawEllipse(c, r * 0.82, r * 0.82);
  return {c, r};
}

void drawWearBadge(QPainter& p, double s, int milestone) {
  const Tier tier = tierFor(milestone);
  const auto [c, r] = drawMedal(p, s, tier.disc, tier.ribbon);
  const QColor ink = textOn(tier.disc);
  const bool hasStars = tier.stars > 0 && milestone >= 200;
  const QRectF numberBox(c.x() - r * 0.7, c.y() - r * (hasStars ? 0.5 : 0.45), r * 1.4,
                         r * (hasStars ? 0.7 : 0.9));
  fitText(p, numberBox, QString::number(milestone), numberBox.height() * 0.95, ink);
  if (hasStars) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const double gap = r * 0.3;
    for (int i = 0; i < tier.stars; ++i) {
      const double x = c.x() + (i - (tier.stars - 1) / 2.0) * gap;
      p.drawPath(star(QPointF(x, c.y() + r * 0.42), r * 0.14, r * 0.06, 5));
    }
  }
}

void drawSymbolBadge(QPainter& p, double s, const QString& kind) {
  const QColor disc(0x2C, 0x8C, 0xB4);
  const auto [c, r] = drawMedal(p, s, disc, QColor(0x24, 0x3B, 0x55));
  const QColor ink = Qt::white;
  if (kind == "Rotor") {  // an automatic movement's rotor over its bridge
    QPainterPath rotor;
    rotor.moveTo(c);
    rotor.arcTo(QRectF(c.x() - r * 0.76, c.y() - r * 0.76, r * 1.52, r * 1.52), 185, 170);
    rotor.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(rotor);
    p.setPen(QPen(ink, s * 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.76, r * 0.76);
    p.setBrush(QColor(0xE0, 0x24, 0x4A));
    p.setPen(QPen(ink, s * 0.02));
    p.drawEllipse(c, r * 0.18, r * 0.18);
  } else if (kind == "Badge_Diagram") {  // a ruler with its marks
    p.save();
    p.translate(c);
    p.rotate(-35);
    p.setPen(QPen(disc.darker(170), s * 0.015));
    p.setBrush(ink);
    p.drawRect(QRectF(-r * 0.75, -r * 0.22, r * 1.5, r * 0.44));
    p.setPen(QPen(disc.darker(170), s * 0.014));
    for (int mark = 0; mark <= 10; ++mark) {
      const double x = -r * 0.68 + mark * r * 0.136;
      p.drawLine(QPointF(x, -r * 0.22), QPointF(x, -r * (mark % 5 == 0 ? 0.0 : 0.1)));
    }
    p.restore();
  } else {  // Badge_Data: a filled-in sheet with a tick
    const QRectF sheet(c.x() - r * 0.45, c.y() - r * 0.6, r * 0.9, r * 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(sheet, r * 0.08, r * 0.08);
    p.setPen(QPen(disc, s * 0.02, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 4; ++line) {
      const double y = sheet.top() + r * (0.22 + line * 0.2);
      p.drawLine(QPointF(sheet.left() + r * 0.15, y), QPointF(sheet.right() - r * 0.15, y));
    }
    p.setPen(QPen(QColor(0x34, 0xC7, 0x59), s * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(c.x() - r * 0.05, c.y() + r * 0.45),
                              QPointF(c.x() + r * 0.15, c.y() + r * 0.65),
                              QPointF(c.x() + r * 0.6, c.y() + r * 0.1)}));
  }
}

void drawBadges() {
  for (int milestone : {1, 30, 50, 100, 150, 200, 300, 400, 500, 1000}) {
    const QString name = "Badge_" + QString::number(milestone);
    make(name, 96, 96,
         [milestone](QPainter& p, double w, double) { drawWearBadge(p, w, milestone); });
    make(name + "Big", 400, 400,
         [milestone](QPainter& p, double w, double) { drawWearBadge(p, w, milestone); });
  }
  for (const char* kind : {"Rotor", "Badge_Diagram", "Badge_Data"}) {
    make(kind, 96, 96, [kind](QPainter& p, double w, double) { drawSymbolBadge(p, w, kind); });
  }
}

// ---------------------------------------------------------------------------------------------
// Ownership stripes: a ribbon with the count written out and one mark per year or month, or a
// bar filling over the first month. Years are gold, months blue, days green.

void drawStripe(QPainter& p, double w, double h, const QColor& color, const QString& text,
                int marks, int places, bool plus) {
  const QRectF ribbon(1, 1, w - 2, h - 2);
  p.setPen(QPen(color.darker(170), 2));
  p.setBrush(color);
  p.drawRoundedRect(ribbon, h * 0.25, h * 0.25);
  const QColor ink = textOn(color);
  fitText(p, QRectF(h * 0.2, 0, w * 0.3, h), text, h * 0.62, ink);
  const QRectF area(w * 0.36, h * 0.2, w * 0.6, h * 0.6);
  if (places <= 0) {  // days: a bar filling towards a month
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(area, h * 0.12, h * 0.12);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const double fill = area.width() * marks / 30.0;
    if (fill > 0)
      p.drawRoundedRect(QRectF(area.left(), area.top(), fill, area.height()), h * 0.12, h * 0.12);
    return;
  }
  const double slot = area.width() / (places + (plus ? 1.2 : 0));
  p.setPen(Qt::NoPen);
  for (int i = 0; i < places; ++i) {
    p.setBrush(i < marks ? ink : QColor(ink.red(), ink.green(), ink.blue(), 50));
    p.drawRoundedRect(
        QRectF(area.left() + i * slot + slot * 0.18, area.top(), slot * 0.64, area.height()),
        slot * 0.2, slot * 0.2);
  }
  if (plus) {
    const double x = area.left() + places * slot + slot * 0.6;
    const double y = area.center().y();
    p.setPen(QPen(ink, h * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - slot * 0.45, y), QPointF(x + slot * 0.45, y));
    p.drawLine(QPointF(x, y - slot * 0.45), QPointF(x, y + slot * 0.45));
  }
}

void drawStripes() {
  constexpr int kWidth = 300;
  constexpr int kHeight = 60;
  const QColor years(0xE0, 0xB0, 0x30);
  const QColor months(0x3F, 0x86, 0xD0);
  const QColor days(0x3C, 0xA8, 0x5A);
  for (int y = 1; y <= 10; ++y) {
    make("Vuosiraita_" + QString::number(y), kWidth, kHeight, [&](QPainter& p, double w, double h) {
      drawStripe(p, w, h, years, QString::number(y) + " Y", y, 10, false);
    });
  }
  make("Vuosiraita_10+", kWidth, kHeight, [&](QPainter& p, double w, double h) {
    drawStripe(p, w, h, QColor(0xA8, 0x1E, 0x2E), "10+ Y", 10, 10, true);
  });
  for (int m = 1; m <= 11; ++m) {
    make("Kuukausiraita_" + QString::number(m), kWidth, kHeight,
         [&](QPainter& p, double w, double h) {
           drawStripe(p, w, h, months, QString::number(m) + " M", m, 11, false);
         });
  }
  for (int d = 0; d <= 30; ++d) {
    make("Dayraita_" + QString::number(d), kWidth, kHeight, [&](QPainter& p, double w, double h) {
      drawStripe(p, w, h, days, QString::number(d) + " D", d, 0, false);
    });
  }
}

// ---------------------------------------------------------------------------------------------
// Small row controls

// The data indicator: a ring filled by the share of the twenty fields, red to green, with the
// count in the middle.
void drawIndicators() {
  for (int f = 1; f <= 20; ++f) {
    make("Ilmaisin" + QString::number(f), 120, 120, [f](QPainter& p, double w, double) {
      const QRectF ring(w * 0.1, w * 0.1, w * 0.8, w * 0.8);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(0x48, 0x48, 0x4A), w * 0.12, Qt::SolidLine, Qt::FlatCap));
      p.drawEllipse(ring);
      const QColor color = QColor::fromHsv(static_cast<int>(120.0 * (f - 1) / 19.0), 220, 235);
      p.setPen(QPen(color, w * 0.12, Qt::SolidLine, f == 20 ? Qt::FlatCap : Qt::RoundCap));
      p.drawArc(ring, 90 * 16, -static_cast<int>(std::lround(360.0 * 16 * f / 20.0)));
      fitText(p, QRectF(w * 0.24, w * 0.3, w * 0.52, w * 0.4), QString::number(f), w * 0.36,
              color.lighter(110));
    });
  }
}

// The info-mode button: six places, the first N filled.
void drawDots() {
  for (int count = 1; count <= 6; ++count) {
    const QString name = count == 1 ? QString("Dots") : "Dots" + QString::number(count);
    make(name, 216, 40, [count](QPainter& p, double w, double h) {
      const double step = w / 6;
      for (int i = 0; i < 6; ++i) {
        const QPointF c(step * (i + 0.5), h / 2);
        if (i < count) {
          p.setPen(Qt::NoPen);
          p.setBrush(Qt::white);
          p.drawEllipse(c, h * 0.32, h * 0.32);
        } else {
          p.setPen(QPen(QColor(0x8E, 0x8E, 0x93), h * 0.08));
          p.setBrush(Qt::NoBrush);
          p.drawEllipse(c, h * 0.26, h * 0.26);
        }
      }
    });
  }
}

// The rate buttons: a gauge with its needle, green for a keeper, orange for a sold watch.
void drawRateButtons() {
  const auto gauge = [](const QString& name, const QColor& color, const QString& letter) {
    make(name, 120, 120, [&](QPainter& p, double w, double) {
      p.setPen(QPen(color.darker(160), w * 0.03));
      p.setBrush(color);
      p.drawRoundedRect(QRectF(w * 0.04, w * 0.04, w * 0.92, w * 0.92), w * 0.2, w * 0.2);
      const QColor ink = textOn(color);
      const QRectF arc(w * 0.2, w * 0.2, w * 0.6, w * 0.6);
      p.setPen(QPen(ink, w * 0.07, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(arc, 0, 180 * 16);
      const QPointF hub(w * 0.5, w * 0.5);
      p.setPen(QPen(ink, w * 0.05, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(hub, QPointF(w * 0.68, w * 0.3));
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawEllipse(hub, w * 0.05, w * 0.05);
      fitText(p, QRectF(w * 0.1, w * 0.58, w * 0.8, w * 0.32), letter, w * 0.3, ink);
    });
  };
  gauge("KeeperRate", QColor(0x34, 0xC7, 0x59), "KEEP");
  gauge("SellerRate", QColor(0xFF, 0x7A, 0x00), "SELL");
}

// The quick wear swipe: a watch on the wrist with "+1".
void drawWearToday() {
  make("WearToday", 120, 120, [](QPainter& p, double w, double) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(w * 0.36, w * 0.02, w * 0.28, w * 0.96), w * 0.06, w * 0.06);
    p.setPen(QPen(Qt::white, w * 0.05));
    p.setBrush(QColor(0x3A, 0x3A, 0x3C));
    p.drawEllipse(QPointF(w * 0.5, w * 0.5), w * 0.34, w * 0.34);
    fitText(p, QRectF(w * 0.22, w * 0.3, w * 0.56, w * 0.4), "+1", w * 0.34, Qt::white);
  });
}

// ---------------------------------------------------------------------------------------------
// Title images of the navigation bars: a small watch and a word, white on black bars.

void drawTitle(const QString& name, const QString& word) {
  make(name, 540, 120, [&word](QPainter& p, double w, double h) {
    const QPointF c(h * 0.55, h / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0xB0, 0x30));
    p.drawRoundedRect(QRectF(c.x() - h * 0.14, h * 0.04, h * 0.28, h * 0.92), h * 0.05, h * 0.05);
    p.setPen(QPen(Qt::white, h * 0.06));
    p.setBrush(Qt::black);
    p.drawEllipse(c, h * 0.3, h * 0.3);
    p.setPen(QPen(Qt::white, h * 0.045, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -h * 0.2));
    p.drawLine(c, c + QPointF(h * 0.14, h * 0.06));
    const QRectF room(h * 1.05, 0, w - h * 1.1, h);
    double size = h * 0.58;
    QFont font = sans(size);
    font.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.06);
    while (QFontMetricsF(font).horizontalAdvance(word) > room.width() && size > 10) {
      size -= 1;
      font = sans(size);
      font.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.06);
    }
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(room, Qt::AlignVCenter | Qt::AlignLeft, word);
  });
}

// ---------------------------------------------------------------------------------------------
// Dimension diagrams: a watch with its measure lines in light lines on dark ground.

void arrow(QPainter& p, QPointF from, QPointF to, double head) {
  p.drawLine(from, to);
  const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
  for (const auto& [end, dir] : {std::pair{from, a + M_PI}, std::pair{to, a}}) {
    QPainterPath tip;
    tip.moveTo(end);
    tip.lineTo(end - QPointF(head * std::cos(dir - 0.45), head * std::sin(dir - 0.45)));
    tip.lineTo(end - QPointF(head * std::cos(dir + 0.45), head * std::sin(dir + 0.45)));
    tip.closeSubpath();
    p.save();
    p.setBrush(p.pen().color());
    p.drawPath(tip);
    p.restore();
  }
}

// The detail screen's third face. Drawn in the 500 x 500 frame of its text overlay: measures
// sit under their texts (lug width at the top, thickness at the left, lug-to-lug at the right,
// diameter across the middle), materials inside the case.
void drawDetailDiagram() {
  make("Watch_Diagram.png", 1000, 1000, [](QPainter& p, double w, double) {
    p.scale(w / 500, w / 500);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1C, 0x1C, 0x1E));
    p.drawRoundedRect(QRectF(0, 0, 500, 500), 24, 24);
    const QColor body(0x63, 0x63, 0x66);
    const QColor accent(0x4C, 0xA8, 0xFF);
    const QPointF c(250, 250);
    p.setPen(QPen(body.lighter(150), 3));
    p.setBrush(body.darker(150));
    for (int end : {-1, 1}) {  // lugs, 100 apart at their inner edges
      for (int side : {-1, 1}) {
        const double x = side < 0 ? 180 : 300;
        p.drawRoundedRect(QRectF(x, end < 0 ? 80 : 350, 20, 70), 6, 6);
      }
    }
    p.drawRoundedRect(QRectF(368, 238, 24, 26), 5, 5);  // crown
    p.setBrush(body);
    p.drawEllipse(c, 120, 120);
    p.setBrush(body.darker(130));
    p.drawEllipse(c, 100, 100);
    // Side view at the left: the case seen edge-on.
    p.setBrush(body);
    p.drawRoundedRect(QRectF(48, 290, 34, 130), 10, 10);
    p.setPen(QPen(accent, 3));
    arrow(p, QPointF(200, 72), QPointF(300, 72), 12);    // lug width
    arrow(p, QPointF(130, 268), QPointF(370, 268), 12);  // diameter
    arrow(p, QPointF(472, 80), QPointF(472, 420), 12);   // lug-to-lug
    arrow(p, QPointF(44, 276), QPointF(86, 276), 10);    // thickness
    p.setPen(QPen(accent, 1.5, Qt::DashLine));
    p.drawLine(QPointF(200, 80), QPointF(440, 80));
    p.drawLine(QPointF(200, 420), QPointF(480, 420));
  });
}

// The watch card's diagram: the watch face-on and edge-on, with a measure line for each of the
// card's dimension labels. Drawn in the card's own points (the card is 300 x 500; this picture
// covers x 0 … 200, y 220 … 410 of it), so each line sits where the card's text panel writes its
// label: lug width left of the line between the top lugs (29, 232), diameter under the line
// across the dial (60, 312), thickness under the line across the side view (134, 312),
// lug-to-lug beside its line's lower end (177, 356), and a leader from the dial down between the
// lugs to the dial's caption (100, 406). The materials are listed right of the picture.
void drawCardDiagram() {
  make("watch_dimensions", 600, 570, [](QPainter& p, double w, double) {
    p.scale(w / 200, w / 200);
    p.translate(0, -220);
    const QColor line(0xD1, 0xD1, 0xD6);
    const QColor accent(0xFF, 0xC8, 0x2E);
    const QPointF c(80, 300);
    p.setPen(QPen(line, 1.2));
    p.setBrush(QColor(0x3A, 0x3A, 0x3C));
    for (double y : {240.0, 338.0}) {  // lugs, 20 apart inside
      for (double x : {62.0, 90.0}) p.drawRoundedRect(QRectF(x, y, 8, 22), 2, 2);
    }
    p.drawRoundedRect(QRectF(122, 295, 6, 10), 1.5, 1.5);  // crown
    p.drawEllipse(c, 42, 42);                              // case and bezel
    p.setBrush(QColor(0x24, 0x24, 0x26));
    p.drawEllipse(c, 34, 34);  // dial
    for (int hour = 0; hour < 12; ++hour) {
      const double a = hour * M_PI / 6;
      p.drawLine(c + QPointF(30 * std::sin(a), -30 * std::cos(a)),
                 c + QPointF(33 * std::sin(a), -33 * std::cos(a)));
    }
    // Edge-on: the case between its lugs, the crystal a little domed on top.
    p.setBrush(QColor(0x3A, 0x3A, 0x3C));
    p.drawRoundedRect(QRectF(141, 240, 12, 120), 3, 3);
    p.drawRoundedRect(QRectF(138, 258, 18, 84), 4, 4);
    p.drawLine(QPointF(138, 272), QPointF(156, 272));
    p.setPen(QPen(accent, 1.2));
    arrow(p, QPointF(70, 236.5), QPointF(90, 236.5), 3.5);  // lug width
    arrow(p, QPointF(38, 307), QPointF(122, 307), 4);       // diameter
    arrow(p, QPointF(138, 307), QPointF(156, 307), 3.5);    // thickness
    arrow(p, QPointF(170, 240), QPointF(170, 360), 4);      // lug-to-lug
    p.setPen(QPen(accent, 0.8, Qt::DashLine));
    p.drawLine(QPointF(54, 236.5), QPointF(68, 236.5));  // from the lug width's label
    p.drawLine(QPointF(153, 240), QPointF(173, 240));    // lug ends to the lug-to-lug line
    p.drawLine(QPointF(153, 360), QPointF(173, 360));
    p.drawPolyline(QPolygonF({QPointF(80, 334), QPointF(80, 409.5), QPointF(97, 409.5)}));
  });
}

// ---------------------------------------------------------------------------------------------
// The accuracy measurement's button, in each of its states: start, confirm the start, end,
// confirm the end. A confirming press has a tick and a ring.

void drawAccuracyButtons() {
  struct Button {
    const char* name;
    const char* word;
    QColor color;
    bool confirm;
  };
  const Button buttons[] = {
      {"AccuracyStart", "START", QColor(0x2F, 0xB3, 0x4E), false},
      {"AccuracyStartConfirm", "START", QColor(0x2F, 0xB3, 0x4E), true},
      {"AccuracyStop", "END", QColor(0xE0, 0x30, 0x30), false},
      {"AccuracyStopConfirm", "END", QColor(0xE0, 0x30, 0x30), true},
  };
  for (const Button& b : buttons) {
    make(b.name, 300, 300, [&b](QPainter& p, double w, double) {
      const QPointF c(w / 2, w / 2);
      p.setPen(QPen(b.color.darker(160), w * 0.02));
      p.setBrush(b.color);
      p.drawEllipse(c, w * 0.47, w * 0.47);
      if (b.confirm) {
        p.setPen(QPen(Qt::white, w * 0.025));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, w * 0.4, w * 0.4);
        p.setPen(QPen(Qt::white, w * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(w * 0.38, w * 0.25), QPointF(w * 0.47, w * 0.34),
                                  QPointF(w * 0.64, w * 0.16)}));
        fitText(p, QRectF(w * 0.16, w * 0.38, w * 0.68, w * 0.2), b.word, w * 0.18, Qt::white);
        fitText(p, QRectF(w * 0.2, w * 0.6, w * 0.6, w * 0.12), "CONFIRM", w * 0.1, Qt::white);
      } else {
        fitText(p, QRectF(w * 0.14, w * 0.34, w * 0.72, w * 0.32), b.word, w * 0.26, Qt::white);
      }
    });
  }
}

// ---------------------------------------------------------------------------------------------

// Every picture scaled into a cell with its name under it, on the dark ground the app uses, so a
// person can look the set over.
bool writeContactSheet(const QString& file) {
  constexpr int kCell = 150;
  constexpr int kColumns = 10;
  const int rows = static_cast<int>((drawn().size() + kColumns - 1) / kColumns);
  QImage sheet(kColumns * kCell, rows * (kCell + 20), QImage::Format_ARGB32);
  sheet.fill(QColor(0x10, 0x10, 0x10));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setFont(sans(10, false));
  for (std::size_t i = 0; i < drawn().size(); ++i) {
    const Asset& asset = drawn()[i];
    const int x = static_cast<int>(i % kColumns) * kCell;
    const int y = static_cast<int>(i / kColumns) * (kCell + 20);
    // At the points the screens show it (drawings are at twice that), shrunk only to fit.
    const QSize points = asset.image.size() / 2;
    const QSize shown = points.boundedTo(QSize(kCell - 10, kCell - 10)) == points
                            ? points
                            : points.scaled(kCell - 10, kCell - 10, Qt::KeepAspectRatio);
    p.drawImage(QRect(x + (kCell - shown.width()) / 2, y + (kCell - shown.height()) / 2,
                      shown.width(), shown.height()),
                asset.image);
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawText(QRect(x, y + kCell, kCell, 20), Qt::AlignCenter, asset.name);
  }
  p.end();
  return sheet.save(file, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QString contactSheet;
  if (argc == 4 && QString(argv[2]) == "--contact-sheet") {
    contactSheet = QString::fromLocal8Bit(argv[3]);
  } else if (argc != 2) {
    std::fprintf(stderr, "usage: tockary-asset-generator OUTPUT_FOLDER [--contact-sheet FILE]\n");
    return 2;
  }
  drawPlaceholders();
  drawStatusIcons();
  drawBadges();
  drawStripes();
  drawIndicators();
  drawDots();
  drawRateButtons();
  drawWearToday();
  drawTitle("Dureduveve.png", "TOCKARY");
  drawTitle("ZozizuvEzuroziz.png", "ACCURACY");
  drawDetailDiagram();
  drawCardDiagram();
  drawAccuracyButtons();

  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  for (const Asset& asset : drawn()) {
    const QString file = asset.name.endsWith(".png") ? asset.name : asset.name + ".png";
    if (!asset.image.save(out.filePath(file), "PNG")) {
      std::fprintf(stderr, "tockary-asset-generator: could not write %s\n",
                   out.filePath(file).toLocal8Bit().constData());
      ok = false;
    }
  }
  if (!contactSheet.isEmpty() && !writeContactSheet(contactSheet)) {
    std::fprintf(stderr, "tockary-asset-generator: could not write %s\n",
                 contactSheet.toLocal8Bit().constData());
    ok = false;
  }
  return ok ? 0 : 1;
}
