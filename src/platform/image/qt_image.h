#pragma once

// For Qt front ends only: the decoded picture as Qt holds it.

#include <QImage>

#include "platform/image/image_codec.h"

namespace tockary {

// A shallow copy of the picture's pixels; null for an empty picture.
QImage toQImage(const Image& image);
// The picture of a QImage drawn by the program itself (a rendering), sharing its pixels; empty for
// a null image.
Image imageFromQImage(QImage image);

}  // namespace tockary
