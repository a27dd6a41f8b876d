#pragma once

// For Qt front ends only: a drawing painted onto any QPainter, as the renderers paint it.

#include <QPainter>

#include "platform/assets/asset_catalog.h"
#include "platform/render/drawing.h"
#include "platform/status.h"

namespace tockary {

// Paints the drawing's elements in order, one unit of the painter's coordinates being one point
// of the drawing. Stops at the first picture that cannot be drawn and returns why.
Status paintDrawing(QPainter& painter, const Drawing& drawing, const AssetCatalog& assets);

}  // namespace tockary
