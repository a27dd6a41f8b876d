#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace tockary::testing {

// A warranty card as a phone photographs one: a light card with a title, lines of text and a
// round dealer's stamp.
inline QImage warrantyCardPicture(int width = 600, int height = 380) {
  QImage card(width, height, QImage::Format_ARGB32);
  card.fill(QColor("#f4efe2"));
  QPainter painter(&card);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor("#8a6d3b"), 6));
  painter.drawRect(12, 12, width - 24, height - 24);
  QFont font("Nimbus Sans");
  font.setPixelSize(height / 12);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor("#1d2a44"));
  painter.drawText(QRect(0, height / 12, width, height / 6), Qt::AlignCenter,
                   "INTERNATIONAL WARRANTY");
  font.setPixelSize(height / 18);
  font.setBold(false);
  painter.setFont(font);
  const char* lines[] = {"Model: Speedmaster Professional", "Serial No. 81234567",
                         "Date of purchase: 12 March 2024", "Dealer: Watchmaker Oy, Helsinki"};
  int y = height * 2 / 6;
  for (const char* line : lines) {
    painter.drawText(width / 12, y, line);
    y += height / 9;
  }
  painter.setPen(QPen(QColor("#b03a2e"), 4));
  painter.drawEllipse(QPoint(width * 4 / 5, height * 3 / 4), height / 8, height / 8);
  painter.drawText(
      QRect(width * 4 / 5 - height / 8, height * 3 / 4 - height / 16, height / 4, height / 8),
      Qt::AlignCenter, "PAID");
  return card;
}

}  // namespace tockary::testing
