// Draws the built-in pictures of the app into a folder, so the set stays consistent and can be
// redrawn at will. Usage: tockary-asset-generator OUTPUT_FOLDER (run with
// QT_QPA_PLATFORM=offscreen).

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

const QColor kBackground(0xF2, 0xF2, 0xF7);
const QColor kLine(0xB8, 0xB8, 0xC0);
const QColor kHint(0x8E, 0x8E, 0x93);

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

// A watch seen from the dial side: lugs, case, hour markers, hands.
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

bool draw(const QString& file, const QString& label, bool front) {
  constexpr int kSize = 480;
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(kBackground);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (front) {
    drawFront(p, kSize);
  } else {
    drawBack(p, kSize);
  }
  QFont font("Nimbus Sans");
  font.setPixelSize(kSize / 11);
  p.setFont(font);
  p.setPen(kHint);
  p.drawText(QRectF(0, kSize * 0.78, kSize, kSize * 0.12), Qt::AlignCenter, label);
  font.setPixelSize(kSize / 26);
  p.setFont(font);
  p.drawText(QRectF(0, kSize * 0.89, kSize, kSize * 0.07), Qt::AlignCenter, "Tap to add a picture");
  p.end();
  return image.save(file, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tockary-asset-generator OUTPUT_FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = draw(out.filePath("insertpic_front.png"), "Front", true);
  ok = draw(out.filePath("insertpic_back.png"), "Back", false) && ok;
  if (!ok) std::fprintf(stderr, "tockary-asset-generator: could not write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
