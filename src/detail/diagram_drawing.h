#pragma once

// The detail screen's third face as drawings the renderers draw.

#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "platform/render/drawing.h"

namespace tockary {

// The overlay on its own: its texts where the screen places them, in its font, colour and
// shadow, on transparent ground as large as the overlay.
Drawing diagramOverlayDrawing(const DiagramOverlay& overlay);

// The face as the screen shows it: the diagram picture with the overlay over it.
Drawing diagramFaceDrawing(const DiagramOverlay& overlay);

}  // namespace tockary
