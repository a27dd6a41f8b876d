#include "platform/render/font_names.h"

namespace tockary {

std::string_view fontFamily(std::string_view fontName) {
  if (fontName.starts_with("Courier")) return "Nimbus Mono PS";
  // Helvetica and anything unnamed: the Helvetica clone.
  return "Nimbus Sans";
}

bool isBoldFont(std::string_view fontName) { return fontName.ends_with("-Bold"); }

FontLineMetrics fontLineMetrics(std::string_view fontName) {
  if (fontName.starts_with("Courier")) return {0.754, 0.246, 0};
  return {0.952, 0.213, 0.028};  // Helvetica Neue
}

}  // namespace tockary
