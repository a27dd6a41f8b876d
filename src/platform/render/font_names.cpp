#include "platform/render/font_names.h"

namespace tockary {

std::string_view fontFamily(std::string_view fontName) {
  if (fontName.starts_with("Courier")) return "Nimbus Mono PS";
  // Helvetica and anything unnamed: the Helvetica clone.
  return "Nimbus Sans";
}

bool isBoldFont(std::string_view fontName) { return fontName.ends_with("-Bold"); }

}  // namespace tockary
