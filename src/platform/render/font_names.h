#pragma once

#include <string_view>

namespace tockary {

// The installed family standing in for a font the screens name: "Courier" and its styles →
// "Nimbus Mono PS", "HelveticaNeue" and anything else → "Nimbus Sans" (metric clones, from
// fonts-urw-base35).
std::string_view fontFamily(std::string_view fontName);
// Whether the named font is the bold style ("HelveticaNeue-Bold", "Courier-Bold").
bool isBoldFont(std::string_view fontName);

}  // namespace tockary
