#include "detail/diagram_drawing.h"

namespace tockary {

Drawing diagramOverlayDrawing(const DiagramOverlay& overlay) {
  Drawing drawing;
  drawing.size = {overlay.frame.width, overlay.frame.height};
  for (const DiagramText& entry : overlay.texts) {
    TextRun run;
    run.text = entry.text;
    run.fontName = overlay.fontName;
    run.pointSize = overlay.fontSize;
    run.colour = overlay.color;
    run.shadow = Shadow{overlay.shadowOffsetX, overlay.shadowOffsetY, 0, overlay.shadowColor};
    drawing.elements.emplace_back(DrawnText{{std::move(run)}, entry.frame, TextAlignment::Centre});
  }
  return drawing;
}

Drawing diagramFaceDrawing(const DiagramOverlay& overlay) {
  Drawing face = diagramOverlayDrawing(overlay);
  face.elements.insert(
      face.elements.begin(),
      DrawnPicture{{}, std::string(kDiagramImage), {0, 0, face.size.width, face.size.height}});
  return face;
}

}  // namespace tockary
