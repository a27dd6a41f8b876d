#pragma once

// For Qt front ends only: the decoded picture as Qt holds it.

#include <QImage>

#include "platform/image/image_codec.h"

namespace tockary {

// A shallow copy of the picture's pixels; null for an empty picture.
QImage toQImage(const Image& image);

}  // namespace tockary
