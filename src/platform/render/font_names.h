#pragma once

#include <string_view>

namespace tockary {

// The installed family standing in for a font the screens name: "Courier" and its styles →
// "Nimbus Mono PS", "HelveticaNeue" and anything else → "Nimbus Sans" (metric clones, from
// fonts-urw-base35).
std::string_view fontFamily(std::string_view fontName);
// Whether the named font is the bold style ("HelveticaNeue-Bold", "Courier-Bold").
bool isBoldFont(std::string_view fontName);

// The height of a line of the named font as the phone sets it, in ems: the baseline `ascent`
// below the line's top, then `descent` and `leading`. The stand-ins match the named fonts across
// but not down (a line of Nimbus Sans is 1.37 em, one of Helvetica Neue 1.19), and layouts are made
// for the phone's lines.
struct FontLineMetrics {
  double ascent = 0;
  double descent = 0;
  double leading = 0;
  double height() const { return ascent + descent + leading; }
};
FontLineMetrics fontLineMetrics(std::string_view fontName);

}  // namespace tockary
